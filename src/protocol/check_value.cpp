// The frame check value, shared by the program and the virtual printer.
#include "protocol/check_value.h"

namespace kelm {

uint8_t CheckValue(const char* bytes, size_t count) {
  uint8_t acc = 0xFF;
  for (size_t i = 0; i < count; ++i) acc ^= static_cast<uint8_t>(bytes[i]);
  return acc;
}

void CheckDigits(uint8_t value, char out[2]) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out[0] = kHex[value >> 4];
  out[1] = kHex[value & 0x0F];
}

}  // namespace kelm
