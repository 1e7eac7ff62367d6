// Configuration: header, VAT rates, tax number, clock, option commands, ports and networks.
#include <cstdio>
#include <cstdlib>

#include "emulator/fiscal_memory.h"
#include "emulator/machine.h"
#include "protocol/letter_tables.h"

namespace kelm::emu {

namespace {

// Sets `*target` from parameter `i` when it lies in [lo, hi]; otherwise reports error 4.
void SetOption(const Command& c, size_t i, long lo, long hi, int* target, Result& r) {
  long v;
  if (c.count() <= i) {
    r.error = kCount;
  } else if (!c.Num(i, &v) || v < lo || v > hi) {
    r.error = kParam;
  } else {
    *target = static_cast<int>(v);
  }
}

void ProgramHeader(Machine& m, const Command& c, Result& r) {
  long discount;
  if (c.count() != 1) {
    r.error = kCount;
    return;
  }
  if (!c.Num(0, &discount)) {
    r.error = kParam;
    return;
  }
  std::string_view text = c.fields;
  if (text.empty() || static_cast<unsigned char>(text.back()) != 0xFF) {
    r.error = kHeader;
    return;
  }
  text.remove_suffix(1);
  // Each line must fit the paper; double-width characters take two places.
  int width = m.st.Model().line_width, used = 0, lines = 0;
  bool wide = false;
  for (char ch : text) {
    if (ch == '\n') {
      used = 0;
      wide = false;
      ++lines;
    } else if (ch == 0x0E) {
      wide = true;
    } else if (ch == 0x14) {
      wide = false;
    } else if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) == 0xFF) {
      r.error = kHeader;
      return;
    } else {
      used += wide ? 2 : 1;
      if (used > width) {
        r.error = kHeader;
        return;
      }
    }
  }
  if (text.empty() || lines > 10) {
    r.error = kHeader;
    return;
  }
  m.st.header = std::string(text);
  m.st.header_coding = m.st.options.coding;
  m.st.header_discount = static_cast<int>(discount);
  m.Print(m.DocumentStart("NOWY NAGŁÓWEK"));
}

void ReadHeader(Machine& m, Result& r) {
  r.query = true;
  std::string text = m.st.header;
  // The header query always answers in the LATIN coding, whatever coding the header came in.
  RecodeLetters(text.data(), m.st.header_coding, kLatin);
  r.answer = m.Answer("1#H" + text + "\r");
}

bool ParseRate(std::string_view text, int* hundredths) {
  int64_t v;
  if (!ParseAmount(text, &v) || v < 0 || v >= 10000) return false;
  *hundredths = static_cast<int>(v);
  return true;
}

