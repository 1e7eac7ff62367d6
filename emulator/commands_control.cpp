// "$*": the control number series of a receipt, invoice or daily report, checked and printed.
#include <array>
#include <cstdio>
#include <cstdlib>

#include "emulator/machine.h"

namespace kelm::emu {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string Digits(std::string_view s) {
  std::string out;
  for (char ch : s)
    if (ch >= '0' && ch <= '9') out += ch;
  return out;
}

// A number typed with or without leading zeros.
std::string Number(std::string_view s) {
  std::string d = Digits(s);
  size_t nz = d.find_first_not_of('0');
  return nz == std::string::npos ? "0" : d.substr(nz);
}

std::string Money(std::string_view s) {
  int64_t v;
  return ParseAmount(Trim(s), &v) ? std::to_string(v) : "?" + std::string(s);
}

// "ABC 12345678" with any spacing between the letters and the digits.
std::string Unique(std::string_view s) {
  std::string out;
  for (char ch : s)
    if (ch != ' ') out += ch;
  return out;
}

std::string Time(const DateTime& t) {
  char buf[16];
  snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

using Fields = std::array<std::string_view, 5>;

// Splits the text of one frame of the series by its sub-command's shape.
bool SplitSeries(long sub, std::string_view fields, Fields* v) {
  FieldReader f(fields);
  Fields& x = *v;
  switch (sub) {
    case 0:
      return f.Next('\r', &x[0]) && f.Next('/', &x[1]) && f.Next('\r', &x[2]);
    case 1:
    case 4:
      return f.Next('\r', &x[0]) && f.Next('/', &x[1]);
    case 2:
      return f.Next('/', &x[0]) && f.Next('/', &x[1]) && f.Next('/', &x[2]) &&
             f.Next('\r', &x[3]) && f.Next('\r', &x[4]);
    case 3:
    case 7:
      return f.Next('\r', &x[0]) && f.Next('\r', &x[1]);
    case 5:
      return f.Next('/', &x[0]) && f.Next('\r', &x[1]);
    case 6:
      return f.Next('/', &x[0]) && f.Next('/', &x[1]) && f.Next('\r', &x[2]);
    case 10:
      return f.Next('\r', &x[0]) && x[0].size() == 40;
    default:
      return false;
  }
}

// The canonical item of a receipt's frame; the printer builds the same from its own data.
std::string ReceiptItem(long sub, const Fields& x) {
  switch (sub) {
    case 0:
      return "0|" + Digits(x[0]) + "|" + Number(x[1]);
    case 1:
      return Trim(x[1]) == "X" ? "X|" + std::string(x[0])
                               : "1|" + std::string(x[0]) + "|" + std::string(Trim(x[1]));
    case 2:
      return "2|" + Money(x[0]) + "|" + Money(x[1]) + "|" + Number(x[2]) + "|" + Unique(x[3]) +
             "|" + std::string(Trim(x[4]));
    case 3:
      return "3|" + Digits(x[0]) + "|" + std::string(Trim(x[1]));
    default:
      return std::string(x[0]) + "|" + std::string(x[1]) + "|" + std::string(x[2]);
  }
}

uint32_t Count(std::string_view s) {
  return static_cast<uint32_t>(strtoul(Number(s).c_str(), nullptr, 10));
}

uint32_t Grosze(std::string_view s) {
  int64_t v;
  return ParseAmount(Trim(s), &v) && v >= 0 ? static_cast<uint32_t>(v) : 0;
}

// A daily report's frame goes into its digest as the report itself would.
void DigestItem(ControlSeries& series, long sub, const Fields& x) {
  switch (sub) {
    case 0: {
      std::string d = Digits(x[0]);
      std::string date = d.size() == 8 ? d.substr(0, 2) + "-" + d.substr(2, 2) + "-" + d.substr(4)
                                       : std::string(x[0]);
      series.digest.Start(date, Count(x[1]));
      break;
    }
    case 4: {
      std::string_view letter = Trim(x[0]);
      series.digest.Sale(letter.empty() ? 0 : letter[0] - 'A', Grosze(x[1]));
      break;
    }
    case 5:
      // The VAT sum, the receipt count, then the invoice count, which counts only when there are
      // invoices.
      if (series.values == 0) {
        series.digest.Value(Grosze(x[0]));
      } else if (series.values == 1 || Count(x[0]) != 0) {
        series.digest.Value(Count(x[0]));
      }
      ++series.values;
      break;
    case 6: {
      uint32_t high = Count(x[0]);
      series.digest.RunningTotal(static_cast<uint16_t>(high), Grosze(x[1]));
      break;
    }
    case 7:
      series.daily_code = series.digest.Finish(std::string(Trim(x[0])), std::string(Trim(x[1])));
      break;
  }
}

}  // namespace

std::string ControlNumber(const std::vector<std::string>& items) {
  uint64_t h = 14695981039346656037ull;
  for (const std::string& item : items) {
    for (unsigned char ch : item) h = (h ^ ch) * 1099511628211ull;
    h = (h ^ 0x1E) * 1099511628211ull;
  }
  static const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out;
  for (int i = 0; i < 40; ++i) {
    h = (h ^ static_cast<uint64_t>(i)) * 1099511628211ull;
    out += kAlphabet[(h >> 33) % 36];
  }
  return out;
}

std::string DocumentItem(int document_number, const DateTime& when) {
  char buf[64];
  snprintf(buf, sizeof buf, "0|%02d%02d%04d|%d", when.day, when.month, when.year, document_number);
  return buf;
}

std::string SaleItem(std::string_view name, char letter) {
  return "1|" + std::string(name) + "|" + std::string(1, letter);
}

std::string TotalsItem(int64_t vat, int64_t total, int receipt, std::string_view unique,
                       const DateTime& when) {
  return "2|" + std::to_string(vat) + "|" + std::to_string(total) + "|" + std::to_string(receipt) +
         "|" + Unique(unique) + "|" + Time(when);
}

std::string CancelItem(std::string_view unique, const DateTime& when) {
  return "3|" + Digits(unique) + "|" + Time(when);
}

namespace {

// Where a series stands. A receipt: its sale lines, the buyer's tax number, then the totals or
// the cancellation, then the control number. A daily report: its rate lines, the labelled
// values, the running total, the unique number, then the control number.
enum Step { kLines, kBuyer, kDocumentDone, kRates, kValues, kRunning, kUnique };

bool Allowed(const ControlSeries& s, long sub) {
  switch (s.step) {
    case kLines:
      return sub == 1 || sub == 2 || sub == 3;
    case kBuyer:
      return sub == 2;
    case kRates:
      return sub == 4 || sub == 5;
    case kValues:
      return (sub == 5 && s.values < 3) || (sub == 6 && s.values >= 2);
    case kRunning:
      return sub == 7;
    case kDocumentDone:
    case kUnique:
      return sub == 10;
    default:
      return false;
  }
}

int NextStep(const ControlSeries& s, long sub, const Fields& x) {
  switch (sub) {
    case 1:
      return Trim(x[1]) == "X" ? kBuyer : kLines;
    case 2:
    case 3:
      return kDocumentDone;
    case 7:
      return kUnique;
    case 4:
      return kRates;
    case 5:
      return kValues;
    case 6:
      return kRunning;
    default:
      return s.step;
  }
}

bool IsAmount(std::string_view s) {
  int64_t v;
  return ParseAmount(Trim(s), &v) && v >= 0;
}

bool IsCount(std::string_view s) {
  s = Trim(s);
  return !s.empty() && s.size() <= 9 && Digits(s).size() == s.size();
}

// The data of one frame, read as the printer reads it: the number of the error it answers to a
// value it cannot take, 0 when the frame is sound.
int CheckData(const ControlSeries& s, long sub, const Fields& x) {
  switch (sub) {
    case 1: {
      std::string_view letter = Trim(x[1]);
      if (x[0].empty()) return kName;
      return letter == "X" || (letter.size() == 1 && LetterIndex(letter[0]) >= 0) ? 0 : kVatLetter;
    }
    case 2:
      return IsAmount(x[0]) && IsAmount(x[1]) ? 0 : kAmountValue;
    case 4: {
      std::string_view letter = Trim(x[0]);
      if (letter.size() != 1 || LetterIndex(letter[0]) < 0) return kVatLetter;
      return IsAmount(x[1]) ? 0 : kAmountValue;
    }
    case 5:
      // The VAT total, then the receipt and invoice counts.
      return (s.values == 0 ? IsAmount(x[0]) : IsCount(x[0])) ? 0 : kAmountValue;
    case 6:
      return IsCount(x[0]) && Count(x[0]) <= 0xFFFF && IsAmount(x[1]) ? 0 : kAmountValue;
    default:
      return 0;
  }
}

void HandleSeriesFrame(Machine& m, const Command& c, Result& r) {
  long sub, flag;
  if (c.count() != 2) {
    r.error = kCount;
    return;
  }
  Fields x;
  if (!c.Num(0, &sub) || !c.Num(1, &flag) || flag > 2 || !SplitSeries(sub, c.fields, &x)) {
    r.error = kParam;
    return;
  }
  ControlSeries& series = m.control;
  if (sub == 0) {
    if (x[2] != "RAPORTU DOBOWEGO" && x[2] != "PARAGONU LUB FAKTURY") {
      r.error = kParam;
      return;
    }
    series = ControlSeries();
    series.open = true;
    series.daily = x[2] == "RAPORTU DOBOWEGO";
    series.step = series.daily ? kRates : kLines;
  } else if (!series.open) {
    r.error = kNoTransaction;
    return;
  } else if (int error = Allowed(series, sub) ? CheckData(series, sub, x) : kParam) {
    r.error = error;
    return;
  }
  if (sub != 10) {
    series.items.push_back(ReceiptItem(sub, x));
    if (series.daily) DigestItem(series, sub, x);
    series.step = NextStep(series, sub, x);
    return;
  }
  std::string expected = series.daily ? series.daily_code : ControlNumber(series.items);
  std::vector<std::string> lines =
      m.DocumentStart(series.daily ? "WERYFIKACJA RAPORTU DOBOWEGO" : "WERYFIKACJA PARAGONU");
  if (flag) {
    for (const std::string& i : series.items) lines.push_back(m.Utf8(i));
  }
  lines.push_back(std::string(x[0]));
  lines.push_back(expected == x[0] ? "NUMER KONTROLNY ZGODNY" : "NUMER KONTROLNY NIEZGODNY");
  m.Print(lines);
  series = ControlSeries();
}

}  // namespace

// A frame the printer cannot take ends the series: what came so far can no longer give the
// document's number.
void HandleControl(Machine& m, const Command& c, Result& r) {
  HandleSeriesFrame(m, c, r);
  if (r.error != kOk) m.control = ControlSeries();
}

}  // namespace kelm::emu
