// The frames of the receipt dialogs, formatted into CommandFrame from their stored templates.
// Each builder returns the template it used (the send step needs it for the check slot), or
// nullptr when the frame does not fit; the texts are operator text (UTF-8).
#pragma once

#include <array>
#include <string>

#include "sales/receipt_lines_file.h"

namespace kelm {

struct ReceiptStartFields {
  bool block_mode = false;        // "Tryb blokowy"; otherwise "Paragon ON-LINE"
  std::string line_count = "48";  // "Ilość pozycji sprzedaży"
  bool barcode = false;           // "Numer systemowy w postaci kodu kreskowego"
  std::string barcode_format = "Domyślny";
  std::string system_number;
};
const char* BuildReceiptStart(const ReceiptStartFields& f);

struct ReceiptLineFields {
  std::string number = "1";
  std::string name;
  std::string quantity = "0.00";
  int vat_index = 0;  // position in the "PTU" list
  std::string price = "0.00";
  std::string gross = "0.00";
  int discount_code = 0;
  std::string discount = "0.00";
  bool storno = false;
};
const char* BuildReceiptLine(const ReceiptLineFields& f);

// One grid row as "$l" with the given line number; `discount` is the "Rabat" cell after
// ParseLineDiscount and `code` its result.
const char* BuildGridLine(int number, const ReceiptLineRow& row, int code,
                          const std::string& discount);

struct PlainClosingFields {
  std::string cashier;
  std::string total = "0.00";
  std::string payment;
  int discount_type = 0;
  std::string discount = "0.00";
  bool extra_lines = false;
  std::string lines;  // the multi-line field, CR LF separated
};
const char* BuildPlainClosing(const PlainClosingFields& f);

// Payment forms of the extended closing, in the order of its amounts after the discount.
enum ExtendedPayment {
  kCash = 0,
  kCard,
  kCheque,
  kVoucher,
  kDepositTaken,
  kDepositReturned,
  kChange,
  kExtendedPayments
};
struct ExtendedClosingFields {
  std::string total = "0.00";
  std::string cashier;
  std::array<bool, kExtendedPayments> set{};
  std::array<std::string, kExtendedPayments> amounts{"0.00", "0.00", "0.00", "0.00",
                                                     "0.00", "0.00", "0.00"};
  std::string card_name, cheque_name, voucher_name;
  int discount_type = 0;
  std::string discount = "0.00";
  bool extra_lines = false;
  std::string lines;  // CR LF separated
};
const char* BuildExtendedClosing(const ExtendedClosingFields& f);
// The lines text of the extended closing: the printer lines, padded with CR to five at least.
std::string PaddedLines(std::string_view memo, uint8_t* count);

const char* BuildCancelTransaction();

}  // namespace kelm
