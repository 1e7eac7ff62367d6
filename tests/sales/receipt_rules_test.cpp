// The discount arithmetic, the memo and discount-cell texts, receipt-line files and the currency
// table, each as a table of rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "link/settings.h"
#include "sales/currency.h"
#include "sales/receipt.h"
#include "sales/receipt_lines_file.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

TEST(ApplyDiscount, FollowsTheFamilyRule) {
  struct Row {
    int family, code;
    double amount, gross, value;
  };
  const Row rows[] = {
      {1, 2, 50, 1.25, 0.62}, {2, 2, 50, 1.25, 0.63}, {0, 2, 50, 1.25, 0.63},
      {1, 4, 50, 1.25, 1.88}, {2, 4, 50, 1.25, 1.88}, {1, 4, 10, 0.05, 0.06},
      {2, 4, 10, 0.05, 0.06}, {1, 2, 10, 0.15, 0.13}, {2, 2, 10, 0.15, 0.14},
      {2, 1, 0.5, 2.0, 1.5},  {2, 3, 0.5, 2.0, 2.5},  {2, 0, 30, 2.0, 2.0},
      {2, 7, 30, 2.0, 2.0},   {1, 2, 100, 9.99, 0.0},
  };
  for (const Row& r : rows) {
    LinkSettings.ModelFamily = static_cast<uint8_t>(r.family);
    EXPECT_NEAR(ApplyDiscount(r.code, r.amount, r.gross), r.value, 1e-9)
        << "family " << r.family << " code " << r.code << " " << r.amount << " of " << r.gross;
  }
  ResetLinkSettings();
}

TEST(MemoToLines, EndsEveryLineWithCr) {
  struct Row {
    std::string text, lines;
    int count;
  };
  const Row rows[] = {
      {"", "", 0},
      {"abc", "abc\r", 1},
      {"ab\r\ncd", "ab\rcd\r", 2},
      {"ab\r\n", "ab\r\r", 2},
      {"\r\n", "\r\r", 2},
      {"\r\n\r\n\r\n", "\r\r\r\r", 4},
  };
  for (const Row& r : rows) {
    std::string lines = "old";
    EXPECT_EQ(MemoToLines(r.text, &lines), r.count) << r.text;
    EXPECT_EQ(lines, r.lines);
  }
}

TEST(ParseLineDiscount, ReadsSignAndPercent) {
  struct Row {
    std::string cell;
    int code;
    std::string sent;
  };
  const Row rows[] = {
      {"333", 1, "333"}, {"3%", 2, "3 "},       {"-333", 3, " 333"}, {"-3%", 4, " 3 "},
      {"-5%", 4, " 5 "}, {"", 0, ""},           {"   ", 0, "   "},   {"abc", 0, " bc"},
      {"-", 0, " "},     {"  2.5", 1, "  2.5"}, {"x7", 1, " 7"},     {"%5", 1, " 5"},
  };
  for (const Row& r : rows) {
    std::string text = r.cell;
    EXPECT_EQ(ParseLineDiscount(text), r.code) << r.cell;
    EXPECT_EQ(text, r.sent) << r.cell;
  }
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_FALSE(IsBlank("\t"));
}

class LinesFile : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir.File(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir.File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  test::SeamGuard seams;
  test::TempDir dir;
};

TEST_F(LinesFile, FillsRowsSixLinesAtATimeAndIgnoresTheRest) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "c" + std::to_string(i) + "\r\n";
  Write("many.lin", bytes);
  std::vector<ReceiptLineRow> rows(16);
  ASSERT_TRUE(ReadReceiptLinesFile(dir.File("many.lin"), &rows));
  EXPECT_EQ(rows[0][0], "c0");
  EXPECT_EQ(rows[1][0], "c6");
  EXPECT_EQ(rows[15][5], "c95");

  // A short file, with a Windows-1250 letter and an empty cell, leaves the other cells empty.
  Write("short.lin", "Mas\xB3o\r\n2\r\n\r\nA\r\n");
  ASSERT_TRUE(ReadReceiptLinesFile(dir.File("short.lin"), &rows));
  EXPECT_EQ(rows[0][0], "Masło");
  EXPECT_EQ(rows[0][2], "");
  EXPECT_EQ(rows[0][3], "A");
  EXPECT_EQ(rows[0][4], "");
  EXPECT_EQ(rows[15][5], "");
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(LinesFile, RefusesWhatIsNoTextAndKeepsTheRows) {
  Write("binary.lin", std::string("ab\0\x01\r\n", 6));
  Write("huge.lin", std::string(kReceiptLinesFileLimit + 1, 'a'));
  Write("limit.lin", std::string(kReceiptLinesFileLimit, 'a'));
  std::vector<ReceiptLineRow> rows(16);
  rows[3][1] = "keep";
  for (const char* name : {"binary.lin", "huge.lin", "missing.lin"}) {
    seams.op.messages.clear();
    EXPECT_FALSE(ReadReceiptLinesFile(dir.File(name), &rows)) << name;
    ASSERT_EQ(seams.op.messages.size(), 1u) << name;
    EXPECT_EQ(seams.op.messages[0], "Nie mogę otworzyc pliku" + dir.File(name) + ".");
    EXPECT_EQ(rows[3][1], "keep");
  }
  // A directory is no file either.
  EXPECT_FALSE(ReadReceiptLinesFile(dir.path(), &rows));
  EXPECT_TRUE(ReadReceiptLinesFile(dir.File("limit.lin"), &rows));
}

