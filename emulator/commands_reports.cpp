// Fiscal reports: daily (stored in the fiscal memory), periodic, cash/shift; cashier log-in/out.
#include <cstdio>

#include "emulator/daily_digest.h"
#include "emulator/fiscal_memory.h"
#include "emulator/machine.h"

namespace kelm::emu {

namespace {

// The fiscal memory chip holds this many daily reports.
constexpr size_t kFiscalMemoryReports = 1830;

std::string RateText(int rate) {
  return rate == kRateExempt ? "SP.ZW." : rate == kRateUndefined ? "---" : Amount(rate, ',') + " %";
}

// The daily report of the printers without an electronic copy: the letters that sold, and a
// control number over them.
void PlainReportLines(Machine& m, const DailyReport& d, std::vector<std::string>* out) {
  std::vector<std::string>& lines = *out;
  char date[48];
  snprintf(date, sizeof date, "%02d-%02d-%02d%02d", d.when.day, d.when.month, d.when.year / 100,
           d.when.year % 100);
  DailyDigest digest;
  digest.Start(date, static_cast<uint32_t>(d.number));
  int64_t sales = 0, vat = 0;
  for (bool exempt : {false, true}) {
    for (int i = 0; i < kLetters; ++i) {
      if (d.sales[i] == 0 || (d.rates[i] == kRateExempt) != exempt) continue;
      std::string l(1, static_cast<char>('A' + i));
      lines.push_back(m.Line((exempt ? "SPRZED. ZWOL. PTU " : "SPRZED. OPOD. PTU ") + l,
                             Amount(d.sales[i], ',')));
      digest.Sale(i, static_cast<uint32_t>(d.sales[i]));
      sales += d.sales[i];
    }
  }
  for (int i = 0; i < kLetters; ++i) {
    if (d.sales[i] == 0 || d.rates[i] == kRateExempt) continue;
    lines.push_back(
        m.Line(std::string("KWOTA PTU ") + static_cast<char>('A' + i), Amount(d.vat[i], ',')));
    vat += d.vat[i];
  }
  lines.push_back(m.Line("ŁĄCZNA KWOTA PTU", Amount(vat, ',')));
  digest.Value(static_cast<uint32_t>(vat));
  lines.push_back(m.Line("ŁĄCZNA NALEŻNOŚĆ", Amount(sales, ',')));
  lines.push_back(m.Line("PARAGONÓW ANULOWANYCH " + std::to_string(d.cancelled), ""));
  lines.push_back(m.Line("ILOŚĆ PARAGONÓW", std::to_string(d.receipts)));
  digest.Value(static_cast<uint32_t>(d.receipts));

  int64_t running = 0;
  for (const DailyReport& r : m.st.fiscal_memory)
    for (int64_t v : r.vat) running += v;
  char range[64];
  snprintf(range, sizeof range, "KWOTY ŁĄCZNE OD RAP. NR %4d DO %4d", 1, d.number);
  lines.push_back(range);
  lines.push_back(m.Line("ŁĄCZNA KWOTA PTU", Amount(running, ',')));
  digest.RunningTotal(static_cast<uint16_t>(running / kRunningTotalUnit),
                      static_cast<uint32_t>(running % kRunningTotalUnit));
  lines.push_back(m.Line("", m.st.unique_number));
  std::string code = "#" + digest.Finish(m.st.unique_number, "00:00:00") + "#";
  size_t width = static_cast<size_t>(m.st.Model().line_width);
  lines.push_back(std::string(code.size() < width ? (width - code.size()) / 2 : 0, ' ') + code);
}

// The daily report of the printers with an electronic copy: every letter in use, in the order
// the report digest takes them, closed by the digest as its control number.
void DigestReportLines(Machine& m, size_t index, std::vector<std::string>* out) {
  std::vector<std::string>& lines = *out;
  const PrinterState& st = m.st;
  const DailyReport& d = st.fiscal_memory[index];
  const RecordType type = RecordTypeOf(st);
  const int layout = DailyLayout(type);
  const TaxRateEntry& rates = st.tax_rates.back();
  const bool invoices = layout != 174 && type.copy_mode == 2;
  const char* mark = layout == 290 ? "FV" : "VF";
  auto letter = [](int i) { return std::string(1, static_cast<char>('A' + i)); };
  auto taxed = [&](int i) { return rates.uses[i] == kUseTaxed || rates.uses[i] == kUseSurcharge; };
  auto exempt = [&](int i) {
    return rates.uses[i] == kUseExempt || rates.uses[i] == kUseExemptSurcharge;
  };
  int64_t due = 0;
  for (int i = 0; i < kLetters; ++i)
    if (taxed(i))
      lines.push_back(m.Line("SPRZED. OPOD. PTU " + letter(i), Amount(d.sales[i], ',')));
  for (int i = 0; invoices && i < kLetters; ++i)
    if (rates.uses[i] == kUseTaxed)
      lines.push_back(
          m.Line("SPRZED. OPOD. PTU " + letter(i) + mark, Amount(d.invoice_sales[i], ',')));
  for (int i = 0; i < kLetters; ++i)
    if (exempt(i))
      lines.push_back(m.Line("SPRZED. ZWOL. PTU " + letter(i), Amount(d.sales[i], ',')));
  for (int i = 0; invoices && i < kLetters; ++i)
    if (rates.uses[i] == kUseExempt)
      lines.push_back(
          m.Line("SPRZED. ZWOL. PTU " + letter(i) + mark, Amount(d.invoice_sales[i], ',')));
  for (int i = 0; i < kLetters; ++i) {
    due += d.sales[i] + (invoices ? d.invoice_sales[i] : 0);
    if (!taxed(i) || rates.rates[i] == 0) continue;
    lines.push_back(m.Line("KWOTA PTU " + letter(i), Amount(d.vat[i], ',')));
    if (invoices && rates.uses[i] == kUseTaxed)
      lines.push_back(m.Line("KWOTA PTU " + letter(i) + mark, Amount(d.invoice_vat[i], ',')));
  }
  lines.push_back(m.Line("ŁĄCZNA KWOTA PTU", Amount(ReportVatSum(d, type), ',')));
  lines.push_back(m.Line("ŁĄCZNA NALEŻNOŚĆ", Amount(due, ',')));
  lines.push_back(m.Line("PARAGONÓW ANULOWANYCH " + std::to_string(d.cancelled),
                         Amount(d.cancelled_amount, ',')));
  lines.push_back(m.Line("ILOŚĆ PARAGONÓW", std::to_string(d.receipts)));
  if (invoices) lines.push_back(m.Line("ILOŚĆ FAKTUR", std::to_string(d.invoices)));
  RunningTotals r = RunningUpTo(st, index);
  char range[64];
  snprintf(range, sizeof range, "KWOTY ŁĄCZNE OD RAP. NR %4d DO %4d", r.first_report, d.number);
  lines.push_back(range);
  for (int i = 0; i < kLetters; ++i)
    if (r.letters & (1u << i))
      lines.push_back(m.Line("KWOTA PTU " + letter(i), Amount(r.vat[i], ',')));
  lines.push_back(m.Line("ŁĄCZNA KWOTA PTU", Amount(r.total_vat, ',')));
  lines.push_back(m.Line("ŁĄCZNA NALEŻNOŚĆ", Amount(r.total_due, ',')));
  lines.push_back(m.Line("", st.unique_number));
  std::string code = "#" + DailyControlNumber(st, index) + "#";
  size_t width = static_cast<size_t>(st.Model().line_width);
  lines.push_back(std::string(code.size() < width ? (width - code.size()) / 2 : 0, ' ') + code);
}

void DailyReportCommand(Machine& m, const Command& c, Result& r) {
  long kind;
  if (!c.Num(0, &kind) || kind > 1) {
    r.error = c.count() == 0 ? kCount : kParam;
    return;
  }
  if ((kind == 0 && c.count() != 1) || (kind == 1 && c.count() != 4)) {
    r.error = kCount;
    return;
  }
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  DateTime now = m.Now();
  if (kind == 1) {
    long y, mo, d;
    if (!c.Num(1, &y) || !c.Num(2, &mo) || !c.Num(3, &d)) {
      r.error = kParam;
      return;
    }
    int key = static_cast<int>((2000 + y) * 10000 + mo * 100 + d);
    // Without the keyboard confirmation the date sent stands in for it and must be today.
    if (!ValidDate(static_cast<int>(2000 + y), static_cast<int>(mo), static_cast<int>(d))) {
      r.error = kBadDate;
      return;
    }
    if (key < m.st.DayOfLastRecord()) {
      r.error = kDateEarlier;
      return;
    }
    if (key != DateKey(now)) {
      r.error = kClock;
      return;
    }
  }
  if (DateKey(now) < m.st.DayOfLastRecord()) {
    r.error = kDateEarlier;
    return;
  }
  if (m.st.fiscal_memory.size() >= kFiscalMemoryReports) {
    r.error = kFiscalMemory;
    return;
  }
  StoreRatesIfChanged(m.st, now);
  PrinterState& st = m.st;
  const RecordType type = RecordTypeOf(st);
  DailyReport d;
  d.number = static_cast<int>(st.fiscal_memory.size()) + 1;
  d.when = now;
  d.rates = st.rates;
  d.sales = st.sales;
  d.invoice_sales = st.invoice_sales;
  for (int i = 0; i < kLetters; ++i) {
    d.vat[i] = VatOf(d.sales[i], d.rates[i]);
    d.invoice_vat[i] = VatOf(d.invoice_sales[i], d.rates[i]);
  }
  d.receipts = st.receipts_today;
  d.cancelled = st.cancelled_today;
  d.cancelled_amount = st.cancelled_amount_today;
  d.invoices = st.invoices_today;
  d.rate_set = st.tax_rates.back().number;
  if (st.pending_reset_kind != 0) {
    d.ram_reset_kind = st.pending_reset_kind;
    d.ram_reset_number = st.ram_resets & 0xFF;
  }
  d.first_sale = st.first_sale;
  d.last_sale = st.last_sale;
  if (type.copy_mode != 0) {
    d.copy_digest = st.copy_chain.size() == 20 ? st.copy_chain : std::string(20, '\0');
  }
  st.fiscal_memory.push_back(d);
  std::vector<std::string> lines = m.DocumentStart("RAPORT FISKALNY DOBOWY");
  lines.push_back(m.Line("", "Nr rap. " + std::to_string(d.number)));
  for (int i = 0; i < kLetters; ++i) {
    std::string l(1, static_cast<char>('A' + i));
    lines.push_back(m.Line("PTU " + l, RateText(d.rates[i])));
  }
  if (LayoutHasDigest(DailyLayout(type)))
    DigestReportLines(m, st.fiscal_memory.size() - 1, &lines);
  else
    PlainReportLines(m, d, &lines);
  m.Print(lines);

  st.sales = {};
  st.invoice_sales = {};
  st.receipts_today = 0;
  st.cancelled_today = 0;
  st.cancelled_amount_today = 0;
  st.invoices_today = 0;
  st.first_sale = 0;
  st.last_sale = 0;
  st.pending_reset_kind = 0;
  st.copy_chain.clear();
  m.dirty = true;
}

// "#o" with 128: nothing is printed; the fiscal memory goes to the computer as records, one
// per ENQ, at the speed the command names (see Machine::Readout).

// The endless-currency fault: every range and closing record says another pass follows. Byte 1
// of the body carries the flag (bits 7 and 6 are the 859 model's flags), and the check byte
// takes back what the flag added.
void AnnounceMoreCurrencies(ReadoutPasses* passes) {
  for (std::vector<std::string>& pass : *passes) {
    for (std::string& record : pass) {
      const int type = static_cast<unsigned char>(record[0]) & 0x7F;
      if ((type != 10 && type != 11) || record.size() < 4) continue;
      const auto before = static_cast<unsigned char>(record[2]);
      const auto after = static_cast<unsigned char>(before | 1);
      record[2] = static_cast<char>(after);
      record.back() =
          static_cast<char>(static_cast<unsigned char>(record.back()) - (after - before));
    }
  }
}

void ReadoutCommand(Machine& m, const Command& c, Result& r) {
  ReadoutRequest q;
  FieldReader f(c.fields);
  std::string_view first, last, speed;
  long p[7] = {};
  for (int i = 0; i < 7; ++i)
    if (!c.Num(i, &p[i])) {
      r.error = kParam;
      return;
    }
  if (c.fields.substr(0, 2) == "\r\r") {
    // Months and dates: year, month, day twice, then the flags.
    q.flags = p[6];
    f.Next('\r', &first);
    f.Next('\r', &last);
    int y1 = static_cast<int>(2000 + p[0]), m1 = static_cast<int>(p[1]),
        d1 = static_cast<int>(p[2]);
    if (d1 == 0 && p[3] == 0 && p[4] == 0 && p[5] == 0) {
      DateTime now = m.Now();
      if (!ValidDate(y1, m1, 1)) {
        r.error = kBadDate;
        return;
      }
      if (y1 * 100 + m1 >= now.year * 100 + now.month) {
        r.error = 133;  // the month is not over yet
        return;
      }
      int last_day = 31;
      while (!ValidDate(y1, m1, last_day)) --last_day;
      q.period_from = {y1, m1, 1, 0, 0, 0};
      q.period_to = {y1, m1, last_day, 0, 0, 0};
    } else {
      int y2 = static_cast<int>(2000 + p[3]), m2 = static_cast<int>(p[4]),
          d2 = static_cast<int>(p[5]);
      if (!ValidDate(y1, m1, d1) || !ValidDate(y2, m2, d2)) {
        r.error = kBadDate;
        return;
      }
      q.period_from = {y1, m1, d1, 0, 0, 0};
      q.period_to = {y2, m2, d2, 0, 0, 0};
    }
    q.from = DateKey(q.period_from);
    q.to = DateKey(q.period_to);
  } else {
    // Report numbers: the flags first, six zeros, the numbers as texts.
    q.flags = p[0];
    q.by_numbers = true;
    Command n;
    long a, b;
    if (!f.Next('/', &first) || !f.Next('/', &last)) {
      r.error = kCount;
      return;
    }
    n.params = {first, last};
    if (!n.Num(0, &a) || !n.Num(1, &b)) {
      r.error = kParam;
      return;
    }
    q.from = static_cast<int>(a);
    q.to = static_cast<int>(b);
  }
  if (q.from > q.to) {
    r.error = kParam;
    return;
  }
  std::string_view rest = f.rest();
  while (!rest.empty() && rest.front() == '\r') rest.remove_prefix(1);
  FieldReader sf(rest);
  Command n;
  if (sf.Next('/', &speed)) {
    n.params = {speed};
    q.baud = n.NumOr(0, 0);
  }
  m.readout = Machine::Readout();
  m.readout.passes = BuildReadout(m.st, q, m.Now(), m.faults.closing_off);
  m.faults.closing_off = 0;
  if (m.faults.endless_passes) AnnounceMoreCurrencies(&m.readout.passes);
  m.readout.baud = q.baud;
  m.readout.active = true;
}

void PeriodicReport(Machine& m, const Command& c, Result& r) {
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  long p[8] = {};
  int from = 0, to = 0;  // report numbers, or yyyymmdd dates
  bool by_number = false;
  long flags = 0;
  if (c.count() == 1) {
    FieldReader f(c.fields);
    std::string_view a, b;
    long x, y;
    flags = c.NumOr(0, -1);
    Command n;
    if (!f.Next('/', &a) || !f.Next('/', &b)) {
      r.error = kCount;
      return;
    }
    n.params = {a, b};
    if (flags < 0 || !n.Num(0, &x) || !n.Num(1, &y)) {
      r.error = kParam;
      return;
    }
    by_number = true;
    from = static_cast<int>(x), to = static_cast<int>(y);
  } else if (c.count() == 7) {
    for (int i = 0; i < 7; ++i)
      if (!c.Num(i, &p[i])) {
        r.error = kParam;
        return;
      }
    flags = p[6];
    if (flags & 4 || (p[0] == 0 && p[1] == 0 && p[3] == 0 && p[4] == 0)) {
      by_number = true;
      from = static_cast<int>(p[2]), to = static_cast<int>(p[5]);
    } else if (p[2] == 0 && p[3] == 0) {
      // A month: from its first to its last day, once the month is over.
      DateTime now = m.Now();
      int year = static_cast<int>(2000 + p[0]), month = static_cast<int>(p[1]);
      if (month < 1 || month > 12) {
        r.error = kBadDate;
        return;
      }
      if (year * 100 + month >= now.year * 100 + now.month) {
        r.error = 133;
        return;
      }
      from = year * 10000 + month * 100 + 1;
      to = year * 10000 + month * 100 + 31;
    } else {
      from = static_cast<int>((2000 + p[0]) * 10000 + p[1] * 100 + p[2]);
      to = static_cast<int>((2000 + p[3]) * 10000 + p[4] * 100 + p[5]);
      if (!ValidDate(from / 10000, from / 100 % 100, from % 100) ||
          !ValidDate(to / 10000, to / 100 % 100, to % 100)) {
        r.error = kBadDate;
        return;
      }
    }
  } else if (c.count() == 8 && c.NumOr(7, -1) == 128) {
    ReadoutCommand(m, c, r);
    return;
  } else {
    r.error = kCount;
    return;
  }
  if (from > to) {
    r.error = kParam;
    return;
  }
  std::vector<std::string> lines =
      m.DocumentStart((flags & 1) ? "RAPORT OKRESOWY (SKRÓCONY)" : "RAPORT OKRESOWY");
  if (flags & 2) lines.push_back("TRYB AWARYJNY");
  std::array<int64_t, kLetters> sales{}, vat{};
  int count = 0, receipts = 0;
  for (const DailyReport& d : m.st.fiscal_memory) {
    int key = by_number ? d.number : DateKey(d.when);
    if (key < from || key > to) continue;
    ++count;
    receipts += d.receipts;
    if (!(flags & 1)) {
      char head[64];
      snprintf(head, sizeof head, "Raport %d  %04d-%02d-%02d", d.number, d.when.year, d.when.month,
               d.when.day);
      int64_t sum = 0;
      for (int64_t s : d.sales) sum += s;
      lines.push_back(m.Line(head, Amount(sum, ',')));
    }
    for (int i = 0; i < kLetters; ++i) {
      sales[i] += d.sales[i];
      vat[i] += d.vat[i];
    }
  }
  if (count == 0) lines.push_back("BRAK RAPORTÓW W ZAKRESIE");
  for (int i = 0; i < kLetters; ++i) {
    if (sales[i] == 0) continue;
    std::string l(1, static_cast<char>('A' + i));
    lines.push_back(m.Line("SPRZEDAŻ " + l, Amount(sales[i], ',')));
    lines.push_back(m.Line("PTU " + l, Amount(vat[i], ',')));
  }
  lines.push_back(m.Line("ILOŚĆ RAPORTÓW DOBOWYCH", std::to_string(count)));
  lines.push_back(m.Line("ILOŚĆ PARAGONÓW", std::to_string(receipts)));
  m.Print(lines);
}

void ShiftReport(Machine& m, const Command& c, Result& r) {
  long kind;
  FieldReader f(c.fields);
  std::string_view shift, cashier;
  if (c.count() != 1) {
    r.error = kCount;
  } else if (!c.Num(0, &kind) || (kind != 0 && kind != 23)) {
    r.error = kParam;
  } else if (!f.Next('\r', &shift) || shift.size() > 20) {
    r.error = kShiftText;
  } else if (!f.Next('\r', &cashier) || cashier.size() > 20) {
    r.error = kCashierName;
  } else if (m.tx.open) {
    r.error = kInTransaction;
  } else {
    std::vector<std::string> lines =
        m.DocumentStart(kind == 0 ? "RAPORT ZMIANOWY ZERUJĄCY" : "RAPORT ZMIANOWY");
    lines.push_back(m.Line("Zmiana", m.Utf8(shift)));
    lines.push_back(m.Line("Kasjer", m.Utf8(cashier)));
    lines.push_back(m.Line("Paragony", std::to_string(m.st.receipts_today)));
    lines.push_back(m.Line("Gotówka w kasie", Amount(m.st.cash, ',')));
    m.Print(lines);
  }
}

void Cashier(Machine& m, const Command& c, Result& r) {
  FieldReader f(c.fields);
  std::string_view cashier, till;
  if (c.count() != 0) {
    r.error = kCount;
  } else if (!f.Next('\r', &cashier) || cashier.empty() || cashier.size() > 32) {
    r.error = kCashierName;
  } else if (!f.Next('\r', &till) || till.size() > 8) {
    r.error = 41;
  } else if (m.tx.open) {
    r.error = kInTransaction;
  } else {
    bool in = c.designator == "#p";
    // A log-out prints under the name it ends; the documents after it carry none.
    if (in) m.st.cashier = std::string(cashier);
    std::vector<std::string> lines =
        m.DocumentStart(in ? "ZALOGOWANIE KASJERA" : "WYLOGOWANIE KASJERA");
    lines.push_back(m.Line("Kasjer", m.Utf8(cashier)));
    lines.push_back(m.Line("Kasa", m.Utf8(till)));
    m.Print(lines);
    if (!in) m.st.cashier.clear();
    m.dirty = true;
  }
}

void ErrorTable(Machine& m, const Command& c, Result& r) {
  if (c.count() != 0) {
    r.error = kCount;
    return;
  }
  std::vector<std::string> lines = m.DocumentStart("TABLICA BŁĘDÓW");
  static const int kNumbers[] = {1,  2,  3,  4,   5,   6,   7,   8,   11,  12,  13,  15,  16,
                                 17, 18, 19, 20,  21,  22,  23,  25,  26,  27,  29,  30,  32,
                                 57, 82, 95, 129, 131, 133, 134, 135, 136, 142, 143, 144, 255};
  for (int n : kNumbers) lines.push_back(m.Line("Błąd", std::to_string(n)));
  m.Print(lines);
}

}  // namespace

void HandleReports(Machine& m, const Command& c, Result& r) {
  const std::string& d = c.designator;
  if (d == "#r")
    DailyReportCommand(m, c, r);
  else if (d == "#o")
    PeriodicReport(m, c, r);
  else if (d == "#k")
    ShiftReport(m, c, r);
  else if (d == "#p" || d == "#q")
    Cashier(m, c, r);
  else if (d == "$4")
    ErrorTable(m, c, r);
}

}  // namespace kelm::emu
