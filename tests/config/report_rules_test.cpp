// The report dialogs' rules and the settings readout, row by row.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "config/frames.h"
#include "config/printer_settings.h"
#include "config/reports.h"
#include "link/settings.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::Framed;

TEST(Reports, DailyAndTheOneFrameReports) {
  test::SeamGuard seams;  // letter coding MAZOVIA
  ConfigFrame f;
  struct Row {
    std::function<bool(ConfigFrame*)> build;
    std::string body;
  } rows[] = {
      {[](ConfigFrame* o) {
         return BuildDailyReportFrame(true, {2024, 7, 5}, o);
       },
       "1;24;7;5#r"},
      {[](ConfigFrame* o) {
         return BuildDailyReportFrame(false, {2024, 7, 5}, o);
       },
       "0#r"},
      {[](ConfigFrame* o) { return BuildShiftReportFrame(false, "Ranna", "Łódź", o); },
       "23#kRanna\r\x9C\xA2"
       "d\xA6\r"},
      {[](ConfigFrame* o) { return BuildShiftReportFrame(true, "", "", o); }, "0#k\r\r"},
      {[](ConfigFrame* o) { return BuildCashierFrame(true, "Jan", "1", o); }, "#pJan\r1\r"},
      {[](ConfigFrame* o) { return BuildCashierFrame(false, "Żaneta", "02", o); },
       "#q\xA1"
       "aneta\r02\r"},
      {[](ConfigFrame* o) { return BuildErrorTableFrame(o); }, "$4"},
      {[](ConfigFrame* o) {
         return BuildServiceReminderFrame(true, {2025, 3, 1}, "22 123", o);
       },
       "0;1;25;3;1$o22 123\r"},
      {[](ConfigFrame* o) {
         return BuildServiceReminderFrame(false, {2025, 12, 9}, "", o);
       },
       "0;0;25;12;9$o\r"},
      // An edit field holds 49 characters.
      {[](ConfigFrame* o) { return BuildCashierFrame(true, std::string(60, 'k'), "1", o); },
       "#p" + std::string(49, 'k') + "\r1\r"},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(row.build(&f));
    EXPECT_EQ(f.bytes, Framed(row.body)) << row.body;
  }
}

struct PeriodicRow {
  const char* name;
  int family, variant;
  std::function<void(PeriodicReportRequest&)> set;
  const char* body;     // nullptr: refused
  const char* message;  // the refusal
};

TEST(Reports, PeriodicRangeModesFlagsAndDateChecks) {
  using M = PeriodicMode;
  auto dates = [](const char* from, const char* to, bool full) {
    return [=](PeriodicReportRequest& r) {
      r.mode = M::kByDates;
      r.from_date = from;
      r.to_date = to;
      r.full = full;
    };
  };
  auto numbers = [](bool emergency, bool full) {
    return [=](PeriodicReportRequest& r) {
      r.mode = M::kByNumbers;
      r.first_number = "1";
      r.last_number = "10";
      r.emergency = emergency;
      r.full = full;
    };
  };
  const PeriodicRow rows[] = {
      {"monthly", 2, 0, [](PeriodicReportRequest& r) { r.month_text = "03-2024"; },
       "24;3;0;0;0;0;0#o", nullptr},
      {"monthly, any separator", 2, 0, [](PeriodicReportRequest& r) { r.month_text = "03/2024"; },
       "24;3;0;0;0;0;0#o", nullptr},
      {"by dates, not full", 2, 0, dates("01-01-2024", "31-01-2024", false), "24;1;1;24;1;31;1#o",
       nullptr},
      {"by dates with dots", 1, 0, dates("01.02.2079", "28.02.2079", true), "79;2;1;79;2;28;0#o",
       nullptr},
      {"by numbers, emergency, full", 2, 0, numbers(true, true), "6#o1/10/", nullptr},
      {"by numbers", 2, 0, numbers(false, false), "5#o1/10/", nullptr},
      {"family 0 by numbers, emergency", 0, 0, numbers(true, true), "0;0;1;0;0;10;2#o", nullptr},
      {"family 0 not full", 0, 0, numbers(true, false), "0;0;1;0;0;10;3#o", nullptr},
      {"family 0 without emergency goes by dates", 0, 0,
       [&](PeriodicReportRequest& r) {
         numbers(false, true)(r);
         r.from_date = "01-01-2024";
         r.to_date = "02-01-2024";
       },
       "24;1;1;24;1;2;0#o", nullptr},
      {"emergency forces numbers over monthly", 2, 0,
       [&](PeriodicReportRequest& r) {
         numbers(true, true)(r);
         r.mode = M::kMonthly;
       },
       "6#o1/10/", nullptr},
      {"non-fiscal with a bus printer", 1, 1,
       [&](PeriodicReportRequest& r) {
         numbers(false, true)(r);
         r.non_fiscal = true;
       },
       "20#o1/10/", nullptr},
      {"non-fiscal ignored elsewhere", 2, 0,
       [&](PeriodicReportRequest& r) {
         numbers(false, true)(r);
         r.non_fiscal = true;
       },
       "4#o1/10/", nullptr},
      {"empty month", 2, 0, [](PeriodicReportRequest&) {}, nullptr, kFromDateMessage},
      {"month of 1979", 2, 0, [](PeriodicReportRequest& r) { r.month_text = "03-1979"; }, nullptr,
       kFromDateMessage},
      {"from 2080", 2, 0, dates("01-01-2080", "01-01-2024", true), nullptr, kFromDateMessage},
      {"to garbage", 2, 0, dates("01-01-2024", "xx", true), nullptr, kToDateMessage},
      {"to 1979", 2, 0, dates("01-01-2024", "31-12-1979", true), nullptr, kToDateMessage},
  };
  for (const PeriodicRow& row : rows) {
    PeriodicReportRequest r;
    row.set(r);
    ConfigFrame f;
    std::string message;
    const bool built = BuildPeriodicReportFrame(r, row.family, row.variant, &f, &message);
    if (row.body != nullptr) {
      EXPECT_TRUE(built) << row.name;
      EXPECT_EQ(f.bytes, Framed(row.body)) << row.name;
    } else {
      EXPECT_FALSE(built) << row.name;
      EXPECT_EQ(message, row.message) << row.name;
    }
  }
}

