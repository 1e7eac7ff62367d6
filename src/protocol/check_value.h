// The frame check value: FFh XOR every covered byte, written as two upper-case hex digits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelm {

// The check value of `count` covered bytes (for a frame: every byte after "P" up to the slot).
uint8_t CheckValue(const char* bytes, size_t count);

// The two upper-case hexadecimal digits of a check value, as the printer expects them.
void CheckDigits(uint8_t value, char out[2]);

}  // namespace kelm
