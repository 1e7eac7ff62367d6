// Receipts, cash operations, orders and reports as stories told in frames.
#include <gtest/gtest.h>

#include <cstdio>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

// The cash-information totals A..G, the receipt count, the cash and the record date, parsed
// with the program's own documented template for family 2.
struct Cash {
  int error, fiscal, y, m, d, receipts;
  double totals[7], cash;
};

Cash ReadCash(Bench& b) {
  std::string a = b.Send(Frame("23#s", false));
  Cash c{};
  int skip;
  double rates[7];
  int n = sscanf(
      a.c_str(),
      "\x1BP2#X%d;%d;%d;%d;%d;%d;%d;%d;%d/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%d/%lf/%lf/%lf/%lf/%lf/"
      "%lf/%lf/%lf/",
      &c.error, &c.fiscal, &skip, &skip, &skip, &skip, &c.y, &c.m, &c.d, &rates[0], &rates[1],
      &rates[2], &rates[3], &rates[4], &rates[5], &rates[6], &c.receipts, &c.totals[0],
      &c.totals[1], &c.totals[2], &c.totals[3], &c.totals[4], &c.totals[5], &c.totals[6], &c.cash);
  EXPECT_EQ(n, 25) << a;
  return c;
}

TEST(ReceiptStory, ThreeLinesWithADiscountThenTheDailyReport) {
  Bench b;
  ASSERT_EQ(b.Run("0;1$h#S-17\r"), 0);
  ASSERT_EQ(b.Run("1$lChleb\r2\rA/1.50/3.00/"), 0);
  ASSERT_EQ(b.Run("2;2$lMleko\r1\rB/4.00/4.00/10.00/"), 0);  // 10 % off: 3.60
  ASSERT_EQ(b.Run("3$lWoda\r3\rG/0.99/2.97/"), 0);
  // The total must be the lines' sum, give or take a grosz for each percentage line.
  EXPECT_EQ(b.Run("1;0;0;0;0;8$e00A\r20.00/9.55/"), 27);
  ASSERT_EQ(b.Run("1;0;0;0;0;8$e00A\r20.00/9.57/"), 0);
  EXPECT_EQ(b.Enq(), 0x65);
  std::string paper = b.Paper();
  EXPECT_NE(paper.find("PARAGON FISKALNY"), std::string::npos);
  EXPECT_NE(paper.find("SUMA PLN                              9,57"), std::string::npos);
  EXPECT_NE(paper.find("RESZTA                               10,43"), std::string::npos);
  EXPECT_NE(paper.find("PTU A 23,00 %                         0,56"), std::string::npos);

  Cash c = ReadCash(b);
  EXPECT_DOUBLE_EQ(c.totals[0], 3.00);
  EXPECT_DOUBLE_EQ(c.totals[1], 3.60);
  EXPECT_DOUBLE_EQ(c.totals[6], 2.97);
  EXPECT_DOUBLE_EQ(c.cash, 9.57);
  EXPECT_EQ(c.receipts, 1);
  EXPECT_EQ(c.y + c.m + c.d, 0);

  ASSERT_EQ(b.Run("1;24;7;5#r"), 0);
  c = ReadCash(b);
  EXPECT_DOUBLE_EQ(c.totals[0] + c.totals[1] + c.totals[6], 0.0);
  EXPECT_EQ(c.y * 10000 + c.m * 100 + c.d, 240705);
  EXPECT_DOUBLE_EQ(c.cash, 9.57);  // the drawer is not emptied by the report
  const DailyReport& r = b.printer.state().fiscal_memory.at(0);
  EXPECT_EQ(r.number, 1);
  EXPECT_EQ(r.sales[0], 300);
  EXPECT_EQ(r.vat[0], 56);
  EXPECT_EQ(r.vat[1], 27);
  EXPECT_EQ(r.vat[6], 0);
  EXPECT_EQ(r.receipts, 1);
  EXPECT_NE(b.Paper().find("RAPORT FISKALNY DOBOWY"), std::string::npos);
}

