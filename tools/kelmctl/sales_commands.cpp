// kelmctl's sales commands: a receipt from a receipt-line file, the one-grosz receipt, cash in
// and cash out; each sends what its dialog sends.
#include <cstdio>
#include <string>
#include <vector>

#include "kelmctl/commands.h"
#include "link/command_execution.h"
#include "sales/receipt.h"
#include "sales/receipt_commands.h"
#include "sales/receipt_lines_file.h"
#include "sales/sales_frames.h"
#include "sales/sequences.h"

namespace kelm::ctl {
namespace {

// The grid's rows, a start, the closing with the computed total. A refused line or closing
// cancels the receipt, so that the printer is not left in an open transaction.
int Receipt(const Invocation& in) {
  std::vector<ReceiptLineRow> read(16);
  if (!ReadReceiptLinesFile(in.words[0], &read)) return kExitUsage;
  std::vector<ReceiptLineRow> rows(1);
  rows.insert(rows.end(), read.begin(), read.end());
  int result = SendReceiptStart(ReceiptStartFields());
  if (result != kCommandExecuted) return CheckedExit(result);
  result = SendGridLines(rows);
  const std::string total = TwoDecimals(ReceiptState.ReceiptTotal);
  if (result == kCommandExecuted && in.Has("--cancel")) return CheckedExit(SendCancelTransaction());
  if (result == kCommandExecuted) {
    const std::vector<std::string>& close = in.Values("--close");
    if (!close.empty() && close[0] == "extended") {
      ExtendedClosingFields f;
      f.total = total;
      f.set[kCash] = true;
      f.amounts[kCash] = total;
      result = SendExtendedClosing(f);
    } else {
      PlainClosingFields f;
      f.total = total;
      f.payment = total;
      result = SendPlainClosing(f);
    }
  }
  if (result == kCommandPrinterError) SendCancelTransaction();
  if (result == kCommandExecuted) std::printf("%s\n", total.c_str());
  return CheckedExit(result);
}

bool ValidReceipt(const Invocation& in) {
  const std::vector<std::string>& close = in.Values("--close");
  return close.empty() || (close[0] == "plain" || close[0] == "extended");
}

int Grosz(const Invocation& in) {
  int vat = 0;
  const std::vector<std::string>& letter = in.Values("--vat");
  if (!letter.empty()) vat = letter[0] == "P" ? 7 : letter[0][0] - 'A';
  return CheckedExit(SendOneGroszReceipt(vat, !in.Has("--no-drawer")));
}

bool ValidGrosz(const Invocation& in) {
  const std::vector<std::string>& letter = in.Values("--vat");
  return letter.empty() || (letter[0].size() == 1 &&
                            ((letter[0][0] >= 'A' && letter[0][0] <= 'G') || letter[0][0] == 'P'));
}

int CashIn(const Invocation& in) {
  return CheckedExit(SendSalesFrame(BuildCashIn(in.words[0])));
}

int CashOut(const Invocation& in) {
  return CheckedExit(SendSalesFrame(BuildCashOut(in.words[0])));
}

}  // namespace

const std::vector<Command>& SalesCommands() {
  static const std::vector<Command> table = {
      {"receipt",
       "FILE.lin [--close plain|extended] [--cancel]",
       "a receipt of the file's lines closed with their total (printed);\n"
       "a refused line or closing cancels it",
       Receipt,
       1,
       {{"--close", 1}, {"--cancel"}},
       ValidReceipt},
      {"grosz",
       "[--vat A-G|P] [--no-drawer]",
       "the one-grosz receipt, then the drawer",
       Grosz,
       0,
       {{"--vat", 1}, {"--no-drawer"}},
       ValidGrosz},
      {"cash-in", "AMOUNT", "cash paid into the drawer", CashIn, 1},
      {"cash-out", "AMOUNT", "cash paid out of the drawer", CashOut, 1},
  };
  return table;
}

}  // namespace kelm::ctl
