// The model table, calendar helpers and the crash-safe state file of the virtual printer.
#include "emulator/printer_state.h"

#include "emulator/fiscal_memory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <sstream>

namespace kelm::emu {

namespace {

const ModelInfo kModels[] = {
    {"oxil", "OXIL", "1.05", 0, 0, 0, 24},
    {"oxil-pro", "OXIL Pro", "3.10", 1, 0, 0, 42},
    {"oxil-bus", "OXIL BUS", "1.10", 1, 1, 0, 42},
    {"vantel", "KELM VANTEL 57T", "3.00", 2, 0, 0, 42},
    {"vantel-bus", "KELM VANTEL BUS", "2.00", 2, 1, 0, 42},
    {"vantel-ke", "KELM VANTEL 57TE", "2.00", 2, 0, 1, 42},
    {"salvo", "KELM SALVO 3", "2.01", 2, 0, 2, 57},
    {"859", "Kelm-D859", "1.02", 2, 2, 2, 32},
};

}  // namespace

const ModelInfo* FindModel(std::string_view option) {
  for (const ModelInfo& m : kModels)
    if (option == m.option) return &m;
  return nullptr;
}

const ModelInfo& DefaultModel() {
  return kModels[3];
}

std::string ModelOptions() {
  std::string out;
  for (const ModelInfo& m : kModels) out += std::string(out.empty() ? "" : " | ") + m.option;
  return out;
}

const ModelInfo& PrinterState::Model() const {
  const ModelInfo* m = FindModel(model);
  return m ? *m : DefaultModel();
}

std::string PrinterState::FirmwareText() const {
  return firmware.empty() ? Model().firmware : firmware;
}

int PrinterState::DayOfLastRecord() const {
  return fiscal_memory.empty() ? 0 : DateKey(fiscal_memory.back().when);
}

int64_t ToEpoch(const DateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  return timegm(&tm);
}

DateTime FromEpoch(int64_t seconds) {
  std::time_t s = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&s, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

bool ValidDate(int year, int month, int day) {
  if (year < 2000 || year > 2099 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (month == 2 && !leap) return day <= 28;
  return day <= kDays[month - 1];
}

int DateKey(const DateTime& t) {
  return t.year * 10000 + t.month * 100 + t.day;
}

// ---- state file ----

namespace {

std::string Hex(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

bool Unhex(std::string_view hex, std::string* out) {
  if (hex.size() % 2) return false;
  out->clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    auto nib = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    int a = nib(hex[i]), b = nib(hex[i + 1]);
    if (a < 0 || b < 0) return false;
    out->push_back(static_cast<char>(a * 16 + b));
  }
  return true;
}

std::string DateText(const DateTime& t) {
  char buf[40];
  snprintf(buf, sizeof buf, "%d-%d-%d-%d-%d-%d", t.year, t.month, t.day, t.hour, t.minute,
           t.second);
  return buf;
}

bool ParseDate(const std::string& s, DateTime* t) {
  DateTime d;
  if (sscanf(s.c_str(), "%d-%d-%d-%d-%d-%d", &d.year, &d.month, &d.day, &d.hour, &d.minute,
             &d.second) != 6 ||
      d.year < 1970 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 ||
      d.hour < 0 || d.hour > 23 || d.minute < 0 || d.minute > 59 || d.second < 0 || d.second > 60)
    return false;
  *t = d;
  return true;
}

// Every scalar of the state under one name, so that writing and reading share one list.
struct Registry {
  std::map<std::string, int*> ints;
  std::map<std::string, int64_t*> longs;
  std::map<std::string, std::string*> texts;
  std::map<std::string, DateTime*> dates;
};

Registry Register(PrinterState& s) {
  Registry r;
  Options& o = s.options;
  NetworkSettings& n = s.network;
  r.texts = {{"model", &s.model},
             {"firmware", &s.firmware},
             {"unique", &s.unique_number},
             {"nip", &s.nip},
             {"cashier", &s.cashier},
             {"header", &s.header},
             {"service_phone", &o.service_phone},
             {"type_answer", &o.type_answer},
             {"currency_texts", &o.currency_texts},
             {"accounting_currency", &o.accounting_currency},
             {"scheduled_currency", &o.scheduled_currency},
             {"bt_pin", &n.bt_pin},
             {"bt_address", &n.bt_address},
             {"farewell", &s.farewell}};
  for (size_t i = 0; i < n.eth_texts.size(); ++i)
    r.texts["eth_text" + std::to_string(i)] = &n.eth_texts[i];
  for (size_t i = 0; i < n.wifi_texts.size(); ++i)
    r.texts["wifi_text" + std::to_string(i)] = &n.wifi_texts[i];
  r.ints = {{"header_coding", &s.header_coding},
            {"header_discount", &s.header_discount},
            {"rate_changes", &s.rate_changes},
            {"ram_resets", &s.ram_resets},
            {"receipts_today", &s.receipts_today},
            {"cancelled_today", &s.cancelled_today},
            {"receipt_count", &s.receipt_count},
            {"document_number", &s.document_number},
            {"identifier", &o.identifier},
            {"coding", &o.coding},
            {"drawer_pulse", &o.drawer_pulse},
            {"copy_mode", &o.copy_mode},
            {"original_mode", &o.original_mode},
            {"cutter", &o.cutter},
            {"rollup", &o.rollup},
            {"cover_sensor", &o.cover_sensor},
            {"print_speed", &o.print_speed},
            {"response_time", &o.response_time},
            {"monthly_reminder", &o.monthly_reminder},
            {"daily_forcing", &o.daily_forcing},
            {"external_display", &o.external_display},
            {"display_protocol", &o.display_protocol},
            {"error_mode", &o.error_mode},
            {"deposit_protocol", &o.deposit_protocol},
            {"auto_drawer", &o.auto_drawer},
            {"menu_drawer", &o.menu_drawer},
            {"system_number_standard", &o.system_number_standard},
            {"discount_method", &o.discount_method},
            {"auto_confirm", &o.auto_confirm},
            {"keyboard_lock", &o.keyboard_lock},
            {"keyboard_lock_seconds", &o.keyboard_lock_seconds},
            {"backup_pc", &o.backup_pc},
            {"backup_new", &o.backup_new},
            {"backup_port", &o.backup_port},
            {"backup_speed", &o.backup_speed},
            {"spare_card", &o.spare_card},
            {"service_reminder", &o.service_reminder},
            {"currency_print", &o.currency_print},
            {"pending_reset_kind", &s.pending_reset_kind},
            {"invoices_today", &s.invoices_today},
            {"eth_dhcp", &n.eth_dhcp},
            {"bt_secure", &n.bt_secure},
            {"bt_connect", &n.bt_connect}};
  for (int i = 0; i < kLetters; ++i) {
    std::string k(1, static_cast<char>('A' + i));
    r.ints["rate" + k] = &s.rates[i];
    r.ints["scheduled_rate" + k] = &s.scheduled_rates[i];
    r.longs["sales" + k] = &s.sales[i];
    r.longs["invoice_sales" + k] = &s.invoice_sales[i];
  }
  for (size_t i = 0; i < n.wifi_params.size(); ++i)
    r.ints["wifi" + std::to_string(i)] = &n.wifi_params[i];
  for (size_t i = 0; i < n.io.size(); ++i) r.ints["io" + std::to_string(i)] = &n.io[i];
  r.longs["clock_offset"] = &s.clock_offset;
  r.longs["cash"] = &s.cash;
  r.longs["first_sale"] = &s.first_sale;
  r.longs["last_sale"] = &s.last_sale;
  r.longs["cancelled_amount_today"] = &s.cancelled_amount_today;
  r.texts["copy_chain"] = &s.copy_chain;
  r.dates = {{"rates_when", &s.rates_when},
             {"service_date", &o.service_date},
             {"currency_when", &o.currency_when}};
  return r;
}

// A report line starts with the fields of the first state files; the rest came later and is
// optional, so older files still load.
std::string ReportLine(const DailyReport& d) {
  std::ostringstream out;
  out << d.number << ' ' << DateText(d.when) << ' ' << d.receipts << ' ' << d.cancelled;
  for (int i = 0; i < kLetters; ++i)
    out << ' ' << d.rates[i] << ' ' << d.sales[i] << ' ' << d.vat[i];
  out << ' ' << d.cancelled_amount << ' ' << d.invoices << ' ' << d.rate_set << ' '
      << d.ram_reset_number << ' ' << d.ram_reset_kind << ' ' << d.first_sale << ' ' << d.last_sale
      << ' ' << d.goods_changes << ' ' << (d.damaged ? 1 : 0) << " x" << Hex(d.copy_digest);
  for (int i = 0; i < kLetters; ++i) out << ' ' << d.invoice_sales[i] << ' ' << d.invoice_vat[i];
  return out.str();
}

bool ParseReport(const std::string& line, DailyReport* d) {
  std::istringstream in(line);
  std::string date;
  if (!(in >> d->number >> date >> d->receipts >> d->cancelled)) return false;
  if (!ParseDate(date, &d->when)) return false;
  for (int i = 0; i < kLetters; ++i)
    if (!(in >> d->rates[i] >> d->sales[i] >> d->vat[i])) return false;
  int damaged = 0;
  std::string digest;
  if (!(in >> d->cancelled_amount >> d->invoices >> d->rate_set >> d->ram_reset_number >>
        d->ram_reset_kind >> d->first_sale >> d->last_sale >> d->goods_changes >> damaged >>
        digest))
    return true;
  d->damaged = damaged != 0;
  if (digest.empty() || !Unhex(std::string_view(digest).substr(1), &d->copy_digest) ||
      (d->copy_digest.size() != 20 && !d->copy_digest.empty()))
    d->copy_digest.clear();
  for (int i = 0; i < kLetters; ++i)
    if (!(in >> d->invoice_sales[i] >> d->invoice_vat[i])) break;
  return true;
}

std::string TaxRateLine(const TaxRateEntry& t) {
  std::ostringstream out;
  out << t.number << ' ' << DateText(t.when);
  for (int i = 0; i < kLetters; ++i) out << ' ' << t.rates[i] << ' ' << t.uses[i];
  out << ' ' << (t.foreign_tickets ? 1 : 0) << ' ' << (t.damaged ? 1 : 0);
  return out.str();
}

bool ParseTaxRate(const std::string& line, TaxRateEntry* t) {
  std::istringstream in(line);
  std::string date;
  int foreign = 0, damaged = 0;
  if (!(in >> t->number >> date) || !ParseDate(date, &t->when)) return false;
  for (int i = 0; i < kLetters; ++i)
    if (!(in >> t->rates[i] >> t->uses[i])) return false;
  if (!(in >> foreign >> damaged)) return false;
  t->foreign_tickets = foreign != 0;
  t->damaged = damaged != 0;
  return true;
}

std::string CurrencyLine(const CurrencyEntry& c) {
  return std::to_string(c.first_report) + ' ' + DateText(c.when) + " x" + Hex(c.name) +
         (c.damaged ? " 1" : " 0");
}

bool ParseCurrency(const std::string& line, CurrencyEntry* c) {
  std::istringstream in(line);
  std::string date, name;
  int damaged = 0;
  if (!(in >> c->first_report >> date >> name) || !ParseDate(date, &c->when) || name.empty() ||
      !Unhex(std::string_view(name).substr(1), &c->name) || c->name.size() > 4)
    return false;
  in >> damaged;
  c->damaged = damaged != 0;
  return true;
}

std::string MediumLine(const MediumEntry& m) {
  return std::to_string(m.number) + ' ' + std::to_string(m.first_report) + ' ' +
         std::to_string(m.last_report) + " x" + Hex(m.digest);
}

bool ParseMedium(const std::string& line, MediumEntry* m) {
  std::istringstream in(line);
  std::string digest;
  return in >> m->number >> m->first_report >> m->last_report >> digest && !digest.empty() &&
         Unhex(std::string_view(digest).substr(1), &m->digest) &&
         (m->digest.empty() || m->digest.size() == 20);
}

}  // namespace

std::string SerializeState(const PrinterState& state) {
  PrinterState& s = const_cast<PrinterState&>(state);  // the registry only reads here
  Registry r = Register(s);
  std::ostringstream out;
  out << "kelmemu-state 1\n";
  out << "fiscal " << (s.fiscal ? 1 : 0) << "\n";
  out << "rates_scheduled " << (s.rates_scheduled ? 1 : 0) << "\n";
  for (auto& [k, v] : r.ints) out << k << ' ' << *v << "\n";
  for (auto& [k, v] : r.longs) out << k << ' ' << *v << "\n";
  for (auto& [k, v] : r.texts) out << k << " x" << Hex(*v) << "\n";
  for (auto& [k, v] : r.dates) out << k << ' ' << DateText(*v) << "\n";
  for (const DailyReport& d : s.fiscal_memory) out << "report " << ReportLine(d) << "\n";
  for (const TaxRateEntry& t : s.tax_rates) out << "taxrate " << TaxRateLine(t) << "\n";
  for (const CurrencyEntry& c : s.currencies) out << "currency " << CurrencyLine(c) << "\n";
  for (const MediumEntry& m : s.media) out << "medium " << MediumLine(m) << "\n";
  for (size_t i = 0; i < s.slots.size(); ++i) {
    const Picture& p = s.slots[i];
    // A slot's display mode is kept even while it holds no picture.
    if (!p.present && p.mode == 0 && p.step == 0 && p.speed == 0 && p.interval == 0) continue;
    out << "slot " << i << ' ' << p.mode << ' ' << p.step << ' ' << p.speed << ' ' << p.interval
        << " x" << (p.present ? Hex(p.raster) : "") << "\n";
  }
  for (const std::string& row : s.header_rows) out << "header_row x" << Hex(row) << "\n";
  for (const std::string& row : s.footer_rows) out << "footer_row x" << Hex(row) << "\n";
  return out.str();
}

bool ParseState(std::string_view text, PrinterState* state) {
  std::istringstream in{std::string(text)};
  std::string line;
  if (!std::getline(in, line) || line != "kelmemu-state 1") return false;
  PrinterState s;
  Registry r = Register(s);
  while (std::getline(in, line)) {
    size_t sp = line.find(' ');
    if (sp == std::string::npos) continue;
    std::string key = line.substr(0, sp), value = line.substr(sp + 1);
    if (key == "fiscal") {
      s.fiscal = value == "1";
    } else if (key == "rates_scheduled") {
      s.rates_scheduled = value == "1";
    } else if (auto i = r.ints.find(key); i != r.ints.end()) {
      *i->second = atoi(value.c_str());
    } else if (auto l = r.longs.find(key); l != r.longs.end()) {
      *l->second = strtoll(value.c_str(), nullptr, 10);
    } else if (auto t = r.texts.find(key); t != r.texts.end()) {
      if (!value.empty() && value[0] == 'x') Unhex(std::string_view(value).substr(1), t->second);
    } else if (auto d = r.dates.find(key); d != r.dates.end()) {
      ParseDate(value, d->second);
    } else if (key == "report") {
      DailyReport d;
      if (ParseReport(value, &d)) s.fiscal_memory.push_back(d);
    } else if (key == "taxrate") {
      TaxRateEntry t;
      if (ParseTaxRate(value, &t)) s.tax_rates.push_back(t);
    } else if (key == "currency") {
      CurrencyEntry c;
      if (ParseCurrency(value, &c)) s.currencies.push_back(c);
    } else if (key == "medium") {
      MediumEntry m;
      if (ParseMedium(value, &m)) s.media.push_back(m);
    } else if (key == "slot") {
      std::istringstream v(value);
      size_t i;
      Picture p;
      std::string hex;
      if (v >> i >> p.mode >> p.step >> p.speed >> p.interval >> hex && i < s.slots.size() &&
          hex.size() > 0 && Unhex(std::string_view(hex).substr(1), &p.raster)) {
        p.present = !p.raster.empty();
        s.slots[i] = p;
      }
    } else if (key == "header_row" || key == "footer_row") {
      std::string row;
      if (value.size() > 0 && Unhex(std::string_view(value).substr(1), &row))
        (key == "header_row" ? s.header_rows : s.footer_rows).push_back(row);
    }
  }
  // A clock more than a century off can only come from a damaged file.
  constexpr int64_t kCentury = int64_t{100} * 366 * 86400;
  if (s.clock_offset > kCentury || s.clock_offset < -kCentury) s.clock_offset = 0;
  BackfillRateRecords(s);
  *state = std::move(s);
  return true;
}

bool SaveStateFile(const std::string& path, const PrinterState& state) {
  std::string text = SerializeState(state);
  std::string temp = path + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) {
      close(fd);
      unlink(temp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  // The data must be on disc before the rename makes it the state, or a crash could leave an
  // empty file under the real name.
  bool ok = fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

bool LoadStateFile(const std::string& path, PrinterState* state) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  return ParseState(text, state);
}

StateFileRead ReadStateFile(const std::string& path, PrinterState* state, std::string* why) {
  // A years-long fiscal memory takes a few hundred kilobytes; far more is not ours.
  constexpr off_t kLargestState = 64 << 20;
  // Non-blocking, so that a FIFO under the name is refused rather than waited on.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return StateFileRead::kNew;
    *why = strerror(errno);
    return StateFileRead::kRefused;
  }
  struct stat st;
  StateFileRead result = StateFileRead::kRefused;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *why = "not a regular file";
  } else if (st.st_size == 0) {
    result = StateFileRead::kNew;
  } else if (st.st_size > kLargestState) {
    *why = "too large for a state file";
  } else {
    std::string text(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    ssize_t n = 1;
    while (done < text.size() && (n = read(fd, text.data() + done, text.size() - done)) > 0)
      done += static_cast<size_t>(n);
    text.resize(done);
    if (n < 0) {
      *why = strerror(errno);
    } else if (!ParseState(text, state)) {
      *why = "not a kelmemu state file";
    } else {
      result = StateFileRead::kLoaded;
    }
  }
  close(fd);
  return result;
}

}  // namespace kelm::emu
