// Queries: last error, cash information, clock, type and version, receive buffer, settings.
#include <cstdio>
#include <cstring>

#include "emulator/machine.h"

namespace kelm::emu {

namespace {

std::string CashInformation(const Machine& m) {
  const PrinterState& s = m.st;
  int family = s.Model().family;
  int y = 0, mo = 0, d = 0;
  if (!s.fiscal_memory.empty()) {
    const DateTime& w = s.fiscal_memory.back().when;
    y = w.year % 100, mo = w.month, d = w.day;
  }
  char buf[256];
  snprintf(buf, sizeof buf, "%d#X%d;%d;%d;%d;%d;%d;%d;%d;%d/", family == 2 ? 2 : 1, m.last_error,
           s.fiscal ? 1 : 0, m.tx.open ? 1 : 0, m.tx.open ? 1 : 0, 0, s.ram_resets, y, mo, d);
  std::string body = buf;
  int64_t all = 0;
  for (int rate : s.rates) {
    snprintf(buf, sizeof buf, "%d.%02d/", rate / 100, rate % 100);
    body += buf;
  }
  body += std::to_string(s.receipt_count) + "/";
  for (int64_t t : s.sales) {
    body += Amount(t) + "/";
    all += t;
  }
  if (family != 2) body += Amount(all) + "/" + Amount(0) + "/";
  body += Amount(s.cash) + "/";
  body += s.unique_number.empty() ? std::string(11, ' ') : s.unique_number;
  return m.Answer(body);
}

// A code that stands for the program memory between two addresses: the same range of the same
// firmware always gives the same 40 characters.
std::string ProgramCode(const Machine& m, long from, long length) {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::string_view s) {
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  };
  mix(m.st.Model().type_name);
  mix(m.st.FirmwareText());
  mix(std::to_string(from) + "/" + std::to_string(length));
  std::string out;
  static const char kHex[] = "0123456789ABCDEF";
  for (int i = 0; i < 40; ++i) {
    h = (h ^ static_cast<uint64_t>(i)) * 1099511628211ull;
    out += kHex[(h >> 29) & 15];
  }
  return out;
}

std::string Printable(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    out += (u < 0x20 && c != '\r' && c != '\n') ? '.' : c;
  }
  return out;
}

void TypeQuery(Machine& m, const Command& c, Result& r) {
  long p0 = c.NumOr(0, -1), p1 = c.NumOr(1, -1);
  if (c.count() == 1 && p0 == 1) {
    r.query = true;
    const std::string& custom = m.st.options.type_answer;
    std::string body = custom.empty() ? std::string("1#R") + m.st.Model().type_name + "/" +
                                            m.st.FirmwareText() + "/"
                                      : "1#R" + custom + "/";
    r.answer = m.Answer(body);
  } else if (c.count() == 2 && p0 == 0 && p1 == 204) {
    r.query = true;
    // Setting 204: the invoice digit, then a reserved digit.
    r.answer = m.Answer(std::string("1#V") + (m.st.Model().variant == 2 ? "1" : "0") + ";0");
  } else if (c.count() == 2 && p0 == 1 && p1 == 170) {
    FieldReader f(c.fields);
    std::string_view from, length;
    long a = 0, n = 0;
    if (!f.Next('/', &from) || !f.Next('/', &length) ||
        sscanf(std::string(from).c_str(), "%ld", &a) != 1 ||
        sscanf(std::string(length).c_str(), "%ld", &n) != 1 || a < 0 || n <= 0) {
      r.error = kParam;
      return;
    }
    r.answer = m.Answer("1#K" + ProgramCode(m, a, n) + "\r");
  } else if (c.count() == 2 && p0 == 1 && p1 == 187) {
    std::vector<std::string> lines = m.DocumentStart("TYP I WERSJA");
    lines.push_back(m.st.Model().type_name);
    lines.push_back("Wersja " + m.st.FirmwareText());
    lines.push_back("Kod programu " + ProgramCode(m, 0, 262144));
    m.Print(lines);
  } else {
    r.error = kParam;
  }
}

void SettingsQuery(Machine& m, const Command& c, Result& r) {
  const Options& o = m.st.options;
  const NetworkSettings& n = m.st.network;
  char buf[512];
  r.query = true;
  if (c.count() == 0) {
    int flags =
        (o.auto_drawer ? 1 : 0) | (o.system_number_standard ? 0 : 2) | (o.discount_method ? 8 : 4);
    snprintf(buf, sizeof buf, "#U%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/", o.identifier, o.coding,
             o.drawer_pulse, o.copy_mode, o.rollup, o.cover_sensor, o.response_time,
             o.monthly_reminder, o.external_display, o.display_protocol, o.error_mode,
             o.deposit_protocol, flags);
    r.answer = m.Answer(buf);
    return;
  }
  long which = c.NumOr(0, -1);
  std::string body;
  if (c.count() != 1) {
    r.error = kCount;
    return;
  }
  switch (which) {
    case 2:
      for (size_t i = 0; i < n.io.size(); ++i)
        body += std::to_string(n.io[i]) + (i + 1 < n.io.size() ? ";" : "#I");
      break;
    case 6:
      body = std::to_string(n.eth_dhcp ? 1 : 0) + "#N";
      for (const std::string& t : n.eth_texts) body += t + "\r";
      break;
    case 1: {
      snprintf(buf, sizeof buf, "#W%d;%d;%d;%d;%d", n.wifi_params[0], n.wifi_params[1],
               n.wifi_params[3], n.wifi_params[4], n.wifi_params[2]);
      body = buf;
      for (int i = 0; i < 6; ++i) body += n.wifi_texts[i] + "\r";
      int keys = n.wifi_params[1] == 0 ? 0 : n.wifi_params[1] == 1 ? 4 : 1;
      for (int i = 0; i < keys; ++i) body += n.wifi_texts[6 + i] + "\r";
      break;
    }
    case 4:
      body = std::to_string(n.bt_secure ? 1 : 0) + "#B" + n.bt_pin + "\r";
      if (n.bt_secure) body += n.bt_address + "\r";
      break;
    default:
      r.query = false;
      r.error = kParam;
      return;
  }
  r.answer = m.Answer(body);
}

}  // namespace

void HandleDiagnostics(Machine& m, const Command& c, Result& r) {
  const std::string& d = c.designator;
  if (d == "#n") {
    r.query = true;
    char buf[32];
    snprintf(buf, sizeof buf, "\x1BP1#E%d\x1B\\", m.last_error);
    r.answer = buf;
  } else if (d == "#s") {
    r.query = true;
    r.answer = CashInformation(m);
  } else if (d == "#c") {
    r.query = true;
    DateTime t = m.Now();
    char buf[64];
    snprintf(buf, sizeof buf, "1#C%d;%d;%d;%d;%d;0", t.year % 100, t.month, t.day, t.hour,
             t.minute);
    r.answer = m.Answer(buf);
  } else if (d == "#v") {
    TypeQuery(m, c, r);
  } else if (d == "$0") {
    r.query = true;
    r.answer = m.Answer("#B" + Printable(m.last_body));
  } else if (d == "$8") {
    SettingsQuery(m, c, r);
  }
}

}  // namespace kelm::emu
