// Inside the virtual printer: the parsed command, the running state and the command handlers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/daily_digest.h"
#include "emulator/printer.h"
#include "emulator/printer_state.h"

namespace kelm::emu {

// Printer error numbers the handlers use, by their meaning.
enum Err : int {
  kOk = 0,
  kUnknown = 255,  // shown by the program as number 0, "command not recognised"
  kCheck = 2,
  kCount = 3,
  kParam = 4,
  kClock = 5,
  kFiscalMemory = 6,
  kDateEarlier = 7,
  kNonZeroTotals = 8,
  kRateValue = 11,
  kHeader = 12,
  kAlreadyFiscal = 13,
  kExtraLines = 15,
  kName = 16,
  kQuantity = 17,
  kRateLetter = 18,
  kPrice = 19,
  kGross = 20,
  kNoTransaction = 21,
  kRegister = 22,
  kLineCount = 23,
  kCashierText = 25,
  kPayment = 26,
  kTotal = 27,
  kNotOpened = 29,
  kCashAmount = 30,
  kCashNegative = 32,
  kShiftText = 33,
  kCashierName = 34,
  kInTransaction = 82,
  kPrinterBlocked = 89,
  kTransactionOpen = 95,
  kSameRates = 131,
  kRatesUndefined = 134,
  kBadDate = 135,
  kClockOnlyAfterReport = 136,
  kClockRange = 129,
  kRateRegisterFull = 142,
  kBadNip = 143,
  kNipProgrammed = 144,
  kVatLetter = 39,
  kAmountValue = 51,
  kCurrencyUnchanged = 121,
  kNoScheduledCurrency = 124,
};

// One command frame taken apart. Views point into the frame being handled.
struct Command {
  std::string_view body;                 // between "P" and ESC "\"
  std::vector<std::string_view> params;  // the ";"-separated parameters before the designator
  std::string designator;                // two characters, "$h", "#v", ...
  std::string_view data;                 // after the designator, check characters included
  std::string_view fields;               // data without the check characters

  size_t count() const { return params.size(); }
  // The parameter as a non-negative decimal number; false when missing or not a number.
  bool Num(size_t i, long* out) const;
  long NumOr(size_t i, long fallback) const;
};

struct Result {
  int error = kOk;
  std::string answer;  // raw bytes to send back
  bool query = false;  // a pure query: leaves the last error as it was
  bool raw = false;    // the answer is raw data, not an answer frame
};

// Reads fields one by one from a command's field bytes.
class FieldReader {
 public:
  explicit FieldReader(std::string_view fields) : rest_(fields) {}
  // The next field up to `end` (not included); false when `end` never comes.
  bool Next(char end, std::string_view* out);
  std::string_view rest() const { return rest_; }
  bool done() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// The open receipt, order or report series; not kept across restarts, as a real printer would
// cancel an unfinished document at power-up.
struct Transaction {
  bool open = false;
  int block_lines = 0;  // announced number of lines in block mode, 0 on-line
  int lines = 0;
  std::array<int64_t, kLetters> sales{};  // gross per letter after line discounts
  int64_t total = 0;
  int64_t rounding_slack = 0;  // grosze the closing's total may differ by
  int64_t deposits_taken = 0, deposits_returned = 0;
  std::string system_number, buyer_nip, qr;
  std::vector<std::string> printed;  // the receipt's lines as they will be printed
  std::vector<std::string> control;  // the sale items of the control number, in order
};

struct ControlSeries {
  bool open = false;
  bool daily = false;
  std::vector<std::string> items;  // the data of the series, in the order received
  DailyDigest digest;              // a daily report's control number, built as the data comes
  int values = 0;                  // labelled values of a daily report so far
  int step = 0;                    // how far the series has come: what may follow
  std::string daily_code;
};

class Machine {
 public:
  Machine();

  PrinterState st;
  Faults faults;
  std::function<int64_t()> host_now;
  std::vector<std::string> paper;
  bool dirty = false;

  int last_error = 0;
  bool last_transaction_ok = true;
  Transaction tx;
  bool order_open = false;
  std::vector<std::string> order_lines;
  int base_report_kind = -1;
  std::vector<std::string> base_lines;
  ControlSeries control;
  std::string last_body;          // the previous command, answered to the receive-buffer query
  int upload_slot = -1;           // the display slot being uploaded, -1 when none
  std::string upload;             // its raster so far
  std::vector<std::string> rows;  // header or footer rows of the picture being sent
  bool footer_due = false;        // a document has started: the graphic footer ends its print