void ProgramRates(Machine& m, const Command& c, Result& r) {
  long mode;
  if (!c.Num(0, &mode)) {
    r.error = kParam;
    return;
  }
  std::array<std::string_view, kLetters> texts;
  FieldReader f(c.fields);
  for (auto& t : texts)
    if (!f.Next('/', &t)) {
      r.error = kRateValue;
      return;
    }
  std::array<int, kLetters> rates{};
  std::array<long, kLetters> states{};
  bool scheduled = false, cancel = false;
  DateTime when;
  if (c.count() == 1 && mode == 7) {
    // The oldest form carries no states: "-1.00" stands for an inactive rate.
    for (int i = 0; i < kLetters; ++i) states[i] = texts[i] == "-1.00" ? 0 : 1;
  } else if ((c.count() == 8 && mode == 7) || (c.count() == 9 && mode == 8) ||
             (c.count() == 13 && (mode == 135 || mode == 71))) {
    for (int i = 0; i < kLetters; ++i)
      if (!c.Num(1 + i, &states[i]) || states[i] > 2) {
        r.error = kParam;
        return;
      }
    if (c.count() == 13) {
      long y, mo, d, h, mi;
      if (!c.Num(8, &y) || !c.Num(9, &mo) || !c.Num(10, &d) || !c.Num(11, &h) || !c.Num(12, &mi)) {
        r.error = kParam;
        return;
      }
      cancel = mode == 71;
      scheduled = mode == 135;
      when = {2000 + static_cast<int>(y), static_cast<int>(mo), static_cast<int>(d),
              static_cast<int>(h),        static_cast<int>(mi), 0};
      if (scheduled && (!ValidDate(when.year, when.month, when.day) || h > 23 || mi > 59)) {
        r.error = kBadDate;
        return;
      }
    }
  } else {
    r.error = kCount;
    return;
  }
  if (cancel) {
    m.st.rates_scheduled = false;
    m.dirty = true;
    return;
  }
  for (int i = 0; i < kLetters; ++i) {
    if (states[i] == 1) {
      if (!ParseRate(texts[i], &rates[i])) {
        r.error = kRateValue;
        return;
      }
    } else {
      rates[i] = states[i] == 2 ? kRateExempt : kRateUndefined;
    }
  }
  if (m.st.rate_changes >= 30) {
    r.error = kRateRegisterFull;
    return;
  }
  if (scheduled) {
    if (ToEpoch(when) <= ToEpoch(m.Now())) {
      r.error = kDateEarlier;
      return;
    }
    m.st.scheduled_rates = rates;
    m.st.rates_when = when;
    m.st.rates_scheduled = true;
    m.dirty = true;
    return;
  }
  if (!m.TotalsZero()) {
    r.error = kNonZeroTotals;
    return;
  }
  if (rates == m.st.rates) {
    r.error = kSameRates;
    return;
  }
  m.st.rates = rates;
  ++m.st.rate_changes;
  StoreRatesIfChanged(m.st, m.Now());
  std::vector<std::string> lines = m.DocumentStart("ZMIANA STAWEK PTU");
  for (int i = 0; i < kLetters; ++i) {
    int v = rates[i];
    std::string text = v == kRateExempt      ? "SP.ZW."
                       : v == kRateUndefined ? "---"
                                             : Amount(v, ',') + " %";
    lines.push_back(m.Line(std::string("PTU ") + static_cast<char>('A' + i), text));
  }
  m.Print(lines);
}

bool ValidNip(std::string_view text) {
  if (text.substr(0, 3) == "PL ") text.remove_prefix(3);
  std::string digits;
  for (char ch : text) {
    if (ch >= '0' && ch <= '9') {
      digits += ch;
    } else if (ch != '-') {
      return false;
    }
  }
  if (digits.size() != 10) return false;
  static const int kWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (digits[i] - '0') * kWeights[i];
  return sum % 11 % 10 == digits[9] - '0';
}

void ProgramNip(Machine& m, const Command& c, Result& r) {
  if (c.count() != 1) {
    r.error = kCount;
    return;
  }
  std::string_view nip;
  FieldReader f(c.fields);
  if ((c.params[0] != "0" && c.params[0] != "1") || !f.Next('\r', &nip)) {
    r.error = kParam;
    return;
  }
  if (!ValidNip(nip)) {
    r.error = kBadNip;
    return;
  }
  bool fiscalize = c.params[0] == "1";
  if (m.st.fiscal) {
    r.error = fiscalize ? kAlreadyFiscal : kNipProgrammed;
    return;
  }
  m.st.nip = std::string(nip);
  if (fiscalize) m.st.fiscal = true;
  m.Print(m.DocumentStart(fiscalize ? "FISKALIZACJA" : "PROGRAMOWANIE NIP"));
}

void CorrectClock(Machine& m, const Command& c, Result& r) {
  long v[6];
  if (c.count() != 6) {
    r.error = kCount;
    return;
  }
  for (int i = 0; i < 6; ++i)
    if (!c.Num(i, &v[i])) {
      r.error = kParam;
      return;
    }
  DateTime t{2000 + static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
             static_cast<int>(v[3]),        static_cast<int>(v[4]), static_cast<int>(v[5])};
  if (!ValidDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59 || t.second > 59) {
    r.error = kBadDate;
    return;
  }
  if (!m.TotalsZero()) {
    r.error = kClockOnlyAfterReport;
    return;
  }
  if (DateKey(t) < m.st.DayOfLastRecord()) {
    r.error = kDateEarlier;
    return;
  }
  int64_t shift = ToEpoch(t) - ToEpoch(m.Now());
  // A fiscal printer may move its clock by at most two hours; a training printer is free.
  if (m.st.fiscal && (shift > 120 * 60 || shift < -120 * 60)) {
    r.error = kClockRange;
    return;
  }
  m.SetNow(t);
  m.dirty = true;
}

