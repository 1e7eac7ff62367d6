// The fields file and the periodic report text as sources of a document's data.
#include "control/control_sources.h"

#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "protocol/win1250.h"

namespace kelm {
namespace {

// The longest value a field may have: far more than any printed item, far less than a frame.
constexpr size_t kValueLimit = 200;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Text that fits a mask of digits and the literal separator at the given positions.
bool FitsMask(std::string_view text, std::string_view mask) {
  if (text.size() != mask.size()) return false;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '9' ? !IsDigit(text[i]) : text[i] != mask[i]) return false;
  }
  return true;
}

bool IsControlNumber(std::string_view text) {
  if (text.size() != 40) return false;
  for (char c : text) {
    if (!IsDigit(c) && !IsUpper(c)) return false;
  }
  return true;
}

// "KLM 12345678": three letters, the digits after the first space.
bool SplitUnique(std::string_view text, std::string* letters, std::string* digits) {
  const std::string upper = Upper(Trim(text));
  const size_t space = upper.find(' ');
  if (space != 3 || !IsUpper(upper[0]) || !IsUpper(upper[1]) || !IsUpper(upper[2])) return false;
  const std::string_view rest = Trim(std::string_view(upper).substr(space + 1));
  if (rest.empty()) return false;
  for (char c : rest) {
    if (!IsDigit(c)) return false;
  }
  *letters = upper.substr(0, 3);
  *digits = std::string(rest);
  return true;
}

// A "LETTER REST" value: the letter cell and the rest (a name or an amount).
bool SplitLetter(std::string_view value, std::string* letter, std::string* rest) {
  const size_t space = value.find(' ');
  if (space == std::string_view::npos || space == 0) return false;
  *letter = std::string(value.substr(0, space));
  *rest = std::string(Trim(value.substr(space + 1)));
  return !rest->empty();
}

bool Flag(std::string_view value, bool* out) {
  if (value != "0" && value != "1") return false;
  *out = value == "1";
  return true;
}

// One label's handler: takes the value, says whether it was acceptable.
using Setter = std::function<bool(std::string_view)>;
struct Label {
  Setter set;
  bool repeatable;
  const char* expected;  // said in the error when the value does not fit
};

bool ParseFields(std::string_view text, const std::map<std::string, Label>& labels,
                 std::string* error) {
  std::map<std::string, int> seen;
  const std::vector<std::string_view> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty() || line.front() == '#') continue;
    char where[32];
    std::snprintf(where, sizeof where, "line %zu: ", i + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      *error = where + std::string("no \"label: value\"");
      return false;
    }
    const std::string label(Trim(line.substr(0, colon)));
    const std::string_view value = Trim(line.substr(colon + 1));
    const auto found = labels.find(label);
    if (found == labels.end()) {
      *error = where + std::string("unknown label \"") + label + "\"";
      return false;
    }
    if (++seen[label] > 1 && !found->second.repeatable) {
      *error = where + std::string("\"") + label + "\" given twice";
      return false;
    }
    if (value.size() > kValueLimit || !found->second.set(value)) {
      *error = where + std::string("\"") + label + "\" must be " + found->second.expected;
      return false;
    }
  }
  for (const char* required : {"date", "control"}) {
    if (seen.count(required) == 0) {
      *error = std::string("no \"") + required + "\"";
      return false;
    }
  }
  return true;
}

Label Text(std::string* field) {
  return {[field](std::string_view v) {
            *field = std::string(v);
            return true;
          },
          false, "text"};
}

Label Date(std::string* field) {
  return {[field](std::string_view v) {
            *field = std::string(v);
            return FitsMask(v, "99-99-9999");
          },
          false, "a date dd-mm-yyyy"};
}

Label Control(std::string* field) {
  return {[field](std::string_view v) {
            *field = Upper(v);
            return IsControlNumber(*field);
          },
          false, "40 letters and digits"};
}

