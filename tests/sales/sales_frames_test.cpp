// Every sales dialog's frame, byte for byte, as the stored templates give it: one table of rows
// (the dialog's fields, the frame before its check value) per family of dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "link/settings.h"
#include "protocol/frame.h"
#include "sales/receipt_frames.h"
#include "sales/sales_frames.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

struct FrameRow {
  const char* what;
  std::function<const char*()> build;
  std::string frame;  // as formatted, the check slot still holding its letters
};

void CheckRows(const std::vector<FrameRow>& rows) {
  for (const FrameRow& row : rows) {
    ResetFrameBuffers();
    ASSERT_NE(row.build(), nullptr) << row.what;
    EXPECT_EQ(std::string(CommandFrame), row.frame) << row.what;
  }
}

const std::string E = "\x1b";
const std::string End = "\x1b\\";

ReceiptStartFields Start(bool block, bool barcode, const char* format) {
  ReceiptStartFields f;
  f.block_mode = block;
  f.line_count = "12";
  f.barcode = barcode;
  f.barcode_format = format;
  f.system_number = "S/77";
  return f;
}

ReceiptLineFields Line(int code, bool storno) {
  ReceiptLineFields f;
  f.number = "3";
  f.name = "Mąka";
  f.quantity = "2";
  f.vat_index = 1;
  f.price = "1.50";
  f.gross = "3.00";
  f.discount_code = code;
  f.discount = "10";
  f.storno = storno;
  return f;
}

class Frames : public ::testing::Test {
 protected:
  test::SeamGuard seams;  // Mazovia coding: "ą" goes out as 86h, "ł" as 92h
};

TEST_F(Frames, ReceiptCommands) {
  PlainClosingFields plain;
  plain.cashier = "Ala";
  plain.total = "10.00";
  plain.payment = "20.00";
  plain.lines = "jeden\r\ndwa";
  PlainClosingFields plain_lines = plain;
  plain_lines.extra_lines = true;
  plain_lines.discount_type = 3;
  plain_lines.discount = "1.00";
  CheckRows({
      {"on-line start sends 0 whatever the count",
       [] { return BuildReceiptStart(Start(false, false, "EAN-13")); },
       E + "P0;1$h#S/77\rxx" + End},
      {"block mode sends the count", [] { return BuildReceiptStart(Start(true, false, "")); },
       E + "P12;1$h#S/77\rxx" + End},
      {"barcode, default format: one field",
       [] { return BuildReceiptStart(Start(false, true, "Domyślny")); },
       E + "P0;1$h##S/77#\rxx" + End},
      {"barcode EAN-13: two fields", [] { return BuildReceiptStart(Start(false, true, "EAN-13")); },
       E + "P0;2$h##S/77#\rEAN-13\rxx" + End},
      {"barcode, typed format", [] { return BuildReceiptStart(Start(true, true, "moj")); },
       E + "P12;2$h##S/77#\rmoj\rxx" + End},
      {"line without discount", [] { return BuildReceiptLine(Line(0, false)); },
       E + "P3$lM\x86ka\r2\rB/1.50/3.00/xx" + End},
      {"line with discount", [] { return BuildReceiptLine(Line(2, false)); },
       E + "P3;2$lM\x86ka\r2\rB/1.50/3.00/10/xx" + End},
      {"storno line has number 0", [] { return BuildReceiptLine(Line(0, true)); },
       E + "P0$lM\x86ka\r2\rB/1.50/3.00/xx" + End},
      {"deposit entry is P",
       [] {
         ReceiptLineFields f = Line(0, false);
         f.vat_index = 7;
         return BuildReceiptLine(f);
       },
       E + "P3$lM\x86ka\r2\rP/1.50/3.00/xx" + End},
      {"grid row with code",
       [] {
         return BuildGridLine(4, {"Ser", "1", "A", "5", "5", " 5 "}, 4, " 5 ");
       },
       E + "P4;4$lSer\r1\rA/5/5/ 5 /xx" + End},
      {"grid row without code",
       [] {
         return BuildGridLine(1, {"Ser", "1", "A", "5", "5", ""}, 0, "");
       },
       E + "P1$lSer\r1\rA/5/5/xx" + End},
      {"plain closing, lines clear: none sent", [plain] { return BuildPlainClosing(plain); },
       E + "P1;0;0;0;0;8$eAla\r20.00/10.00/xx" + End},
      {"plain closing with lines and discount",
       [plain_lines] { return BuildPlainClosing(plain_lines); },
       E + "P1;0;2;0;3;8$eAla\rjeden\rdwa\r20.00/10.00/1.00/xx" + End},
      {"cancel", [] { return BuildCancelTransaction(); }, E + "P0$exx" + End},
  });
}

TEST_F(Frames, ExtendedClosing) {
  ExtendedClosingFields empty;
  empty.total = "7.50";
  empty.cashier = "Jan";
  ExtendedClosingFields full = empty;
  full.extra_lines = true;
  full.lines = "a\r\nb\r\nc\r\nd\r\ne\r\nf";
  full.discount_type = 1;
  full.discount = "10";
  full.set = {true, true, false, false, true, false, true};
  full.amounts = {"5.00", "2.00", "0.00", "0.00", "0.50", "0.00", "0.25"};
  full.card_name = "Wiza";
  full.cheque_name = "czek";
  full.voucher_name = "bon";
  ExtendedClosingFields unset_lines = empty;
  unset_lines.lines = "x";
  CheckRows({
      {"empty memo, lines clear: five CRs", [empty] { return BuildExtendedClosing(empty); },
       E + "P0;0;0;0;0;0;0;0;0;0;0$xJan\r\r\r\r\r\r\r\r\r" +
           "7.50/0.00/0.00/0.00/0.00/0.00/0.00/0.00/0.00/xx" + End},
      {"memo text is sent though the box is clear",
       [unset_lines] { return BuildExtendedClosing(unset_lines); },
       E + "P0;0;0;0;0;0;0;0;0;0;0$xJan\rx\r\r\r\r\r\r\r\r" +
           "7.50/0.00/0.00/0.00/0.00/0.00/0.00/0.00/0.00/xx" + End},
      {"six lines, payments and discount", [full] { return BuildExtendedClosing(full); },
       E + "P6;0;0;1;1;1;0;0;1;0;1$xJan\ra\rb\rc\rd\re\rf\rWiza\rczek\rbon\r" +
           "7.50/10/5.00/2.00/0.00/0.00/0.50/0.00/0.25/xx" + End},
  });
}