TEST(ReceiptStory, StornoDepositAndReceiptDiscountSpreadOverLetters) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lA\r1\rA/10.00/10.00/"), 0);
  ASSERT_EQ(b.Run("2$lB\r1\rB/10.00/10.00/"), 0);
  ASSERT_EQ(b.Run("0$lB\r1\rB/10.00/10.00/"), 0);   // storno of line 2
  EXPECT_EQ(b.Run("0$lB\r1\rB/10.00/10.00/"), 22);  // nothing left to cancel
  ASSERT_EQ(b.Run("3$lB\r2\rB/5.00/10.00/"), 0);
  ASSERT_EQ(b.Run("6$lButelka\r1\rP/0.50/0.50/"), 0);  // deposit taken
  // 10 % off the goods (20.00 -> 18.00), the deposit stays whole.
  ASSERT_EQ(b.Run("1;0;0;0;1;8$e\r18.50/20.50/10.00/"), 0);
  const auto& s = b.printer.state().sales;
  EXPECT_EQ(s[0], 900);
  EXPECT_EQ(s[1], 900);
  EXPECT_EQ(b.printer.state().cash, 1850);
}

TEST(ReceiptStory, DailyReportIsForcedAfterMidnight) {
  Bench b;
  auto sell = [&b] {
    if (int e = b.Run("0$h")) return e;
    b.Run("1$lX\r1\rA/1.00/1.00/");
    return b.Run("1$e\r1.00/1.00/");
  };
  ASSERT_EQ(sell(), 0);
  b.now += 86400;  // one midnight passed: the default forcing waits for the second
  ASSERT_EQ(sell(), 0);
  b.now += 86400;
  EXPECT_EQ(sell(), 57);
  ASSERT_EQ(b.Run("0#r"), 0);
  EXPECT_EQ(sell(), 0);
  ASSERT_EQ(b.Run("3;2$o"), 0);  // forcing after the first midnight
  b.now += 86400;
  EXPECT_EQ(sell(), 57);
  ASSERT_EQ(b.Run("3;0$o"), 0);  // no forcing
  EXPECT_EQ(sell(), 0);
}

TEST(ReceiptStory, ExtendedClosingWithCardAndChange) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lKawa\r1\rA/12.00/12.00/"), 0);
  // 11 parameters; cashier; five line slots; three names; nine amounts.
  std::string close =
      "0;0;0;0;1;1;0;0;0;0;1$xJan\r\r\r\r\r\rVISA\r\r\r12.00/0.00/10.00/5.00/0.00/0.00/0.00/0.00/"
      "3.00/";
  ASSERT_EQ(b.Run(close), 0);
  EXPECT_EQ(b.printer.state().cash, 700);  // 10.00 cash in, 3.00 change out
  std::string paper = b.Paper();
  EXPECT_NE(paper.find("KARTA VISA"), std::string::npos);
  EXPECT_NE(paper.find("RESZTA"), std::string::npos);
}

TEST(ReceiptStory, SystemNumberAndForeignCurrencyLinesArePrinted) {
  struct Row {
    std::string start, printed;
  };
  const Row rows[] = {
      {"0;1$h#S-17\r", "Nr sys. S-17"},
      {"0;1$h##123#\r", "Nr sys. [kod kreskowy: 123]"},
      {"0;2$h##123#\rEAN-13\r", "Nr sys. [kod EAN-13: 123]"},
      {"0;1$h#\r", ""},
  };
  for (const Row& row : rows) {
    Bench b;
    ASSERT_EQ(b.Run(row.start), 0) << row.start;
    ASSERT_EQ(b.Run("1$lKawa\r1\rA/12.00/12.00/"), 0);
    ASSERT_EQ(b.Run("1;0;0;0;1;0;0;0;0;0;0$xJan\r$16 2.10 50.00 0.00 100 EUR 4.20 0.00\r\r\r\r\r"
                    "\r\r\r12.00/0.00/12.00/0.00/0.00/0.00/0.00/0.00/0.00/"),
              0);
    const std::string paper = b.Paper();
    EXPECT_EQ(paper.find("Nr sys. ") != std::string::npos, !row.printed.empty()) << paper;
    if (!row.printed.empty()) EXPECT_NE(paper.find(row.printed), std::string::npos) << paper;
    EXPECT_NE(paper.find("WALUTA EUR 50,00                      2,10"), std::string::npos) << paper;
    EXPECT_NE(paper.find("  kurs 100 EUR = 4.20 PLN"), std::string::npos);
  }
}

