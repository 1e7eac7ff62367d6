// SHA-1 compression and padding, written from FIPS 180-1.
#include "protocol/sha1.h"

#include <cstring>

namespace kelm {
namespace {

uint32_t Rotl(uint32_t x, int n) {
  return (x << n) | (x >> (32 - n));
}

}  // namespace

void Sha1::Reset() {
  h_[0] = 0x67452301u;
  h_[1] = 0xEFCDAB89u;
  h_[2] = 0x98BADCFEu;
  h_[3] = 0x10325476u;
  h_[4] = 0xC3D2E1F0u;
  used_ = 0;
  total_ = 0;
}

void Sha1::Compress(const uint8_t* block) {
  uint32_t w[80];
  for (int t = 0; t < 16; ++t) {
    w[t] = uint32_t(block[4 * t]) << 24 | uint32_t(block[4 * t + 1]) << 16 |
           uint32_t(block[4 * t + 2]) << 8 | uint32_t(block[4 * t + 3]);
  }
  for (int t = 16; t < 80; ++t) w[t] = Rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4];
  for (int t = 0; t < 80; ++t) {
    uint32_t f, k;
    if (t < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999u;
    } else if (t < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1u;
    } else if (t < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDCu;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6u;
    }
    const uint32_t temp = Rotl(a, 5) + f + e + w[t] + k;
    e = d;
    d = c;
    c = Rotl(b, 30);
    b = a;
    a = temp;
  }
  h_[0] += a;
  h_[1] += b;
  h_[2] += c;
  h_[3] += d;
  h_[4] += e;
}

void Sha1::Update(const void* data, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  total_ += size;
  while (size > 0) {
    if (used_ == 0 && size >= 64) {
      Compress(p);
      p += 64;
      size -= 64;
      continue;
    }
    const size_t take = size < 64 - used_ ? size : 64 - used_;
    std::memcpy(block_ + used_, p, take);
    used_ += take;
    p += take;
    size -= take;
    if (used_ == 64) {
      Compress(block_);
      used_ = 0;
    }
  }
}

Sha1Digest Sha1::Final() {
  const uint64_t bits = total_ * 8;
  static const uint8_t kPad[64] = {0x80};
  const size_t pad = used_ < 56 ? 56 - used_ : 120 - used_;
  Update(kPad, pad);
  uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = uint8_t(bits >> (56 - 8 * i));
  Update(length, 8);
  Sha1Digest out;
  for (int i = 0; i < 5; ++i) {
    out[4 * i] = uint8_t(h_[i] >> 24);
    out[4 * i + 1] = uint8_t(h_[i] >> 16);
    out[4 * i + 2] = uint8_t(h_[i] >> 8);
    out[4 * i + 3] = uint8_t(h_[i]);
  }
  Reset();
  return out;
}

Sha1Digest Sha1Of(const void* data, size_t size) {
  Sha1 sha;
  sha.Update(data, size);
  return sha.Final();
}

std::string DigestHex(const Sha1Digest& digest) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(40);
  for (uint8_t b : digest) {
    text += kHex[b >> 4];
    text += kHex[b & 15];
  }
  return text;
}

}  // namespace kelm
