// Parsing of the diagnostic answers. Every parser works on the NUL-terminated answer as received
// and never reads past its terminator.
#include "catalogue/diagnostics.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "protocol/number_text.h"

namespace kelm {

CashInfoRecord CashInfo;

void ResetDiagnostics() {
  CashInfo = CashInfoRecord{};
  ResetPrinterClock();
}

namespace {

constexpr size_t kUniqueNumberMax = 23;

std::string Format2(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%3.2f", value);
  return text;
}

}  // namespace

std::string RateText(double rate) {
  if (rate == 100) return "ZWOLN";
  if (rate == 101) return "BRAK";
  if (rate < 100) return Format2(rate);
  return "";
}

std::string RateTextForFamily(double rate, int family) {
  return family == 2 ? RateText(rate) : Format2(rate);
}

std::string AmountText(double amount) {
  return Format2(amount);
}

std::string LastRecordDateText(const CashInfoRecord& info) {
  if (info.Day == 0 && info.Month == 0 && info.Year == 0) return "Brak";
  char text[64];
  std::snprintf(text, sizeof text, "%2.2d-%2.2d-20%2.2d", info.Day, info.Month, info.Year);
  return text;
}

std::vector<LabelledValue> CashInfoFields(const CashInfoRecord& info, int family) {
  std::vector<LabelledValue> fields = {
      {"Tryb pracy drukarki:", info.Mode != 0 ? "Fiskalny" : "Szkoleniowy"},
      {"Znacznik TRF:", std::to_string(info.TrfFlag)},
      {"Ostatni błąd:", std::to_string(info.LastError)},
      {"Ilość zerowań RAM:", std::to_string(info.RamResets)},
      {"Stan gotówki w kasie:", AmountText(info.Cash)},
      {"Numer unikatowy:", info.UniqueNumber},
  };
  for (int k = 0; k < 7; ++k) {
    fields.push_back({std::string("PTU ") + static_cast<char>('A' + k),
                      RateTextForFamily(info.Rates[k], family)});
  }
  for (int k = 0; k < 7; ++k) {
    fields.push_back(
        {std::string("TOT ") + static_cast<char>('A' + k), AmountText(info.Totals[k])});
  }
  fields.push_back({"TOT_Z", AmountText(info.TotZ)});
  fields.push_back({"Data ostatniego zapisu do pamięci fiskalnej:", LastRecordDateText(info)});
  fields.push_back(
      {"Ilość wydrukowanych paragonów fiskalnych:", std::to_string(info.ReceiptCount)});
  return fields;
}

bool ParseCashInfoAnswer(const char* answer, int family, CashInfoRecord* info) {
  const size_t length = std::strlen(answer);
  // The unique number is the last field: after the last "/", before the two check characters.
  if (length >= 2) {
    for (size_t i = length - 2; i-- > 0;) {
      if (answer[i] != '/') continue;
      const char* start = answer + i + 1;
      const char* esc = std::strchr(start, 0x1B);
      size_t n = esc != nullptr ? static_cast<size_t>(esc - start) : std::strlen(start);
      if (esc != nullptr) n = n >= 2 ? n - 2 : 0;
      std::string unique(start, std::min(n, kUniqueNumberMax));
      info->UniqueNumber = unique == "           " ? "BRAK" : unique;
      break;
    }
  }
  const bool small = family != 2;
  const char* tmpl = small ? "%cP1#X%d;%d;%d;%d;%d;%d;%d;%d;%d/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%d/"
                             "%lf/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%lf/"
                           : "%cP2#X%d;%d;%d;%d;%d;%d;%d;%d;%d/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%d/"
                             "%lf/%lf/%lf/%lf/%lf/%lf/%lf/%lf/";
  CashInfoRecord v = *info;
  char esc = 0;
  double after[3] = {};
  const int items = std::sscanf(
      answer, tmpl, &esc, &v.LastError, &v.Mode, &v.Third, &v.TrfFlag, &v.Fifth, &v.RamResets,
      &v.Year, &v.Month, &v.Day, &v.Rates[0], &v.Rates[1], &v.Rates[2], &v.Rates[3], &v.Rates[4],
      &v.Rates[5], &v.Rates[6], &v.ReceiptCount, &v.Totals[0], &v.Totals[1], &v.Totals[2],
      &v.Totals[3], &v.Totals[4], &v.Totals[5], &v.Totals[6], &after[0], &after[1], &after[2]);
  // Items count in the template's order (the ESC is item 1); take what scanning reached.
  int* ints[] = {&info->LastError, &info->Mode, &info->Third, &info->TrfFlag, &info->Fifth,
                 &info->RamResets, &info->Year, &info->Month, &info->Day};
  const int* scanned[] = {&v.LastError, &v.Mode, &v.Third, &v.TrfFlag, &v.Fifth,
                          &v.RamResets, &v.Year, &v.Month, &v.Day};
  for (int k = 0; k < 9; ++k) {
    if (items >= 2 + k) *ints[k] = *scanned[k];
  }
  for (int k = 0; k < 7; ++k) {
    if (items >= 11 + k) info->Rates[k] = v.Rates[k];
  }
  if (items >= 18) info->ReceiptCount = v.ReceiptCount;
  for (int k = 0; k < 7; ++k) {
    if (items >= 19 + k) info->Totals[k] = v.Totals[k];
  }
  if (small) {
    if (items >= 26) info->TotZ = after[0];
    if (items >= 28) info->Cash = after[2];
  } else if (items >= 26) {
    info->Cash = after[0];
  }
  return items == (small ? 28 : 26);
}

std::string ParseCheckCodeAnswer(const char* answer, bool* ok) {
  *ok = false;
  const size_t length = std::strlen(answer);
  size_t mark = 0;
  while (mark < length && mark < 51 && answer[mark] != '$' && answer[mark] != '#') ++mark;
  if (mark >= length || mark >= 51) return "";
  const size_t start = mark + 2;
  if (start > length) return "";
  const char* cr = static_cast<const char*>(std::memchr(answer + start, '\r', length - start));
  if (cr == nullptr || cr - (answer + start) > 40) return "";
  const std::string first(answer + start, cr);
  // A second field follows unless the closing 5Ch comes within 11 characters.
  size_t j = static_cast<size_t>(cr - answer) + 1;
  bool closed = false;
  for (size_t k = j; k < length && k < j + 11 && answer[k] != '\n'; ++k) {
    if (answer[k] == 0x5C) {
      closed = true;
      break;
    }
  }
  if (!closed) {
    const char* cr2 = static_cast<const char*>(std::memchr(answer + j, '\r', length - j));
    if (cr2 == nullptr || cr2 - (answer + j) > 32) return "";
  }
  *ok = true;
  return first;
}

std::vector<std::string> ReceiveBufferLines(const char* answer, size_t size) {
  size_t end = strnlen(answer, size);
  for (size_t i = end; i-- > 0;) {
    if (answer[i] == 0x5C) {
      end = i > 0 ? i - 1 : 0;
      break;
    }
  }
  std::vector<std::string> lines;
  std::string line;
  auto finish = [&] {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    lines.push_back(line);
    line.clear();
  };
  for (size_t i = 4; i < end; ++i) {
    line += answer[i];
    if (answer[i] == '\n' || line.size() == 51) finish();
  }
  if (!line.empty()) finish();
  return lines;
}

}  // namespace kelm