struct ErrorRow {
  const char* name;
  std::vector<std::string> setup;
  std::string command;
  int error;
};

TEST(ReceiptErrors, TheSpecificErrorsOfTheTable) {
  const ErrorRow rows[] = {
      {"line outside a receipt", {}, "1$lX\r1\rA/1.00/1.00/", 21},
      {"closing outside a receipt", {}, "1$e\r1.00/1.00/", 29},
      {"cancel outside a receipt", {}, "0$e", 21},
      {"second start", {"0$h"}, "0$h", 95},
      {"empty name", {"0$h"}, "1$l\r1\rA/1.00/1.00/", 16},
      {"zero quantity", {"0$h"}, "1$lX\r0\rA/1.00/1.00/", 17},
      {"quantity with letters", {"0$h"}, "1$lX\r1a\rA/1.00/1.00/", 17},
      {"unknown letter", {"0$h"}, "1$lX\r1\rH/1.00/1.00/", 18},
      {"inactive letter", {"0$h"}, "1$lX\r1\rE/1.00/1.00/", 18},
      {"price with three decimals", {"0$h"}, "1$lX\r3\rA/0.335/1.01/", 19},
      {"gross not quantity times price", {"0$h"}, "1$lX\r2\rA/1.00/3.00/", 20},
      {"discount above the gross", {"0$h"}, "1;1$lX\r1\rA/1.00/1.00/2.00/", 20},
      {"missing fields", {"0$h"}, "1$lX\r1\rA/1.00/", 3},
      {"block mode overrun", {"1$h", "1$lX\r1\rA/1.00/1.00/"}, "2$lX\r1\rA/1.00/1.00/", 23},
      {"block mode short", {"2$h", "1$lX\r1\rA/1.00/1.00/"}, "1$e\r1.00/1.00/", 23},
      {"payment below the total", {"0$h", "1$lX\r1\rA/1.00/1.00/"}, "1$e\r0.50/1.00/", 26},
      {"options during a receipt", {"0$h"}, "1$3", 82},
      {"daily report during a receipt", {"0$h"}, "0#r", 82},
      {"daily report for another day", {}, "1;24;7;6#r", 5},
      {"cash out beyond the drawer", {}, "#d5.00/", 32},
      {"rates changed with sales",
       {"0$h", "1$lX\r1\rA/1.00/1.00/", "1$e\r1.00/1.00/"},
       "7;1;1;1;1;0;0;2$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/",
       8},
      {"rates unchanged", {}, "7;1;1;1;1;0;0;2$p23.00/8.00/0.00/5.00/0.00/0.00/0.00/", 131},
      {"rate of 100 percent", {}, "7;1;1;1;1;0;0;2$p100.00/8.00/0.00/5.00/0.00/0.00/0.00/", 11},
  };
  for (const ErrorRow& row : rows) {
    Bench b;
    for (const std::string& s : row.setup) ASSERT_EQ(b.Run(s), 0) << row.name << ": " << s;
    EXPECT_EQ(b.Run(row.command), row.error) << row.name;
  }
}

