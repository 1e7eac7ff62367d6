// The control number of a daily report: SHA-1 over 64-byte blocks of ':' that carry the
// report's values, computed the way the printer prints it under the report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/sha1.h"

namespace kelm::emu {

class DailyDigest {
 public:
  // The report date as ten characters "dd-mm-yyyy" and the report number.
  void Start(std::string_view date, uint32_t number);
  // One sales line: the letter index 0..6 and the amount in grosze.
  void Sale(int letter, uint32_t amount);
  // The VAT sum in grosze, the receipt count or the invoice count.
  void Value(uint32_t value);
  // The running total VAT as the fiscal memory keeps it: tens of millions of złoty, then the
  // rest in grosze.
  void RunningTotal(uint16_t high, uint32_t low);
  // The unique number (at most 14 characters) and the time; returns the 40 hexadecimal digits.
  std::string Finish(std::string_view unique, std::string_view time);

 private:
  void Block(const uint8_t* content, size_t size);
  Sha1 sha_;
};

// Splits a total in grosze the way the running totals are kept: 10 000 000 zł per high unit.
inline constexpr int64_t kRunningTotalUnit = 1000000000;

}  // namespace kelm::emu
