// Number texts: decimal comma and point, rounding to grosze, and the dialogs' conversions.
#pragma once

#include <string>
#include <string_view>

namespace kelm {

// In place, on a NUL-terminated text or a string: every "." becomes "," (and back).
void DotToComma(char* text);
void CommaToDot(char* text);
void DotToComma(std::string& text);
void CommaToDot(std::string& text);
bool HasComma(std::string_view text);

// floor(x * 100 + 0.5000000001) / 100; a negative amount is rounded as its absolute value and
// keeps its sign, so -1.005 and 1.005 round to the same number of grosze.
double RoundToCents(double x);

// The decimal conversion of the dialogs' amount fields. It accepts an optional sign, digits and
// one decimal separator, which may be "," or "." (operators type either), with spaces around
// the whole. Thousands separators, exponents and empty text are refused. Returns false when
// the text is no number; `out` is then unchanged.
bool ParseDecimal(std::string_view text, double* out);

// The integer conversion of the dialogs' number fields: optional sign and decimal digits, spaces
// around; refuses anything else and values outside the range of long.
bool ParseInteger(std::string_view text, long* out);

// The message shown when a field's text is no number (the conversion error of the dialogs).
std::string ConversionErrorMessage(std::string_view text, bool integer);

}  // namespace kelm