TEST(Discounts, PercentRoundingFollowsTheFamilyAndMethod) {
  // 50 % off 1.25: method 2 rounds the discount first (0.63 off), method 1 the result.
  struct Row {
    const char* model;
    const char* method;
    int64_t value;
  } rows[] = {
      {"oxil", "1$r", 62}, {"oxil-pro", "1$r", 62}, {"vantel", "1$r", 63}, {"vantel", "0$r", 62}};
  for (const Row& row : rows) {
    Bench b(row.model);
    ASSERT_EQ(b.Run(row.method), 0);
    ASSERT_EQ(b.Run("0$h"), 0);
    ASSERT_EQ(b.Run("1;2$lX\r1\rA/1.25/1.25/50.00/"), 0) << row.model;
    // The seller's proposal may have rounded the other way: one grosz either way is taken.
    EXPECT_EQ(b.Run("1$e\r/1.25/"), 27) << row.model;
    EXPECT_EQ(b.Run("1$e\r/0.62/"), 0) << row.model;
    EXPECT_EQ(b.printer.state().sales[0], row.value) << row.model;
  }
}

TEST(Discounts, ReceiptPercentageWorksOnEachLetter) {
  // 10 % off 0.05 (A) and 0.05 (B) by method 2: each letter loses 0.01 (0.005 rounded up).
  Bench b("oxil");
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lX\r1\rA/0.05/0.05/"), 0);
  ASSERT_EQ(b.Run("2$lY\r1\rB/0.05/0.05/"), 0);
  ASSERT_EQ(b.Run("1;0;0;0;1$e00A\r0.10/0.10/10.00/"), 0);
  EXPECT_EQ(b.printer.state().sales[0], 4);
  EXPECT_EQ(b.printer.state().sales[1], 4);
  EXPECT_EQ(b.printer.state().cash, 8);
}

TEST(Documents, CashOrdersCardsAndReportsGoToPaper) {
  Bench b;
  const char* frames[] = {
      "#i100.00/",
      "#d30.00/",
      "0#t",
      "3#l",
      "0;1;0;1#lPan Kowalski\rna wynos\r",
      "0;1;1;0#lPizza\r2\r",
      "0;1;2;0#l",
      "0;0#b",
      "1;0#bChleb\rA/",
      "2;0#b",
      "0;2#g1\r2\r3\rFirma\rT1\rVISA\r****1234\r12\r26\rAB12\r15.00/",
      "0#kRano\rAnna\r",
      "#pAnna\r1\r",
      "#qAnna\r1\r",
      "$4",
      "24;7;1;24;7;5;0#o",
      "5#o1/3/",
  };
  for (const char* f : frames) EXPECT_EQ(b.Run(f), 0) << f;
  EXPECT_EQ(b.printer.state().cash, 7000);
  std::string paper = b.Paper();
  for (const char* text :
       {"WPŁATA DO KASY", "WYPŁATA Z KASY", "STAN KASY", "ZAMÓWIENIE", "Pizza", "KONIEC ZAMÓWIENIA",
        "Chleb", "POKWITOWANIE SPRZEDAŻY", "RAPORT ZMIANOWY ZERUJĄCY", "ZALOGOWANIE KASJERA",
        "TABLICA BŁĘDÓW", "RAPORT OKRESOWY", "BRAK RAPORTÓW"})
    EXPECT_NE(paper.find(text), std::string::npos) << text;
  EXPECT_EQ(b.Run("0;1;1;0#lPizza\r2\r"), 21);  // no order open any more
  // The order, from its start to its end, is one printed document.
  size_t order = paper.find("ZAMÓWIENIE");
  EXPECT_LT(paper.find("Pizza", order), paper.find("|\n", order));
  EXPECT_LT(paper.find("KONIEC ZAMÓWIENIA", order), paper.find("|\n", order));
}

TEST(Documents, PolishLettersPrintInTheChosenCoding) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$l\x9C\xA2"
                  "d\xA6\r1\rA/1.00/1.00/"),
            0);  // Łódź in MAZOVIA
  ASSERT_EQ(b.Run("1$e\r1.00/1.00/"), 0);
  EXPECT_NE(b.Paper().find("Łódź"), std::string::npos);
  ASSERT_EQ(b.Run("3$1"), 0);  // WINDOWS
  ASSERT_EQ(b.Run("#pJo\xB3"
                  "a\r1\r"),
            0);
  EXPECT_NE(b.Paper().find("Joła"), std::string::npos);
}

}  // namespace
}  // namespace kelm::emu::test
