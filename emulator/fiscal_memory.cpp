// The printer's fiscal memory encoded as the records of a periodic report readout.
#include "emulator/fiscal_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "emulator/daily_digest.h"
#include "emulator/machine.h"
#include "protocol/letter_tables.h"
#include "protocol/sha1.h"

namespace kelm::emu {

namespace {

enum Record : int {
  kHeaderText = 0,
  kUnique = 1,
  kMemoryState = 2,
  kTaxNumber = 3,
  kTaxRates = 4,
  kDaily = 5,
  kClockStamp = 6,
  kFooterSecond = 7,
  kFooterFirst = 8,
  kRange = 10,
  kClosing = 11,
  kCurrency = 12,
  kMediumStart = 13,
  kMediumEnd = 14,
};

constexpr int64_t kSixByteUnit = 1000000000;

// Where each field of a daily report sits in a layout; -1 where the layout lacks it.
struct Layout {
  int length;
  int first_sale, last_sale, rate_set, reset_number, reset_kind, receipts, invoices;
  int vat, invoice_vat, sales, invoice_sales, due;
  int running_vat, running_invoice_vat, running_total_vat, running_total_due, copy_digest;
  int letters, goods, cancelled_count, cancelled_amount;
};

constexpr Layout kLayouts[] = {
    {90, -1, -1, 10, 11, 12, 19, -1, 21, -1, 49, -1, 77, -1, -1, -1, -1, -1, -1, -1, 81, 83},
    {94, -1, -1, 10, 11, 12, 19, -1, 21, -1, 49, -1, 81, -1, -1, -1, -1, -1, -1, -1, 85, 87},
    {106, 10, 15, 20, 21, 22, 29, -1, 31, -1, 59, -1, 91, -1, -1, -1, -1, -1, -1, 95, 97, 99},
    {174, -1, -1, 10, 11, 12, 21, -1, 23, -1, 55, -1, 83, 87, -1, 129, 135, 141, 161, -1, 165, 167},
    {278, -1,  -1,  10,  11,  12,  21,  27,  29, 57,  89,
     117, 145, 149, 191, 233, 239, 245, 265, -1, 269, 271},
    {290, 10,  15,  20,  21,  22,  31,  37,  39,  67,  99,
     127, 155, 159, 201, 243, 249, 255, 275, 279, 281, 283},
    {296, 10, 15,  20,  21,  22,  31,  195, 33,  197, 65,
     225, 97, 101, 253, 143, 149, 155, 175, 179, 181, 183},
};

const Layout& LayoutOf(int length) {
  for (const Layout& l : kLayouts)
    if (l.length == length) return l;
  return kLayouts[0];
}

// A record body being filled; the last byte is the check byte.
class Body {
 public:
  explicit Body(size_t length) : bytes_(length, '\0') {}
  void U8(int at, int v) {
    if (at >= 0 && static_cast<size_t>(at) < bytes_.size() - 1) bytes_[at] = static_cast<char>(v);
  }
  void U16(int at, uint32_t v) {
    if (at < 0) return;
    U8(at, v & 0xFF);
    U8(at + 1, (v >> 8) & 0xFF);
  }
  void U32(int at, uint32_t v) {
    if (at < 0) return;
    for (int i = 0; i < 4; ++i) U8(at + i, (v >> (8 * i)) & 0xFF);
  }
  void Text(int at, std::string_view text, size_t room) {
    // Always leaves a NUL inside the room.
    for (size_t i = 0; i < text.size() && i + 1 < room; ++i) U8(at + static_cast<int>(i), text[i]);
  }
  void Bytes(int at, std::string_view bytes) {
    if (at < 0) return;
    for (size_t i = 0; i < bytes.size(); ++i) U8(at + static_cast<int>(i), bytes[i]);
  }
  void Date(int at, const DateTime& t) {
    U8(at, t.year / 100);
    U8(at + 1, t.year % 100);
    U8(at + 2, t.month);
    U8(at + 3, t.day);
  }
  void Stamp(int at, const DateTime& t) {
    Date(at, t);
    U8(at + 4, t.hour);
    U8(at + 5, t.minute);
    U8(at + 6, t.second);
  }
  void SixBytes(int at, int64_t v) {
    if (at < 0) return;
    U16(at, static_cast<uint32_t>(std::min<int64_t>(v / kSixByteUnit, 0xFFFF)));
    U32(at + 2, static_cast<uint32_t>(v % kSixByteUnit));
  }
  // The type byte, bit 7 for a damaged record, and the body closed by its check byte: 0FFh
  // plus every body byte gives 0 modulo 256.
  std::string Record(int type, bool damaged) {
    unsigned sum = 0xFF;
    for (size_t i = 0; i + 1 < bytes_.size(); ++i) sum += static_cast<unsigned char>(bytes_[i]);
    bytes_.back() = static_cast<char>((0x100 - (sum & 0xFF)) & 0xFF);
    return std::string(1, static_cast<char>(type | (damaged ? 0x80 : 0))) + bytes_;
  }

