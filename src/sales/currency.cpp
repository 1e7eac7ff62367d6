// Foreign-currency payments.
#include "sales/currency.h"

#include <cstdio>
#include <cstring>

#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

CurrencyEntry CurrencyTable[kCurrencyEntries];

void ResetCurrencyTable() {
  for (CurrencyEntry& e : CurrencyTable) e = CurrencyEntry();
}

bool TakeCurrencyGroup(int index, const CurrencyGroupText& group) {
  if (index < 0 || index >= kCurrencyEntries) return false;
  CurrencyEntry& e = CurrencyTable[index];
  long multiplier = 0;
  if (!ParseInteger(group.multiplier, &multiplier) || multiplier < 1 || multiplier > 65535) {
    TheOperator().ShowMessage(ConversionErrorMessage(group.multiplier, true));
    return false;
  }
  e.multiplier = static_cast<uint16_t>(multiplier);
  std::snprintf(e.code, sizeof e.code, "%.3s", group.code.c_str());
  double rate = 0;
  if (!ParseDecimal(group.rate, &rate)) {
    TheOperator().ShowMessage(ConversionErrorMessage(group.rate, false));
    return false;
  }
  e.rate = rate;
  std::snprintf(e.rateText, sizeof e.rateText, "%s", group.rate.c_str());
  CommaToDot(e.rateText);
  double amount = 0;
  if (!ParseDecimal(group.amount, &amount)) {
    TheOperator().ShowMessage(ConversionErrorMessage(group.amount, false));
    return false;
  }
  e.amount = amount;
  e.value = e.rate * e.amount / e.multiplier;
  return true;
}

std::string CurrencyLines() {
  std::string text;
  for (const CurrencyEntry& e : CurrencyTable) {
    if (!e.enabled) continue;
    char line[160];
    std::snprintf(line, sizeof line, "$%d %.2f %.2f %.2f %u %s %s %.2f\n", 16, e.value, e.amount,
                  0.0, static_cast<unsigned>(e.multiplier), e.code, e.rateText, 0.0);
    text += line;
  }
  return text;
}

}  // namespace kelm
