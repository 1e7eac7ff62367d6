// Record bodies and head records for the readout tests.
#include "readout/stream.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>

#include "protocol/win1250.h"
#include "support/temp_dir.h"

namespace kelm::test {

Body& Body::U8(size_t offset, uint8_t value) {
  bytes_.at(offset) = value;
  return *this;
}

Body& Body::U16(size_t offset, uint16_t value) {
  bytes_.at(offset) = uint8_t(value);
  bytes_.at(offset + 1) = uint8_t(value >> 8);
  return *this;
}

Body& Body::U32(size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = uint8_t(value >> (8 * i));
  return *this;
}

Body& Body::Text(size_t offset, std::string_view utf8) {
  return Raw(offset, Utf8ToCp1250(utf8));
}

Body& Body::Raw(size_t offset, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) bytes_.at(offset + i) = uint8_t(bytes[i]);
  return *this;
}

Body& Body::Date(size_t offset, int year, int month, int day) {
  U8(offset, 20);
  U8(offset + 1, uint8_t(year % 100));
  U8(offset + 2, uint8_t(month));
  return U8(offset + 3, uint8_t(day));
}

Body& Body::At(size_t offset, int year, int month, int day, int hour, int minute, int second) {
  Date(offset, year, month, day);
  U8(offset + 4, uint8_t(hour));
  U8(offset + 5, uint8_t(minute));
  return U8(offset + 6, uint8_t(second));
}

Body& Body::Six(size_t offset, uint16_t high, uint32_t low) {
  U16(offset, high);
  return U32(offset + 2, low);
}

std::string Body::Record(int type, bool damaged, bool breakCheck) const {
  std::vector<uint8_t> b = bytes_;
  unsigned sum = 0xFF;
  for (size_t i = 0; i + 1 < b.size(); ++i) sum += b[i];
  b.back() = uint8_t(0x100 - (sum & 0xFF));
  if (breakCheck) b.back() ^= 1;
  std::string out(1, char(type | (damaged ? 0x80 : 0)));
  out.append(b.begin(), b.end());
  return out;
}

std::string HeadRecords(const Lengths& l, const HeadSpec& s) {
  std::string out;
  out += Body(l.header).Text(0, s.header).Record(0);
  out += Body(l.unique).Text(0, s.unique).Record(1);
  out += Body(10).U8(0, s.fiscal).U8(1, s.writable).At(2, 2025, 6, 30, 9, 5).Record(2);
  out += Body(18).Text(0, s.taxNumber).Record(3);
  out += Body(8).At(0, 2026, 12, 9, s.clockHour, s.clockMinute, 12).Record(6);
  out += Body(34).Text(0, s.footerSecond).Record(7);
  out += Body(10).Text(0, s.footerFirst).Record(8);
  return out;
}

Body RangeBody(const RangeSpec& s) {
  Body b(58);
  b.U8(0, s.error).U8(1, s.more).U16(2, s.count);
  b.U32(4, s.dueHigh).U32(8, s.dueLow).U32(12, s.vatHigh).U32(16, s.vatLow).U8(20, s.resets);
  b.At(21, s.periodFrom[0], s.periodFrom[1], s.periodFrom[2], 0, 0);
  b.At(28, s.periodTo[0], s.periodTo[1], s.periodTo[2], 23, 59);
  if (s.first_day[0] != 0) b.At(35, s.first_day[0], s.first_day[1], s.first_day[2], 20, 0);
  if (s.last_day[0] != 0) b.At(42, s.last_day[0], s.last_day[1], s.last_day[2], 21, 0);
  return b.U32(49, s.first_number).U32(53, s.last_number);
}

Body CurrencyBody(std::string_view name, uint16_t first_report, uint8_t state) {
  Body b(16);
  b.U8(0, state).Date(2, 2026, 1, 1).U8(6, 0).U8(7, 0).Text(9, name);
  return b.U16(13, first_report);
}

Body TaxRateBody(size_t length, uint8_t number, int year, int month, int day,
                 const std::vector<uint16_t>& rates, const std::vector<uint8_t>& uses) {
  Body b(length);
  b.U8(1, number).At(2, year, month, day, 8, 0);
  for (size_t i = 0; i < 7; ++i) {
    b.U16(9 + 2 * i, i < rates.size() ? rates[i] : 0);
    b.U8(23 + i, i < uses.size() ? uses[i] : 0);
  }
  return b;
}

std::vector<std::string> ReportLines(const std::string& cp1250) {
  const std::string text = Cp1250ToUtf8(cp1250);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CRLF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void ExpectLines(const std::string& cp1250, const std::vector<std::string>& expected) {
  const std::vector<std::string> actual = ReportLines(cp1250);
  const size_t n = std::min(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "line " << i + 1 << "\n  actual:   [" << actual[i] << "]\n  expected: ["
                    << expected[i] << "]";
      return;
    }
  }
  EXPECT_EQ(actual.size(), expected.size()) << "line counts differ; first extra line: ["
                                            << (actual.size() > n ? actual[n] : expected[n]) << "]";
}

// Body lengths of the default printer type, written out so the stream can be cut into records.
namespace {

size_t Length(uint8_t typeByte) {
  switch (typeByte & 0x7F) {
    case 0:
      return 252;
    case 1:
      return 14;
    case 2:
      return 10;
    case 3:
      return 18;
    case 4:
      return 31;
    case 5:
      return 90;
    case 6:
      return 8;
    case 7:
      return 34;
    case 8:
      return 10;
    case 10:
    case 11:
      return 58;
    case 12:
      return 16;
    default:
      return 0;
  }
}

}  // namespace

std::vector<std::string> SplitRecords(const std::string& stream) {
  std::vector<std::string> out;
  for (size_t at = 0; at < stream.size();) {
    const size_t n = 1 + Length(uint8_t(stream[at]));
    out.push_back(stream.substr(at, n));
    at += n;
  }
  return out;
}

std::string Pass(int count, const char* currency, uint8_t more, int closingDelta,
                 uint32_t first_number) {
  RangeSpec range;
  range.count = uint16_t(count);
  range.more = more;
  range.first_number = count ? first_number : 0;
  range.last_number = count ? first_number + uint32_t(count) - 1 : 0;
  std::string s = HeadRecords({}, {}) + RangeBody(range).Record(10);
  if (count > 0) s += CurrencyBody(currency, 1).Record(12);
  for (int n = 0; n < count; ++n) {
    Body day(90);
    day.U16(1, uint16_t(first_number + n)).Date(3, 2026, 12, 1 + n % 28).U8(7, 21).U8(10, 1);
    day.U16(19, 1).U32(21, 23).U32(49, 123).U32(77, 123);
    s += day.Record(5);
    if (n == 0) s += TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1}).Record(4);
  }
  RangeSpec closing = range;
  closing.dueLow = uint32_t(123 * count + closingDelta);
  closing.vatLow = uint32_t(23 * count);
  return s + RangeBody(closing).Record(11);
}

}  // namespace kelm::test