TEST(Reports, PeriodicModeRules) {
  using M = PeriodicMode;
  struct Row {
    M chosen;
    bool emergency;
    int family;
    bool monthly, dates, numbers;
    M mode;
  } rows[] = {
      {M::kMonthly, false, 2, true, true, true, M::kMonthly},
      {M::kMonthly, true, 2, false, false, true, M::kByNumbers},
      {M::kMonthly, false, 0, false, true, false, M::kByDates},
      {M::kByNumbers, false, 0, false, true, false, M::kByDates},
      {M::kByDates, true, 0, false, false, true, M::kByNumbers},
  };
  for (const Row& row : rows) {
    const PeriodicModeState s = PeriodicModeRules(row.chosen, row.emergency, row.family);
    EXPECT_EQ(s.enabled[0], row.monthly);
    EXPECT_EQ(s.enabled[1], row.dates);
    EXPECT_EQ(s.enabled[2], row.numbers);
    EXPECT_EQ(s.mode, row.mode);
  }
}

PrinterSettingsRecord Sevens() {
  PrinterSettingsRecord r;
  for (uint16_t& f : r.Fields) f = 7;
  return r;
}

TEST(Settings, AnswerParsing) {
  struct Row {
    const char* answer;
    int stored;
    std::vector<uint16_t> fields;
  } rows[] = {
      {"\x1BP#U1/0/100/2/30/0/0/1/0/0/0/0/9/\x1B\\",
       13,
       {1, 0, 100, 2, 30, 0, 0, 1, 0, 0, 0, 0, 9}},
      {"\x1BP#U1/0/100/2/30", 5, {1, 0, 100, 2, 30, 7, 7, 7, 7, 7, 7, 7, 7}},
      {"\x1BP#U1/0/100/2/30/x/", 5, {1, 0, 100, 2, 30, 7, 7, 7, 7, 7, 7, 7, 7}},
      {"\x1BP#U65537/", 1, {1, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
      {"\x1BP#V1/2/", 0, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
      {"", 0, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
  };
  for (const Row& row : rows) {
    PrinterSettingsRecord r = Sevens();
    EXPECT_EQ(ParseSettingsAnswer(row.answer, std::string(row.answer).size() + 1, &r), row.stored)
        << row.answer;
    EXPECT_EQ(std::vector<uint16_t>(r.Fields, r.Fields + 13), row.fields) << row.answer;
  }
  // A buffer without a NUL is read no further than its capacity.
  const char unterminated[8] = {'\x1B', 'P', '#', 'U', '4', '/', '5', '5'};
  PrinterSettingsRecord r = Sevens();
  EXPECT_EQ(ParseSettingsAnswer(unterminated, sizeof unterminated, &r), 2);
  EXPECT_EQ(r.Fields[1], 55);
}

TEST(Settings, RowsAsTheDialogShowsThem) {
  PrinterSettingsRecord r;
  ParseSettingsAnswer("\x1BP#U1/0/100/2/30/0/0/1/0/0/0/0/9/", 64, &r);
  const std::vector<SettingsRow> rows = SettingsRows(r);
  ASSERT_EQ(rows.size(), 15u);
  const char* shown[15] = {"1",       "MAZOVIA",
                           "100",     "Tryb 2",
                           "3.00",    "0 - Brak obsługi czujnika pokrywy",
                           "NIE",     "TAK",
                           "NIE",     "EPSON",
                           "Tryb 0",  "STANDARDOWY",
                           "TAK",     "Zgodnie z STANDARDOWYM",
                           "metoda 1"};
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].value, shown[i]) << rows[i].label;
  EXPECT_FALSE(rows[9].visible);  // no external display: no protocol row
  EXPECT_TRUE(rows[14].visible);
  EXPECT_STREQ(rows[4].unit, "[s]");

  struct FlagRow {
    uint16_t flags;
    int previous;
    bool visible;
    const char* method;
  } flags[] = {{0, 0, false, ""},
               {4, 0, true, "metoda 2"},
               {8, 1, true, "metoda 1"},
               {12, 1, true, "metoda 2"},
               {12, -1, true, ""}};
  for (const FlagRow& f : flags) {
    r.Fields[12] = f.flags;
    EXPECT_EQ(SettingsRows(r, f.previous)[14].visible, f.visible) << f.flags;
    EXPECT_EQ(SettingsRows(r, f.previous)[14].value, f.method) << f.flags;
  }
  r.Fields[8] = 1;
  r.Fields[3] = 0;  // outside the list: no selection
  r.Fields[1] = 9;
  EXPECT_TRUE(SettingsRows(r)[9].visible);
  EXPECT_EQ(SettingsRows(r)[3].item, -1);
  EXPECT_EQ(SettingsRows(r)[1].value, "");

  EXPECT_EQ(CopyModeHelp(2), "Tryb 2: Na kopii nie ma nagłówków oraz odcięcia.");
  EXPECT_EQ(CopyModeHelp(0), "Tryb 0: ");
  EXPECT_EQ(CopyModeHelp(9), "Tryb 9: ");
  EXPECT_EQ(ErrorModeHelp(1), "Tryb 1: Nie wyświetla komunikatu, nie zatrzymuje.");
}

TEST(Settings, FilesHoldExactlyTwentySixBytes) {
  test::TempDir dir;
  const std::string path = dir.File("a.ust");
  ASSERT_TRUE(SaveSettingsFile(path, PrinterSettingsRecord{}));
  EXPECT_EQ(std::filesystem::file_size(path), 26u);
  PrinterSettingsRecord r;
  r.Fields[0] = 0x0201;
  r.Fields[12] = 0xFFFE;
  ASSERT_TRUE(SaveSettingsFile(path, r));
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes.substr(0, 2), "\x01\x02");
  EXPECT_EQ(bytes.substr(24, 2), "\xFE\xFF");
  PrinterSettingsRecord back;
  std::string message;
  ASSERT_TRUE(LoadSettingsFile(path, &back, &message));
  EXPECT_EQ(std::vector<uint16_t>(back.Fields, back.Fields + 13),
            std::vector<uint16_t>(r.Fields, r.Fields + 13));

  for (size_t size : {0u, 25u, 27u}) {
    std::ofstream(dir.File("b.ust"), std::ios::binary) << std::string(size, '\x05');
    PrinterSettingsRecord kept = Sevens();
    EXPECT_FALSE(LoadSettingsFile(dir.File("b.ust"), &kept, &message)) << size;
    EXPECT_EQ(message, WrongSizeMessage(dir.File("b.ust")));
    EXPECT_EQ(kept.Fields[0], 7);
  }
  EXPECT_FALSE(LoadSettingsFile(dir.File("none.ust"), &back, &message));
  EXPECT_EQ(message, "Nie mogę otworzyc pliku" + dir.File("none.ust") + ".");
  EXPECT_FALSE(SaveSettingsFile(dir.File("no/such/dir.ust"), r));
}

}  // namespace
}  // namespace kelm
