// The virtual KELM printer as a pure function: bytes in, answer bytes out, plus its state.
//
// Feed the bytes the program sends, in any chunking; `Handle` returns the bytes the printer
// answers. It recognises command frames (ESC "P" ... ESC "\"), the lone status queries ENQ and
// DLE, the one-character raw readout commands "S", "C", "B", and keeps other raw input. After
// "#o" with 128 its ENQs bring the fiscal memory's records one at a time, until the closing record
// or a CAN. The printed documents are collected as UTF-8 text blocks for a paper log.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/printer_state.h"

namespace kelm::emu {

// Misbehaviour on request, for the program's tests. Counters count down as they fire.
struct Faults {
  int silent_answers = 0;   // swallow the next N answers (frames or status bytes)
  int corrupt_checks = 0;   // the next N answer frames carry wrong check characters
  int garbage_answers = 0;  // the next N answers are replaced by bytes of no known shape
  bool paper_out = false;   // DLE reports paper out; printing commands fail
  bool offline = false;     // only DLE is answered (70h pattern without the on-line bit)
  // Applied by the transports, not by the core:
  int xoff_ms = 0;             // before each answer, hold the line with XOFF for this long
  long drop_after_bytes = -1;  // close the connection after this many bytes received
  long drop_after_sent = -1;   // close the connection once this many answer bytes went out
  int pace_baud = 0;           // write answers no faster than this line speed
  // The periodic report readout (the record stream of "#o" with 128), for its next run:
  int break_check_record = 0;  // the Nth record sent (1: the first header) has a bad check byte
  long closing_off = 0;        // grosze added to the total due of the first closing record
  // A printer that breaks off a readout, or never ends it:
  int stall_after_records = 0;   // after N records, ENQs of the readout go unanswered
  int hangup_after_records = 0;  // after N records, the line is hung up (TakeHangup)
  bool endless_passes = false;   // every pass announces another currency, for ever
};

class Machine;

class Printer {
 public:
  explicit Printer(PrinterState state = PrinterState());
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  std::string Handle(std::string_view in);
  // Where the decoded trace goes: one line per frame or status query taken in (`incoming`) and
  // per answer given.
  void SetTrace(std::function<void(bool incoming, const std::string& line)> sink);
  // Forgets a frame that was cut off, as when the peer on the line goes away.
  void DropPartialInput();

  PrinterState& state();
  Faults& faults();
  int last_error() const;

  // The host clock, in local seconds since 1970 (local time read as if it were UTC). The
  // printer's clock runs at an offset from it that the clock correction changes.
  void SetHostClock(std::function<int64_t()> now);

  // Documents printed since the last call, one UTF-8 block each.
  std::vector<std::string> TakePaper();
  // Raw bytes (a file sent to the printer) received since the last call, as they came.
  std::string TakeReceivedData();
  // True once after anything worth saving changed.
  bool TakeDirty();

  // The line speed of the answer `Handle` returned last: the readout speed while it sends the
  // records of a readout, else 0 (the configured line speed).
  long AnswerBaud() const;
  // Whether that answer holds a readout's records.
  bool AnswerIsRecord() const;
  // True while a readout's record stream is under way.
  bool ReadoutActive() const;
  // True once after a readout was broken off (CAN or a command during a pass): records still
  // waiting to go out must be dropped, as a printer stops sending at once.
  bool TakeReadoutCancelled();
  // True once when the hang-up fault has fallen due: the transport drops the line after the
  // answers already queued have gone out.
  bool TakeHangup();

  // The fiscal memory's faults: the daily report or tax-rate record of that number reads back
  // flagged damaged. False when there is no such record.
  bool DamageReport(int number);
  bool DamageRateRecord(int number);
  // The Nth change of the accounting currency (1: the first) reads back damaged.
  bool DamageCurrency(int nth);
  // A RAM reset of the given kind (AAh sales registers, BBh rate assignment, CCh cache, DDh
  // sales and cache), reported by the next daily report. Sales registers lose the day's sales.
  void RamReset(int kind);
  // The electronic-copy medium in use is full: it is closed with the last daily report and its
  // records go before that report in a readout. False without a report since the last medium.
  bool CloseMedium();
  // Fills an empty fiscal memory with `days` generated daily reports up to yesterday.
  bool GenerateHistory(int days, uint32_t seed = 1);

 private:
  std::unique_ptr<Machine> m_;
};

// The local time of the host, in the form SetHostClock expects.
int64_t HostLocalSeconds();

}  // namespace kelm::emu
