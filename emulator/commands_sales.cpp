// Receipts: start, sales lines with discounts and deposits, closings, cancel, buyer NIP, QR code.
#include <algorithm>
#include <cstdio>

#include "emulator/machine.h"

namespace kelm::emu {

namespace {

constexpr size_t kMaxName = 40;
constexpr size_t kMaxCashier = 32;
constexpr int64_t kMaxReceipt = 9999999999;  // 99 999 999.99 zł

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

int64_t RoundDiv(int64_t num, int64_t den) {
  // Half up, for the non-negative amounts of a receipt.
  return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

// A percentage (in hundredths of a percent) taken off or added. Method 1 rounds the result,
// method 2 rounds the discount on its own first. Family 2 follows the "$r" option; the older
// families always worked by method 2.
int64_t Percent(const Machine& m, int64_t value, int64_t pct, bool add) {
  bool method1 = m.st.Model().family == 2 && m.st.options.discount_method == 1;
  if (method1) return RoundDiv(value * (add ? 10000 + pct : 10000 - pct), 10000);
  int64_t part = RoundDiv(value * pct, 10000);
  return add ? value + part : value - part;
}

// The value of a line after its discount; code as in the line command's second parameter.
int64_t Discounted(const Machine& m, int code, int64_t value, int64_t gross) {
  switch (code) {
    case 1:
      return gross - value;
    case 3:
      return gross + value;
    case 2:
    case 4:
      return Percent(m, gross, value, code == 4);
    default:
      return gross;
  }
}

// Daily report forcing: 1 after the second midnight since the first sale, 2 after the first.
bool ReportOverdue(const Machine& m) {
  if (m.st.first_sale == 0 || m.st.options.daily_forcing == 0) return false;
  int64_t first_day = m.st.first_sale / 86400, today = ToEpoch(m.Now()) / 86400;
  return today - first_day >= (m.st.options.daily_forcing == 2 ? 1 : 2);
}

void StartReceipt(Machine& m, const Command& c, Result& r) {
  if (c.count() < 1 || c.count() > 2) {
    r.error = kCount;
    return;
  }
  long lines, fields = 0;
  if (!c.Num(0, &lines) || (c.count() == 2 && (!c.Num(1, &fields) || fields > 2))) {
    r.error = kParam;
    return;
  }
  // The first field is the system number: "#" and the number, or "##" number "#" for a
  // barcode, whose format the second field may name.
  std::string system_number, barcode_format;
  bool barcode = false;
  FieldReader f(c.fields);
  for (long i = 0; i < fields; ++i) {
    std::string_view v;
    if (!f.Next('\r', &v) || v.size() > 40) {
      r.error = kExtraLines;
      return;
    }
    if (i == 1) barcode_format = std::string(v);
    if (i != 0) continue;
    if (v.size() >= 3 && v.substr(0, 2) == "##" && v.back() == '#') {
      barcode = true;
      v = v.substr(2, v.size() - 3);
    } else if (!v.empty() && v.front() == '#') {
      v.remove_prefix(1);
    }
    system_number = std::string(v);
  }
  if (m.tx.open) {
    r.error = kTransactionOpen;
    return;
  }
  if (!m.AnyRateDefined()) {
    r.error = kRatesUndefined;
    return;
  }
  if (ReportOverdue(m)) {
    r.error = 57;
    return;
  }
  m.tx = Transaction();
  m.tx.open = true;
  m.tx.block_lines = static_cast<int>(lines);
  m.tx.system_number = system_number;
  if (barcode && !system_number.empty()) {
    m.tx.system_number = "[kod " +
                         (barcode_format.empty() ? std::string("kreskowy") : barcode_format) +
                         ": " + system_number + "]";
  }
  m.last_transaction_ok = false;
}

void SaleLine(Machine& m, const Command& c, Result& r) {
  if (c.count() < 1 || c.count() > 2) {
    r.error = kCount;
    return;
  }
  long number, code = 0;
  if (!c.Num(0, &number) || (c.count() == 2 && (!c.Num(1, &code) || code > 4))) {
    r.error = kParam;
    return;
  }
  FieldReader f(c.fields);
  std::string_view name, qty, letter, price, gross, discount;
  if (!f.Next('\r', &name) || !f.Next('\r', &qty) || !f.Next('/', &letter) ||
      !f.Next('/', &price) || !f.Next('/', &gross) || (code && !f.Next('/', &discount))) {
    r.error = kCount;
    return;
  }
  if (!m.tx.open) {
    r.error = kNoTransaction;
    return;
  }
  if (name.empty() || name.size() > kMaxName) {
    r.error = kName;
    return;
  }
  int64_t q, p, g, d = 0;
  if (!ParseQuantity(Trim(qty), &q) || q == 0) {
    r.error = kQuantity;
    return;
  }
  letter = Trim(letter);
  bool deposit = letter == "P";
  int li = letter.size() == 1 ? LetterIndex(letter[0]) : -1;
  if (!deposit && (li < 0 || m.st.rates[li] == kRateUndefined)) {
    r.error = kRateLetter;
    return;
  }
  if (!ParseAmount(Trim(price), &p) || p < 0) {
    r.error = kPrice;
    return;
  }
  // The gross must be quantity times price; one grosz either way allows for the seller's rounding.
  int64_t expected = RoundDiv(q * p, 1000);
  if (!ParseAmount(Trim(gross), &g) || g < expected - 1 || g > expected + 1) {
    r.error = kGross;
    return;
  }
  if (code &&
      (!ParseAmount(Trim(discount), &d) || d < 0 || ((code == 2 || code == 4) && d > 10000))) {
    r.error = kGross;
    return;
  }
  int64_t value = Discounted(m, static_cast<int>(code), d, g);
  if (value < 0) {
    r.error = kGross;
    return;
  }
  if (m.tx.block_lines > 0 && m.tx.lines >= m.tx.block_lines) {
    r.error = kLineCount;
    return;
  }
  bool storno = number == 0;
  std::string mark(deposit ? "P" : std::string(1, letter[0]));
  if (deposit) {
    // Which deposit a line is follows the protocol chosen with "$9".
    bool returned, cancel;
    if (m.st.options.deposit_protocol == 0) {
      returned = number == 10 || number == 11;
      cancel = number == 7 || number == 11;
    } else {
      returned = number == 0;
      cancel = false;
    }
    int64_t& reg = returned ? m.tx.deposits_returned : m.tx.deposits_taken;
    if (cancel && reg < value) {
      r.error = kRegister;
      return;
    }
    reg += cancel ? -value : value;
    m.tx.total += (returned != cancel) ? -value : value;
  } else if (storno) {
    if (m.tx.sales[li] < value) {
      r.error = kRegister;
      return;
    }
    m.tx.sales[li] -= value;
    m.tx.total -= value;
  } else {
    if (m.tx.total + value > kMaxReceipt) {
      r.error = kRegister;
      return;
    }
    m.tx.sales[li] += value;
    m.tx.total += value;
  }
  ++m.tx.lines;
  // The seller may have rounded a percentage the other way; the total sent at the closing may
  // then differ by a grosz for each such line.
  if (code == 2 || code == 4) ++m.tx.rounding_slack;
  char right[96];
  snprintf(right, sizeof right, "%s x%s %s%s %s", std::string(Trim(qty)).c_str(),
           Amount(p, ',').c_str(), storno ? "-" : "", Amount(g, ',').c_str(), mark.c_str());
  m.tx.printed.push_back(m.Line(m.Utf8(name), right));
  // Lines cancelled later stay in the control number; the cancelling lines and deposits do not.
  if (!storno && !deposit) m.tx.control.push_back(SaleItem(name, letter[0]));
  if (code) {
    static const char* kNames[] = {"", "rabat", "rabat", "narzut", "narzut"};
    m.tx.printed.push_back(m.Line(kNames[code], Amount(value - g, ',')));
  }
  if (storno) m.tx.printed.push_back("   STORNO");
}

// Applies the receipt discount to the lettered sales and returns the amount due before
// deposits; false when the discount cannot be applied. A percentage works on each letter by
// itself; an amount is spread over the letters in proportion, the rounding rest going to the
// largest.
bool ReceiptDiscount(const Machine& m, long type, int64_t value,
                     std::array<int64_t, kLetters>* sales, int64_t* due) {
  int64_t sum = 0;
  for (int64_t s : m.tx.sales) sum += s;
  if (type < 0 || type > 4 || value < 0 || (type == 1 && value > 10000)) return false;
  *sales = m.tx.sales;
  if (type == 1 || type == 2) {
    *due = 0;
    for (int64_t& s : *sales) {
      s = Percent(m, s, value, type == 2);
      *due += s;
    }
    return true;
  }
  int64_t after = type == 3 ? sum - value : type == 4 ? sum + value : sum;
  if (after < 0) return false;
  if (sum > 0 && after != sum) {
    int64_t spread = 0;
    int largest = 0;
    for (int i = 0; i < kLetters; ++i) {
      (*sales)[i] = RoundDiv(m.tx.sales[i] * after, sum);
      spread += (*sales)[i];
      if (m.tx.sales[i] > m.tx.sales[largest]) largest = i;
    }
    (*sales)[largest] += after - spread;
  }
  *due = after;
  return true;
}

bool TotalMatches(const Machine& m, int64_t total) {
  int64_t diff = total - m.tx.total;
  return diff <= m.tx.rounding_slack && -diff <= m.tx.rounding_slack;
}

// An additional line of a closing; "$16 value amount 0 multiplier code rate 0" is a payment in
// a foreign currency, printed as the amount in the currency and its value at the rate.
void AddExtraLine(const Machine& m, std::string_view extra, std::vector<std::string>* lines) {
  std::vector<std::string_view> words;
  for (std::string_view rest = extra; !rest.empty();) {
    const size_t space = rest.find(' ');
    words.push_back(rest.substr(0, space));
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
  }
  int64_t value, amount;
  if (words.size() == 8 && words[0] == "$16" && ParseAmount(words[1], &value) &&
      ParseAmount(words[2], &amount) && words[5].size() == 3) {
    const std::string code(words[5]);
    lines->push_back(m.Line("WALUTA " + code + " " + Amount(amount, ','), Amount(value, ',')));
    lines->push_back("  kurs " + std::string(words[4]) + " " + code + " = " +
                     std::string(words[6]) + " PLN");
    return;
  }
  lines->push_back(m.Utf8(extra));
}

void FinishReceipt(Machine& m, const std::array<int64_t, kLetters>& sales, int64_t due,
                   int64_t cash_in, std::string_view cashier,
                   const std::vector<std::string_view>& extra_lines,
                   const std::vector<std::string>& payments) {
  std::vector<std::string> lines = m.DocumentStart("PARAGON FISKALNY");
  lines.insert(lines.end(), m.tx.printed.begin(), m.tx.printed.end());
  lines.push_back(std::string(static_cast<size_t>(m.st.Model().line_width), '-'));
  int64_t vat_total = 0;
  for (int i = 0; i < kLetters; ++i) {
    if (sales[i] == 0) continue;
    std::string l(1, static_cast<char>('A' + i));
    int rate = m.st.rates[i];
    lines.push_back(m.Line("SPRZEDAŻ OPODATK. " + l, Amount(sales[i], ',')));
    int64_t vat = VatOf(sales[i], rate);
    vat_total += vat;
    std::string rate_text = rate == kRateExempt ? "SP.ZW." : Amount(rate, ',') + " %";
    lines.push_back(m.Line("PTU " + l + " " + rate_text, Amount(vat, ',')));
  }
  lines.push_back(m.Line("SUMA PTU", Amount(vat_total, ',')));
  if (m.tx.deposits_taken)
    lines.push_back(m.Line("KAUCJA POBRANA", Amount(m.tx.deposits_taken, ',')));
  if (m.tx.deposits_returned)
    lines.push_back(m.Line("KAUCJA ZWRÓCONA", Amount(m.tx.deposits_returned, ',')));
  lines.push_back(m.Line("SUMA PLN", Amount(due, ',')));
  lines.insert(lines.end(), payments.begin(), payments.end());
  if (!m.tx.buyer_nip.empty()) lines.push_back("NIP NABYWCY: " + m.Utf8(m.tx.buyer_nip));
  for (std::string_view extra : extra_lines) AddExtraLine(m, extra, &lines);
  if (!m.tx.system_number.empty()) lines.push_back("Nr sys. " + m.Utf8(m.tx.system_number));
  if (!m.tx.qr.empty()) lines.push_back("[QR " + m.Utf8(m.tx.qr) + "]");
  DateTime now = m.Now();
  char number[64], time[16];
  snprintf(number, sizeof number, "#%d %s", m.st.receipt_count + 1, m.Utf8(cashier).c_str());
  snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  lines.push_back(m.Line(number, time));
  std::vector<std::string> items{DocumentItem(m.st.document_number, now)};
  items.insert(items.end(), m.tx.control.begin(), m.tx.control.end());
  if (!m.tx.buyer_nip.empty()) items.push_back("X|" + m.tx.buyer_nip);
  items.push_back(TotalsItem(vat_total, due, m.st.receipt_count + 1, m.st.unique_number, now));
  lines.push_back(m.Line("", m.st.unique_number));
  lines.push_back(ControlNumber(items));
  m.Print(lines);

  // A printer that keeps invoices books a sale to a buyer with a tax number as an invoice.
  const bool invoice = m.st.Model().copy_mode == 2 && !m.tx.buyer_nip.empty();
  for (int i = 0; i < kLetters; ++i) (invoice ? m.st.invoice_sales : m.st.sales)[i] += sales[i];
  if (invoice) ++m.st.invoices_today;
  if (m.st.first_sale == 0) m.st.first_sale = ToEpoch(m.Now());
  m.st.last_sale = ToEpoch(m.Now());
  ++m.st.receipts_today;
  ++m.st.receipt_count;
  m.st.cash += cash_in;
  m.tx = Transaction();
  m.last_transaction_ok = true;
  m.dirty = true;
}

bool ReadLines(FieldReader& f, long count, size_t width, std::vector<std::string_view>* out) {
  for (long i = 0; i < count; ++i) {
    std::string_view v;
    if (!f.Next('\r', &v) || v.size() > width) return false;
    out->push_back(v);
  }
  return true;
}

void CloseReceipt(Machine& m, const Command& c, Result& r) {
  long kind;
  if (!c.Num(0, &kind) || kind > 1) {
    r.error = c.count() == 0 ? kCount : kParam;
    return;
  }
  if (kind == 0) {
    if (!m.tx.open) {
      r.error = kNoTransaction;
      return;
    }
    std::vector<std::string> lines = m.DocumentStart("PARAGON FISKALNY");
    lines.insert(lines.end(), m.tx.printed.begin(), m.tx.printed.end());
    lines.push_back("*** PARAGON ANULOWANY ***");
    DateTime now = m.Now();
    char time[16];
    snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    lines.push_back(m.Line(time, m.st.unique_number));
    std::vector<std::string> items{DocumentItem(m.st.document_number, now)};
    items.insert(items.end(), m.tx.control.begin(), m.tx.control.end());
    items.push_back(CancelItem(m.st.unique_number, now));
    lines.push_back(ControlNumber(items));
    m.Print(lines);
    ++m.st.cancelled_today;
    m.st.cancelled_amount_today += m.tx.total;
    m.tx = Transaction();
    m.last_transaction_ok = false;
    return;
  }
  if (c.count() > 6) {
    r.error = kCount;
    return;
  }
  long extra = c.NumOr(2, 0), type = c.NumOr(4, 0);
  for (size_t i = 1; i < c.count(); ++i)
    if (c.NumOr(i, -1) < 0) {
      r.error = kParam;
      return;
    }
  FieldReader f(c.fields);
  std::string_view cashier, payment, total, discount;
  std::vector<std::string_view> extra_lines;
  if (!f.Next('\r', &cashier)) {
    r.error = kCount;
    return;
  }
  if (!ReadLines(f, extra, static_cast<size_t>(m.st.Model().line_width), &extra_lines)) {
    r.error = kExtraLines;
    return;
  }
  if (!f.Next('/', &payment) || !f.Next('/', &total) || (type && !f.Next('/', &discount))) {
    r.error = kCount;
    return;
  }
  if (!m.tx.open) {
    r.error = kNotOpened;
    return;
  }
  if (m.tx.block_lines > 0 && m.tx.lines != m.tx.block_lines) {
    // A receipt started in block mode closes only with as many lines as it announced.
    r.error = kLineCount;
    return;
  }
  if (cashier.size() > kMaxCashier) {
    r.error = kCashierText;
    return;
  }
  int64_t t, d = 0, paid = -1, due;
  std::array<int64_t, kLetters> sales;
  if (!ParseAmount(Trim(total), &t) || !TotalMatches(m, t) ||
      (type && !ParseAmount(Trim(discount), &d)) || !ReceiptDiscount(m, type, d, &sales, &due)) {
    r.error = kTotal;
    return;
  }
  due += m.tx.deposits_taken - m.tx.deposits_returned;
  if (!Trim(payment).empty() && (!ParseAmount(Trim(payment), &paid) || paid < due)) {
    r.error = kPayment;
    return;
  }
  std::vector<std::string> payments;
  if (paid >= 0) {
    payments.push_back(m.Line("GOTÓWKA", Amount(paid, ',')));
    if (paid > due) payments.push_back(m.Line("RESZTA", Amount(paid - due, ',')));
  }
  FinishReceipt(m, sales, due, due, cashier, extra_lines, payments);
}

void ExtendedClose(Machine& m, const Command& c, Result& r) {
  if (c.count() != 11) {
    r.error = kCount;
    return;
  }
  long p[11];
  for (int i = 0; i < 11; ++i)
    if (!c.Num(i, &p[i]) || (i >= 4 && p[i] > 1) || (i == 3 && p[i] > 4)) {
      r.error = kParam;
      return;
    }
  FieldReader f(c.fields);
  std::string_view cashier, names[3], amounts[9];
  std::vector<std::string_view> extra_lines;
  if (!f.Next('\r', &cashier)) {
    r.error = kCount;
    return;
  }
  // At least five line slots always follow the cashier, filled or empty.
  if (!ReadLines(f, std::max(p[0], 5L), static_cast<size_t>(m.st.Model().line_width),
                 &extra_lines)) {
    r.error = kExtraLines;
    return;
  }
  extra_lines.resize(static_cast<size_t>(p[0]));
  for (auto& n : names)
    if (!f.Next('\r', &n)) {
      r.error = kCount;
      return;
    }
  for (auto& a : amounts)
    if (!f.Next('/', &a)) {
      r.error = kCount;
      return;
    }
  if (!m.tx.open) {
    r.error = kNotOpened;
    return;
  }
  if (m.tx.block_lines > 0 && m.tx.lines != m.tx.block_lines) {
    // A receipt started in block mode closes only with as many lines as it announced.
    r.error = kLineCount;
    return;
  }
  if (cashier.size() > kMaxCashier) {
    r.error = kCashierText;
    return;
  }
  int64_t v[9] = {};
  for (int i = 0; i < 9; ++i) {
    bool used = i == 0 || (i == 1 && p[3]) || (i >= 2 && p[2 + i]);
    if (used && (!ParseAmount(Trim(amounts[i]), &v[i]) || v[i] < 0)) {
      r.error = i < 2 ? kTotal : kPayment;
      return;
    }
    if (!used) v[i] = 0;
  }
  int64_t due;
  std::array<int64_t, kLetters> sales;
  if (!TotalMatches(m, v[0]) || !ReceiptDiscount(m, p[3], v[1], &sales, &due)) {
    r.error = kTotal;
    return;
  }
  due += m.tx.deposits_taken - m.tx.deposits_returned + v[6] - v[7];
  int64_t paid = v[2] + v[3] + v[4] + v[5];
  bool any = p[4] || p[5] || p[6] || p[7];
  if ((any && paid - v[8] < due) || v[8] > v[2]) {
    r.error = kPayment;
    return;
  }
  std::vector<std::string> payments;
  static const char* kForms[] = {"GOTÓWKA", "KARTA", "CZEK", "BON"};
  for (int i = 0; i < 4; ++i) {
    if (!p[4 + i]) continue;
    std::string label = kForms[i];
    if (i > 0 && !names[i - 1].empty()) label += " " + m.Utf8(names[i - 1]);
    payments.push_back(m.Line(label, Amount(v[2 + i], ',')));
  }
  if (p[10]) payments.push_back(m.Line("RESZTA", Amount(v[8], ',')));
  int64_t cash_in = any ? v[2] - v[8] : due;
  FinishReceipt(m, sales, due, cash_in, cashier, extra_lines, payments);
}

void BuyerNip(Machine& m, const Command& c, Result& r) {
  bool form = (c.count() == 1 && c.NumOr(0, -1) == 1) ||
              (c.count() == 2 && c.NumOr(0, -1) == 100 && c.NumOr(1, -1) == 1);
  std::string_view nip;
  FieldReader f(c.fields);
  if (!form) {
    r.error = c.count() == 1 || c.count() == 2 ? kParam : kCount;
  } else if (!f.Next('\r', &nip) || nip.empty() || nip.size() > 20) {
    r.error = kBadNip;
  } else if (!m.tx.open) {
    r.error = kNoTransaction;
  } else {
    m.tx.buyer_nip = std::string(nip);
  }
}

void QrCode(Machine& m, const Command& c, Result& r) {
  std::string_view text;
  FieldReader f(c.fields);
  if (c.count() != 0) {
    r.error = kCount;
  } else if (!f.Next('\r', &text) || text.empty() || text.size() > 128) {
    r.error = kParam;
  } else if (!m.tx.open) {
    r.error = kNoTransaction;
  } else {
    m.tx.qr = std::string(text);
  }
}

}  // namespace

void HandleSales(Machine& m, const Command& c, Result& r) {
  const std::string& d = c.designator;
  if (d == "$h")
    StartReceipt(m, c, r);
  else if (d == "$l")
    SaleLine(m, c, r);
  else if (d == "$e")
    CloseReceipt(m, c, r);
  else if (d == "$x")
    ExtendedClose(m, c, r);
  else if (d == "$z")
    BuyerNip(m, c, r);
  else if (d == "#Q")
    QrCode(m, c, r);
}

}  // namespace kelm::emu
