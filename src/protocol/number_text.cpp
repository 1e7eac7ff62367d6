// Number-text helpers. The parsers are written out by hand so no locale can change them.
#include "protocol/number_text.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kelm {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

void Replace(char* text, char from, char to) {
  for (char* p = text; *p != '\0'; ++p) {
    if (*p == from) *p = to;
  }
}

}  // namespace

void DotToComma(char* text) {
  Replace(text, '.', ',');
}
void CommaToDot(char* text) {
  Replace(text, ',', '.');
}
void DotToComma(std::string& text) {
  std::replace(text.begin(), text.end(), '.', ',');
}
void CommaToDot(std::string& text) {
  std::replace(text.begin(), text.end(), ',', '.');
}
bool HasComma(std::string_view text) {
  return text.find(',') != std::string_view::npos;
}

double RoundToCents(double x) {
  if (x < 0) return -RoundToCents(-x);
  return std::floor(x * 100 + 0.5000000001) / 100;
}

bool ParseDecimal(std::string_view text, double* out) {
  text = Trim(text);
  std::string plain;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  int digits = 0;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      plain += c;
      ++digits;
    } else if ((c == ',' || c == '.') && !separator) {
      separator = true;
      plain += '.';
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  // Built from the digits rather than with strtod, so no locale can change the result: the
  // digits form an exact integer and one division by a power of ten rounds correctly.
  double mantissa = 0;
  double divisor = 1;
  bool after = false;
  for (char c : plain) {
    if (c == '.') {
      after = true;
    } else if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10 + (c - '0');
      if (after) divisor *= 10;
    }
  }
  const double value = mantissa / divisor;
  *out = plain[0] == '-' ? -value : value;
  return true;
}

bool ParseInteger(std::string_view text, long* out) {
  text = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    const int d = c - '0';
    if (value > (LONG_MAX - d) / 10) return false;
    value = value * 10 + d;
  }
  *out = negative ? -value : value;
  return true;
}

std::string ConversionErrorMessage(std::string_view text, bool integer) {
  return "'" + std::string(text) +
         (integer ? "' nie jest poprawną liczbą całkowitą." : "' nie jest poprawną liczbą.");
}

}  // namespace kelm
