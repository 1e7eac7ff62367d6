// "$*": the control number series of a receipt, invoice or daily report, checked and printed.
#include <cstdio>

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

// The canonical item of one frame of the series; the printer builds the same from its own data.
bool SeriesItem(long sub, std::string_view fields, std::string* item, std::string* kind) {
  FieldReader f(fields);
  std::string_view a, b, c, d, e;
  switch (sub) {
    case 0:
      if (!f.Next('\r', &a) || !f.Next('/', &b) || !f.Next('\r', &c)) return false;
      *kind = std::string(c);
      *item = "0|" + Digits(a) + "|" + Number(b);
      return true;
    case 1:
      if (!f.Next('\r', &a) || !f.Next('/', &b)) return false;
      *item = Trim(b) == "X" ? "X|" + std::string(a)
                             : "1|" + std::string(a) + "|" + std::string(Trim(b));
      return true;
    case 2:
      if (!f.Next('/', &a) || !f.Next('/', &b) || !f.Next('/', &c) || !f.Next('\r', &d) ||
          !f.Next('\r', &e))
        return false;
      *item = "2|" + Money(a) + "|" + Money(b) + "|" + Number(c) + "|" + Unique(d) + "|" +
              std::string(Trim(e));
      return true;
    case 3:
      if (!f.Next('\r', &a) || !f.Next('\r', &b)) return false;
      *item = "3|" + Digits(a) + "|" + std::string(Trim(b));
      return true;
    case 4:
      if (!f.Next('\r', &a) || !f.Next('/', &b)) return false;
      *item = "4|" + std::string(Trim(a)) + "|" + Money(b);
      return true;
    case 5:
      if (!f.Next('/', &a) || !f.Next('\r', &b)) return false;
      *item = "5|" + std::string(Trim(a)) + "|" + std::string(b);
      return true;
    case 6:
      if (!f.Next('/', &a) || !f.Next('/', &b) || !f.Next('\r', &c)) return false;
      *item = "6|" + Number(a) + "|" + Money(b);
      return true;
    case 7:
      if (!f.Next('\r', &a) || !f.Next('\r', &b)) return false;
      *item = "7|" + Unique(a) + "|" + std::string(Trim(b));
      return true;
    case 10:
      if (!f.Next('\r', &a) || a.size() != 40) return false;
      *item = std::string(a);
      return true;
    default:
      return false;
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

void HandleControl(Machine& m, const Command& c, Result& r) {
  long sub, flag;
  if (c.count() != 2) {
    r.error = kCount;
    return;
  }
  std::string item, kind;
  if (!c.Num(0, &sub) || !c.Num(1, &flag) || flag > 2 || !SeriesItem(sub, c.fields, &item, &kind)) {
    r.error = kParam;
    return;
  }
  if (sub == 0) {
    m.control = ControlSeries();
    m.control.open = true;
    m.control.daily = kind == "RAPORTU DOBOWEGO";
  } else if (!m.control.open) {
    r.error = kNoTransaction;
    return;
  }
  if (sub != 10) {
    m.control.items.push_back(item);
    return;
  }
  std::vector<std::string> lines =
      m.DocumentStart(m.control.daily ? "WERYFIKACJA RAPORTU DOBOWEGO" : "WERYFIKACJA PARAGONU");
  if (flag) {
    for (const std::string& i : m.control.items) lines.push_back(m.Utf8(i));
  }
  lines.push_back(item);
  lines.push_back(ControlNumber(m.control.items) == item ? "NUMER KONTROLNY ZGODNY"
                                                         : "NUMER KONTROLNY NIEZGODNY");
  m.Print(lines);
  m.control = ControlSeries();
}

}  // namespace kelm::emu
