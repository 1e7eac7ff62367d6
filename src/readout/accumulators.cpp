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
    if (invoices) sum += r.vat_invoices[i];
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
      if (invoices) AddToPair(&t->sales_invoices[i], r.sales_invoices[i]);
      if (withRate) {
        AddToPair(&t->vat[i], r.vat[i]);
        if (invoices) AddToPair(&t->vat_invoices[i], r.vat_invoices[i]);
      }
      MarkUsed(&t->taxed_use[i], withRate);
    } else if (use == kTaxedSurcharge && bus) {
      AddToPair(&t->sales_surcharge[i], r.sales[i]);
      if (withRate) AddToPair(&t->vat_surcharge[i], r.vat[i]);
      MarkUsed(&t->surcharge_use[i], withRate);
    } else if (use == kExempt) {
      AddToPair(&t->exempt, r.sales[i]);
      AddToPair(&t->exempt, r.vat[i]);
      if (invoices) AddToPair(&t->exempt_invoices, r.sales_invoices[i]);
      t->exempt_use[i] = true;
    } else if (use == kExemptSurcharge && bus) {
      AddToPair(&t->exempt_surcharge[i], r.sales[i]);
      AddToPair(&t->exempt_surcharge[i], r.vat[i]);
      t->exempt_surcharge_use[i] = true;
    }
  }
  AddToPair(&t->total_due, r.total_due);
  AddToPair(&t->total_vat, ReportVatSum(r, invoices));
  t->receipts += r.receipts;
  if (invoices) t->invoices += r.invoices;
  t->cancelled += r.cancelled_count;
  // Once a day overflowed, the period's cancelled amount is unknown and stays at the marker.
  if (r.cancelled_amount == kCancelledOverflow || t->CancelledOverflow()) {
    t->cancelled_amount = AmountPair{0, kCancelledOverflow};
  } else {
    AddToPair(&t->cancelled_amount, r.cancelled_amount);
  }
  t->goods_changes += r.goods_changes;
  if (r.ram_reset_kind != 0) ++t->ram_resets;
}

void MarkRateChanges(const RateSet& before, const RateSet& after, bool bus, PeriodTotals* t) {
  for (int i = 0; i < kLetters; ++i) {
    const uint8_t was = before.use[i], now = after.use[i];
    if (was == kTaxed && now == kTaxed && before.rate[i] != after.rate[i])
      t->rate_changed[i] = true;
    if (!bus) continue;
    if (was == kTaxedSurcharge && now == kTaxedSurcharge && before.rate[i] != after.rate[i]) {
      t->surcharge_rate_changed[i] = true;
    }
    if (was == kTaxed && now == kTaxedSurcharge) {
      t->rate_changed[i] = true;
      t->surcharge_rate_changed[i] = true;
    }
  }
}

}  // namespace kelm
