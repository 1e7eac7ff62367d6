// The period accumulators of one currency pass and the adding of one good daily report.
#pragma once

#include <cstdint>

#include "readout/records.h"

namespace kelm {

// Adds grosze to a pair, carrying whole units of 1,000,000,000 grosze into the high word.
void AddToPair(AmountPair* pair, uint32_t amount);

// The uses of a tax-rate record.
enum LetterUse : uint8_t {
  kUnused = 0,
  kTaxed = 1,
  kExempt = 2,
  kTaxedSurcharge = 5,
  kExemptSurcharge = 6,
};

// The rate set in force: the use and rate of every letter.
struct RateSet {
  uint8_t use[kLetters] = {};
  uint16_t rate[kLetters] = {};
};

struct PeriodTotals {
  AmountPair sales[kLetters], sales_surcharge[kLetters], sales_invoices[kLetters];
  AmountPair vat[kLetters], vat_surcharge[kLetters], vat_invoices[kLetters];
  AmountPair exempt, exempt_invoices, exempt_surcharge[kLetters];
  AmountPair total_due, total_vat;
  AmountPair cancelled_amount;

  uint32_t receipts = 0, invoices = 0, cancelled = 0;
  uint16_t ram_resets = 0;
  uint32_t goods_changes = 0;

  // 1 used, 2 used with a non-zero rate.
  uint8_t taxed_use[kLetters] = {}, surcharge_use[kLetters] = {};
  bool exempt_use[kLetters] = {}, exempt_surcharge_use[kLetters] = {};
  bool rate_changed[kLetters] = {}, surcharge_rate_changed[kLetters] = {};

  bool CancelledOverflow() const { return cancelled_amount == AmountPair{0, kCancelledOverflow}; }
};

// The report's VAT over all letters, with the invoice VAT when the printer keeps invoices.
uint32_t ReportVatSum(const DailyReport& report, bool invoices);

// Adds one good daily report under the rate set in force. `bus` enables the surcharge uses,
// `invoices` the invoice fields (copy mode 2).
void AccumulateDailyReport(const DailyReport& report, const RateSet& rates, bool bus, bool invoices,
                           PeriodTotals* totals);

// Marks the letters whose rate changed between two rate sets.
void MarkRateChanges(const RateSet& before, const RateSet& after, bool bus, PeriodTotals* totals);

}  // namespace kelm
