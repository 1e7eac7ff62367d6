// Receipts against the virtual printer over a pseudo-terminal and loopback TCP: the same
// receipt made line by line, from a receipt-line file and as a full transaction leaves the same
// totals in the printer's cash information; what the printer refuses stops where it should.
#include <gtest/gtest.h>

#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "protocol/error_table.h"
#include "sales/receipt.h"
#include "sales/receipt_commands.h"
#include "sales/sales_frames.h"
#include "sales/sequences.h"
#include "sales_kelmemu_fixture.h"

namespace kelm {
namespace {

// Chleb 2 x 3.50 and Ser 0.5 x 12.00 at A, Mleko 3 x 2.20 at B: 13.00 at A, 6.60 at B.
const std::vector<ReceiptLineRow> kRows = {
    {"Nazwa", "Ilość", "PTU", "Cena", "Brutto", "Rabat"},
    {"Chleb", "2", "A", "3.50", "7.00", ""},
    {"Mleko", "3", "B", "2.20", "6.60", ""},
    {"Ser", "0.5", "A", "12.00", "6.00", ""},
};

class SalesKelmemu : public test::SalesKelmemuFixture {
 protected:
  CashInfoRecord Cash() {
    ReadCashInfo();
    return CashInfo;
  }
  void ExpectNoMessages() { EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages.front(); }
};

ReceiptLineFields LineOf(const ReceiptLineRow& row) {
  ReceiptLineFields f;
  f.number = std::to_string(ReceiptState.NextLineNumber);
  f.name = row[0];
  f.quantity = row[1];
  f.vat_index = row[2][0] - 'A';
  f.price = row[3];
  f.gross = row[4];
  return f;
}

TEST_P(SalesKelmemu, OneReceiptThreeWaysLeavesTheSameTotals) {
  // Line by line, closed with the proposed total.
  StartPrinter();
  ASSERT_EQ(SendReceiptStart(ReceiptStartFields()), kCommandExecuted);
  for (size_t i = 1; i < kRows.size(); ++i) {
    ASSERT_EQ(SendReceiptLine(LineOf(kRows[i])), kCommandExecuted) << i;
  }
  EXPECT_EQ(ReceiptState.NextLineNumber, 4);
  PlainClosingFields plain;
  plain.cashier = "Ala";
  plain.total = TwoDecimals(ReceiptState.ReceiptTotal);
  plain.payment = "20.00";
  EXPECT_EQ(plain.total, "19.60");
  ASSERT_EQ(SendPlainClosing(plain), kCommandExecuted);
  const CashInfoRecord by_hand = Cash();
  ExpectNoMessages();
  EXPECT_DOUBLE_EQ(by_hand.Totals[0], 13.00);
  EXPECT_DOUBLE_EQ(by_hand.Totals[1], 6.60);

  // From a receipt-line file, closed with the extended closing.
  StartPrinter();
  std::vector<ReceiptLineRow> file_rows(kRows.begin() + 1, kRows.end());
  ASSERT_TRUE(WriteReceiptLinesFile(dir.File("paragon.lin"), file_rows));
  std::vector<ReceiptLineRow> grid(17);
  std::vector<ReceiptLineRow> read(16);
  ASSERT_TRUE(ReadReceiptLinesFile(dir.File("paragon.lin"), &read));
  std::copy(read.begin(), read.end(), grid.begin() + 1);
  ASSERT_EQ(SendReceiptStart(ReceiptStartFields()), kCommandExecuted);
  int sent = 0;
  ASSERT_EQ(SendGridLines(grid, &sent), kCommandExecuted);
  EXPECT_EQ(sent, 3);
  ExtendedClosingFields extended;
  extended.total = TwoDecimals(ReceiptState.ReceiptTotal);
  extended.set[kCash] = true;
  extended.amounts[kCash] = "19.60";
  ASSERT_EQ(SendExtendedClosing(extended), kCommandExecuted);
  const CashInfoRecord from_file = Cash();

  // As a full transaction (the dialog's question answered Yes).
  StartPrinter();
  FullTransactionFields full;
  std::copy(kRows.begin() + 1, kRows.end(), full.rows.begin() + 1);
  full.amounts[0] = "19.60";
  seams.op.answers.push_back(true);
  ASSERT_EQ(SendFullTransaction(&full), kCommandExecuted);
  EXPECT_EQ(full.total, "19.60");
  const CashInfoRecord composed = Cash();
  ExpectNoMessages();

  for (const CashInfoRecord* other : {&from_file, &composed}) {
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(other->Totals[i], by_hand.Totals[i]) << i;
    EXPECT_EQ(other->ReceiptCount, by_hand.ReceiptCount);
    EXPECT_DOUBLE_EQ(other->Cash, by_hand.Cash);
  }
}

TEST_P(SalesKelmemu, DiscountsAndStornoAgreeWithThePrinter) {
  StartPrinter();
  ASSERT_EQ(SendReceiptStart(ReceiptStartFields()), kCommandExecuted);
  std::vector<ReceiptLineRow> grid = {{},
                                      {"Kawa", "1", "A", "1.25", "1.25", "50%"},
                                      {"Herbata", "2", "A", "4.00", "8.00", "-5%"},
                                      {"Cukier", "1", "B", "3.00", "3.00", "0.50"}};
  ASSERT_EQ(SendGridLines(grid), kCommandExecuted);
  // 0.63 + 8.40 + 2.50; then a cancelled Cukier line takes its 2.50 off again.
  EXPECT_NEAR(ReceiptState.ReceiptTotal, 11.53, 1e-9);
  ReceiptLineFields storno = LineOf(grid[3]);
  storno.discount_code = kAmountDiscount;
  storno.discount = "0.50";
  storno.storno = true;
  ASSERT_EQ(SendReceiptLine(storno), kCommandExecuted);
  EXPECT_NEAR(ReceiptState.ReceiptTotal, 9.03, 1e-9);
  EXPECT_EQ(ReceiptState.NextLineNumber, 5);
  PlainClosingFields plain;
  plain.total = TwoDecimals(ReceiptState.ReceiptTotal);
  ASSERT_EQ(SendPlainClosing(plain), kCommandExecuted);
  const CashInfoRecord cash = Cash();
  EXPECT_DOUBLE_EQ(cash.Totals[0], 9.03);
  EXPECT_DOUBLE_EQ(cash.Totals[1], 0);
  ExpectNoMessages();
}

TEST_P(SalesKelmemu, WhatThePrinterRefusesStopsTheDialogsAction) {
  StartPrinter();
  // A line outside a transaction: the printer's error, and the state does not move.
  ReceiptState.NextLineNumber = 7;
  EXPECT_EQ(SendReceiptLine(LineOf(kRows[1])), kCommandPrinterError);
  EXPECT_EQ(ReceiptState.NextLineNumber, 7);
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0].rfind("Wystąpił bład nr: ", 0), 0u) << seams.op.messages[0];

