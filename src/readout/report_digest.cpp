// The blocks of a daily report's control number.
#include "readout/report_digest.h"

#include <algorithm>
#include <cstring>

#include "readout/report_format.h"

namespace kelm {
namespace {

void BigEndian(uint32_t value, uint8_t* out) {
  out[0] = uint8_t(value >> 24);
  out[1] = uint8_t(value >> 16);
  out[2] = uint8_t(value >> 8);
  out[3] = uint8_t(value);
}

}  // namespace

void ReportDigest::Block(const uint8_t* content, size_t size) {
  uint8_t block[64];
  std::memset(block, ':', sizeof block);
  std::memcpy(block, content, size < sizeof block ? size : sizeof block);
  sha_.Update(block, sizeof block);
}

void ReportDigest::Start(const PackedDate& date, uint32_t number) {
  sha_.Reset();
  started_ = true;
  const std::string text = DateText(date);
  uint8_t content[64];
  const size_t n = text.size() < 60 ? text.size() : 60;
  std::memcpy(content, text.data(), n);
  BigEndian(number, content + n);
  Block(content, n + 4);
}

void ReportDigest::AddSale(int letter, uint32_t amount) {
  uint8_t content[5];
  content[0] = uint8_t(letter);
  BigEndian(amount, content + 1);
  Block(content, sizeof content);
}

void ReportDigest::AddValue(uint32_t value) {
  uint8_t content[4];
  BigEndian(value, content);
  Block(content, sizeof content);
}

void ReportDigest::AddSixBytes(const SixByteAmount& amount) {
  Block(amount.raw.data(), amount.raw.size());
}

std::string ReportDigest::Finish(std::string_view unique_number) {
  const std::string_view unique =
      unique_number.substr(0, std::min<size_t>(unique_number.size(), 14));
  uint8_t content[64];
  std::memcpy(content, unique.data(), unique.size());
  std::memcpy(content + unique.size(), "00:00:00", 8);
  Block(content, unique.size() + 8);
  started_ = false;
  return DigestHex(sha_.Final());
}

}  // namespace kelm
