// The printer's side of a control number series: frames out of their place, data it cannot
// read and cut series are answered with an error of the error table, and garbage never brings
// it down.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

const std::string kCode(40, 'A');
const char* const kReceiptOpen = "0;0$*05-07-2024\r1/PARAGONU LUB FAKTURY\r";
const char* const kDailyOpen = "0;0$*05-07-2024\r1/RAPORTU DOBOWEGO\r";

TEST(ControlSeries, EveryWrongSeriesGetsItsError) {
  struct Row {
    const char* name;
    std::vector<std::string> frames;  // all but the last are accepted
    int error;
  } rows[] = {
      {"unknown document kind", {"0;0$*05-07-2024\r1/FAKTURY VAT\r"}, 4},
      {"control number right after the opening", {kReceiptOpen, "10;0$*" + kCode + "\r"}, 4},
      {"receipt closed twice",
       {kReceiptOpen, "3;0$*123\r12:30:00\r", "2;0$*1/2/3/KLM 1\r12:30:00\r"},
       4},
      {"sale line after the totals",
       {kReceiptOpen, "2;0$*0,23/1,23/1/KLM 1\r12:30:00\r", "1;0$*Chleb\rA/"},
       4},
      {"only the totals may follow the tax number",
       {kReceiptOpen, "1;2$*5260250274\rX/", "1;0$*Chleb\rA/"},
       4},
      {"daily frame in a receipt", {kReceiptOpen, "4;0$*A\r1,23/"}, 4},
      {"receipt frame in a daily report", {kDailyOpen, "1;0$*Chleb\rA/"}, 4},
      {"sale letter outside A-G", {kReceiptOpen, "1;0$*Chleb\rH/"}, 39},
      {"sale without a name", {kReceiptOpen, "1;0$*\rA/"}, 16},
      {"totals that are no amounts", {kReceiptOpen, "2;0$*x/1,23/1/KLM 1\r12:30:00\r"}, 51},
      {"rate letter outside A-G", {kDailyOpen, "4;0$*Z\r1,23/"}, 39},
      {"rate amount no number", {kDailyOpen, "4;0$*A\r1,2,3/"}, 51},
      {"negative VAT total", {kDailyOpen, "5;0$*-1,00/X:\r"}, 51},
      {"receipt count with a decimal", {kDailyOpen, "5;0$*0,23/X:\r", "5;0$*1,5/X:\r"}, 51},
      {"running total before the receipt count",
       {kDailyOpen, "5;0$*0,23/X:\r", "6;0$*0/0.23/X:\r"},
       4},
      {"a fourth labelled value",
       {kDailyOpen, "5;0$*0/X:\r", "5;0$*0/X:\r", "5;0$*0/X:\r", "5;0$*0/X:\r"},
       4},
      {"running total high part no number",
       {kDailyOpen, "5;0$*0/X:\r", "5;0$*0/X:\r", "6;0$*x/0.23/X:\r"},
       51},
      {"control number before the unique number",
       {kDailyOpen, "5;0$*0/X:\r", "5;0$*0/X:\r", "6;0$*0/0.00/X:\r", "10;0$*" + kCode + "\r"},
       4},
      {"frame without its separators", {kReceiptOpen, "2;0$*0,23/1,23\r"}, 4},
      {"flag out of range", {"0;3$*05-07-2024\r1/RAPORTU DOBOWEGO\r"}, 4},
      {"unknown sub-command", {kReceiptOpen, "8;0$*x\r"}, 4},
      {"one parameter", {"0$*05-07-2024\r1/RAPORTU DOBOWEGO\r"}, 3},
      {"no series open", {"4;0$*A\r1,23/"}, 21},
  };
  for (const Row& row : rows) {
    Bench b;
    for (size_t i = 0; i + 1 < row.frames.size(); ++i) {
      ASSERT_EQ(b.Run(row.frames[i]), 0) << row.name << ": " << row.frames[i];
    }
    EXPECT_EQ(b.Run(row.frames.back()), row.error) << row.name;
    // The series is over: nothing was printed, and its next frame finds no series.
    EXPECT_EQ(b.Paper().find("NUMER KONTROLNY"), std::string::npos) << row.name;
    EXPECT_EQ(b.Run("10;0$*" + kCode + "\r"), 21) << row.name;
  }
}

// Random series frames, whole and cut: every one is answered, none brings the printer down.
TEST(ControlSeries, GarbageIsAnswered) {
  std::mt19937 random(17);
  const std::string pieces[] = {"0",
                                "1",
                                "2",
                                "3",
                                "4",
                                "5",
                                "6",
                                "7",
                                "10",
                                ";",
                                "$*",
                                "/",
                                "\r",
                                "A",
                                "X",
                                "1,23",
                                "-",
                                "RAPORTU DOBOWEGO",
                                "PARAGONU LUB FAKTURY",
                                kCode,
                                "\xFF",
                                std::string(1, '\0')};
  Bench b;
  for (int n = 0; n < 3000; ++n) {
    std::string body = n % 2 ? "0;0$*05-07-2024\r1/" : "";
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) body += pieces[random() % std::size(pieces)];
    b.Run(body);
    ASSERT_LE(b.printer.last_error(), 255);
  }
  EXPECT_EQ(b.Run(kDailyOpen), 0);
}

}  // namespace
}  // namespace kelm::emu::test
