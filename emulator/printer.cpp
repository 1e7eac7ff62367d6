// The byte recogniser, command dispatch and shared helpers of the virtual printer.
#include "emulator/printer.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "emulator/fiscal_memory.h"
#include "emulator/history.h"
#include "emulator/machine.h"
#include "emulator/trace.h"
#include "protocol/check_value.h"
#include "protocol/letter_tables.h"
#include "protocol/sha1.h"
#include "protocol/win1250.h"

namespace kelm::emu {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kEnq = 0x05;
constexpr char kDle = 0x10;
constexpr char kCan = 0x18;
// The program never sends more than its 5120-byte frame buffer; anything longer is line noise.
constexpr size_t kMaxFrame = 5120;
// The raw readout dumps the whole fiscal memory chip.
constexpr size_t kMemoryImageSize = 262144;
constexpr long kDumpBaud = 115200;

}  // namespace

int64_t HostLocalSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return static_cast<int64_t>(now) + tm.tm_gmtoff;
}

// ---- Command and field helpers ----

bool Command::Num(size_t i, long* out) const {
  if (i >= params.size() || params[i].empty() || params[i].size() > 9) return false;
  long v = 0;
  for (char c : params[i]) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *out = v;
  return true;
}

long Command::NumOr(size_t i, long fallback) const {
  long v;
  return Num(i, &v) ? v : fallback;
}

bool FieldReader::Next(char end, std::string_view* out) {
  size_t pos = rest_.find(end);
  if (pos == std::string_view::npos) return false;
  *out = rest_.substr(0, pos);
  rest_.remove_prefix(pos + 1);
  return true;
}

namespace {

// A decimal text ("," or "." before at most `max_decimals` places) as a whole number of its
// smallest unit, refusing more than `max_digits` digits before the point.
bool ParseFixed(std::string_view text, int max_digits, int max_decimals, int64_t* units) {
  int64_t whole = 0, part = 0;
  int digits = 0, decimals = -1;
  for (char c : text) {
    if (c == '.' || c == ',') {
      if (decimals >= 0) return false;
      decimals = 0;
    } else if (c >= '0' && c <= '9') {
      if (decimals >= 0) {
        if (++decimals > max_decimals) return false;
        part = part * 10 + (c - '0');
      } else {
        if (++digits > max_digits) return false;
        whole = whole * 10 + (c - '0');
      }
    } else {
      return false;
    }
  }
  if (digits == 0 && decimals <= 0) return false;
  int64_t scale = 1;
  for (int d = 0; d < max_decimals; ++d) scale *= 10;
  for (int d = decimals < 0 ? 0 : decimals; d < max_decimals; ++d) part *= 10;
  *units = whole * scale + part;
  return true;
}

}  // namespace

bool ParseAmount(std::string_view text, int64_t* grosze) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int64_t value = 0;
  if (!ParseFixed(text, 11, 2, &value)) return false;
  *grosze = negative ? -value : value;
  return true;
}

bool ParseQuantity(std::string_view text, int64_t* thousandths) {
  return ParseFixed(text, 7, 3, thousandths);
}

std::string Amount(int64_t grosze, char point) {
  char buf[32];
  int64_t a = grosze < 0 ? -grosze : grosze;
  snprintf(buf, sizeof buf, "%s%lld%c%02lld", grosze < 0 ? "-" : "",
           static_cast<long long>(a / 100), point, static_cast<long long>(a % 100));
  return buf;
}

int64_t VatOf(int64_t gross, int rate) {
  if (rate >= kRateExempt || rate <= 0) return 0;
  // VAT contained in a gross amount, rounded half up to the grosz.
  return static_cast<int64_t>(
      std::floor(static_cast<double>(gross) * rate / (10000.0 + rate) + 0.5));
}

int LetterIndex(char c) {
  return c >= 'A' && c <= 'G' ? c - 'A' : -1;
}

// ---- Machine ----

Machine::Machine() : host_now(HostLocalSeconds) {}

DateTime Machine::Now() const {
  return FromEpoch(host_now() + st.clock_offset);
}

void Machine::SetNow(const DateTime& t) {
  st.clock_offset = ToEpoch(t) - host_now();
}

bool Machine::AnyRateDefined() const {
  for (int r : st.rates)
    if (r != kRateUndefined) return true;
  return false;
}

bool Machine::TotalsZero() const {
  for (int i = 0; i < kLetters; ++i)
    if (st.sales[i] != 0 || st.invoice_sales[i] != 0) return false;
  return st.receipts_today == 0 && st.cancelled_today == 0;
}

