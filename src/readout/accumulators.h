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
  AmountPair sales[kLetters], salesSurcharge[kLetters], salesInvoices[kLetters];
  AmountPair vat[kLetters], vatSurcharge[kLetters], vatInvoices[kLetters];
  AmountPair exempt, exemptInvoices, exemptSurcharge[kLetters];
  AmountPair totalDue, totalVat;
  AmountPair cancelledAmount;

  uint32_t receipts = 0, invoices = 0, cancelled = 0;
  uint16_t ramResets = 0;
  uint32_t goodsChanges = 0;

  // 1 used, 2 used with a non-zero rate.
  uint8_t taxedUse[kLetters] = {}, surchargeUse[kLetters] = {};
  bool exemptUse[kLetters] = {}, exemptSurchargeUse[kLetters] = {};
  bool rateChanged[kLetters] = {}, surchargeRateChanged[kLetters] = {};

  bool CancelledOverflow() const { return cancelledAmount == AmountPair{0, kCancelledOverflow}; }
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
