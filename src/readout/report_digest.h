// The control number of a daily report: SHA-1 over 64-byte blocks of ':' carrying the report's
// values, as the printer computes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/sha1.h"
#include "readout/records.h"

namespace kelm {

class ReportDigest {
 public:
  // The start block: the report date as text and the report number; starts a new digest.
  void Start(const PackedDate& date, uint32_t number);
  // A sales line: the letter index and its amount.
  void AddSale(int letter, uint32_t amount);
  // The VAT sum, the receipt count or the invoice count.
  void AddValue(uint32_t value);
  // The running total VAT as stored.
  void AddSixBytes(const SixByteAmount& amount);
  // The end block with the unique number; returns the 40 digits.
  std::string Finish(std::string_view unique_number);
  bool started() const { return started_; }

 private:
  void Block(const uint8_t* content, size_t size);

  Sha1 sha_;
  bool started_ = false;
};

}  // namespace kelm
