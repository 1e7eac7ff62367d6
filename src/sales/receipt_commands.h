// The send steps of the receipt dialogs: validation, the frame, the status check, and the
// receipt state they advance. Each returns a negative result when the dialog stays open (no
// link, a failed send, or a field refused with its message), else the CheckLastCommand result.
#pragma once

#include <string>
#include <vector>

#include "sales/receipt_frames.h"

namespace kelm {

// "Nie wysłano": a field did not convert; its message has been shown.
inline constexpr int kFieldRefused = -10;

int SendReceiptStart(const ReceiptStartFields& f);

// The line dialog's memory of the last quantity and price, from which leaving either field
// recomputes the gross.
struct LineGross {
  double quantity = 0;
  double price = 0;
};
extern LineGross LineGrossMemory;
// Converts the left field's text; on success remembers it and returns the new gross text
// ("%.2f" of the rounded product), on failure shows "Błędna wartość ilość" or "Błędna wartość
// Cena" and returns false (memory and gross unchanged).
bool LeaveQuantity(const std::string& text, std::string* gross);
bool LeavePrice(const std::string& text, std::string* gross);

// The line dialog's "Wyślij". Returns kFieldRefused when the gross or the discount does not
// convert (nothing sent).
int SendReceiptLine(const ReceiptLineFields& f);

// The grid's "&Wyślij": rows from the first on until one past the sixteenth, a blank name or a
// blank quantity; stops at the first printer error. Returns kCommandNotSent when a send failed
// (the dialog stays open), otherwise 0 or the printer error's CheckLastCommand result; `sent`
// counts the rows the printer accepted.
int SendGridLines(const std::vector<ReceiptLineRow>& rows, int* sent = nullptr);
// The rows the grid sends, with their total after discounts, without sending: what a dry run
// and the closing proposal of a receipt file need. Messages as in the send loop.
double GridTotal(const std::vector<ReceiptLineRow>& rows, int* count);

int SendPlainClosing(const PlainClosingFields& f);
int SendExtendedClosing(const ExtendedClosingFields& f);
int SendCancelTransaction();

// Every record of the sales room back to its start values.
void ResetSalesState();

// The text "%.2f" gives for a computed amount.
std::string TwoDecimals(double value);

}  // namespace kelm