std::string Machine::Utf8(std::string_view printer_bytes) const {
  std::string text(printer_bytes);
  RecodeLetters(text.data(), st.options.coding, kWindows);
  std::string clean;
  for (char c : text) clean += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
  return Cp1250ToUtf8(clean);
}

namespace {

size_t Width(std::string_view utf8) {
  size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

std::string Machine::Line(std::string_view left, std::string_view right) const {
  size_t width = static_cast<size_t>(st.Model().line_width);
  size_t used = Width(left) + Width(right);
  std::string out(left);
  out.append(used < width ? width - used : 1, ' ');
  out += right;
  return out;
}

namespace {

// A graphic header or footer stands in the paper log as one line naming its size.
std::string GraphicMarker(const char* what, const std::vector<std::string>& rows) {
  char line[64];
  snprintf(line, sizeof line, "[GRAFIKA %s %zux%zu]", what, rows.empty() ? 0 : rows[0].size() * 8,
           rows.size());
  return line;
}

}  // namespace

std::vector<std::string> Machine::DocumentStart(const char* title) {
  std::vector<std::string> lines;
  if (!st.header_rows.empty()) lines.push_back(GraphicMarker("NAGŁÓWKA", st.header_rows));
  footer_due = true;
  std::string line;
  // The header is kept in the coding it was sent in; SO and DC4 only switch double width.
  std::string header = st.header;
  RecodeLetters(header.data(), st.header_coding, kWindows);
  // On paper a double-width letter takes two places: the log spaces it out. The leading spaces
  // of a centred or right-aligned line are printed as they came.
  bool wide = false;
  auto end_line = [&] {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(Cp1250ToUtf8(line));
    line.clear();
  };
  for (char c : header) {
    if (c == '\n') {
      end_line();
      wide = false;
    } else if (c == 0x0E) {
      wide = true;
    } else if (c == 0x14) {
      wide = false;
    } else if (c != '\r') {
      line += c;
      if (wide) line += ' ';
    }
  }
  if (!line.empty()) end_line();
  if (!st.nip.empty()) lines.push_back("NIP " + st.nip);
  if (!st.cashier.empty()) lines.push_back("Kasjer " + Utf8(st.cashier));
  DateTime t = Now();
  char date[40], number[32];
  snprintf(date, sizeof date, "%02d-%02d-%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  snprintf(number, sizeof number, "nr wydr. %d", ++st.document_number);
  lines.push_back(Line(date, number));
  size_t width = static_cast<size_t>(st.Model().line_width);
  size_t w = Width(title);
  lines.push_back(std::string(w < width ? (width - w) / 2 : 0, ' ') + title);
  dirty = true;
  return lines;
}

void Machine::Print(const std::vector<std::string>& lines) {
  std::string block;
  for (const std::string& l : lines) block += l + "\n";
  // A training-mode printer marks every printout so it is never taken for a fiscal document.
  if (!st.fiscal) block += "TRYB SZKOLENIOWY\n";
  if (footer_due && !st.footer_rows.empty())
    block += GraphicMarker("STOPKI", st.footer_rows) + "\n";
  footer_due = false;
  // The electronic copy keeps every document; its digest goes into the next daily report.
  if (st.Model().copy_mode != 0) {
    std::string chained = st.copy_chain + block;
    Sha1Digest d = Sha1Of(chained.data(), chained.size());
    st.copy_chain.assign(reinterpret_cast<const char*>(d.data()), d.size());
  }
  paper.push_back(block);
  dirty = true;
}

std::string Machine::Answer(std::string_view body) const {
  std::string out;
  out += kEsc;
  out += 'P';
  out += body;
  char digits[2];
  CheckDigits(CheckValue(body.data(), body.size()), digits);
  out.append(digits, 2);
  out += kEsc;
  out += '\\';
  return out;
}

void Machine::ApplyScheduled() {
  int64_t now = ToEpoch(Now());
  if (st.rates_scheduled && now >= ToEpoch(st.rates_when)) {
    st.rates = st.scheduled_rates;
    st.rates_scheduled = false;
    ++st.rate_changes;
    StoreRatesIfChanged(st, st.rates_when);
    dirty = true;
  }
  if (!st.options.scheduled_currency.empty() && now >= ToEpoch(st.options.currency_when)) {
    st.options.accounting_currency = st.options.scheduled_currency;
    st.options.scheduled_currency.clear();
    StoreCurrency(st, st.options.accounting_currency, st.options.currency_when);
    dirty = true;
  }
}

std::string Machine::StatusByte(char query) const {
  unsigned char b;
  if (query == kEnq) {
    b = 0x60;
    if (last_transaction_ok) b |= 0x01;
    if (tx.open) b |= 0x02;
    if (last_error == 0) b |= 0x04;
    if (st.fiscal) b |= 0x08;
  } else {
    b = 0x70;
    if (faults.paper_out) b |= 0x02;
    if (!faults.offline) b |= 0x04;
  }
  return std::string(1, static_cast<char>(b));
}

std::string Machine::Deliver(std::string answer, bool is_frame) {
  if (answer.empty()) return answer;
  if (faults.silent_answers > 0) {
    --faults.silent_answers;
    return "";
  }
  if (faults.garbage_answers > 0) {
    --faults.garbage_answers;
    // Ends like a frame so that a reader waiting for ESC "\" stops, but has no known shape.
    return is_frame ? std::string("\x7F#?\xFE\x01garbage\x1B\\", 14) : std::string("\x3F");
  }
  if (is_frame && faults.corrupt_checks > 0 && answer.size() >= 6) {
    --faults.corrupt_checks;
    size_t at = answer.size() - 4;
    answer[at] = answer[at] == 'Z' ? 'Y' : 'Z';
    answer[at + 1] = answer[at + 1] == 'Z' ? 'Y' : 'Z';
  }
  return answer;
}

std::string Machine::MemoryImage() const {
  // The chip: one text record per daily report, erased (FFh) space after them.
  std::string image;
  for (const DailyReport& d : st.fiscal_memory) {
    char rec[64];
    int len = snprintf(rec, sizeof rec, "R%05d%04d%02d%02d", d.number, d.when.year, d.when.month,
                       d.when.day);
    image.append(rec, static_cast<size_t>(len));
    for (int i = 0; i < kLetters; ++i) {
      len = snprintf(rec, sizeof rec, ";%lld;%lld", static_cast<long long>(d.sales[i]),
                     static_cast<long long>(d.vat[i]));
      image.append(rec, static_cast<size_t>(len));
    }
    image += '\n';
  }
  if (image.size() > kMemoryImageSize) image.resize(kMemoryImageSize);
  image.append(kMemoryImageSize - image.size(), '\xFF');
  return image;
}

std::string Machine::NextRecord() {
  std::vector<std::string>& pass = readout.passes[readout.pass];
  std::string record = pass[readout.next++];
  if (++readout.sent == faults.break_check_record) {
    record.back() = static_cast<char>(record.back() ^ 0x5A);
    faults.break_check_record = 0;
  }
  if (faults.hangup_after_records > 0 && readout.sent == faults.hangup_after_records) {
    faults.hangup_after_records = 0;
    hangup_due = true;
  }
  if (readout.next == pass.size()) {
    // The closing record: another pass starts with its own status query, or the readout ends
    // (or, for the endless fault, starts over with the first currency).
    ++readout.pass;
    readout.next = 0;
    readout.awaiting_status = true;
    if (readout.pass == readout.passes.size()) {
      if (faults.endless_passes) {
        readout.pass = 0;
      } else {
        readout = Readout();
      }
    }
  }
  return record;
}

void Machine::TraceIn(const std::string& line) {
  if (!trace) return;
  // Raw data is told as one line per run, before whatever ends the run.
  if (raw_untraced > 0) {
    trace(true, "raw data, " + std::to_string(raw_untraced) + " bytes");
    raw_untraced = 0;
  }
  if (!line.empty()) trace(true, line);
}

std::string Machine::TracedOut(std::string bytes, char query) const {
  if (trace && (!bytes.empty() || query != 0)) trace(false, DescribeAnswer(*this, bytes, query));
  return bytes;
}

std::string Machine::Feed(std::string_view in) {
  std::string out;
  answer_baud = 0;
  answer_record = false;
  for (char c : in) {
    if (in_frame) {
      frame_bytes += c;
      if (frame_bytes.size() == 2 && c != 'P') {
        // ESC not starting a frame: drop it and look at this byte afresh.
        TraceIn("ESC not followed by P, dropped");
        in_frame = false;
        frame_bytes.clear();
        out += Feed(std::string_view(&c, 1));
        continue;
      }
      size_t n = frame_bytes.size();
      if (n >= 4 && frame_bytes[n - 2] == kEsc && c == '\\') {
        in_frame = false;
        std::string frame;
        frame.swap(frame_bytes);
        out += Execute(frame);
      } else if (n > kMaxFrame) {
        TraceIn("frame longer than 5120 bytes without ESC \\, dropped");
        in_frame = false;
        frame_bytes.clear();
      }
      continue;
    }
    if (c == kEsc) {
      in_frame = true;
      frame_bytes.assign(1, c);
    } else if (c == kEnq && readout.active && !readout.awaiting_status && !faults.offline) {
      // A stalled printer keeps the line but sends nothing more.
      if (faults.stall_after_records > 0 && readout.sent >= faults.stall_after_records) continue;
      answer_baud = readout.baud;
      answer_record = true;
      TraceIn("ENQ: next record of the readout");
      out += TracedOut(NextRecord());
    } else if (c == kEnq && readout.active && !faults.offline) {
      readout.awaiting_status = false;
      TraceIn("ENQ status query");
      out += TracedOut(Deliver(StatusByte(c), false), c);
    } else if (c == kCan && readout.active) {
      // The program closes its download window with CAN: mid-pass that is an abort.
      TraceIn("CAN: end of the readout");
      if (!readout.awaiting_status) {
        readout = Readout();
        readout_cancelled = true;
      }
    } else if (c == kEnq || c == kDle) {
      TraceIn(c == kEnq ? "ENQ status query" : "DLE status query");
      if (!(c == kEnq && faults.offline)) out += TracedOut(Deliver(StatusByte(c), false), c);
    } else if (raw_run == 0 && (c == 'S' || c == 'C' || c == 'B')) {
      // The one-character commands of the raw readout come alone; the same letters inside a
      // stream of raw data (a file sent to the printer) are data. One readout runs until "C".
      TraceIn(c == 'S'   ? "S: raw memory readout"
              : c == 'C' ? "C: end of the raw memory readout"
                         : "B: beep");
      if (c == 'S' && !readout_sent && !faults.offline) {
        out += TracedOut(MemoryImage());
        readout_sent = true;
        // The dump goes at the dump speed, and "C" stops what has not gone out yet.
        answer_baud = kDumpBaud;
        answer_record = true;
      } else if (c == 'C') {
        if (readout_sent) readout_cancelled = true;
        readout_sent = false;
      } else if (c == 'B') {
        paper.push_back(kBeepLine);
      }
      continue;
    } else {
      // Raw bytes are a file sent to the printer: kept as they came.
      ++raw_run;
      ++raw_untraced;
      received_data += c;
      continue;
    }
    raw_run = 0;
  }
  TraceIn("");
  return out;
}

std::string Machine::Execute(std::string_view frame) {
  if (faults.offline) {
    TraceIn("frame ignored off-line");
    return "";
  }
  // A command in the middle of a readout means the program has given up on it.
  if (readout.active && !readout.awaiting_status) readout_cancelled = true;
  readout = Readout();
  ApplyScheduled();
  Command c;
  c.body = frame.substr(2, frame.size() - 4);
  Result r;
  size_t pos = c.body.find_first_of("$#");
  if (pos == std::string_view::npos || pos + 1 >= c.body.size()) {
    r.error = kUnknown;
  } else {
    c.designator = std::string(c.body.substr(pos, 2));
    std::string_view list = c.body.substr(0, pos);
    while (!list.empty()) {
      size_t semi = list.find(';');
      c.params.push_back(list.substr(0, semi));
      if (semi == std::string_view::npos) break;
      list.remove_prefix(semi + 1);
      if (list.empty()) c.params.push_back(list);
    }
    c.data = c.body.substr(pos + 2);
    c.fields = c.data;
    const CommandEntry* entry = FindCommand(c.designator);
    if (!entry) {
      r.error = kUnknown;
    } else {
      bool check = entry->needs_check == nullptr || entry->needs_check(c);
      if (check) {
        char digits[2];
        if (c.data.size() >= 2) {
          CheckDigits(CheckValue(c.body.data(), c.body.size() - 2), digits);
        }
        if (c.data.size() < 2 || c.data[c.data.size() - 2] != digits[0] ||
            c.data[c.data.size() - 1] != digits[1]) {
          r.error = kCheck;
        } else {
          c.fields = c.data.substr(0, c.data.size() - 2);
        }
      }
      // Without paper nothing that starts a printout is taken: receipts, cash in and out,
      // the daily report.
      static constexpr std::string_view kPrintouts[] = {"$h", "#i", "#d", "#r"};
      if (r.error == kOk && faults.paper_out &&
          std::find(std::begin(kPrintouts), std::end(kPrintouts), c.designator) !=
              std::end(kPrintouts)) {
        r.error = kPrinterBlocked;
      }
      if (r.error == kOk) entry->handler(*this, c, r);
    }
  }
  if (!r.query) last_error = r.error;
  last_body = std::string(c.body);
  if (trace) TraceIn(DescribeCommand(*this, c, r.error));
  if (r.answer.empty()) return "";
  return TracedOut(Deliver(r.answer, !r.raw));
}

// ---- Printer ----

Printer::Printer(PrinterState state) : m_(std::make_unique<Machine>()) {
  m_->st = std::move(state);
}
Printer::~Printer() = default;

std::string Printer::Handle(std::string_view in) {
  return m_->Feed(in);
}
void Printer::SetTrace(std::function<void(bool incoming, const std::string& line)> sink) {
  m_->trace = std::move(sink);
}
void Printer::DropPartialInput() {
  m_->in_frame = false;
  m_->frame_bytes.clear();
}
PrinterState& Printer::state() {
  return m_->st;
}
Faults& Printer::faults() {
  return m_->faults;
}
int Printer::last_error() const {
  return m_->last_error;
}
void Printer::SetHostClock(std::function<int64_t()> now) {
  m_->host_now = std::move(now);
}

std::string Printer::TakeReceivedData() {
  std::string out;
  out.swap(m_->received_data);
  return out;
}

std::vector<std::string> Printer::TakePaper() {
  std::vector<std::string> out;
  out.swap(m_->paper);
  return out;
}

long Printer::AnswerBaud() const {
  return m_->answer_baud;
}

bool Printer::AnswerIsRecord() const {
  return m_->answer_record;
}

bool Printer::ReadoutActive() const {
  return m_->readout.active;
}

bool Printer::TakeReadoutCancelled() {
  bool c = m_->readout_cancelled;
  m_->readout_cancelled = false;
  return c;
}

bool Printer::TakeHangup() {
  bool h = m_->hangup_due;
  m_->hangup_due = false;
  return h;
}

bool Printer::DamageReport(int number) {
  for (DailyReport& d : m_->st.fiscal_memory)
    if (d.number == number) {
      d.damaged = true;
      m_->dirty = true;
      return true;
    }
  return false;
}

bool Printer::DamageCurrency(int nth) {
  std::vector<CurrencyEntry>& c = m_->st.currencies;
  if (nth < 1 || static_cast<size_t>(nth) > c.size()) return false;
  c[static_cast<size_t>(nth) - 1].damaged = true;
  m_->dirty = true;
  return true;
}

bool Printer::DamageRateRecord(int number) {
  for (TaxRateEntry& t : m_->st.tax_rates)
    if (t.number == number) {
      t.damaged = true;
      m_->dirty = true;
      return true;
    }
  return false;
}

void Printer::RamReset(int kind) {
  PrinterState& s = m_->st;
  ++s.ram_resets;
  s.pending_reset_kind = kind;
  if (kind == 0xAA || kind == 0xDD) {
    s.sales = {};
    s.invoice_sales = {};
  }
  m_->dirty = true;
}

bool Printer::CloseMedium() {
  PrinterState& s = m_->st;
  const int first = s.media.empty() ? 1 : s.media.back().last_report + 1;
  if (s.fiscal_memory.empty() || s.fiscal_memory.back().number < first) return false;
  MediumEntry m;
  m.number = static_cast<int>(s.media.size()) + 1;
  m.first_report = first;
  m.last_report = s.fiscal_memory.back().number;
  // The medium's digest covers the copies of the reports it holds.
  std::string copies;
  for (const DailyReport& d : s.fiscal_memory)
    if (d.number >= first) copies += d.copy_digest;
  Sha1Digest digest = Sha1Of(copies.data(), copies.size());
  m.digest.assign(reinterpret_cast<const char*>(digest.data()), digest.size());
  s.media.push_back(m);
  m_->dirty = true;
  return true;
}

bool Printer::GenerateHistory(int days, uint32_t seed) {
  DateTime today = m_->Now();
  bool made = kelm::emu::GenerateHistory(m_->st, days, today, seed);
  if (made) m_->dirty = true;
  return made;
}

bool Printer::TakeDirty() {
  bool d = m_->dirty;
  m_->dirty = false;
  return d;
}

}  // namespace kelm::emu
