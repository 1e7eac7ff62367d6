// Test runs against kelmemu over loopback TCP and a pseudo-terminal: 5-line receipts, both
// sliders at 0, the totals check off and on. Prints receipts per minute, the bound the
// documented waits set, and where each receipt's time went. Nothing is asserted.
//
// The documented waits of one receipt: the run dialog's timer, 1 ms after the opening and after
// each line and 25 ms after the closing. With the totals check, the closing tick also reads the
// cash information and checks that command. The receiving dialog ticks 1 ms after it opens and
// after each tick: over TCP once, when the whole answer is there, over a serial line once for
// each 50-byte piece. Over a serial line every read request also waits out its 100 ms unless its
// 50 bytes arrive first, so that costs the two drains before the queries, the status byte's
// quick-path read and the last, short piece of the cash answer. Over TCP none of those reads
// waits.
//
// What a receipt took beyond those waits is split into the timer's oversleep, the program's own
// CPU time and the rest (the printer's answers and the scheduler; the CPU time of the sleep calls
// themselves counts twice, so the rest may dip a little below zero). On a machine busy with other
// work, `chrt -f 10 build/bin/bench_test_run` keeps that work out of the figures.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/diagnostics_queries.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "protocol/frame.h"
#include "protocol/operator.h"
#include "sales/test_run.h"
#include "support/kelmemu_link.h"
#include "support/kelmemu_process.h"

namespace {

using Steady = std::chrono::steady_clock;

double Since(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The system clock, keeping account of the run timer's waits: what was asked, what was slept,
// and how often the printer's status byte was not there yet when a wait ended.
class MeasuringClock : public kelm::Clock {
 public:
  uint32_t TickCount() override { return system_.TickCount(); }
  void Sleep(uint32_t ms) override {
    const Steady::time_point start = Steady::now();
    system_.Sleep(ms);
    if (!run_wait) return;
    run_wait = false;
    asked_ms += ms;
    slept_ms += Since(start);
    if (kelm::PendingInput() == 0) ++late;
  }
  void Reset() {
    run_wait = false;
    asked_ms = slept_ms = 0;
    late = 0;
  }
  // Set by the run's progress callback: the next sleep is the run dialog's timer.
  bool run_wait = false;
  double asked_ms = 0, slept_ms = 0;
  int late = 0;

 private:
  kelm::SystemClock system_;
};

constexpr double kSerialReadMs = 100;
constexpr size_t kSerialChunk = 50;
constexpr double kReceptionTickMs = 1;

// The documented waits of one 5-line receipt; `cash_answer` is the length of the cash answer.
double WaitsPerReceipt(bool tcp, bool check, size_t cash_answer) {
  double ms = 6 * kelm::ShortInterval(0) + kelm::LongInterval(0);
  if (!check) return ms;
  if (tcp) return ms + kReceptionTickMs;
  const size_t pieces = (cash_answer + kSerialChunk - 1) / kSerialChunk;
  // Drain, query, a tick for each piece, the short last piece; drain, ENQ and its quick-path read.
  ms += kSerialReadMs + pieces * kReceptionTickMs;
  ms += cash_answer % kSerialChunk != 0 ? kSerialReadMs : 0;
  return ms + 2 * kSerialReadMs;
}

void Measure(MeasuringClock& clock, bool tcp, bool check, int receipts) {
  std::vector<std::string> options{"--pty", "--model", "vantel"};
  if (tcp) options = {"--tcp", "127.0.0.1:0", "--model", "vantel"};
  kelm::test::KelmemuProcess emu(options);
  kelm::LinkSettings.ModelFamily = 2;
  if (!kelm::test::ConnectToKelmemu(emu)) {
    std::fprintf(stderr, "kelmemu did not start or connect: %s\n", emu.ready().c_str());
    return;
  }
  kelm::ReadCashInfo();
  const size_t cash_answer = std::strlen(kelm::AnswerBuffer);
  kelm::TestRunForm form;
  form.limited = true;
  form.receipt_count = std::to_string(receipts);
  form.fixed_lines = true;
  form.fixed_count = std::to_string(5);
  form.open_drawer = false;
  form.totals_check = check;
  kelm::TestRunEngine engine;
  engine.seed_given = true;
  engine.seed = 1;
  clock.Reset();
  int ticks = 0;
  // The run dialog alone, and the entry around it (status query, totals before and after).
  Steady::time_point start = Steady::now(), run_start;
  double run_ms = 0, cpu_ms = 0;
  kelm::EnterTestRun([&] { kelm::AcceptTestRunSettings(form); },
                     [&] {
                       run_start = Steady::now();
                       const double cpu_start = CpuMs();
                       kelm::DriveTestRun(engine, nullptr, [&] {
                         ++ticks;
                         clock.run_wait = true;
                       });
                       run_ms = Since(run_start);
                       cpu_ms = CpuMs() - cpu_start;
                     });
  const double entry_ms = Since(start) - run_ms;
  const double n = kelm::TestRunSettings.ReceiptCounter;
  const double per_minute = n / run_ms * 60000;
  const double waits = WaitsPerReceipt(tcp, check, cash_answer);
  const double bound = 60000 / waits;
  const double per_receipt = run_ms / n;
  const double oversleep = (clock.slept_ms - clock.asked_ms) / n;
  const double cpu = cpu_ms / n;
  std::printf(
      "%-4s totals check %-3s: %.0f receipts in %.2f s = %.0f receipts/min (waits allow %.0f,"
      " %.0f %%)%s\n"
      "     a receipt %.2f ms: documented waits %.2f, timer oversleep %.2f, program CPU %.2f,"
      " printer and scheduler %.2f; %d of %d ticks found no status byte yet; entry %.2f s\n",
      tcp ? "TCP" : "pty", check ? "on" : "off", n, run_ms / 1000, per_minute, bound,
      per_minute / bound * 100,
      engine.outcome == kelm::TestRunEngine::Outcome::kLimitReached ? "" : " (NOT FINISHED)",
      per_receipt, waits, oversleep, cpu, per_receipt - waits - oversleep - cpu, clock.late, ticks,
      entry_ms / 1000);
  kelm::TcpDisconnect();
  kelm::CloseSerialPort();
}

}  // namespace

// Arguments: how many receipts (200; a quarter of them with the totals check over the pty, where
// a receipt takes some 440 ms), and "tcp" or "pty" to measure one link only.
int main(int argc, char** argv) {
  const int receipts = argc > 1 ? std::atoi(argv[1]) : 200;
  const std::string only = argc > 2 ? argv[2] : "";
  kelm::ConsoleOperator console(false, 5000);
  kelm::InstallOperator(&console);
  MeasuringClock clock;
  kelm::InstallClock(&clock);
  kelm::InstallCashTotalsReader(kelm::ReadCashTotals);
  for (bool tcp : {true, false}) {
    if (!only.empty() && only != (tcp ? "tcp" : "pty")) continue;
    const int count = receipts > 0 ? receipts : 200;
    for (bool check : {false, true}) {
      Measure(clock, tcp, check, check && !tcp ? (count + 3) / 4 : count);
    }
  }
  kelm::InstallClock(nullptr);
  kelm::InstallOperator(nullptr);
  return 0;
}
