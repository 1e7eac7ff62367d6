// The readout request from the dialog's fields: year checks, ReadoutFlags, packed dates and the
// "#o" frame byte for byte.
#include "readout/readout_request.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace kelm {
namespace {

// ESC, the frame text, the check value (FFh XOR the bytes after "P"), ESC and the backslash.
std::string Framed(const std::string& afterP) {
  unsigned check = 0xFF;
  for (char c : afterP) check ^= uint8_t(c);
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", check);
  return "\x1bP" + afterP + digits + "\x1b\\";
}

ReadoutFields Fields(ReadoutMode mode) {
  ReadoutFields f;
  f.mode = mode;
  f.first_date = "01/12/2026";
  f.last_date = "31/12/2026";
  f.month = "12/2026";
  f.first_number = "15";
  f.last_number = "240";
  return f;
}

TEST(ReadoutRequest, FramesOfTheThreeModes) {
  struct Row {
    const char* name;
    ReadoutFields fields;
    std::string frame;
    uint8_t flags;
    PackedDate first, last;
  };
  ReadoutFields dates = Fields(ReadoutMode::kByDates);
  dates.last_date = "31.12.2027";  // whatever separators the operator typed
  ReadoutFields monthlyShort = Fields(ReadoutMode::kMonthly);
  monthlyShort.full = false;
  monthlyShort.speed = 57600;
  monthlyShort.month = "02-2030";
  ReadoutFields numbers = Fields(ReadoutMode::kByNumbers);
  numbers.emergency = true;
  numbers.first_date = "garbage";
  const Row rows[] = {
      {"by dates",
       dates,
       Framed("26;12;1;27;12;31;0;128#o\r\r115200/"),
       0,
       {20, 26, 12, 1},
       {20, 27, 12, 31}},
      {"monthly, short",
       monthlyShort,
       Framed("30;2;0;0;0;0;1;128#o\r\r57600/"),
       1,
       {20, 30, 2, 0},
       {20, 0, 0, 0}},
      {"by numbers, emergency",
       numbers,
       Framed("6;0;0;0;0;0;0;128#o15/240/\r\r115200/"),
       6,
       {20, 0, 0, 0},
       {20, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    ReadoutRequest r;
    std::string message = "stale";
    ASSERT_TRUE(BuildReadoutRequest(row.fields, &r, &message)) << row.name;
    EXPECT_EQ(message, "") << row.name;
    EXPECT_EQ(r.flags, row.flags) << row.name;
    EXPECT_EQ(r.first.year, row.first.year) << row.name;
    EXPECT_EQ(r.first.month, row.first.month) << row.name;
    EXPECT_EQ(r.first.day, row.first.day) << row.name;
    EXPECT_EQ(r.last.century, 20) << row.name;
    EXPECT_EQ(r.last.day, row.last.day) << row.name;
    EXPECT_EQ(r.last.year, row.last.year) << row.name;
    char frame[256];
    const int n = FormatReadoutFrame(r, frame, sizeof frame);
    EXPECT_EQ(std::string(frame, n > 0 ? size_t(n) : 0), row.frame) << row.name;
  }
}

TEST(ReadoutRequest, ReportLevelFlagsFollowTheMode) {
  ReadoutRequest r;
  std::string message;
  ReadoutFields f = Fields(ReadoutMode::kMonthly);
  f.emergency = true;
  ASSERT_TRUE(BuildReadoutRequest(f, &r, &message));
  EXPECT_TRUE(r.report.monthly);
  EXPECT_FALSE(r.report.by_numbers);
  EXPECT_TRUE(r.report.full);
  EXPECT_TRUE(r.report.emergency);
  ASSERT_TRUE(BuildReadoutRequest(Fields(ReadoutMode::kByNumbers), &r, &message));
  EXPECT_TRUE(r.report.by_numbers);
  EXPECT_FALSE(r.report.monthly);
}

TEST(ReadoutRequest, YearsOutsideTheRangeSendNothing) {
  struct Row {
    ReadoutMode mode;
    const char* first;
    const char* last;
    const char* month;
    const char* message;  // nullptr: accepted
  } rows[] = {
      {ReadoutMode::kByDates, "01/01/1979", "31/12/2026", "", "     Data spoza zakresu     "},
      {ReadoutMode::kByDates, "01/01/2080", "31/12/2026", "", "     Data spoza zakresu     "},
      {ReadoutMode::kByDates, "01/01/1980", "31/12/2080", "", "    Data spoza zakresu     "},
      {ReadoutMode::kByDates, "01/01/1980", "31/12/2079", "", nullptr},
      {ReadoutMode::kByDates, "__/__/____", "31/12/2026", "", "     Data spoza zakresu     "},
      {ReadoutMode::kMonthly, "", "", "12/1979", "     Data spoza zakresu     "},
      {ReadoutMode::kMonthly, "", "", "12/2080", "     Data spoza zakresu     "},
      {ReadoutMode::kMonthly, "01/01/1900", "01/01/1900", "01/2079", nullptr},
      {ReadoutMode::kMonthly, "", "", "", "     Data spoza zakresu     "},
      {ReadoutMode::kByNumbers, "", "", "", nullptr},
      // Months and days no calendar has.
      {ReadoutMode::kMonthly, "", "", "13/2026", "     Data spoza zakresu     "},
      {ReadoutMode::kMonthly, "", "", "00/2026", "     Data spoza zakresu     "},
      {ReadoutMode::kMonthly, "", "", "__/2026", "     Data spoza zakresu     "},
      {ReadoutMode::kByDates, "31/04/2026", "30/04/2026", "", "     Data spoza zakresu     "},
      {ReadoutMode::kByDates, "01/04/2026", "29/02/2027", "", "    Data spoza zakresu     "},
      {ReadoutMode::kByDates, "01/13/2026", "31/12/2026", "", "     Data spoza zakresu     "},
      {ReadoutMode::kByDates, "29/02/2028", "00/03/2028", "", "    Data spoza zakresu     "},
      {ReadoutMode::kByDates, "29/02/2028", "31/12/2028", "", nullptr},
  };
  for (const Row& row : rows) {
    ReadoutFields f = Fields(row.mode);
    f.first_date = row.first;
    f.last_date = row.last;
    f.month = row.month;
    ReadoutRequest r;
    std::string message;
    const bool ok = BuildReadoutRequest(f, &r, &message);
    EXPECT_EQ(ok, row.message == nullptr) << row.first << " " << row.last << " " << row.month;
    if (row.message != nullptr) {
      EXPECT_EQ(message, row.message);
    }
  }
}

TEST(ReadoutRequest, ReportNumbersMustBeWholeNumbers) {
  struct Row {
    const char* first;
    const char* last;
    const char* message;  // nullptr: accepted, with the frame's numbers below
    const char* numbers;
  } rows[] = {
      {"abc", "240", "'abc' nie jest poprawną liczbą całkowitą.", nullptr},
      {"15", "x/y", "'x/y' nie jest poprawną liczbą całkowitą.", nullptr},
      {"1/2", "240", "'1/2' nie jest poprawną liczbą całkowitą.", nullptr},
      {"", "240", "'' nie jest poprawną liczbą całkowitą.", nullptr},
      {"15", "-3", "'-3' nie jest poprawną liczbą całkowitą.", nullptr},
      {"1 5", "240", "'1 5' nie jest poprawną liczbą całkowitą.", nullptr},
      {" 15 ", "0240", nullptr, "15/0240/"},
  };
  for (const Row& row : rows) {
    ReadoutFields f = Fields(ReadoutMode::kByNumbers);
    f.first_number = row.first;
    f.last_number = row.last;
    ReadoutRequest r;
    std::string message;
    const bool ok = BuildReadoutRequest(f, &r, &message);
    EXPECT_EQ(ok, row.message == nullptr) << row.first << " " << row.last;
    if (row.message != nullptr) {
      EXPECT_EQ(message, row.message);
      continue;
    }
    char frame[256];
    const int n = FormatReadoutFrame(r, frame, sizeof frame);
    EXPECT_EQ(std::string(frame, n > 0 ? size_t(n) : 0),
              Framed(std::string("4;0;0;0;0;0;0;128#o") + row.numbers + "\r\r115200/"));
  }
}

TEST(ReadoutRequest, NumberTextsAreCutToTheFieldSize) {
  ReadoutFields f = Fields(ReadoutMode::kByNumbers);
  f.first_number = std::string(80, '1');
  ReadoutRequest r;
  std::string message;
  ASSERT_TRUE(BuildReadoutRequest(f, &r, &message));
  EXPECT_EQ(r.first_number.size(), 49u);
  char small[20];
  EXPECT_EQ(FormatReadoutFrame(r, small, sizeof small), -1);
  EXPECT_EQ(small[0], '\0') << "no truncated frame is left to send";
}

TEST(ReadoutRequest, NamingOfAFinishedReadout) {
  ReadoutRequest r;
  std::string message;
  ReadoutFields f = Fields(ReadoutMode::kByNumbers);
  f.emergency = true;
  ASSERT_TRUE(BuildReadoutRequest(f, &r, &message));
  ReadoutResult result;
  result.first_number = 15;
  result.last_number = 240;
  result.unique_number = "ABC 12345678";
  const ReportNaming n = NamingOf(r, ReadoutModel{}, result);
  EXPECT_EQ(MakeReportFileName(n), "VANTEL_ABC12345678_Nr_15_240_Awaryjny.txt");
  EXPECT_EQ(MakeReportTitle(n),
            "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr "
            "15 do nr 240 - raport awaryjny.");
}

}  // namespace
}  // namespace kelm
