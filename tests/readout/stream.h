// Record streams built byte by byte for the readout tests, the way a printer sends them, and the
// reading of the report text back as UTF-8 lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"

namespace kelm::test {

// One record body of a fixed length (its check byte is the last byte), zero-filled.
class Body {
 public:
  explicit Body(size_t length) : bytes_(length, 0) {}
  Body& U8(size_t offset, uint8_t value);
  Body& U16(size_t offset, uint16_t value);
  Body& U32(size_t offset, uint32_t value);
  // Windows-1250 bytes from UTF-8, without a NUL (the body is zero-filled).
  Body& Text(size_t offset, std::string_view utf8);
  Body& Raw(size_t offset, std::string_view bytes);
  // Packed date: 20, year % 100, month, day.
  Body& Date(size_t offset, int year, int month, int day);
  // Stamp: packed date, hour, minute, second.
  Body& At(size_t offset, int year, int month, int day, int hour, int minute, int second = 0);
  // Six-byte amount: 16-bit high part, 32-bit low part.
  Body& Six(size_t offset, uint16_t high, uint32_t low);
  // The type byte (bit 7 when damaged) and the body with its check byte set, or broken.
  std::string Record(int type, bool damaged = false, bool breakCheck = false) const;
  size_t size() const { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

// The record lengths of one printer type, written out here rather than asked of the decoder.
struct Lengths {
  size_t header = 252, unique = 14, taxRate = 31, daily = 90;
};

// The head records of a pass before the range record.
struct HeadSpec {
  std::string header;  // UTF-8 with the control codes 10, 13, 14, 20
  std::string unique = "ABC 12345678";
  uint8_t fiscal = 0;    // 0 fiscal, 255 not
  uint8_t writable = 1;  // 0: the memory went read-only
  std::string taxNumber = "525-000-00-00";
  int clockHour = 14, clockMinute = 35;
  std::string footerFirst = "OPF", footerSecond = "Kasa 1";
};
std::string HeadRecords(const Lengths& lengths, const HeadSpec& shape);

// A range (type 10) or closing (type 11) record body.
struct RangeSpec {
  uint8_t error = 0, more = 0;
  uint16_t count = 0;
  uint32_t dueHigh = 0, dueLow = 0, vatHigh = 0, vatLow = 0;
  uint8_t resets = 0;
  int periodFrom[3] = {2026, 12, 1}, periodTo[3] = {2026, 12, 31};
  int first_day[3] = {2026, 12, 2}, last_day[3] = {2026, 12, 3};
  uint32_t first_number = 0, last_number = 0;
};
Body RangeBody(const RangeSpec& shape);

// A currency record: name, its entry date and time, the first report in it.
Body CurrencyBody(std::string_view name, uint16_t first_report, uint8_t state = 0);

// A tax-rate record: number, entry date, rates and uses A..G.
Body TaxRateBody(size_t length, uint8_t number, int year, int month, int day,
                 const std::vector<uint16_t>& rates, const std::vector<uint8_t>& uses);

// A pass of `count` daily reports of layout 90 for the default printer type, each selling 1,23 zł
// of A at 23 %, numbered from `first_number`; the closing record's total due is put off by
// `closingDelta`.
std::string Pass(int count, const char* currency = "PLN", uint8_t more = 0, int closingDelta = 0,
                 uint32_t first_number = 1);
// Cuts a stream of the default printer type into its records (type byte and body).
std::vector<std::string> SplitRecords(const std::string& stream);

// The report text as UTF-8 lines without their CR LF; a line without CR LF is marked "<no CRLF>".
std::vector<std::string> ReportLines(const std::string& cp1250);

// Compares line by line, naming the first line that differs.
void ExpectLines(const std::string& cp1250, const std::vector<std::string>& expected);

}  // namespace kelm::test
