// The frames of the card, currency, cash, order, goods-base, paper-feed and display dialogs.
#include "sales/sales_frames.h"

#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "sales/frame_fields.h"
#include "sales/receipt.h"

namespace kelm {
namespace {

constexpr char kDebit[] = "%cP%d;%d#g%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s/xx%c%c";
constexpr char kCredit[] = "%cP%d;%d#h%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s/xx%c%c";
constexpr char kConversionOn[] = "%cP%u$$%s/%s\r%s\r%s\rxx%c%c";
constexpr char kConversionOff[] = "%cP%u$$xx%c%c";
constexpr char kAccounting[] = "%cP%u;%d;%d;%d;%s;%s##%s\rxx%c%c";
constexpr char kCashIn[] = "%cP#i%s/cc%c%c";
constexpr char kCashOut[] = "%cP#d%s/cc%c%c";
constexpr char kCashState[] = "%cP0#tcc%c%c";
constexpr char kFeed[] = "%cP%s#lxx%c%c";
constexpr char kOrderStart[] = "%cP0;1;0;%c#l%s\r%scc%c%c";
constexpr char kOrderLine[] = "%cP0;1;1;%c#l%s\r%s\r%scc%c%c";
constexpr char kOrderEnd[] = "%cP0;1;2;%c#l%scc%c%c";
constexpr char kBaseStart[] = "%cP0;%c#bxx%c%c";
constexpr char kBaseItem[] = "%cP1#b%s\r%s/xx%c%c";
constexpr char kBaseEnd[] = "%cP2#bxx%c%c";
constexpr char kTableStart[] = "%cP0;%u#bxx%c%c";
constexpr char kTableRow[] = "%cP1;%u#b%s\r%s/xx%c%c";
constexpr char kTicketRow[] = "%cP1;%u#b%s\r%s\r%s%s/xx%c%c";
constexpr char kTableEnd[] = "%cP2;%u#bxx%c%c";
constexpr char kDisplay[] = "%cP%d$d%c%s%c%c";

// The lines text of an order and its count as one character ("0" plus the count).
char OrderLines(const OrderText& extra, std::string* lines) {
  lines->clear();
  uint8_t count = 0;
  if (extra.extra_lines) count = MemoToLines(LetterField(extra.lines, kMemoLimit), lines);
  return static_cast<char>('0' + count);
}

}  // namespace

const std::array<DisplayOperation, 7> kDisplayOperations{{
    {"Otworzenie szuflady", 1},
    {"Tekst na obu wyświetlaczach", 2},
    {"Tekst na wyświetlaczu operatora", 5},
    {"Ustaw wyświetlacz w tryb zegara", 3},
    {"Ustaw wyświetlacz w tryb kasowy", 4},
    {"Wyświetlaj wartość ostatniej pozycji", 14},
    {"Wyświetlaj wartość sumy paragonu", 15},
}};

const char* BuildCardConfirmation(const CardConfirmationFields& f) {
  std::array<std::string, kCardFields> v;
  for (int i = 0; i < kCardFields; ++i) v[i] = PlainField(f.fields[i]);
  return FormatSalesFrame(f.debit ? kDebit : kCredit, kEsc, f.register_line ? 0 : 1, f.print_mode,
                          v[0].c_str(), v[1].c_str(), v[2].c_str(), v[3].c_str(), v[4].c_str(),
                          v[5].c_str(), v[6].c_str(), v[7].c_str(), v[8].c_str(), v[9].c_str(),
                          v[10].c_str(), kEsc, kBackslash);
}

const char* BuildCurrencyConversion(const CurrencyConversionFields& f) {
  if (!f.print) return FormatSalesFrame(kConversionOff, kEsc, 0u, kEsc, kBackslash);
  std::string rate = PlainField(f.rate);
  CommaToDot(rate);
  return FormatSalesFrame(kConversionOn, kEsc, 1u, PlainField(f.multiplier).c_str(),
                          PlainField(f.foreign).c_str(), rate.c_str(), PlainField(f.home).c_str(),
                          kEsc, kBackslash);
}

const char* BuildAccountingCurrency(const AccountingCurrencyFields& f) {
  return FormatSalesFrame(kAccounting, kEsc, static_cast<unsigned>(f.mode), f.year - 2000, f.month,
                          f.day, PlainField(f.hour).c_str(), PlainField(f.minute).c_str(),
                          PlainField(f.code).c_str(), kEsc, kBackslash);
}

const char* BuildCashIn(const std::string& amount) {
  return FormatSalesFrame(kCashIn, kEsc, PlainField(amount).c_str(), kEsc, kBackslash);
}

const char* BuildCashOut(const std::string& amount) {
  return FormatSalesFrame(kCashOut, kEsc, PlainField(amount).c_str(), kEsc, kBackslash);
}

const char* BuildCashState() {
  return FormatSalesFrame(kCashState, kEsc, kEsc, kBackslash);
}

const char* BuildPaperFeed(const std::string& lines) {
  return FormatSalesFrame(kFeed, kEsc, PlainField(lines).c_str(), kEsc, kBackslash);
}

const char* BuildOrderStart(const std::string& orderer, const OrderText& extra) {
  std::string lines;
  const char count = OrderLines(extra, &lines);
  return FormatSalesFrame(kOrderStart, kEsc, count, LetterField(orderer).c_str(), lines.c_str(),
                          kEsc, kBackslash);
}

const char* BuildOrderLine(const std::string& article, const std::string& quantity,
                           const OrderText& extra) {
  std::string lines;
  const char count = OrderLines(extra, &lines);
  return FormatSalesFrame(kOrderLine, kEsc, count, LetterField(article).c_str(),
                          LetterField(quantity).c_str(), lines.c_str(), kEsc, kBackslash);
}

const char* BuildOrderEnd(const OrderText& extra) {
  std::string lines;
  const char count = OrderLines(extra, &lines);
  return FormatSalesFrame(kOrderEnd, kEsc, count, lines.c_str(), kEsc, kBackslash);
}

const char* BuildBaseReportStart(int kind) {
  return FormatSalesFrame(kBaseStart, kEsc, static_cast<char>('0' + kind), kEsc, kBackslash);
}

const char* BuildBaseReportItem(const std::string& name, int vat_index) {
  const std::string letter(1, VatLetter(vat_index));
  return FormatSalesFrame(kBaseItem, kEsc, LetterField(name).c_str(), letter.c_str(), kEsc,
                          kBackslash);
}

const char* BuildBaseReportEnd() {
  return FormatSalesFrame(kBaseEnd, kEsc, kEsc, kBackslash);
}

const char* BuildBaseTableStart(unsigned kind) {
  return FormatSalesFrame(kTableStart, kEsc, kind, kEsc, kBackslash);
}

const char* BuildBaseTableRow(unsigned kind, const std::string& name, const std::string& vat) {
  return FormatSalesFrame(kTableRow, kEsc, kind, LetterField(name).c_str(), PlainField(vat).c_str(),
                          kEsc, kBackslash);
}

const char* BuildTicketTableRow(unsigned kind, const std::string& ticket, const std::string& item,
                                const std::string& vat, const std::string& surcharge_vat) {
  return FormatSalesFrame(kTicketRow, kEsc, kind, LetterField(ticket).c_str(),
                          LetterField(item).c_str(), PlainField(vat).c_str(),
                          PlainField(surcharge_vat).c_str(), kEsc, kBackslash);
}

const char* BuildBaseTableEnd(unsigned kind) {
  return FormatSalesFrame(kTableEnd, kEsc, kind, kEsc, kBackslash);
}

const char* BuildDisplayControl(int code, const std::string& text) {
  return FormatSalesFrame(kDisplay, kEsc, code, static_cast<char>(0xFF),
                          LetterField(text, kMemoLimit).c_str(), kEsc, kBackslash);
}

}  // namespace kelm