TEST_F(Frames, CardAndCurrencyCommands) {
  CardConfirmationFields card;
  card.fields = {"1", "2", "3", "Firma", "T1", "VISA", "1234", "12", "29", "A1", "10.00"};
  card.print_mode = 2;
  card.register_line = true;
  CardConfirmationFields credit = card;
  credit.debit = false;
  credit.print_mode = 0;
  credit.register_line = false;
  credit.fields[3] = "Łódź";
  CurrencyConversionFields on;
  on.print = true;
  on.rate = "3,4054";
  CurrencyConversionFields off = on;
  off.print = false;
  AccountingCurrencyFields scheduled;
  scheduled.mode = 1;
  scheduled.year = 2015;
  scheduled.code = "EUR";
  CheckRows({
      {"debit, no copy, register line printed", [card] { return BuildCardConfirmation(card); },
       E + "P0;2#g1\r2\r3\rFirma\rT1\rVISA\r1234\r12\r29\rA1\r10.00/xx" + End},
      {"credit, no letter conversion", [credit] { return BuildCardConfirmation(credit); },
       E + "P1;0#h1\r2\r3\r\xA3\xF3\x64\x9F\rT1\rVISA\r1234\r12\r29\rA1\r10.00/xx" + End},
      {"conversion on, rate with a comma", [on] { return BuildCurrencyConversion(on); },
       E + "P1$$1/EUR\r3.4054\rPLN\rxx" + End},
      {"conversion off sends only 0", [off] { return BuildCurrencyConversion(off); },
       E + "P0$$xx" + End},
      {"scheduled change of the accounting currency",
       [scheduled] { return BuildAccountingCurrency(scheduled); },
       E + "P1;15;1;1;00;00##EUR\rxx" + End},
  });
}

TEST_F(Frames, CashOrdersBaseAndDisplay) {
  OrderText two{true, "pierwsza\r\ndruga"};
  OrderText clear{false, "ignored"};
  OrderText twelve{true, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12"};
  CheckRows({
      {"cash in", [] { return BuildCashIn("12.50"); }, E + "P#i12.50/cc" + End},
      {"cash out", [] { return BuildCashOut("3"); }, E + "P#d3/cc" + End},
      {"cash state", [] { return BuildCashState(); }, E + "P0#tcc" + End},
      {"paper feed", [] { return BuildPaperFeed("4"); }, E + "P4#lxx" + End},
      {"order start, lines clear", [clear] { return BuildOrderStart("Pan Łukasz", clear); },
       E + "P0;1;0;0#lPan \x9Cukasz\rcc" + End},
      {"order line with two lines", [two] { return BuildOrderLine("Kawa", "2 szt", two); },
       E + "P0;1;1;2#lKawa\r2 szt\rpierwsza\rdruga\rcc" + End},
      {"order end, twelve lines: the character after 9", [twelve] { return BuildOrderEnd(twelve); },
       E + "P0;1;2;<#l1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r11\r12\rcc" + End},
      {"base report start", [] { return BuildBaseReportStart(2); }, E + "P0;2#bxx" + End},
      {"base report item", [] { return BuildBaseReportItem("Mleko", 6); },
       E + "P1#bMleko\rG/xx" + End},
      {"base report end", [] { return BuildBaseReportEnd(); }, E + "P2#bxx" + End},
      {"table start", [] { return BuildBaseTableStart(1); }, E + "P0;1#bxx" + End},
      {"table row", [] { return BuildBaseTableRow(1, "Chleb", "A"); },
       E + "P1;1#bChleb\rA/xx" + End},
      {"ticket row: the VAT cells adjoin",
       [] { return BuildTicketTableRow(5, "Normalny", "Przejazd", "B", "A"); },
       E + "P1;5#bNormalny\rPrzejazd\rBA/xx" + End},
      {"table end", [] { return BuildBaseTableEnd(6); }, E + "P2;6#bxx" + End},
      {"drawer: code 1, FFh, the disabled text", [] { return BuildDisplayControl(1, "tekst"); },
       E +
           "P1$d\xff"
           "tekst" +
           End},
      {"text on both displays", [] { return BuildDisplayControl(2, "Dzień dobry"); },
       E +
           "P2$d\xff"
           "Dzie\xA4 dobry" +
           End},
  });
}

TEST_F(Frames, FieldsAreCutToTheirLimits) {
  ReceiptLineFields f = Line(0, false);
  f.name = std::string(200, 'n');
  f.quantity = std::string(80, '1');
  ASSERT_NE(BuildReceiptLine(f), nullptr);
  EXPECT_EQ(std::string(CommandFrame), E + "P3$l" + std::string(127, 'n') + "\r" +
                                           std::string(49, '1') + "\rB/1.50/3.00/xx" + End);
  ASSERT_NE(BuildDisplayControl(2, std::string(300, 'd')), nullptr);
  EXPECT_EQ(std::string(CommandFrame), E + "P2$d\xff" + std::string(249, 'd') + End);
}

}  // namespace
}  // namespace kelm