void ReportOptions(Machine& m, const Command& c, Result& r) {
  Options& o = m.st.options;
  NetworkSettings& n = m.st.network;
  long which;
  if (!c.Num(0, &which)) {
    r.error = c.count() == 0 ? kCount : kParam;
    return;
  }
  switch (which) {
    case 0: {
      long v[5];
      if (c.count() != 5) {
        r.error = kCount;
        return;
      }
      for (int i = 1; i < 5; ++i)
        if (!c.Num(i, &v[i])) {
          r.error = kParam;
          return;
        }
      if (v[1] > 1) {
        r.error = kParam;
        return;
      }
      std::string_view phone;
      FieldReader f(c.fields);
      if (!f.Next('\r', &phone)) phone = {};
      o.service_reminder = static_cast<int>(v[1]);
      o.service_date = {
          2000 + static_cast<int>(v[2]), static_cast<int>(v[3]), static_cast<int>(v[4]), 0, 0, 0};
      o.service_phone = std::string(phone);
      break;
    }
    case 2:
      SetOption(c, 1, 0, 1, &o.monthly_reminder, r);
      break;
    case 3:
      SetOption(c, 1, 0, 2, &o.daily_forcing, r);
      break;
    case 4:
      SetOption(c, 1, 0, 1, &o.spare_card, r);
      break;
    case 7: {
      if (c.count() != 6) {
        r.error = kCount;
        return;
      }
      std::array<int, 5> p{};
      static const long kMax[] = {1, 3, 1, 1, 1};
      for (int i = 0; i < 5; ++i) {
        SetOption(c, 1 + i, 0, kMax[i], &p[i], r);
        if (r.error) return;
      }
      std::array<std::string, 10> texts;
      FieldReader f(c.fields);
      for (auto& t : texts) {
        std::string_view v;
        if (!f.Next('\r', &v) || v.size() > 63) {
          r.error = kParam;
          return;
        }
        t = std::string(v);
      }
      n.wifi_params = p;
      n.wifi_texts = texts;
      break;
    }
    default:
      r.error = kParam;
  }
  if (!r.error) m.dirty = true;
}

void PortSettings(Machine& m, const Command& c, Result& r) {
  NetworkSettings& n = m.st.network;
  long first;
  if (!c.Num(0, &first)) {
    r.error = c.count() == 0 ? kCount : kParam;
    return;
  }
  if (first == 1 && c.count() == 2) {
    int dhcp = 0;
    SetOption(c, 1, 0, 1, &dhcp, r);
    if (r.error) return;
    std::array<std::string, 6> texts;
    FieldReader f(c.fields);
    for (auto& t : texts) {
      std::string_view v;
      if (!f.Next('\r', &v) || v.size() > 32) {
        r.error = kParam;
        return;
      }
      t = std::string(v);
    }
    n.eth_dhcp = dhcp;
    n.eth_texts = texts;
  } else if (first == 0 && c.count() == 15) {
    std::array<int, 15> io = n.io;
    for (int i = 1; i < 14; ++i) {
      SetOption(c, i, 0, 255, &io[i], r);
      if (r.error) return;
    }
    // The ports this model lacks stay marked unavailable whatever the program writes.
    io[9] |= n.io[9] & 64;
    io[11] |= n.io[11] & 64;
    n.io = io;
  } else {
    r.error = kCount;
    return;
  }
  m.dirty = true;
}

void Bluetooth(Machine& m, const Command& c, Result& r) {
  NetworkSettings& n = m.st.network;
  int secure = 0, connect = 0;
  if (c.count() != 2) {
    r.error = kCount;
    return;
  }
  SetOption(c, 0, 0, 1, &secure, r);
  if (!r.error) SetOption(c, 1, 0, 1, &connect, r);
  if (r.error) return;
  std::string_view pin, address;
  FieldReader f(c.fields);
  if (!f.Next('\r', &pin) || !f.Next('\r', &address) || pin.size() > 16 || address.size() > 12) {
    r.error = kParam;
    return;
  }
  n.bt_secure = secure;
  n.bt_connect = connect;
  n.bt_pin = std::string(pin);
  n.bt_address = std::string(address);
  m.dirty = true;
}

}  // namespace

