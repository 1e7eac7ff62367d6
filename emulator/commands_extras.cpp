// Card confirmations, currencies, cash in and out, orders, goods-base reports and paper feed.
#include <cstdio>

#include "emulator/fiscal_memory.h"
#include "emulator/machine.h"

namespace kelm::emu {

namespace {

bool ReadFields(FieldReader& f, int count, char end, std::vector<std::string_view>* out) {
  for (int i = 0; i < count; ++i) {
    std::string_view v;
    if (!f.Next(end, &v)) return false;
    out->push_back(v);
  }
  return true;
}

void CardConfirmation(Machine& m, const Command& c, Result& r) {
  long line, mode;
  if (c.count() != 2) {
    r.error = kCount;
    return;
  }
  if (!c.Num(0, &line) || !c.Num(1, &mode) || line > 1 || mode > 2) {
    r.error = kParam;
    return;
  }
  FieldReader f(c.fields);
  std::vector<std::string_view> v;
  if (!ReadFields(f, 10, '\r', &v) || !ReadFields(f, 1, '/', &v)) {
    r.error = kCount;
    return;
  }
  // Errors 41 to 51 name the fields in the order they come.
  static const size_t kMax[] = {8, 8, 12, 40, 16, 20, 24, 2, 4, 12, 12};
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i].size() > kMax[i]) {
      r.error = static_cast<int>(41 + i);
      return;
    }
  int64_t amount;
  if (!ParseAmount(v[10], &amount) || amount < 0) {
    r.error = 51;
    return;
  }
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  bool debit = c.designator == "#g";
  std::vector<std::string> lines =
      m.DocumentStart(debit ? "POKWITOWANIE SPRZEDAŻY" : "TRANSAKCJA UZNANA");
  if (line == 0) lines.push_back("Kasa " + m.Utf8(v[0]) + "  Kasjer " + m.Utf8(v[1]));
  lines.push_back(m.Line("Paragon", m.Utf8(v[2])));
  lines.push_back(m.Line("Kontrahent", m.Utf8(v[3])));
  lines.push_back(m.Line("Terminal", m.Utf8(v[4])));
  lines.push_back(m.Line(m.Utf8(v[5]), m.Utf8(v[6])));
  lines.push_back(m.Line("Ważna do", m.Utf8(v[7]) + "/" + m.Utf8(v[8])));
  lines.push_back(m.Line("Kod autoryzacji", m.Utf8(v[9])));
  lines.push_back(m.Line("KWOTA", Amount(amount, ',') + " PLN"));
  m.Print(lines);
  if (mode != 2) {
    lines.push_back("KOPIA");
    m.Print(lines);
  }
}

// An exchange rate: up to nine digits with at most one decimal point anywhere among them.
bool ValidRate(std::string_view rate) {
  int digits = 0, points = 0;
  for (char ch : rate) {
    if (ch >= '0' && ch <= '9')
      ++digits;
    else if (ch == '.')
      ++points;
    else
      return false;
  }
  return digits > 0 && digits <= 9 && points <= 1;
}

void CurrencyConversion(Machine& m, const Command& c, Result& r) {
  long on;
  if (c.count() != 1) {
    r.error = kCount;
  } else if (!c.Num(0, &on) || on > 1) {
    r.error = kParam;
  } else if (on == 0) {
    m.st.options.currency_print = 0;
  } else {
    FieldReader f(c.fields);
    std::string_view multiplier, code, rate, home;
    if (!f.Next('/', &multiplier) || !f.Next('\r', &code) || !f.Next('\r', &rate) ||
        !f.Next('\r', &home) || code.size() != 3 || home.size() != 3 || !ValidRate(rate)) {
      r.error = kParam;
      return;
    }
    m.st.options.currency_print = 1;
    m.st.options.currency_texts = std::string(c.fields);
  }
  if (!r.error) m.dirty = true;
}

void AccountingCurrency(Machine& m, const Command& c, Result& r) {
  long mode, y, mo, d;
  if (c.count() != 6) {
    r.error = kCount;
    return;
  }
  if (!c.Num(0, &mode) || mode > 2 || !c.Num(1, &y) || !c.Num(2, &mo) || !c.Num(3, &d)) {
    r.error = kParam;
    return;
  }
  FieldReader f(c.fields);
  std::string_view code;
  if (!f.Next('\r', &code) || code.size() != 3) {
    r.error = 120;
    return;
  }
  Options& o = m.st.options;
  if (mode == 2) {
    if (o.scheduled_currency.empty())
      r.error = kNoScheduledCurrency;
    else
      o.scheduled_currency.clear();
  } else if (code == o.accounting_currency) {
    r.error = kCurrencyUnchanged;
  } else if (mode == 0) {
    if (!m.TotalsZero()) {
      r.error = kNonZeroTotals;
      return;
    }
    o.accounting_currency = std::string(code);
    StoreCurrency(m.st, o.accounting_currency, m.Now());
  } else {
    DateTime when{2000 + static_cast<int>(y),
                  static_cast<int>(mo),
                  static_cast<int>(d),
                  static_cast<int>(c.NumOr(4, 0)),
                  static_cast<int>(c.NumOr(5, 0)),
                  0};
    if (!ValidDate(when.year, when.month, when.day)) {
      r.error = kBadDate;
      return;
    }
    o.scheduled_currency = std::string(code);
    o.currency_when = when;
  }
  if (!r.error) m.dirty = true;
}