  // The grid stops at the first refused row; the rows after it are not sent.
  ASSERT_EQ(SendReceiptStart(ReceiptStartFields()), kCommandExecuted);
  std::vector<ReceiptLineRow> grid = {
      {}, kRows[1], {"Zly", "1", "Z", "1.00", "1.00", ""}, kRows[2]};
  int sent = -1;
  EXPECT_EQ(SendGridLines(grid, &sent), kCommandPrinterError);
  EXPECT_EQ(sent, 1);
  EXPECT_EQ(ReceiptState.NextLineNumber, 2);
  EXPECT_DOUBLE_EQ(ReceiptState.ReceiptTotal, 7.00);

  // A closing whose total does not match is refused; the receipt is then cancelled.
  PlainClosingFields plain;
  plain.total = "99.00";
  EXPECT_EQ(SendPlainClosing(plain), kCommandPrinterError);
  EXPECT_EQ(SendCancelTransaction(), kCommandExecuted);

  // Cash out beyond the drawer.
  EXPECT_EQ(SendSalesFrame(BuildCashIn("10.00")), kCommandExecuted);
  EXPECT_DOUBLE_EQ(Cash().Cash, 10.00);
  EXPECT_EQ(SendSalesFrame(BuildCashOut("4.50")), kCommandExecuted);
  EXPECT_DOUBLE_EQ(Cash().Cash, 5.50);
  seams.op.messages.clear();
  EXPECT_EQ(SendSalesFrame(BuildCashOut("6.00")), kCommandPrinterError);
  EXPECT_EQ(seams.op.messages.size(), 1u);
}

