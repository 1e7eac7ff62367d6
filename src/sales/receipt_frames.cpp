// The frames of the receipt dialogs.
#include "sales/receipt_frames.h"

#include "protocol/command_templates.h"
#include "protocol/frame.h"
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
constexpr const char* kExtendedClosing = kExtendedClosingTemplate;
constexpr const char* kCancel = kCancelTransactionTemplate;

// One-line fields enter a frame as at most 49 bytes, untouched otherwise.
std::string Plain(const std::string& text) {
  return FrameText(text, kFieldLimit, false);
}
std::string Letters(const std::string& text, size_t limit = kFieldLimit) {
  return FrameText(text, limit, true);
}

template <class... Args>
const char* Format(const char* tmpl, Args... args) {
  return FormatCommand(tmpl, args...) < 0 ? nullptr : tmpl;
}

}  // namespace

const char* BuildReceiptStart(const ReceiptStartFields& f) {
  const std::string lines = f.block_mode ? Plain(f.line_count) : "0";
  const std::string number = Letters(f.system_number);
  if (!f.barcode) return Format(kStartPlain, kEsc, lines.c_str(), number.c_str(), kEsc, kBackslash);
  if (f.barcode_format == "Domyślny") {
    return Format(kStartBarcode, kEsc, lines.c_str(), number.c_str(), kEsc, kBackslash);
  }
  return Format(kStartBarcodeFormat, kEsc, lines.c_str(), number.c_str(),
                Plain(f.barcode_format).c_str(), kEsc, kBackslash);
}

const char* BuildReceiptLine(const ReceiptLineFields& f) {
  const std::string number = f.storno ? "0" : Plain(f.number);
  const std::string name = Letters(f.name, kItemNameLimit);
  const std::string quantity = Plain(f.quantity), price = Plain(f.price), gross = Plain(f.gross);
  const char letter = VatLetter(f.vat_index);
  if (f.discount_code != 0) {
    return Format(kLineDiscount, kEsc, number.c_str(), f.discount_code, name.c_str(),
                  quantity.c_str(), letter, price.c_str(), gross.c_str(), Plain(f.discount).c_str(),
                  kEsc, kBackslash);
  }
  return Format(kLine, kEsc, number.c_str(), name.c_str(), quantity.c_str(), letter, price.c_str(),
                gross.c_str(), kEsc, kBackslash);
}

const char* BuildGridLine(int number, const ReceiptLineRow& row, int code,
                          const std::string& discount) {
  const std::string name = Letters(row[0]);
  const std::string quantity = Plain(row[1]), vat = Plain(row[2]), price = Plain(row[3]),
                    gross = Plain(row[4]);
  if (code != 0) {
    return Format(kGridLineDiscount, kEsc, number, code, name.c_str(), quantity.c_str(),
                  vat.c_str(), price.c_str(), gross.c_str(), Plain(discount).c_str(), kEsc,
                  kBackslash);
  }
  return Format(kGridLine, kEsc, number, name.c_str(), quantity.c_str(), vat.c_str(), price.c_str(),
                gross.c_str(), kEsc, kBackslash);
}

const char* BuildPlainClosing(const PlainClosingFields& f) {
  std::string lines;
  int count = 0;
  if (f.extra_lines) count = MemoToLines(Letters(f.lines, kMemoLimit), &lines);
  const std::string cashier = Letters(f.cashier);
  const std::string payment = Plain(f.payment), total = Plain(f.total);
  if (f.discount_type != 0) {
    return Format(kPlainClosingDiscount, kEsc, 0, count, 0, f.discount_type, 8, cashier.c_str(),
                  lines.c_str(), payment.c_str(), total.c_str(), Plain(f.discount).c_str(), kEsc,
                  kBackslash);
  }
  return Format(kPlainClosing, kEsc, 0, count, 0, 0, 8, cashier.c_str(), lines.c_str(),
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
  const std::string lines = PaddedLines(Letters(f.lines, kMemoLimit), &count);
  const std::string cashier = Letters(f.cashier), card = Letters(f.card_name),
                    cheque = Letters(f.cheque_name), voucher = Letters(f.voucher_name);
  std::array<std::string, kExtendedPayments> a;
  for (int i = 0; i < kExtendedPayments; ++i) a[i] = Plain(f.amounts[i]);
  const auto set = [&f](int i) { return f.set[i] ? 1 : 0; };
  return Format(kExtendedClosing, kEsc, f.extra_lines ? count : 0, 0, 0, f.discount_type,
                set(kCash), set(kCard), set(kCheque), set(kVoucher), set(kDepositTaken),
                set(kDepositReturned), set(kChange), cashier.c_str(), lines.c_str(), card.c_str(),
                cheque.c_str(), voucher.c_str(), Plain(f.total).c_str(), Plain(f.discount).c_str(),
                a[kCash].c_str(), a[kCard].c_str(), a[kCheque].c_str(), a[kVoucher].c_str(),
                a[kDepositTaken].c_str(), a[kDepositReturned].c_str(), a[kChange].c_str(), kEsc,
                kBackslash);
}

const char* BuildCancelTransaction() {
  return Format(kCancel, kEsc, kEsc, kBackslash);
}

}  // namespace kelm