 private:
  std::string bytes_;
};

// Amounts go into 32-bit fields; a register never holds more.
uint32_t Field(int64_t v) {
  return static_cast<uint32_t>(std::clamp<int64_t>(v, 0, 0xFFFFFFFFLL));
}

int Version(const std::string& firmware) {
  int major = 0, minor = 0;
  if (sscanf(firmware.c_str(), "%d.%d", &major, &minor) < 1) return 0;
  return major * 100 + minor;
}

const TaxRateEntry* RatesNumbered(const PrinterState& s, int number) {
  for (const TaxRateEntry& t : s.tax_rates)
    if (t.number == number) return &t;
  return nullptr;
}

const CurrencyEntry* CurrencyOf(const PrinterState& s, int report_number) {
  const CurrencyEntry* found = nullptr;
  for (const CurrencyEntry& c : s.currencies)
    if (c.first_report <= report_number) found = &c;
  return found;
}

std::array<int, kLetters> ReportUses(const PrinterState& s, const DailyReport& d) {
  const TaxRateEntry* t = RatesNumbered(s, d.rate_set);
  return t ? t->uses : UsesOf(d.rates);
}

std::array<int, kLetters> ReportRates(const PrinterState& s, const DailyReport& d) {
  const TaxRateEntry* t = RatesNumbered(s, d.rate_set);
  return t ? t->rates : d.rates;
}

std::string SaleStamp(int64_t seconds) {
  if (seconds == 0) return std::string("\xFF\0\0\0\0", 5);
  DateTime t = FromEpoch(seconds);
  const char b[5] = {static_cast<char>(t.year % 100), static_cast<char>(t.month),
                     static_cast<char>(t.day), static_cast<char>(t.hour),
                     static_cast<char>(t.minute)};
  return std::string(b, 5);
}

// The total due of a report: all its sales, with the invoices where the printer keeps them.
uint32_t ReportDue(const DailyReport& d, const RecordType& type) {
  int64_t due = 0;
  for (int i = 0; i < kLetters; ++i)
    due += Field(d.sales[i]) + (KeepsInvoices(type) ? Field(d.invoice_sales[i]) : 0);
  return Field(due);
}

std::string DailyRecord(const PrinterState& s, const RecordType& type, size_t index,
                        const RunningTotals& r) {
  const DailyReport& d = s.fiscal_memory[index];
  const Layout& l = LayoutOf(DailyLayout(type));
  Body b(static_cast<size_t>(l.length));
  b.U16(1, static_cast<uint32_t>(d.number));
  b.Date(3, d.when);
  b.U8(7, d.when.hour);
  b.U8(8, d.when.minute);
  b.U8(9, d.when.second);
  if (l.first_sale >= 0) {
    b.Bytes(l.first_sale, SaleStamp(d.first_sale));
    b.Bytes(l.last_sale, SaleStamp(d.last_sale));
  }
  b.U8(l.rate_set, d.rate_set);
  b.U8(l.reset_number, d.ram_reset_number);
  b.U8(l.reset_kind, d.ram_reset_kind);
  b.U16(l.receipts, static_cast<uint32_t>(d.receipts));
  b.U16(l.invoices, static_cast<uint32_t>(d.invoices));
  for (int i = 0; i < kLetters; ++i) {
    b.U32(l.vat + 4 * i, Field(d.vat[i]));
    b.U32(l.sales + 4 * i, Field(d.sales[i]));
    if (l.invoices >= 0) {
      b.U32(l.invoice_vat + 4 * i, Field(d.invoice_vat[i]));
      b.U32(l.invoice_sales + 4 * i, Field(d.invoice_sales[i]));
    }
  }
  b.U32(l.due, ReportDue(d, type));
  if (l.running_vat >= 0) {
    for (int i = 0; i < kLetters; ++i) {
      b.SixBytes(l.running_vat + 6 * i, r.vat[i]);
      if (l.running_invoice_vat >= 0) b.SixBytes(l.running_invoice_vat + 6 * i, r.invoice_vat[i]);
    }
    b.SixBytes(l.running_total_vat, r.total_vat);
    b.SixBytes(l.running_total_due, r.total_due);
    b.Bytes(l.copy_digest, d.copy_digest.size() == 20 ? d.copy_digest : std::string(20, '\0'));
    b.U16(l.letters, r.letters);
  }
  b.U16(l.goods, static_cast<uint32_t>(d.goods_changes));
  b.U16(l.cancelled_count, static_cast<uint32_t>(d.cancelled));
  b.U32(l.cancelled_amount,
        static_cast<uint32_t>(std::min<int64_t>(d.cancelled_amount, kCancelledOverflow)));
  return b.Record(kDaily, d.damaged);
}

std::string TaxRateRecord(const TaxRateEntry& t, const RecordType& type) {
  Body b(RecordLength(kTaxRates, type));
  b.U8(1, t.number);
  b.Stamp(2, t.when);
  for (int i = 0; i < kLetters; ++i) {
    bool taxed = t.uses[i] == kUseTaxed || t.uses[i] == kUseSurcharge;
    b.U16(9 + 2 * i, taxed ? static_cast<uint32_t>(t.rates[i]) : 0);
    b.U8(23 + i, t.uses[i]);
  }
  if (type.variant != 0) b.U8(30, t.foreign_tickets ? 1 : 0);
  return b.Record(kTaxRates, t.damaged);
}

std::string TextRecord(int record, const RecordType& type, std::string_view text) {
  Body b(RecordLength(record, type));
  b.Text(0, text, RecordLength(record, type) - 1);
  return b.Record(record, false);
}

std::string HeaderText(const PrinterState& s) {
  std::string header = s.header;
  RecodeLetters(header.data(), s.header_coding, kWindows);
  return header;
}

struct PassSums {
  int count = 0;
  int64_t due = 0, vat = 0;
};

std::string RangeRecord(int record, const PrinterState& s, const RecordType& type, bool more,
                        const PassSums& sums, const DateTime& period_from,
                        const DateTime& period_to, const DailyReport* first,
                        const DailyReport* last) {
  Body b(RecordLength(record, type));
  int flags = more ? 1 : 0;
  // The 859 model says in the same byte that it keeps invoices and prints the foreign-ticket
  // line of its tax-rate records.
  if (type.variant == 2) flags |= (KeepsInvoices(type) ? 0x80 : 0) | 0x40;
  b.U8(1, flags);
  b.U16(2, static_cast<uint32_t>(sums.count));
  b.U32(4, static_cast<uint32_t>(sums.due / kSixByteUnit));
  b.U32(8, static_cast<uint32_t>(sums.due % kSixByteUnit));
  b.U32(12, static_cast<uint32_t>(sums.vat / kSixByteUnit));
  b.U32(16, static_cast<uint32_t>(sums.vat % kSixByteUnit));
  b.U8(20, std::min(s.ram_resets, 255));
  b.Stamp(21, period_from);
  b.Stamp(28, period_to);
  if (first) {
    b.Stamp(35, first->when);
    b.Stamp(42, last->when);
    b.U32(49, static_cast<uint32_t>(first->number));
    b.U32(53, static_cast<uint32_t>(last->number));
  }
  return b.Record(record, false);
}

std::string CurrencyRecord(const CurrencyEntry* c, const RecordType& type) {
  Body b(RecordLength(kCurrency, type));
  if (!c) {
    b.U8(0, 255);  // never entered
  } else if (c->damaged) {
    b.U8(0, 6);  // the cell no longer reads back; the rest is what could be read
    b.Date(2, c->when);
    b.U16(13, static_cast<uint32_t>(c->first_report));
  } else {
    b.Date(2, c->when);
    b.U8(6, c->when.hour);
    b.U8(7, c->when.minute);
    b.Text(9, c->name, 4);
    b.U16(13, static_cast<uint32_t>(c->first_report));
  }
  return b.Record(kCurrency, false);
}

}  // namespace

bool KeepsInvoices(const RecordType& t) {
  return t.copy_mode == 2 && LayoutOf(DailyLayout(t)).invoices >= 0;
}

bool SendsMedia(const RecordType& t) {
  return ((t.copy_mode == 1 || t.copy_mode == 2) && t.variant == 0) || t.variant == 2;
}

std::string Sha1Bytes(std::string_view text) {
  Sha1Digest d = Sha1Of(text.data(), text.size());
  return std::string(reinterpret_cast<const char*>(d.data()), d.size());
}

RecordType RecordTypeOf(const PrinterState& state) {
  const ModelInfo& m = state.Model();
  return {m.family, m.variant, m.copy_mode, Version(state.FirmwareText())};
}

int DailyLayout(const RecordType& t) {
  // The same cascade the readout applies to the detected type: the last match wins.
  int length = 90;
  if (t.copy_mode == 1) length = 174;
  if (t.variant != 0) length = 94;
  if (t.copy_mode == 2) length = 278;
  if (t.family == 2 && t.variant == 1 && t.version >= 300) length = 106;
  if (t.family == 2 && t.variant == 2) length = 296;
  if (t.copy_mode == 2 && t.version == 200) length = 290;
  return length;
}

size_t RecordLength(int record, const RecordType& t) {
  switch (record) {
    case kHeaderText:
      return t.copy_mode == 2 && t.version == 200 ? 458 : 252;
    case kUnique:
      return t.copy_mode == 2 || (t.family == 2 && t.variant != 0 && t.version >= 300) ||
                     (t.family == 2 && t.variant == 2)
                 ? 16
                 : 14;
    case kMemoryState:
    case kFooterFirst:
      return 10;
    case kTaxNumber:
      return 18;
    case kTaxRates:
      return t.variant != 0 ? 32 : 31;
    case kDaily:
      return static_cast<size_t>(DailyLayout(t));
    case kClockStamp:
      return 8;
    case kFooterSecond:
      return 34;
    case kRange:
    case kClosing:
      return 58;
    case kCurrency:
      return 16;
    case kMediumStart:
      return 12;
    case kMediumEnd:
      return 33;
  }
  return 0;
}

bool LayoutHasDigest(int layout) {
  return layout == 174 || layout == 278 || layout == 290 || layout == 296;
}

std::array<int, kLetters> UsesOf(const std::array<int, kLetters>& rates) {
  std::array<int, kLetters> uses{};
  for (int i = 0; i < kLetters; ++i)
    uses[i] = rates[i] == kRateUndefined ? kUseNone
              : rates[i] == kRateExempt  ? kUseExempt
                                         : kUseTaxed;
  return uses;
}

void StoreRatesIfChanged(PrinterState& s, const DateTime& when) {
  if (!s.tax_rates.empty() && s.tax_rates.back().rates == s.rates) return;
  TaxRateEntry t;
  t.number = static_cast<int>(s.tax_rates.size()) + 1;
  t.when = when;
  t.rates = s.rates;
  t.uses = UsesOf(s.rates);
  s.tax_rates.push_back(t);
}

void StoreCurrency(PrinterState& s, const std::string& name, const DateTime& when) {
  CurrencyEntry c;
  c.name = name.substr(0, 4);
  c.when = when;
  c.first_report = static_cast<int>(s.fiscal_memory.size()) + 1;
  // Two changes before the same report: the later one is the one in force.
  if (!s.currencies.empty() && s.currencies.back().first_report == c.first_report)
    s.currencies.back() = c;
  else
    s.currencies.push_back(c);
}

int64_t ReportVatSum(const DailyReport& d, const RecordType& type) {
  int64_t sum = 0;
  for (int i = 0; i < kLetters; ++i) {
    sum += Field(d.vat[i]);
    if (KeepsInvoices(type)) sum += Field(d.invoice_vat[i]);
  }
  return static_cast<uint32_t>(sum);  // a 32-bit sum, as the readout adds it
}

std::vector<RunningTotals> AllRunningTotals(const PrinterState& s) {
  const RecordType type = RecordTypeOf(s);
  std::vector<RunningTotals> out;
  out.reserve(s.fiscal_memory.size());
  RunningTotals sums;
  for (size_t k = 0; k < s.fiscal_memory.size(); ++k) {
    const DailyReport& d = s.fiscal_memory[k];
    const CurrencyEntry* c = CurrencyOf(s, d.number);
    const int first = c ? c->first_report : 1;
    // A new accounting currency starts its sums afresh.
    if (k == 0 || first != sums.first_report) {
      sums = RunningTotals();
      sums.first_report = first;
    }
    for (int i = 0; i < kLetters; ++i) {
      sums.vat[i] += Field(d.vat[i]);
      if (KeepsInvoices(type)) sums.invoice_vat[i] += Field(d.invoice_vat[i]);
    }
    sums.total_vat += ReportVatSum(d, type);
    sums.total_due += ReportDue(d, type);
    RunningTotals r = sums;
    const std::array<int, kLetters> uses = ReportUses(s, d);
    const std::array<int, kLetters> rates = ReportRates(s, d);
    for (int i = 0; i < kLetters; ++i) {
      bool taxed = (uses[i] == kUseTaxed || uses[i] == kUseSurcharge) && rates[i] != 0;
      if (taxed || r.vat[i] != 0 || r.invoice_vat[i] != 0) r.letters |= 1u << i;
    }
    out.push_back(r);
  }
  return out;
}

RunningTotals RunningUpTo(const PrinterState& s, size_t index) {
  return AllRunningTotals(s).at(index);
}

std::string DailyControlNumber(const PrinterState& s, size_t index) {
  const RecordType type = RecordTypeOf(s);
  const int layout = DailyLayout(type);
  if (!LayoutHasDigest(layout) || index >= s.fiscal_memory.size()) return "";
  const DailyReport& d = s.fiscal_memory[index];
  const std::array<int, kLetters> uses = ReportUses(s, d);
  const bool bus = type.variant != 0;
  const bool invoices = layout != 174 && KeepsInvoices(type);
  char date[24];
  snprintf(date, sizeof date, "%02d-%02d-%2d%02d", d.when.day, d.when.month, d.when.year / 100,
           d.when.year % 100);
  DailyDigest digest;
  digest.Start(date, static_cast<uint16_t>(d.number));
  // Taxed sales, their invoices, exempt sales, their invoices: the order of the printout.
  for (int i = 0; i < kLetters; ++i)
    if (uses[i] == kUseTaxed || (bus && uses[i] == kUseSurcharge))
      digest.Sale(i, Field(d.sales[i]));
  for (int i = 0; invoices && i < kLetters; ++i)
    if (uses[i] == kUseTaxed) digest.Sale(i, Field(d.invoice_sales[i]));
  for (int i = 0; i < kLetters; ++i)
    if (uses[i] == kUseExempt || (bus && uses[i] == kUseExemptSurcharge))
      digest.Sale(i, Field(d.sales[i]));
  for (int i = 0; invoices && i < kLetters; ++i)
    if (uses[i] == kUseExempt) digest.Sale(i, Field(d.invoice_sales[i]));
  digest.Value(static_cast<uint32_t>(ReportVatSum(d, type)));
  digest.Value(static_cast<uint16_t>(d.receipts));
  if (invoices && static_cast<uint16_t>(d.invoices) != 0)
    digest.Value(static_cast<uint16_t>(d.invoices));
  RunningTotals r = RunningUpTo(s, index);
  digest.RunningTotal(static_cast<uint16_t>(std::min<int64_t>(r.total_vat / kSixByteUnit, 0xFFFF)),
                      static_cast<uint32_t>(r.total_vat % kSixByteUnit));
  std::string unique = s.unique_number.substr(0, RecordLength(kUnique, type) - 2);
  return digest.Finish(unique, "00:00:00");
}

ReadoutPasses BuildReadout(const PrinterState& s, const ReadoutRequest& q, const DateTime& now,
                           int64_t closing_off) {
  const RecordType type = RecordTypeOf(s);
  const std::vector<RunningTotals> running = AllRunningTotals(s);
  std::vector<size_t> chosen;
  for (size_t i = 0; i < s.fiscal_memory.size(); ++i) {
    const DailyReport& d = s.fiscal_memory[i];
    int key = q.by_numbers ? d.number : DateKey(d.when);
    if (key >= q.from && key <= q.to) chosen.push_back(i);
  }
  // One pass per accounting currency.
  std::vector<std::vector<size_t>> groups;
  const CurrencyEntry* current = nullptr;
  for (size_t i : chosen) {
    const CurrencyEntry* c = CurrencyOf(s, s.fiscal_memory[i].number);
    if (groups.empty() || c != current) groups.emplace_back();
    current = c;
    groups.back().push_back(i);
  }
  if (groups.empty()) groups.emplace_back();

  DateTime memory_change;
  const bool full = s.fiscal_memory.size() >= kMemoryReports;
  if (full) memory_change = s.fiscal_memory.back().when;
  std::vector<std::string> head;
  head.push_back(TextRecord(kHeaderText, type, HeaderText(s)));
  head.push_back(TextRecord(kUnique, type, s.unique_number));
  {
    Body b(RecordLength(kMemoryState, type));
    b.U8(0, s.fiscal ? 0 : 255);
    b.U8(1, full ? 0 : 1);
    if (full) b.Stamp(2, memory_change);
    head.push_back(b.Record(kMemoryState, false));
  }
  head.push_back(TextRecord(kTaxNumber, type, s.nip));
  {
    Body b(RecordLength(kClockStamp, type));
    b.Stamp(0, now);
    head.push_back(b.Record(kClockStamp, false));
  }
  head.push_back(TextRecord(kFooterSecond, type, s.unique_number));
  head.push_back(TextRecord(kFooterFirst, type, "PL"));

  ReadoutPasses passes;
  for (size_t g = 0; g < groups.size(); ++g) {
    const std::vector<size_t>& group = groups[g];
    const bool more = g + 1 < groups.size();
    std::vector<std::string> body = head;
    PassSums sums;
    int previous_set = 0;
    std::vector<std::string> reports;
    for (size_t i : group) {
      const DailyReport& d = s.fiscal_memory[i];
      if (SendsMedia(type)) {
        for (const MediumEntry& m : s.media) {
          if (m.last_report != d.number) continue;
          Body start(RecordLength(kMediumStart, type)), end(RecordLength(kMediumEnd, type));
          start.U8(1, m.number);
          start.U16(2, static_cast<uint32_t>(m.first_report));
          for (const DailyReport& f : s.fiscal_memory)
            if (f.number == m.first_report) start.Date(4, f.when);
          end.U8(1, m.number);
          end.U16(2, static_cast<uint32_t>(m.last_report));
          if (m.digest.size() == 20) end.Bytes(12, m.digest);
          reports.push_back(start.Record(kMediumStart, false));
          reports.push_back(end.Record(kMediumEnd, false));
        }
      }
      reports.push_back(DailyRecord(s, type, i, running[i]));
      ++sums.count;
      // A damaged report is left out of the sums, and the readout does not look for its rates.
      if (d.damaged) continue;
      sums.due += ReportDue(d, type);
      sums.vat += ReportVatSum(d, type);
      if (d.rate_set != previous_set) {
        previous_set = d.rate_set;
        const TaxRateEntry* t = RatesNumbered(s, d.rate_set);
        TaxRateEntry missing;
        missing.number = d.rate_set;
        missing.when = d.when;
        reports.push_back(TaxRateRecord(t ? *t : missing, type));
      }
    }
    const DailyReport* first = group.empty() ? nullptr : &s.fiscal_memory[group.front()];
    const DailyReport* last = group.empty() ? nullptr : &s.fiscal_memory[group.back()];
    DateTime from = q.period_from, to = q.period_to;
    if (q.by_numbers && first) from = first->when, to = last->when;
    if (g > 0 && first) from = first->when;
    if (more && last) to = last->when;
    body.push_back(RangeRecord(kRange, s, type, more, sums, from, to, first, last));
    if (sums.count > 0) body.push_back(CurrencyRecord(CurrencyOf(s, first->number), type));
    body.insert(body.end(), reports.begin(), reports.end());
    if (g == 0) sums.due += closing_off;
    body.push_back(RangeRecord(kClosing, s, type, more, sums, from, to, first, last));
    passes.push_back(std::move(body));
  }
  return passes;
}

void BackfillRateRecords(PrinterState& s) {
  if (!s.tax_rates.empty()) return;
  for (DailyReport& d : s.fiscal_memory) {
    if (s.tax_rates.empty() || s.tax_rates.back().rates != d.rates) {
      TaxRateEntry t;
      t.number = static_cast<int>(s.tax_rates.size()) + 1;
      t.when = d.when;
      t.rates = d.rates;
      t.uses = UsesOf(d.rates);
      s.tax_rates.push_back(t);
    }
    d.rate_set = s.tax_rates.back().number;
  }
}

}  // namespace kelm::emu