TEST_P(SalesKelmemu, OneGroszReceiptAndTheOtherDocuments) {
  StartPrinter();
  ASSERT_EQ(SendOneGroszReceipt(1, true), kCommandExecuted);
  EXPECT_DOUBLE_EQ(Cash().Totals[1], 0.01);
  // Orders, the goods base, the card confirmation, the display and the paper feed all go
  // through without a printer error.
  EXPECT_EQ(SendSalesFrame(BuildOrderStart("Pan", OrderText{true, "a\r\nb"})), kCommandExecuted);
  EXPECT_EQ(SendSalesFrame(BuildOrderLine("Kawa", "2", OrderText{})), kCommandExecuted);
  EXPECT_EQ(SendSalesFrame(BuildOrderEnd(OrderText{}), AfterSend::kNothing), kCommandExecuted);
  EXPECT_EQ(SendBaseTable(0, {{}, {"Chleb", "A", "", ""}, {"Mleko", "B", "", ""}, {}}),
            kCommandExecuted);
  CardConfirmationFields card;
  card.fields = {"1", "2", "3", "Firma", "T1", "VISA", "1234", "12", "29", "A1", "10.00"};
  card.print_mode = 2;
  EXPECT_EQ(SendSalesFrame(BuildCardConfirmation(card)), kCommandExecuted);
  EXPECT_EQ(SendSalesFrame(BuildDisplayControl(2, "Dzień dobry")), kCommandExecuted);
  EXPECT_EQ(SendSalesFrame(BuildPaperFeed("2"), AfterSend::kNothing), kCommandExecuted);
  EXPECT_EQ(SendSalesFrame(BuildCashState()), kCommandExecuted);
  ExpectNoMessages();
}

TEST_P(SalesKelmemu, FullTransactionInFamilyZeroClosesPlainly) {
  LinkSettings.ModelFamily = 0;
  StartPrinter("oxil");
  FullTransactionFields full;
  full.rows[1] = {"Chleb", "2", "A", "3.50", "", ""};
  full.rows[3] = {"Ser", "1", "A", "5.00", "", ""};  // after an empty row: not sent
  full.amounts[0] = "10.00";
  seams.op.answers.push_back(true);
  ASSERT_EQ(SendFullTransaction(&full), kCommandExecuted);
  EXPECT_EQ(full.total, "7.00");
  EXPECT_DOUBLE_EQ(Cash().Totals[0], 7.00);
}

#ifdef KELMCTL_PATH
TEST_P(SalesKelmemu, KelmctlSendsTheFileAndTheCashCommands) {
  StartPrinter("vantel", {}, false);
  std::vector<ReceiptLineRow> rows(kRows.begin() + 1, kRows.end());
  ASSERT_TRUE(WriteReceiptLinesFile(dir.File("dobry.lin"), rows));
  rows[1][2] = "Z";  // a letter the printer has no rate for
  ASSERT_TRUE(WriteReceiptLinesFile(dir.File("zly.lin"), rows));
  EXPECT_EQ(Kelmctl("receipt dobry.lin"), std::make_pair(0, std::string("19.60\n")));
  EXPECT_EQ(Kelmctl("receipt zly.lin").first, 2);
  // The refused receipt was cancelled: the next one starts and closes.
  EXPECT_EQ(Kelmctl("receipt dobry.lin --close extended"),
            std::make_pair(0, std::string("19.60\n")));
  EXPECT_EQ(Kelmctl("receipt dobry.lin --cancel").first, 0);
  EXPECT_EQ(Kelmctl("receipt dobry.lin --close other").first, 64);
  EXPECT_EQ(Kelmctl("grosz --vat B").first, 0);
  EXPECT_EQ(Kelmctl("cash-in 10.00").first, 0);
  EXPECT_EQ(Kelmctl("cash-out 100.00").first, 2);
  // What the program reads afterwards: two receipts of the file and the grosz; the drawer was
  // emptied by the refused cash-out.
  StartPrinterLink();
  const CashInfoRecord cash = Cash();
  EXPECT_DOUBLE_EQ(cash.Totals[0], 26.00);
  EXPECT_DOUBLE_EQ(cash.Totals[1], 13.21);
  EXPECT_DOUBLE_EQ(cash.Cash, 0);
}
#endif

INSTANTIATE_TEST_SUITE_P(Links, SalesKelmemu, ::testing::Values(false, true), test::LinkName);

}  // namespace
}  // namespace kelm
