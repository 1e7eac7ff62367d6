// The send steps of the receipt dialogs.
#include "sales/receipt_commands.h"

#include <cstdio>

#include "link/command_execution.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"
#include "sales/currency.h"
#include "sales/receipt.h"

namespace kelm {

LineGross LineGrossMemory;

namespace {

constexpr CommandSteps kCheck{AfterSend::kCheckLastCommand, false};

int Send(const char* tmpl) {
  if (tmpl == nullptr) return kCommandNotSent;
  return FinishCommand(tmpl, kCheck);
}

bool LeaveField(const std::string& text, double* remembered, const char* message,
                std::string* gross) {
  double value = 0;
  if (!ParseAmountText(text, &value)) {
    TheOperator().ShowMessage(message);
    return false;
  }
  *remembered = value;
  *gross = TwoDecimals(RoundToCents(LineGrossMemory.quantity * LineGrossMemory.price));
  return true;
}

// The value a grid row adds to the receipt total; false (after its message) when the gross or
// the discount does not convert.
bool RowValue(const ReceiptLineRow& row, int code, const std::string& discount, double* value) {
  double gross = 0, amount = 0;
  if (!ParseAmountText(row[4], &gross)) {
    TheOperator().ShowMessage("Błędna Wartość Brutto");
    return false;
  }
  if (code != 0 && !ParseAmountText(discount, &amount)) {
    TheOperator().ShowMessage("Błędna Wartość Rabatu");
    return false;
  }
  *value = ApplyDiscount(code, amount, gross);
  return true;
}

bool RowEnds(const std::vector<ReceiptLineRow>& rows, size_t i) {
  return i > 16 || i >= rows.size() || IsBlank(rows[i][0]) || IsBlank(rows[i][1]);
}

}  // namespace

void ResetSalesState() {
  ResetReceiptState();
  ResetCurrencyTable();
  LineGrossMemory = LineGross();
}

std::string TwoDecimals(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

int SendReceiptStart(const ReceiptStartFields& f) {
  const int result = Send(BuildReceiptStart(f));
  if (result >= 0) {
    ReceiptState.NextLineNumber = 1;
    ReceiptState.ReceiptTotal = 0;
  }
  return result;
}

bool LeaveQuantity(const std::string& text, std::string* gross) {
  return LeaveField(text, &LineGrossMemory.quantity, "Błędna wartość ilość", gross);
}

bool LeavePrice(const std::string& text, std::string* gross) {
  return LeaveField(text, &LineGrossMemory.price, "Błędna wartość Cena", gross);
}

int SendReceiptLine(const ReceiptLineFields& f) {
  if (HasComma(f.quantity)) {
    TheOperator().ShowMessage("UWAGA: w parametrze <ILOŚĆ> wpisano przecinek zamiast kropki.");
  }
  double gross = 0, amount = 0;
  if (!ParseAmountText(f.gross, &gross)) {
    TheOperator().ShowMessage("Błędna Wartość Brutto");
    return kFieldRefused;
  }
  if (f.discount_code != 0 && !ParseAmountText(f.discount, &amount)) {
    TheOperator().ShowMessage("Błędna Wartość Rabatu");
    return kFieldRefused;
  }
  const double value = ApplyDiscount(f.discount_code, amount, gross);
  const int result = Send(BuildReceiptLine(f));
  if (result == kCommandExecuted) {
    ++ReceiptState.NextLineNumber;
    ReceiptState.ReceiptTotal += f.storno ? -value : value;
  }
  return result;
}

int SendGridLines(const std::vector<ReceiptLineRow>& rows, int* sent) {
  if (sent) *sent = 0;
  for (size_t i = 1; !RowEnds(rows, i); ++i) {
    std::string discount = rows[i][5];
    const int code = ParseLineDiscount(discount);
    const int result = Send(BuildGridLine(ReceiptState.NextLineNumber, rows[i], code, discount));
    if (result != kCommandExecuted) return result;
    if (sent) ++*sent;
    ++ReceiptState.NextLineNumber;
    double value = 0;
    if (RowValue(rows[i], code, discount, &value)) ReceiptState.ReceiptTotal += value;
  }
  return kCommandExecuted;
}

double GridTotal(const std::vector<ReceiptLineRow>& rows, int* count) {
  double total = 0;
  *count = 0;
  for (size_t i = 1; !RowEnds(rows, i); ++i) {
    std::string discount = rows[i][5];
    const int code = ParseLineDiscount(discount);
    double value = 0;
    if (RowValue(rows[i], code, discount, &value)) total += value;
    ++*count;
  }
  return total;
}

int SendPlainClosing(const PlainClosingFields& f) {
  return Send(BuildPlainClosing(f));
}

int SendExtendedClosing(const ExtendedClosingFields& f) {
  return Send(BuildExtendedClosing(f));
}

int SendCancelTransaction() {
  return Send(BuildCancelTransaction());
}

}  // namespace kelm