void HandleConfig(Machine& m, const Command& c, Result& r) {
  const std::string& d = c.designator;
  Options& o = m.st.options;
  if (d == "#u") {
    ReadHeader(m, r);
    return;
  }
  if (m.tx.open) {
    r.error = kInTransaction;
    return;
  }
  long p0 = c.NumOr(0, -1);
  if (d == "$f") {
    ProgramHeader(m, c, r);
  } else if (d == "$p") {
    ProgramRates(m, c, r);
  } else if (d == "$n") {
    ProgramNip(m, c, r);
  } else if (d == "$c") {
    CorrectClock(m, c, r);
  } else if (d == "$o") {
    ReportOptions(m, c, r);
  } else if (d == "$I") {
    PortSettings(m, c, r);
  } else if (d == "$-") {
    Bluetooth(m, c, r);
  } else if (d == "$1") {
    if (c.count() == 2 && p0 == 17) {
      long v = c.NumOr(1, -1);
      if (v != 0 && v != 170)
        r.error = kParam;
      else
        o.auto_confirm = static_cast<int>(v);
    } else if (c.count() == 1) {
      SetOption(c, 0, 0, 3, &o.coding, r);
    } else {
      r.error = kCount;
    }
  } else if (d == "$2") {
    SetOption(c, 0, 1, 255, &o.drawer_pulse, r);
  } else if (d == "$3") {
    if (c.count() == 2 && p0 == 0) {
      SetOption(c, 1, 0, 2, &o.cutter, r);
    } else if (c.count() == 1 && p0 >= 4) {
      SetOption(c, 0, 4, 5, &o.original_mode, r);
    } else if (c.count() == 1) {
      SetOption(c, 0, 1, 3, &o.copy_mode, r);
    } else {
      r.error = kCount;
    }
  } else if (d == "$5") {
    SetOption(c, 0, 0, 255, &o.rollup, r);
  } else if (d == "$6") {
    if (c.count() != 1) {
      r.error = kCount;
    } else if (p0 >= 0 && p0 <= 2) {
      o.cover_sensor = static_cast<int>(p0);
    } else if (p0 == 6 || p0 == 7) {
      o.backup_pc = static_cast<int>(p0);
    } else if (p0 >= 8 && p0 <= 11) {
      o.print_speed = static_cast<int>(p0);
    } else {
      r.error = kParam;
    }
  } else if (d == "$7") {
    SetOption(c, 0, 0, 2, &o.response_time, r);
  } else if (d == "$9") {
    SetOption(c, 0, 0, 1, &o.deposit_protocol, r);
  } else if (d == "$@") {
    SetOption(c, 0, 0, 1, &o.system_number_standard, r);
  } else if (d == "$r") {
    SetOption(c, 0, 0, 1, &o.discount_method, r);
  } else if (d == "$!") {
    if (c.count() == 2 && p0 == 0)
      SetOption(c, 1, 0, 1, &o.menu_drawer, r);
    else if (c.count() == 1)
      SetOption(c, 0, 0, 1, &o.auto_drawer, r);
    else
      r.error = kCount;
  } else if (d == "#e") {
    SetOption(c, 0, 0, m.st.Model().family == 0 ? 1 : 4, &o.error_mode, r);
  } else if (d == "$#") {
    std::string_view text;
    FieldReader f(c.fields);
    if (c.count() != 0)
      r.error = kCount;
    else if (!f.Next('\r', &text) || text.size() > 40)
      r.error = kParam;
    else
      o.type_answer = std::string(text);
  } else if (d == "$S") {
    if (c.count() == 1 && p0 == 0) {
      o.backup_new = 0;
    } else if (c.count() == 4 && p0 == 1 && c.NumOr(3, -1) == 1) {
      SetOption(c, 1, 0, 6, &o.backup_port, r);
      if (!r.error) SetOption(c, 2, 0, 6, &o.backup_speed, r);
      if (!r.error) o.backup_new = 1;
    } else {
      r.error = c.count() == 1 || c.count() == 4 ? kParam : kCount;
    }
  }
  if (!r.error) m.dirty = true;
}

}  // namespace kelm::emu
