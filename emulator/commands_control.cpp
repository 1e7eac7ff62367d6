// "$*": the control number series of a receipt, invoice or daily report, checked and printed.
#include <cstdio>

#include "emulator/machine.h"

namespace kelm::emu {

namespace {

// The printer's control number over the items of a series: 40 upper-case letters and digits.
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

}  // namespace

void HandleControl(Machine& m, const Command& c, Result& r) {
  long sub, flag;
  if (c.count() != 2) {
    r.error = kCount;
    return;
  }
  if (!c.Num(0, &sub) || !c.Num(1, &flag) || flag > 2) {
    r.error = kParam;
    return;
  }
  // Each sub-command has its own field shape; the last field's end byte closes it.
  FieldReader f(c.fields);
  std::string_view a, b;
  bool ok;
  switch (sub) {
    case 0:
      ok = f.Next('\r', &a) && f.Next('/', &b) && f.Next('\r', &b);
      break;
    case 1:
    case 4:
      ok = f.Next('\r', &a) && f.Next('/', &b);
      break;
    case 2:
      ok = f.Next('/', &a) && f.Next('/', &a) && f.Next('/', &a) && f.Next('\r', &a) &&
           f.Next('\r', &b);
      break;
    case 3:
    case 7:
      ok = f.Next('\r', &a) && f.Next('\r', &b);
      break;
    case 5:
      ok = f.Next('/', &a) && f.Next('\r', &b);
      break;
    case 6:
      ok = f.Next('/', &a) && f.Next('/', &a) && f.Next('\r', &b);
      break;
    case 10:
      ok = f.Next('\r', &a) && a.size() == 40;
      break;
    default:
      r.error = kParam;
      return;
  }
  if (!ok) {
    r.error = kParam;
    return;
  }
  if (sub == 0) {
    m.control = ControlSeries();
    m.control.open = true;
    m.control.daily = b == "RAPORTU DOBOWEGO";
  } else if (!m.control.open) {
    r.error = kNoTransaction;
    return;
  }
  if (sub != 10) {
    m.control.items.push_back(std::string(c.fields));
    return;
  }
  std::string expected = ControlNumber(m.control.items);
  std::vector<std::string> lines =
      m.DocumentStart(m.control.daily ? "WERYFIKACJA RAPORTU DOBOWEGO" : "WERYFIKACJA PARAGONU");
  if (flag) {
    for (const std::string& item : m.control.items) lines.push_back(m.Utf8(item));
  }
  lines.push_back(m.Utf8(a));
  lines.push_back(expected == a ? "NUMER KONTROLNY ZGODNY" : "NUMER KONTROLNY NIEZGODNY");
  m.Print(lines);
  m.control = ControlSeries();
}

}  // namespace kelm::emu