void CashInOut(Machine& m, const Command& c, Result& r) {
  FieldReader f(c.fields);
  std::string_view text;
  int64_t amount;
  if (c.count() != 0) {
    r.error = kCount;
  } else if (!f.Next('/', &text) || !ParseAmount(text, &amount) || amount < 0) {
    r.error = kCashAmount;
  } else if (m.tx.open) {
    r.error = kInTransaction;
  } else {
    bool in = c.designator == "#i";
    std::vector<std::string> lines = m.DocumentStart(in ? "WPŁATA DO KASY" : "WYPŁATA Z KASY");
    lines.push_back(m.Line(in ? "Wpłata" : "Wypłata", Amount(amount, ',')));
    if (!in && amount > m.st.cash) {
      // The drawer cannot go below zero; the printer empties it and says so.
      r.error = kCashNegative;
      m.st.cash = 0;
    } else {
      m.st.cash += in ? amount : -amount;
    }
    lines.push_back(m.Line("Stan kasy", Amount(m.st.cash, ',')));
    m.Print(lines);
  }
}

// "#l" is the paper feed with one parameter and the order print-out with four.
void FeedOrOrder(Machine& m, const Command& c, Result& r) {
  if (c.count() == 1) {
    long n;
    if (!c.Num(0, &n) || n > 20)
      r.error = kParam;
    else
      m.Print(std::vector<std::string>(static_cast<size_t>(n), ""));
    return;
  }
  if (c.count() != 4 || c.params[0] != "0" || c.params[1] != "1" || c.params[3].size() != 1) {
    r.error = c.count() == 4 ? kParam : kCount;
    return;
  }
  long step;
  int extra = c.params[3][0] - '0';
  if (!c.Num(2, &step) || step > 2 || extra < 0 || extra > 40) {
    r.error = kParam;
    return;
  }
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  FieldReader f(c.fields);
  std::vector<std::string_view> head, lines;
  if (!ReadFields(f,
                  step == 0   ? 1
                  : step == 1 ? 2
                              : 0,
                  '\r', &head) ||
      !ReadFields(f, extra, '\r', &lines)) {
    r.error = kExtraLines;
    return;
  }
  if ((step == 0) == m.order_open) {
    r.error = step == 0 ? kTransactionOpen : kNoTransaction;
    return;
  }
  // The order is one document: it goes to paper when it ends.
  std::vector<std::string>& out = m.order_lines;
  if (step == 0) {
    out = m.DocumentStart("ZAMÓWIENIE");
    out.push_back("Zamawiający: " + m.Utf8(head[0]));
    m.order_open = true;
  } else if (step == 1) {
    out.push_back(m.Line(m.Utf8(head[0]), m.Utf8(head[1])));
  }
  for (std::string_view l : lines) out.push_back(m.Utf8(l));
  if (step == 2) {
    out.push_back("KONIEC ZAMÓWIENIA");
    m.order_open = false;
    m.Print(out);
    out.clear();
  }
}

void GoodsBase(Machine& m, const Command& c, Result& r) {
  long step, kind = -1;
  if (c.count() < 1 || c.count() > 2) {
    r.error = kCount;
    return;
  }
  if (!c.Num(0, &step) || step > 2 ||
      (c.count() == 2 && (!c.Num(1, &kind) || kind > 6 || kind == 3))) {
    r.error = kParam;
    return;
  }
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  // Kinds 4 to 6 are the same reports for the tickets of a bus printer.
  static const char* kTitles[] = {"PRZYPORZĄDKOWANIE NAZW DO STAWEK", "ZMIANY PRZYPORZĄDKOWANIA",
                                  "TOWARY ZABLOKOWANE"};
  if (step == 0) {
    m.base_report_kind = kind < 0 ? 0 : static_cast<int>(kind);
    m.base_lines = m.DocumentStart(kTitles[m.base_report_kind % 4]);
  } else if (m.base_report_kind < 0) {
    r.error = kNoTransaction;
  } else if (step == 1) {
    FieldReader f(c.fields);
    std::string_view name, item, letters;
    bool ticket = kind >= 4;
    if (!f.Next('\r', &name) || (ticket && !f.Next('\r', &item)) || !f.Next('/', &letters)) {
      r.error = kCount;
    } else if (name.empty() || name.size() > 40) {
      r.error = kName;
    } else if (letters.empty() || LetterIndex(letters[0]) < 0) {
      r.error = kRateLetter;
    } else {
      std::string left = m.Utf8(name) + (ticket ? " / " + m.Utf8(item) : "");
      m.base_lines.push_back(m.Line(left, m.Utf8(letters)));
    }
  } else {
    m.base_lines.push_back("KONIEC RAPORTU");
    m.Print(m.base_lines);
    m.base_lines.clear();
    m.base_report_kind = -1;
  }
}

}  // namespace

void HandleSalesExtras(Machine& m, const Command& c, Result& r) {
  const std::string& d = c.designator;
  if (d == "#g" || d == "#h") {
    CardConfirmation(m, c, r);
  } else if (d == "$$") {
    CurrencyConversion(m, c, r);
  } else if (d == "##") {
    AccountingCurrency(m, c, r);
  } else if (d == "#i" || d == "#d") {
    CashInOut(m, c, r);
  } else if (d == "#t") {
    if (m.tx.open) {
      r.error = kInTransaction;
      return;
    }
    std::vector<std::string> lines = m.DocumentStart("STAN KASY");
    lines.push_back(m.Line("Gotówka w kasie", Amount(m.st.cash, ',')));
    m.Print(lines);
  } else if (d == "#l") {
    FeedOrOrder(m, c, r);
  } else if (d == "#b") {
    GoodsBase(m, c, r);
  }
}

}  // namespace kelm::emu
