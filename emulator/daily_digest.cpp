// The daily report's control number, written from the block layout of the report digest.
#include "emulator/daily_digest.h"

#include <algorithm>
#include <cstring>

namespace kelm::emu {

void DailyDigest::Block(const uint8_t* content, size_t size) {
  uint8_t block[64];
  memset(block, ':', sizeof block);
  memcpy(block, content, std::min(size, sizeof block));
  sha_.Update(block, sizeof block);
}

void DailyDigest::Start(std::string_view date, uint32_t number) {
  sha_.Reset();
  uint8_t content[14] = {};
  memcpy(content, date.data(), std::min<size_t>(date.size(), 10));
  for (int i = 0; i < 4; ++i) content[10 + i] = static_cast<uint8_t>(number >> (24 - 8 * i));
  Block(content, sizeof content);
}

void DailyDigest::Sale(int letter, uint32_t amount) {
  uint8_t content[5] = {static_cast<uint8_t>(letter)};
  for (int i = 0; i < 4; ++i) content[1 + i] = static_cast<uint8_t>(amount >> (24 - 8 * i));
  Block(content, sizeof content);
}

void DailyDigest::Value(uint32_t value) {
  uint8_t content[4];
  for (int i = 0; i < 4; ++i) content[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
  Block(content, sizeof content);
}

void DailyDigest::RunningTotal(uint16_t high, uint32_t low) {
  uint8_t content[6] = {static_cast<uint8_t>(high), static_cast<uint8_t>(high >> 8)};
  for (int i = 0; i < 4; ++i) content[2 + i] = static_cast<uint8_t>(low >> (8 * i));
  Block(content, sizeof content);
}

std::string DailyDigest::Finish(std::string_view unique, std::string_view time) {
  std::string content(unique.substr(0, 14));
  content += time;
  Block(reinterpret_cast<const uint8_t*>(content.data()), content.size());
  return DigestHex(sha_.Final());
}

}  // namespace kelm::emu
