// The history generator and the history file.
#include "emulator/history.h"

#include <algorithm>
#include <cstdio>

#include "emulator/fiscal_memory.h"
#include "emulator/machine.h"

namespace kelm::emu {

bool GenerateHistory(PrinterState& s, int days, const DateTime& today, uint32_t seed) {
  if (!s.fiscal_memory.empty() || days <= 0) return false;
  days = std::min<int>(days, static_cast<int>(kMemoryReports));
  const RecordType type = RecordTypeOf(s);
  const int layout = DailyLayout(type);
  uint32_t x = seed ? seed : 1;
  auto next = [&x](uint32_t range) {
    x = x * 1664525u + 1013904223u;
    return (x >> 8) % range;
  };
  DateTime midnight = today;
  midnight.hour = midnight.minute = midnight.second = 0;
  const int64_t start = ToEpoch(midnight) - int64_t{days} * 86400;
  DateTime before = FromEpoch(start - 86400 + 9 * 3600);

  std::array<int, kLetters> rates = s.rates;
  std::array<int, kLetters> uses = UsesOf(rates);
  if (type.variant != 0) {
    // Bus printers sell surcharged tickets under their own letters.
    if (uses[4] == kUseNone) rates[4] = 800, uses[4] = kUseSurcharge;
    if (uses[5] == kUseNone) rates[5] = 0, uses[5] = kUseExemptSurcharge;
  }
  s.tax_rates.clear();
  auto store_rates = [&](const DateTime& when) {
    TaxRateEntry t;
    t.number = static_cast<int>(s.tax_rates.size()) + 1;
    t.when = when;
    t.rates = rates;
    t.uses = uses;
    t.foreign_tickets = type.variant != 0 && t.number % 2 == 0;
    s.tax_rates.push_back(t);
  };
  store_rates(before);
  if (s.currencies.empty()) s.currencies.push_back({"PLN", before, 1});

  int medium_first = 1, medium_number = 0;
  for (int k = 0; k < days; ++k) {
    const int64_t day = start + int64_t{k} * 86400;
    if (k > 0 && k % 120 == 0) {
      // A rate change before the day's sales: B moves between 8 and 7 percent.
      rates[1] = rates[1] == 800 ? 700 : 800;
      uses[1] = kUseTaxed;
      store_rates(FromEpoch(day + 7 * 3600));
      ++s.rate_changes;
    }
    DailyReport d;
    d.number = k + 1;
    d.when = FromEpoch(day + 21 * 3600 + 30 * 60 + static_cast<int64_t>(next(600)));
    d.rates = rates;
    for (int i = 0; i < kLetters; ++i)
      if (uses[i] == kUseNone)
        d.rates[i] = kRateUndefined;
      else if (uses[i] == kUseExempt || uses[i] == kUseExemptSurcharge)
        d.rates[i] = kRateExempt;
    d.rate_set = static_cast<int>(s.tax_rates.size());
    d.receipts = k % 29 == 6 ? 0 : 10 + static_cast<int>(next(190));
    for (int i = 0; d.receipts > 0 && i < kLetters; ++i) {
      if (uses[i] == kUseNone) continue;
      d.sales[i] = next(uses[i] == kUseTaxed ? 400000 : 60000);
      bool taxed = uses[i] == kUseTaxed || uses[i] == kUseSurcharge;
      d.vat[i] = taxed ? VatOf(d.sales[i], rates[i]) : 0;
      if (KeepsInvoices(type) && (uses[i] == kUseTaxed || uses[i] == kUseExempt)) {
        d.invoice_sales[i] = next(3) == 0 ? next(90000) : 0;
        d.invoice_vat[i] = taxed ? VatOf(d.invoice_sales[i], rates[i]) : 0;
      }
    }
    if (KeepsInvoices(type) && d.receipts > 0) d.invoices = static_cast<int>(next(6));
    if (d.receipts > 0) {
      d.first_sale = day + 8 * 3600 + static_cast<int64_t>(next(3600));
      d.last_sale = day + 20 * 3600 + static_cast<int64_t>(next(3600));
    }
    if (next(4) == 0) {
      d.cancelled = 1 + static_cast<int>(next(3));
      d.cancelled_amount = 100 + next(20000);
    }
    if (k == 17) d.cancelled = 250, d.cancelled_amount = kCancelledOverflow;
    if (k % 97 == 50) {
      static const int kKinds[] = {0xAA, 0xBB, 0xCC, 0xDD};
      d.ram_reset_kind = kKinds[(k / 97) % 4];
      d.ram_reset_number = ++s.ram_resets;
    }
    if (layout == 106 || layout == 290 || layout == 296)
      d.goods_changes = static_cast<int>(next(3));
    if (type.copy_mode != 0) d.copy_digest = Sha1Bytes("kelmemu copy " + std::to_string(d.number));
    s.fiscal_memory.push_back(d);
    if (SendsMedia(type) && d.number % 60 == 0) {
      MediumEntry m;
      m.number = ++medium_number;
      m.first_report = medium_first;
      m.last_report = d.number;
      m.digest = Sha1Bytes("kelmemu medium " + std::to_string(m.number));
      s.media.push_back(m);
      medium_first = d.number + 1;
    }
  }
  s.rates = rates;
  for (int i = 0; i < kLetters; ++i)
    if (uses[i] == kUseNone)
      s.rates[i] = kRateUndefined;
    else if (uses[i] == kUseExempt || uses[i] == kUseExemptSurcharge)
      s.rates[i] = kRateExempt;
  // The rates in force now are the last record's, so a live daily report needs no new one.
  s.tax_rates.back().rates = s.rates;
  s.tax_rates.back().uses = uses;
  return true;
}

bool LoadHistoryFile(const std::string& path, PrinterState* state) {
  if (!state->fiscal_memory.empty()) return false;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  // A bare list of memory lines is taken as well as a whole state file.
  if (text.rfind("kelmemu-state 1\n", 0) != 0) text = "kelmemu-state 1\n" + text;
  PrinterState other;
  if (!ParseState(text, &other) || other.fiscal_memory.empty()) return false;
  state->fiscal_memory = std::move(other.fiscal_memory);
  state->tax_rates = std::move(other.tax_rates);
  state->currencies = std::move(other.currencies);
  state->media = std::move(other.media);
  BackfillRateRecords(*state);
  return true;
}

}  // namespace kelm::emu