  DateTime Now() const;
  void SetNow(const DateTime& t);
  int64_t RateOf(int letter) const { return st.rates[letter]; }
  bool AnyRateDefined() const;
  bool TotalsZero() const;

  // Printer-coded text to UTF-8 for the paper log (the letter coding in force).
  std::string Utf8(std::string_view printer_bytes) const;
  // Starts a printed document with the header and date line; returns its lines so far.
  std::vector<std::string> DocumentStart(const char* title);
  void Print(const std::vector<std::string>& lines);
  std::string Line(std::string_view left, std::string_view right) const;

  std::string Answer(std::string_view body) const;  // ESC P body check ESC "\"
  void ApplyScheduled();

  // The byte recogniser: frames, status queries and raw input in any chunking.
  std::string Feed(std::string_view in);
  std::string Execute(std::string_view frame);
  std::string StatusByte(char query) const;
  std::string Deliver(std::string answer, bool is_frame);  // applies the answer faults

  std::string MemoryImage() const;

  // The record stream of a periodic report readout: the status query that the program sends
  // before each pass is answered as usual, the next ENQ starts the pass, and every further
  // ENQ brings one record until the closing record. CAN during a pass ends the readout.
  struct Readout {
    bool active = false;
    bool awaiting_status = true;
    std::vector<std::vector<std::string>> passes;
    size_t pass = 0, next = 0;
    long baud = 0;
    int sent = 0;
  } readout;
  std::string NextRecord();
  long answer_baud = 0;
  bool answer_record = false;
  bool readout_cancelled = false;
  bool hangup_due = false;

  // The trace (kelmemu --trace): a decoded line for each frame taken in (`incoming`) and each
  // answer given. Unset, nothing is described.
  std::function<void(bool incoming, const std::string& line)> trace;
  // An empty line only tells the raw data taken so far.
  void TraceIn(const std::string& line);
  size_t raw_untraced = 0;
  // Traces what goes out in answer to `query` (ENQ, DLE or 0) and hands it on.
  std::string TracedOut(std::string bytes, char query = 0) const;

  std::string frame_bytes;
  bool in_frame = false;
  size_t raw_run = 0;         // raw bytes since the last frame or status query
  bool readout_sent = false;  // "S" answered and no "C" yet
  std::string received_data;  // raw bytes not taken yet by Printer::TakeReceivedData
};

// What the paper log shows for the beep of the raw readout's "B".
inline constexpr char kBeepLine[] = "*** sygnał dźwiękowy ***\n";

// Money and numbers as the printer reads and writes them.
bool ParseAmount(std::string_view text, int64_t* grosze);  // "12.34", "12,34", "-5", "0.5"
bool ParseQuantity(std::string_view text, int64_t* thousandths);
std::string Amount(int64_t grosze, char point = '.');
int64_t VatOf(int64_t gross, int rate);
int LetterIndex(char c);  // 'A'..'G' -> 0..6, else -1

// The control number of a document: 40 letters and digits over its items. An item is the
// document's data in one canonical form, so that what the printer printed and what an operator
// types back from the printout give the same items.
std::string ControlNumber(const std::vector<std::string>& items);
std::string DocumentItem(int document_number, const DateTime& when);  // date and printout number
std::string SaleItem(std::string_view name, char letter);
std::string TotalsItem(int64_t vat, int64_t total, int receipt, std::string_view unique,
                       const DateTime& when);
std::string CancelItem(std::string_view unique, const DateTime& when);

// Command families. Each handler fills the result; `NeedsCheck` says whether a frame carries
// check characters (a few templates carry none).
using Handler = void (*)(Machine&, const Command&, Result&);
struct CommandEntry {
  const char* designator;
  Handler handler;
  bool (*needs_check)(const Command&);  // nullptr: always
  const char* name;                     // as the program's dialogs call it, for the trace
};
const CommandEntry* FindCommand(std::string_view designator);

void HandleDiagnostics(Machine&, const Command&, Result&);  // #n #s #c #v $0 $8
void HandleConfig(Machine&, const Command&, Result&);       // $f #u $p $n $c $1.. #e $o $I $- $S
void HandleSales(Machine&, const Command&, Result&);        // $h $l $e $x $z #Q
void HandleSalesExtras(Machine&, const Command&, Result&);  // #g #h $$ ## #i #d #t #l #b
void HandleReports(Machine&, const Command&, Result&);      // #r #o #k #p #q $4
void HandleDisplay(Machine&, const Command&, Result&);      // $d
void HandleControl(Machine&, const Command&, Result&);      // $*

}  // namespace kelm::emu