// A cancelled receipt needs only the digits.
Label Unique(std::string* letters, std::string* digits) {
  return {[=](std::string_view v) {
            if (!v.empty() && v.find_first_not_of("0123456789") == std::string_view::npos) {
              letters->clear();
              *digits = std::string(v);
              return true;
            }
            return SplitUnique(v, letters, digits);
          },
          false, "three letters, a space and digits (or the digits alone)"};
}

Label Yes(bool* field) {
  return {[field](std::string_view v) { return Flag(v, field); }, false, "0 or 1"};
}

Label Rates(std::vector<RateRow>* rows) {
  return {[rows](std::string_view v) {
            RateRow row;
            if (rows->size() >= kDailyGridRows || !SplitLetter(v, &row.letter, &row.amount)) {
              return false;
            }
            rows->push_back(row);
            return true;
          },
          true, "a letter and an amount (at most 15 rows)"};
}

}  // namespace

bool ParseReceiptFields(std::string_view text, ReceiptControlData* d, std::string* error) {
  *d = ReceiptControlData();
  const std::map<std::string, Label> labels = {
      {"date", Date(&d->date)},
      {"document", Text(&d->document)},
      {"line",
       {[d](std::string_view v) {
          SaleRow row;
          if (d->lines.size() >= kReceiptGridRows || !SplitLetter(v, &row.letter, &row.name)) {
            return false;
          }
          d->lines.push_back(row);
          return true;
        },
        true, "a letter and a name (at most 255 lines)"}},
      {"vat", Text(&d->vat_total)},
      {"total", Text(&d->total)},
      {"receipt", Text(&d->receipt_number)},
      {"cancelled", Yes(&d->cancelled)},
      {"nip",
       {[d](std::string_view v) {
          d->buyer_nip_given = true;
          d->buyer_nip = std::string(v);
          return !v.empty();
        },
        false, "the buyer's tax number"}},
      {"unique", Unique(&d->unique_letters, &d->unique_digits)},
      {"time",
       {[d](std::string_view v) {
          d->time = std::string(v);
          return FitsMask(v, "99:99:99");
        },
        false, "a time hh:mm:ss"}},
      {"control", Control(&d->control_number)},
      {"print-all", Yes(&d->print_all)},
  };
  return ParseFields(text, labels, error);
}

bool ParseDailyFields(std::string_view text, DailyControlData* d, std::string* error) {
  *d = DailyControlData();
  const std::map<std::string, Label> labels = {
      {"date", Date(&d->date)},
      {"report", Text(&d->report_number)},
      {"taxed", Rates(&d->taxed)},
      {"exempt", Rates(&d->exempt)},
      {"vat", Text(&d->vat_total)},
      {"receipts", Text(&d->receipt_count)},
      {"invoices", Text(&d->invoice_count)},
      {"running-vat", Text(&d->running_vat)},
      {"unique", Unique(&d->unique_letters, &d->unique_digits)},
      {"control", Control(&d->control_number)},
      {"print-all", Yes(&d->print_all)},
  };
  return ParseFields(text, labels, error);
}

namespace {

// The last word of a line: the amount or count of a report line.
std::string LastWord(std::string_view line) {
  line = Trim(line);
  const size_t space = line.find_last_of(' ');
  return std::string(space == std::string_view::npos ? line : line.substr(space + 1));
}

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

// The first line of a daily-report section: its date first, "Nr rap." and the number last.
bool SectionNumber(std::string_view line, long* number) {
  if (line.size() < 10 || !FitsMask(line.substr(0, 10), "99-99-9999")) return false;
  const size_t at = line.rfind("Nr rap.");
  if (at == std::string_view::npos) return false;
  const std::string_view digits = Trim(line.substr(at + 7));
  if (digits.empty() || digits.size() > 9) return false;
  long n = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return false;
    n = n * 10 + (c - '0');
  }
  *number = n;
  return true;
}

// What ends a daily-report section: the next section of any kind or the summary.
bool EndsSection(std::string_view line) {
  return StartsWith(line, std::string(42, '-') + "  ") || StartsWith(Trim(line), "Zapis PTU dn.") ||
         Trim(line) == "ŁĄCZNY RAPORT OKRESOWY";
}

