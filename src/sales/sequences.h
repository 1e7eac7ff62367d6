// Sales documents sent as a sequence of single commands: the one-grosz receipt, the full
// transaction, the goods-base tables; and the one send step of the single-frame sales dialogs.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "link/command_execution.h"
#include "sales/receipt_lines_file.h"

namespace kelm {

// Sends a built frame (nullptr: nothing to send) and runs the after-step. Returns
// kCommandNotSent when the dialog stays open, else the after-step's result.
int SendSalesFrame(const char* tmpl, AfterSend after = AfterSend::kCheckLastCommand);

// The question was answered No; nothing was sent.
inline constexpr int kDeclined = -11;

// "Paragon za 1 grosik": start, one line of 0.01 with the VAT letter of list entry
// `vat_index`, closing, and the drawer when `drawer` is set. Returns kCommandNotSent after a
// failed send (the dialog stays open), else 0 or the printer error's CheckLastCommand result.
int SendOneGroszReceipt(int vat_index, bool drawer);

// The one-grosz receipt's line (VAT letter) and closing.
inline constexpr char kGroszLine[] = "%cP1$lTowar Testowy\r1\r%c/0.01/0.01/xx%c%c";
inline constexpr char kGroszClose[] = "%cP1;0$e\r0.01/0.01/xx%c%c";

// "Pełna transakcja": a line (row, name, CR, quantity, CR, VAT letter, price, value), the
// buyer's NIP (bus printers, others), the QR code, and the closing on family 0.
inline constexpr char kFullLine[] = "%cP%d$l%s%c%s%c%s/%2.2f/%2.2f/xx%c%c";
inline constexpr char kNipBus[] = "%cP1$z%s\rxx%c%c";
inline constexpr char kNip[] = "%cP100;1$z%s\rxx%c%c";
inline constexpr char kQr[] = "%cP#Q%s\rxx%c%c";
inline constexpr char kFullClosingPlain[] = "%cP1;0;%d;%d;%d;%d$e%s\r%s%s/%s/%s/xx%c%c";
inline constexpr int kFullTransactionRows = 10;  // row 0 holds the titles
inline constexpr int kPaymentRows = 4;           // cash, card, cheque, voucher
struct FullTransactionFields {
  std::vector<ReceiptLineRow> rows = std::vector<ReceiptLineRow>(kFullTransactionRows);
  std::string total = "0.00";                     // "Razem"
  std::string discount = "0.00";                  // "Rabat %"
  std::string cashier;                            // "Kasjer"
  std::array<std::string, kPaymentRows> amounts;  // "Kwota"
  std::array<std::string, kPaymentRows> names;    // "Nazwa"
  std::string lines;                              // "Dodatkowe linie tekstu", CR LF separated
  bool nip = false;
  std::string nip_text = "123-456-78-90";
  bool qr = false;
  std::string qr_text = "12345";
};
// What "Podlicz" finds per row (index = row number).
struct FullTransactionSums {
  std::array<double, kFullTransactionRows + 1> quantity{}, price{}, value{};
  double total = 0;
};
// "Podlicz": the line values, and the sum of the rows that will be sent (up to the first row
// without a quantity), written into `f->total` ("%.2f"); conversion warnings and errors are
// shown.
FullTransactionSums AddUpFullTransaction(FullTransactionFields* f);
// "&Wyślij". Returns kFieldRefused for a zero sum (nothing sent, the dialog stays open);
// otherwise the dialog closes whatever the result: kDeclined, kCommandNotSent, 0, or the
// CheckLastCommand result of the step that stopped it.
int SendFullTransaction(FullTransactionFields* f);
// The closing of the full transaction: kFullClosingPlain on family 0, else the extended
// closing with the payments. nullptr when the frame did not fit.
const char* BuildFullClosing(const FullTransactionFields& f);

// A goods-base control table (rows after the title row): kind 0 to 2, or 4 to 6 for tickets,
// whose rows hold four cells. Returns kCommandNotSent after a failed send (the dialog stays
// open), else 0 or the printer error's CheckLastCommand result.
int SendBaseTable(unsigned kind, const std::vector<std::array<std::string, 4>>& rows);

}  // namespace kelm
