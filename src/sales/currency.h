// Foreign-currency payments of the extended closing: the three-entry table the currency dialog
// keeps, and the additional lines the closing builds from it.
#pragma once

#include <cstdint>
#include <string>

namespace kelm {

inline constexpr int kCurrencyEntries = 3;
inline constexpr size_t kRateTextSize = 20;

struct CurrencyEntry {
  uint8_t enabled = 0;
  uint16_t multiplier = 0;  // the rate is given for this many units of the currency
  char code[4] = {};
  double rate = 0;
  char rateText[kRateTextSize] = {};  // the rate field with "." as the decimal point
  double amount = 0;                  // paid in the currency
  double value = 0;                   // in the home currency: rate x amount / multiplier
};
extern CurrencyEntry CurrencyTable[kCurrencyEntries];
void ResetCurrencyTable();

// What one group of the currency dialog holds.
struct CurrencyGroupText {
  std::string multiplier;
  std::string code;
  std::string rate;
  std::string amount;
};

// Takes one group into the table entry `index` (its enabled flag is left alone). A multiplier,
// rate or amount that does not convert stops with the conversion error message (shown) and
// false; the entry keeps what was already taken.
bool TakeCurrencyGroup(int index, const CurrencyGroupText& group);

// The additional lines of the extended closing: one "$16 ..." line per enabled entry, in table
// order, each ended by LF.
std::string CurrencyLines();

}  // namespace kelm
