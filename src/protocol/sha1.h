// SHA-1 (FIPS 180-1), our own, for the daily reports' control numbers. It depends on nothing but
// the standard library, so the virtual printer can link it too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kelm {

using Sha1Digest = std::array<uint8_t, 20>;

class Sha1 {
 public:
  Sha1() { Reset(); }
  void Reset();
  void Update(const void* data, size_t size);
  // Pads, returns the digest and leaves the object reset for a new message.
  Sha1Digest Final();

 private:
  void Compress(const uint8_t* block);

  uint32_t h_[5];
  uint8_t block_[64];
  size_t used_;
  uint64_t total_;
};

Sha1Digest Sha1Of(const void* data, size_t size);
// Forty upper-case hexadecimal digits, as the printer prints them.
std::string DigestHex(const Sha1Digest& digest);

}  // namespace kelm
