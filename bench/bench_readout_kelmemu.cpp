// The program's readout of a year of daily reports from the virtual printer on a pseudo-terminal,
// the printer pacing its records at 115200 bit/s, against the protocol's own limit (record bytes
// and their ENQs x 10 / 115200, plus the read time-outs on the way), for the layouts of the
// electronic-copy printers. Prints what it measured.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "device_thread.h"
#include "emulator/fiscal_memory.h"
#include "emulator/transport.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"

namespace {

using Clock = std::chrono::steady_clock;

void ReadAYear(const char* model, const char* firmware, int variant, int copy_mode) {
  const int days = 365;
  kelm::emu::Printer printer;
  printer.state().model = model;
  printer.state().firmware = firmware;
  printer.GenerateHistory(days);
  printer.faults().pace_baud = 115200;
  kelm::emu::ReadoutRequest all;
  all.by_numbers = true;
  all.from = 1;
  all.to = days;
  size_t bytes = 0, records = 0;
  for (const auto& pass : kelm::emu::BuildReadout(printer.state(), all, {}, 0)) {
    for (const std::string& record : pass) bytes += record.size();
    records += pass.size();
  }

  kelm::emu::ServerOptions options;
  options.pty = true;
  kelm::emu::Server server(printer, options);
  std::string ready, error;
  if (!server.Start(&ready, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  volatile std::sig_atomic_t stop = 0;
  std::thread serving([&] {
    kelm::bench::RunAsDevice();
    server.Run(&stop);
  });
  kelm::SetComDeviceOverride(ready.substr(4));
  kelm::LinkSettings.PortNumber = 1;
  kelm::LinkSettings.Speed = 115200;
  kelm::LinkSettings.ModelFamily = 2;
  kelm::LinkSettings.PrinterVariant = static_cast<uint8_t>(variant);
  kelm::LinkSettings.CopyMode = static_cast<uint8_t>(copy_mode);
  if (kelm::OpenSerialPort(1)) {
    kelm::ReadoutFields fields;
    fields.mode = kelm::ReadoutMode::kByNumbers;
    fields.first_number = "1";
    fields.last_number = std::to_string(days);
    const auto start = Clock::now();
    kelm::ReadoutOutcome out = kelm::ReadPeriodicReportToFile(fields);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    // What the protocol itself takes: every record and the ENQ that asked for it at the line
    // rate, the status byte and its ENQ, and the read time-outs the program must sit out on a
    // serial line: the type query's purge and its answer (shorter than one 50-byte read), the
    // status query's purge and its quick read, and the download dialog's purge. The type query
    // and the readout frame themselves (under 100 bytes) are left out.
    const double waits = 5 * 0.1;
    const double limit = double(bytes + records + 2) * 10 / 115200 + waits;
    std::printf(
        "layout %d, %d daily reports: %s, %zu record bytes, %zu records in %.2f s, line-rate "
        "limit %.2f s with %.1f s of read time-outs (%.1f %% over)\n",
        kelm::emu::DailyLayout(kelm::emu::RecordTypeOf(printer.state())), days,
        out.end == kelm::ReadoutEnd::kShowEndDialog ? "read" : "NOT READ", bytes, records, seconds,
        limit, waits, (seconds / limit - 1) * 100);
    std::remove(kelm::InProgramFolder(kelm::kReadoutWorkFile).c_str());
    kelm::CloseSerialPort();
  }
  stop = 1;
  serving.join();
}

}  // namespace

int main() {
  kelm::ConsoleOperator console(false, 0);
  kelm::InstallOperator(&console);
  kelm::SetProgramFolder(kelm::TempFolder());
  ReadAYear("vantel-ke", "2.00", 0, 1);
  ReadAYear("salvo", "2.00", 0, 2);
  ReadAYear("859", "1.02", 2, 2);
  kelm::InstallOperator(nullptr);
  return 0;
}
