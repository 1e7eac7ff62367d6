// Sales documents as command sequences.
#include "sales/sequences.h"

#include <cstring>

#include "link/settings.h"
#include "protocol/command_templates.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"
#include "sales/frame_fields.h"
#include "sales/receipt.h"
#include "sales/receipt_commands.h"
#include "sales/sales_frames.h"

namespace kelm {
namespace {

// A quantity or price cell of the full transaction: blank or unconvertible counts as 0.
double CellValue(const ReceiptLineRow& row, int cell, int row_number, const char* name,
                 bool comma_warning) {
  const std::string& text = row[cell];
  if (IsBlank(text)) return 0;
  if (comma_warning && text.find(',') != std::string::npos) {
    TheOperator().ShowMessage("UWAGA: w parametrze <ILOŚĆ> wysłano przecinek zamiast kropki.");
  }
  double value = 0;
  if (!ParseAmountText(text, &value)) {
    TheOperator().ShowMessage(std::string("Niewłaściwy format danej <") + name + "> w wierszu " +
                              std::to_string(row_number) + ".");
    return 0;
  }
  return value;
}

}  // namespace

const char* BuildFullClosing(const FullTransactionFields& f) {
  std::string lines;
  uint8_t count = 0;
  const std::string memo = FrameText(f.lines, kMemoLimit, true);
  const std::string cashier = PlainField(f.cashier);
  std::array<std::string, kPaymentRows> amounts, names;
  std::array<int, kPaymentRows> set{};
  for (int i = 0; i < kPaymentRows; ++i) {
    set[i] = f.amounts[i].empty() ? 0 : 1;
    amounts[i] = f.amounts[i].empty() ? "0.00" : PlainField(f.amounts[i]);
    names[i] = PlainField(f.names[i]);
  }
  const std::string total = PlainField(f.total), discount = PlainField(f.discount);
  if (LinkSettings.ModelFamily == 0) {
    count = MemoToLines(memo, &lines);
    return FormatSalesFrame(kFullClosingPlain, kEsc, static_cast<int>(count), 0, 0, 1,
                            cashier.c_str(), lines.c_str(), amounts[0].c_str(), total.c_str(),
                            discount.c_str(), kEsc, kBackslash);
  }
  lines = PaddedLines(memo, &count);
  return FormatSalesFrame(
      kExtendedClosingTemplate, kEsc, static_cast<int>(count), 0, 0, 1, set[0], set[1], set[2],
      set[3], 0, 0, 0, cashier.c_str(), lines.c_str(), names[1].c_str(), names[2].c_str(),
      names[3].c_str(), total.c_str(), discount.c_str(), amounts[0].c_str(), amounts[1].c_str(),
      amounts[2].c_str(), amounts[3].c_str(), "0.00", "0.00", "0.00", kEsc, kBackslash);
}

int SendSalesFrame(const char* tmpl, AfterSend after) {
  if (tmpl == nullptr) return kCommandNotSent;
  return FinishCommand(tmpl, CommandSteps{after, false});
}

int SendOneGroszReceipt(int vat_index, bool drawer) {
  const int steps = drawer ? 4 : 3;
  for (int step = 0; step < steps; ++step) {
    const char* tmpl =
        step == 0   ? FormatSalesFrame(kOpenReceiptTemplate, kEsc, kEsc, kBackslash)
        : step == 1 ? FormatSalesFrame(kGroszLine, kEsc, VatLetter(vat_index), kEsc, kBackslash)
        : step == 2 ? FormatSalesFrame(kGroszClose, kEsc, kEsc, kBackslash)
                    : FormatSalesFrame(kDrawerTemplate, kEsc, kEsc, kBackslash);
    const int result = SendSalesFrame(tmpl);
    if (result != kCommandExecuted) return result;
  }
  return kCommandExecuted;
}

FullTransactionSums AddUpFullTransaction(FullTransactionFields* f) {
  FullTransactionSums sums;
  const ReceiptLineRow empty;
  for (int row = 1; row <= kFullTransactionRows; ++row) {
    const ReceiptLineRow& cells =
        row < static_cast<int>(f->rows.size()) ? f->rows[static_cast<size_t>(row)] : empty;
    sums.quantity[row] = CellValue(cells, 1, row, "Ilosć", true);
    sums.price[row] = CellValue(cells, 3, row, "Cena", false);
    sums.value[row] = RoundToCents(sums.price[row] * sums.quantity[row]);
  }
  // The receipt holds the rows up to the first one without a quantity, and only those; a total
  // over rows that are never sent would make the printer refuse the closing and leave the
  // receipt open.
  for (int row = 1; row < kFullTransactionRows && sums.quantity[row] != 0; ++row) {
    sums.total += sums.value[row];
  }
  f->total = TwoDecimals(sums.total);
  return sums;
}

int SendFullTransaction(FullTransactionFields* f) {
  const FullTransactionSums sums = AddUpFullTransaction(f);
  if (f->total == "0.00") {
    TheOperator().Beep();
    TheOperator().ShowMessage(" ZEROWA SUMA PARAGONU !!! ");
    return kFieldRefused;
  }
  if (!TheOperator().AskYesNo("Suma transakcji: " + f->total + ". Rabat procentowy: " +
                              f->discount + " %. Czy wysłać do drukarki[T/N] ?")) {
    return kDeclined;
  }
  int result = SendSalesFrame(FormatSalesFrame(kOpenReceiptTemplate, kEsc, kEsc, kBackslash));
  if (result != kCommandExecuted) return result;
  for (int row = 1; row < kFullTransactionRows && sums.quantity[row] != 0; ++row) {
    const ReceiptLineRow& cells = f->rows[static_cast<size_t>(row)];
    const std::string name = FrameText(cells[0], kFieldLimit, true);
    result = SendSalesFrame(FormatSalesFrame(
        kFullLine, kEsc, row, name.c_str(), 13, PlainField(cells[1]).c_str(), 13,
        PlainField(cells[2]).c_str(), sums.price[row], sums.value[row], kEsc, kBackslash));
    if (result != kCommandExecuted) return result;
  }
  if (f->nip) {
    const std::string nip = PlainField(f->nip_text);
    result = SendSalesFrame(LinkSettings.PrinterVariant == 1
                                ? FormatSalesFrame(kNipBus, kEsc, nip.c_str(), kEsc, kBackslash)
                                : FormatSalesFrame(kNip, kEsc, nip.c_str(), kEsc, kBackslash));
    if (result < 0) return result;
  }
  if (f->qr) {
    result = SendSalesFrame(
        FormatSalesFrame(kQr, kEsc, PlainField(f->qr_text).c_str(), kEsc, kBackslash));
    if (result < 0) return result;
  }
  return SendSalesFrame(BuildFullClosing(*f));
}

int SendBaseTable(unsigned kind, const std::vector<std::array<std::string, 4>>& rows) {
  int result = SendSalesFrame(BuildBaseTableStart(kind));
  if (result != kCommandExecuted) return result;
  const bool tickets = kind >= 4;
  for (size_t i = 1; i < rows.size() && i <= 19; ++i) {
    const auto& r = rows[i];
    const bool ends =
        tickets ? (r[0].empty() || r[1].empty() || r[2].empty()) : (r[0].empty() || r[1].empty());
    if (ends) break;
    result = SendSalesFrame(tickets ? BuildTicketTableRow(kind, r[0], r[1], r[2], r[3])
                                    : BuildBaseTableRow(kind, r[0], r[1]));
    if (result != kCommandExecuted) return result;
  }
  return SendSalesFrame(BuildBaseTableEnd(kind));
}

}  // namespace kelm