bool DigestLine(std::string_view line, std::string* code) {
  line = Trim(line);
  if (line.size() != 42 || line.front() != '#' || line.back() != '#') return false;
  const std::string_view inside = line.substr(1, 40);
  if (!IsControlNumber(inside)) return false;
  *code = std::string(inside);
  return true;
}

// A sales line "SPRZED. OPOD. PTU A..." of the given label: its letter and amount.
bool SalesLine(std::string_view line, std::string_view label, RateRow* row) {
  if (!StartsWith(line, label) || line.size() <= label.size()) return false;
  row->letter = std::string(1, line[label.size()]);
  row->amount = LastWord(line);
  return IsUpper(line[label.size()]) && !row->amount.empty();
}

}  // namespace

bool DailyFieldsFromReadout(std::string_view cp1250_text, long number, DailyControlData* d,
                            std::string* error) {
  *d = DailyControlData();
  const std::string text = Cp1250ToUtf8(cp1250_text);
  const std::vector<std::string_view> lines = Lines(text);
  size_t start = lines.size();
  long n = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (SectionNumber(lines[i], &n) && n == number) {
      start = i;
      break;
    }
  }
  if (start == lines.size()) {
    *error = "no daily report " + std::to_string(number) + " in the readout";
    return false;
  }
  d->date = std::string(lines[start].substr(0, 10));
  d->report_number = std::to_string(number);
  bool vat = false, receipts = false, running = false, in_running = false;
  for (size_t i = start + 1; i < lines.size() && !EndsSection(lines[i]); ++i) {
    const std::string_view line = lines[i];
    RateRow row;
    if (SalesLine(line, "SPRZED. OPOD. PTU ", &row)) {
      if (d->taxed.size() < kDailyGridRows) d->taxed.push_back(row);
    } else if (SalesLine(line, "SPRZED. ZWOL. PTU ", &row)) {
      if (d->exempt.size() < kDailyGridRows) d->exempt.push_back(row);
    } else if (StartsWith(Trim(line), "KWOTY ŁĄCZNE OD RAP.")) {
      in_running = true;
    } else if (StartsWith(line, "ŁĄCZNA KWOTA PTU")) {
      if (in_running && !running) {
        d->running_vat = LastWord(line);
        running = true;
      } else if (!in_running && !vat) {
        d->vat_total = LastWord(line);
        vat = true;
      }
    } else if (StartsWith(line, "ILOŚĆ PARAGONÓW")) {
      d->receipt_count = LastWord(line);
      receipts = true;
    } else if (StartsWith(line, "ILOŚĆ FAKTUR")) {
      d->invoice_count = LastWord(line);
    } else if (d->control_number.empty()) {
      DigestLine(line, &d->control_number);
    }
  }
  if (!vat || !receipts || !running || d->control_number.empty()) {
    *error = "daily report " + std::to_string(number) +
             " has no control number in the readout (its printer keeps no electronic copy)";
    return false;
  }
  // The unique number stands in the medium label, or alone under a fiscal report's footer.
  for (size_t i = lines.size(); i-- > 0;) {
    const std::string_view line = Trim(lines[i]);
    std::string_view candidate = line;
    if (StartsWith(line, "Zawiera dane z kasy:")) candidate = line.substr(20);
    if (SplitUnique(candidate, &d->unique_letters, &d->unique_digits)) return true;
  }
  *error = "no unique number in the readout (a non-fiscal memory does not print it)";
  return false;
}

bool ReadSmallFile(const std::string& path, size_t limit, std::string* contents) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  contents->clear();
  char buffer[65536];
  size_t n = 0;
  bool ok = true;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    if (contents->size() + n > limit) {
      ok = false;
      break;
    }
    contents->append(buffer, n);
  }
  if (std::ferror(f)) ok = false;
  std::fclose(f);
  return ok;
}

}  // namespace kelm
