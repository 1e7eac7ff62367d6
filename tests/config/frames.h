// The expected frame of a command body, written from its template: ESC "P", the body, the check
// value over the body, ESC 5Ch.
#pragma once

#include <string>

#include "protocol/check_value.h"

namespace kelm::test {

inline std::string Framed(const std::string& body) {
  char digits[2];
  CheckDigits(CheckValue(body.data(), body.size()), digits);
  return "\x1BP" + body + std::string(digits, 2) + "\x1B\\";
}

}  // namespace kelm::test