TEST_F(LinesFile, WritesSixCrLfLinesPerRowAndReadsThemBack) {
  std::vector<ReceiptLineRow> rows(2);
  rows[0] = {"Chleb żytni", "1", "A", "3.50", "3.50", "-5%"};
  rows[1][0] = "two\nlines";
  Write("out.lin", "old content that is longer than the new one ........................");
  ASSERT_TRUE(WriteReceiptLinesFile(dir.File("out.lin"), rows));
  EXPECT_EQ(Read("out.lin"),
            "Chleb \xBFytni\r\n1\r\nA\r\n3.50\r\n3.50\r\n-5%\r\n"
            "two lines\r\n\r\n\r\n\r\n\r\n\r\n");
  std::vector<ReceiptLineRow> back(2);
  ASSERT_TRUE(ReadReceiptLinesFile(dir.File("out.lin"), &back));
  EXPECT_EQ(back[0], rows[0]);
  EXPECT_FALSE(WriteReceiptLinesFile(dir.File("no/such/dir.lin"), rows));
  // Saving over an existing file asks first; No keeps it as it was.
  const std::string before = Read("out.lin");
  EXPECT_FALSE(SaveReceiptLinesFile(dir.File("out.lin"), std::vector<ReceiptLineRow>(1)));
  EXPECT_EQ(Read("out.lin"), before);
  seams.op.answers.push_back(true);
  EXPECT_TRUE(SaveReceiptLinesFile(dir.File("out.lin"), std::vector<ReceiptLineRow>(1)));
  EXPECT_EQ(Read("out.lin"), "\r\n\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(seams.op.questions.size(), 2u);
  EXPECT_TRUE(SaveReceiptLinesFile(dir.File("new.lin"), std::vector<ReceiptLineRow>(1)));
  EXPECT_EQ(seams.op.questions.size(), 2u);
  EXPECT_EQ(OverwriteQuestion("a.lin"), "Plik a.lin już istnieje.Kontynuować?");
}

TEST(Currency, TakesTheGroupsAndBuildsTheClosingLines) {
  test::SeamGuard seams;
  ASSERT_TRUE(TakeCurrencyGroup(0, {"100", "EUR", "4,20", "50"}));
  EXPECT_DOUBLE_EQ(CurrencyTable[0].value, 2.1);
  EXPECT_STREQ(CurrencyTable[0].rateText, "4.20");
  ASSERT_TRUE(TakeCurrencyGroup(2, {"1", "USD", "3.7887", "10,5"}));
  EXPECT_EQ(CurrencyLines(), "");
  CurrencyTable[0].enabled = 1;
  CurrencyTable[2].enabled = 1;
  EXPECT_EQ(CurrencyLines(),
            "$16 2.10 50.00 0.00 100 EUR 4.20 0.00\n"
            "$16 39.78 10.50 0.00 1 USD 3.7887 0.00\n");
  // A rate that does not convert stops with the conversion message; what was taken stays.
  EXPECT_FALSE(TakeCurrencyGroup(1, {"10", "GBP", "4,x", "1"}));
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(CurrencyTable[1].multiplier, 10);
  EXPECT_STREQ(CurrencyTable[1].code, "GBP");
  // A rate longer than its text field is cut, never written past it.
  ASSERT_TRUE(TakeCurrencyGroup(1, {"1", "GBPX", "1.000000000000000000000001", "1"}));
  EXPECT_STREQ(CurrencyTable[1].code, "GBP");
  EXPECT_EQ(std::string(CurrencyTable[1].rateText).size(), kRateTextSize - 1);
}

}  // namespace
}  // namespace kelm
