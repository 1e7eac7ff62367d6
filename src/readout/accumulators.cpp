// Period sums: pairs with their carry, one good daily report added, rate changes marked.
#include "readout/accumulators.h"

namespace kelm {

void AddToPair(AmountPair* pair, uint32_t amount) {
  const uint64_t sum = uint64_t(pair->low) + amount;
  pair->high += uint32_t(sum / kPairUnit);
  pair->low = uint32_t(sum % kPairUnit);
}

uint32_t ReportVatSum(const DailyReport& r, bool invoices) {
  uint32_t sum = 0;
  for (int i = 0; i < kLetters; ++i) {
    sum += r.vat[i];
    if (invoices) sum += r.vatInvoices[i];
  }
  return sum;
}

namespace {

void MarkUsed(uint8_t* flag, bool withRate) {
  if (*flag < 1) *flag = 1;
  if (withRate) *flag = 2;
}

}  // namespace

void AccumulateDailyReport(const DailyReport& r, const RateSet& rates, bool bus, bool invoices,
                           PeriodTotals* t) {
  for (int i = 0; i < kLetters; ++i) {
    const uint8_t use = rates.use[i];
    const bool withRate = rates.rate[i] != 0;
    if (use == kTaxed) {
      AddToPair(&t->sales[i], r.sales[i]);
      if (invoices) AddToPair(&t->salesInvoices[i], r.salesInvoices[i]);
      if (withRate) {
        AddToPair(&t->vat[i], r.vat[i]);
        if (invoices) AddToPair(&t->vatInvoices[i], r.vatInvoices[i]);
      }
      MarkUsed(&t->taxedUse[i], withRate);
    } else if (use == kTaxedSurcharge && bus) {
      AddToPair(&t->salesSurcharge[i], r.sales[i]);
      if (withRate) AddToPair(&t->vatSurcharge[i], r.vat[i]);
      MarkUsed(&t->surchargeUse[i], withRate);
    } else if (use == kExempt) {
      AddToPair(&t->exempt, r.sales[i]);
      AddToPair(&t->exempt, r.vat[i]);
      if (invoices) AddToPair(&t->exemptInvoices, r.salesInvoices[i]);
      t->exemptUse[i] = true;
    } else if (use == kExemptSurcharge && bus) {
      AddToPair(&t->exemptSurcharge[i], r.sales[i]);
      AddToPair(&t->exemptSurcharge[i], r.vat[i]);
      t->exemptSurchargeUse[i] = true;
    }
  }
  AddToPair(&t->totalDue, r.totalDue);
  AddToPair(&t->totalVat, ReportVatSum(r, invoices));
  t->receipts += r.receipts;
  if (invoices) t->invoices += r.invoices;
  t->cancelled += r.cancelledCount;
  // Once a day overflowed, the period's cancelled amount is unknown and stays at the marker.
  if (r.cancelledAmount == kCancelledOverflow || t->CancelledOverflow()) {
    t->cancelledAmount = AmountPair{0, kCancelledOverflow};
  } else {
    AddToPair(&t->cancelledAmount, r.cancelledAmount);
  }
  t->goodsChanges += r.goodsChanges;
  if (r.ramResetKind != 0) ++t->ramResets;
}

void MarkRateChanges(const RateSet& before, const RateSet& after, bool bus, PeriodTotals* t) {
  for (int i = 0; i < kLetters; ++i) {
    const uint8_t was = before.use[i], now = after.use[i];
    if (was == kTaxed && now == kTaxed && before.rate[i] != after.rate[i]) t->rateChanged[i] = true;
    if (!bus) continue;
    if (was == kTaxedSurcharge && now == kTaxedSurcharge && before.rate[i] != after.rate[i]) {
      t->surchargeRateChanged[i] = true;
    }
    if (was == kTaxed && now == kTaxedSurcharge) {
      t->rateChanged[i] = true;
      t->surchargeRateChanged[i] = true;
    }
  }
}

}  // namespace kelm
