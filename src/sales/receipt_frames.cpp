// The frames of the receipt dialogs.
#include "sales/receipt_frames.h"

#include "protocol/command_templates.h"
#include "protocol/frame.h"
#include "sales/frame_fields.h"
#include "sales/receipt.h"

namespace kelm {
namespace {

constexpr char kStartPlain[] = "%cP%s;1$h#%s\rxx%c%c";
constexpr char kStartBarcode[] = "%cP%s;1$h##%s#\rxx%c%c";
constexpr char kStartBarcodeFormat[] = "%cP%s;2$h##%s#\r%s\rxx%c%c";
constexpr char kLineDiscount[] = "%cP%s;%d$l%s\r%s\r%c/%s/%s/%s/xx%c%c";
constexpr char kLine[] = "%cP%s$l%s\r%s\r%c/%s/%s/xx%c%c";
constexpr char kGridLineDiscount[] = "%cP%d;%d$l%s\r%s\r%s/%s/%s/%s/xx%c%c";
constexpr char kGridLine[] = "%cP%d$l%s\r%s\r%s/%s/%s/xx%c%c";
constexpr char kPlainClosingDiscount[] = "%cP1;%d;%d;%d;%d;%d$e%s\r%s%s/%s/%s/xx%c%c";
constexpr char kPlainClosing[] = "%cP1;%d;%d;%d;%d;%d$e%s\r%s%s/%s/xx%c%c";

}  // namespace

const char* BuildReceiptStart(const ReceiptStartFields& f) {
  const std::string lines = f.block_mode ? PlainField(f.line_count) : "0";
  const std::string number = LetterField(f.system_number);
  if (!f.barcode)
    return FormatSalesFrame(kStartPlain, kEsc, lines.c_str(), number.c_str(), kEsc, kBackslash);
  if (f.barcode_format == "Domyślny") {
    return FormatSalesFrame(kStartBarcode, kEsc, lines.c_str(), number.c_str(), kEsc, kBackslash);
  }
  return FormatSalesFrame(kStartBarcodeFormat, kEsc, lines.c_str(), number.c_str(),
                          PlainField(f.barcode_format).c_str(), kEsc, kBackslash);
}

const char* BuildReceiptLine(const ReceiptLineFields& f) {
  const std::string number = f.storno ? "0" : PlainField(f.number);
  const std::string name = LetterField(f.name, kItemNameLimit);
  const std::string quantity = PlainField(f.quantity), price = PlainField(f.price),
                    gross = PlainField(f.gross);
  const char letter = VatLetter(f.vat_index);
  if (f.discount_code != 0) {
    return FormatSalesFrame(kLineDiscount, kEsc, number.c_str(), f.discount_code, name.c_str(),
                            quantity.c_str(), letter, price.c_str(), gross.c_str(),
                            PlainField(f.discount).c_str(), kEsc, kBackslash);
  }
  return FormatSalesFrame(kLine, kEsc, number.c_str(), name.c_str(), quantity.c_str(), letter,
                          price.c_str(), gross.c_str(), kEsc, kBackslash);
}

const char* BuildGridLine(int number, const ReceiptLineRow& row, int code,
                          const std::string& discount) {
  const std::string name = LetterField(row[0]);
  const std::string quantity = PlainField(row[1]), vat = PlainField(row[2]),
                    price = PlainField(row[3]), gross = PlainField(row[4]);
  if (code != 0) {
    return FormatSalesFrame(kGridLineDiscount, kEsc, number, code, name.c_str(), quantity.c_str(),
                            vat.c_str(), price.c_str(), gross.c_str(), PlainField(discount).c_str(),
                            kEsc, kBackslash);
  }
  return FormatSalesFrame(kGridLine, kEsc, number, name.c_str(), quantity.c_str(), vat.c_str(),
                          price.c_str(), gross.c_str(), kEsc, kBackslash);
}

const char* BuildPlainClosing(const PlainClosingFields& f) {
  std::string lines;
  int count = 0;
  if (f.extra_lines) count = MemoToLines(LetterField(f.lines, kMemoLimit), &lines);
  const std::string cashier = LetterField(f.cashier);
  const std::string payment = PlainField(f.payment), total = PlainField(f.total);
  if (f.discount_type != 0) {
    return FormatSalesFrame(kPlainClosingDiscount, kEsc, 0, count, 0, f.discount_type, 8,
                            cashier.c_str(), lines.c_str(), payment.c_str(), total.c_str(),
                            PlainField(f.discount).c_str(), kEsc, kBackslash);
  }
  return FormatSalesFrame(kPlainClosing, kEsc, 0, count, 0, 0, 8, cashier.c_str(), lines.c_str(),
                          payment.c_str(), total.c_str(), kEsc, kBackslash);
}

std::string PaddedLines(std::string_view memo, uint8_t* count) {
  std::string lines;
  *count = MemoToLines(memo, &lines);
  for (int i = *count; i < 5; ++i) lines += '\r';
  return lines;
}

const char* BuildExtendedClosing(const ExtendedClosingFields& f) {
  uint8_t count = 0;
  const std::string lines = PaddedLines(LetterField(f.lines, kMemoLimit), &count);
  const std::string cashier = LetterField(f.cashier), card = LetterField(f.card_name),
                    cheque = LetterField(f.cheque_name), voucher = LetterField(f.voucher_name);
  std::array<std::string, kExtendedPayments> a;
  for (int i = 0; i < kExtendedPayments; ++i) a[i] = PlainField(f.amounts[i]);
  const auto set = [&f](int i) { return f.set[i] ? 1 : 0; };
  return FormatSalesFrame(
      kExtendedClosingTemplate, kEsc, f.extra_lines ? count : 0, 0, 0, f.discount_type, set(kCash),
      set(kCard), set(kCheque), set(kVoucher), set(kDepositTaken), set(kDepositReturned),
      set(kChange), cashier.c_str(), lines.c_str(), card.c_str(), cheque.c_str(), voucher.c_str(),
      PlainField(f.total).c_str(), PlainField(f.discount).c_str(), a[kCash].c_str(),
      a[kCard].c_str(), a[kCheque].c_str(), a[kVoucher].c_str(), a[kDepositTaken].c_str(),
      a[kDepositReturned].c_str(), a[kChange].c_str(), kEsc, kBackslash);
}

const char* BuildCancelTransaction() {
  return FormatSalesFrame(kCancelTransactionTemplate, kEsc, kEsc, kBackslash);
}

}  // namespace kelm
