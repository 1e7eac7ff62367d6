// Test runs against kelmemu over loopback TCP and a pseudo-terminal: 5-line receipts, both
// sliders at 0, the totals check off and on. Prints receipts per minute, the bound the run
// dialog's own waits set (1 ms after the opening and every line, 25 ms after the closing), and
// how many ticks found no status byte yet. Nothing is asserted.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/diagnostics_queries.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/operator.h"
#include "sales/test_run.h"
#include "support/kelmemu_process.h"

namespace {

using Clock = std::chrono::steady_clock;

void Measure(bool tcp, bool check, int receipts) {
  std::vector<std::string> options{"--pty", "--model", "vantel"};
  if (tcp) options = {"--tcp", "127.0.0.1:0", "--model", "vantel"};
  kelm::test::KelmemuProcess emu(options);
  if (!emu.Ready()) {
    std::fprintf(stderr, "kelmemu did not start: %s\n", emu.ready().c_str());
    return;
  }
  kelm::LinkSettings.ModelFamily = 2;
  if (tcp) {
    const std::string where = emu.Where();
    const size_t colon = where.rfind(':');
    if (kelm::TcpConnect(where.substr(0, colon), where.substr(colon + 1), false) !=
        kelm::kTcpConnected) {
      return;
    }
  } else {
    kelm::SetComDeviceOverride(emu.Where());
    kelm::LinkSettings.PortNumber = 1;
    if (!kelm::OpenSerialPort(1)) return;
  }
  kelm::TestRunForm form;
  form.limited = true;
  form.receipt_count = std::to_string(receipts);
  form.fixed_lines = true;
  form.fixed_count = "5";
  form.open_drawer = false;
  form.totals_check = check;
  kelm::TestRunEngine engine;
  engine.seed_given = true;
  engine.seed = 1;
  int waiting_ticks = 0;
  // The run dialog alone, and the entry around it (status query, totals before and after).
  Clock::time_point start, run_start, run_end;
  start = Clock::now();
  kelm::EnterTestRun([&] { kelm::AcceptTestRunSettings(form); },
                     [&] {
                       run_start = Clock::now();
                       kelm::DriveTestRun(engine, nullptr, [&] {
                         if (engine.wait_visible) ++waiting_ticks;
                       });
                       run_end = Clock::now();
                     });
  const double seconds = std::chrono::duration<double>(run_end - run_start).count();
  const double entry = std::chrono::duration<double>(Clock::now() - start).count() - seconds;
  const double per_minute = kelm::TestRunSettings.ReceiptCounter / seconds * 60;
  // One opening, five lines and one closing: 6 short waits of 1 ms and one long of 25 ms.
  const double bound = 60000.0 / (6 * kelm::ShortInterval(0) + kelm::LongInterval(0));
  std::printf(
      "%-4s totals check %-3s: %u receipts in %.2f s = %.0f receipts/min (waits allow %.0f,"
      " %.0f %%); %d ticks without a status byte yet; entry %.2f s%s\n",
      tcp ? "TCP" : "pty", check ? "on" : "off", kelm::TestRunSettings.ReceiptCounter, seconds,
      per_minute, bound, per_minute / bound * 100, waiting_ticks, entry,
      engine.outcome == kelm::TestRunEngine::Outcome::kLimitReached ? "" : " (NOT FINISHED)");
  kelm::TcpDisconnect();
  kelm::CloseSerialPort();
}

}  // namespace

// Arguments: how many receipts (200), and "tcp" or "pty" to measure one link only.
int main(int argc, char** argv) {
  const int receipts = argc > 1 ? std::atoi(argv[1]) : 200;
  const std::string only = argc > 2 ? argv[2] : "";
  kelm::ConsoleOperator console(false, 5000);
  kelm::InstallOperator(&console);
  kelm::InstallCashTotalsReader(kelm::ReadCashTotals);
  for (bool tcp : {true, false}) {
    if (!only.empty() && only != (tcp ? "tcp" : "pty")) continue;
    for (bool check : {false, true}) Measure(tcp, check, receipts > 0 ? receipts : 200);
  }
  kelm::InstallOperator(nullptr);
  return 0;
}
