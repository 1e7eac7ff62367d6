// kelmemu: a virtual KELM fiscal printer on a loopback TCP port or a pseudo-terminal.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "emulator/fiscal_memory.h"
#include "emulator/printer.h"
#include "emulator/transport.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

void Usage(FILE* out) {
  fprintf(out,
          "usage: kelmemu (--tcp [HOST:]PORT | --pty [--link PATH]) [options]\n"
          "  --state FILE        keep the printer's memory in FILE across restarts\n"
          "  --paper FILE        append every printed document to FILE (UTF-8)\n"
          "  --model M           %s\n"
          "  --firmware X.YY     firmware version to report\n"
          "  --fiscal            the printer is in fiscal mode (default: training)\n"
          "  --history-days N    fill an empty fiscal memory with N days of daily reports\n"
          "  --history FILE      take the fiscal memory of FILE (state-file lines) into an\n"
          "                      empty fiscal memory\n"
          "faults:\n"
          "  --silent N          do not answer the next N queries\n"
          "  --corrupt-check N   spoil the check characters of the next N answers\n"
          "  --garbage N         answer the next N queries with garbage\n"
          "  --xoff MS           hold the line with XOFF for MS ms before each answer (pty)\n"
          "  --drop-after N      drop the line after N bytes received (a terminal comes back\n"
          "                      under a new name behind the same link)\n"
          "  --paper-out         report paper out\n"
          "  --offline           answer DLE only, as an off-line printer\n"
          "  --pace BAUD         send answers no faster than BAUD bits per second; a\n"
          "                      readout's records go at the speed its command names\n"
          "  --damage-report N   daily report N reads back flagged damaged\n"
          "  --damage-rates N    tax-rate record N reads back flagged damaged\n"
          "  --damage-currency N the Nth change of the accounting currency reads back damaged\n"
          "  --break-check N     the Nth record of the next readout has a wrong check byte\n"
          "  --closing-off N     the next readout's closing total due is N grosze off\n"
          "  --stall-after N     a readout's records stop after the Nth; the line stays up\n"
          "  --hangup-after N    hang the line up after the Nth record of a readout\n"
          "  --endless-passes    every readout pass announces another currency, for ever\n"
          "clients:\n"
          "  --idle-ms MS        a TCP client silent for MS ms gives way to a waiting one\n"
          "                      (default 3000)\n"
          "  --queue-limit N     drop a client whose unread answers pass N bytes\n"
          "                      (default 1048576)\n",
          kelm::emu::ModelOptions().c_str());
}

bool ParseCount(const char* text, long* out) {
  char* end;
  long v = strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || v < 0) return false;
  *out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelm::emu;
  ServerOptions server;
  Faults faults;
  std::string model, firmware;
  bool fiscal = false;
  long history_days = 0, damage_report = 0, damage_rates = 0, damage_currency = 0;
  std::string history_file;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char** out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    const char* v = nullptr;
    long n = 0;
    bool ok = true;
    if (a == "--tcp" && (ok = value(&v))) {
      server.tcp = true;
      std::string s = v;
      size_t colon = s.rfind(':');
      if (colon != std::string::npos) {
        if (colon > 0) server.host = s.substr(0, colon);
        s = s.substr(colon + 1);
      }
      ok = ParseCount(s.c_str(), &n) && n <= 65535;
      server.port = static_cast<int>(n);
    } else if (a == "--pty") {
      server.pty = true;
    } else if (a == "--link" && (ok = value(&v))) {
      server.link = v;
    } else if (a == "--state" && (ok = value(&v))) {
      server.state_file = v;
    } else if (a == "--paper" && (ok = value(&v))) {
      server.paper_file = v;
    } else if (a == "--model" && (ok = value(&v))) {
      model = v;
      ok = FindModel(model) != nullptr;
    } else if (a == "--firmware" && (ok = value(&v))) {
      firmware = v;
    } else if (a == "--fiscal") {
      fiscal = true;
    } else if (a == "--silent" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.silent_answers = static_cast<int>(n);
    } else if (a == "--corrupt-check" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.corrupt_checks = static_cast<int>(n);
    } else if (a == "--garbage" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.garbage_answers = static_cast<int>(n);
    } else if (a == "--xoff" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.xoff_ms = static_cast<int>(n);
    } else if (a == "--drop-after" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.drop_after_bytes = n;
    } else if (a == "--paper-out") {
      faults.paper_out = true;
    } else if (a == "--offline") {
      faults.offline = true;
    } else if (a == "--pace" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      faults.pace_baud = static_cast<int>(n);
    } else if (a == "--history-days" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      history_days = n;
    } else if (a == "--history" && (ok = value(&v))) {
      history_file = v;
    } else if (a == "--damage-report" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      damage_report = n;
    } else if (a == "--damage-rates" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      damage_rates = n;
    } else if (a == "--damage-currency" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      damage_currency = n;
    } else if (a == "--break-check" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      faults.break_check_record = static_cast<int>(n);
    } else if (a == "--closing-off" && (ok = value(&v) && ParseCount(v, &n))) {
      faults.closing_off = n;
    } else if (a == "--stall-after" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      faults.stall_after_records = static_cast<int>(n);
    } else if (a == "--hangup-after" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      faults.hangup_after_records = static_cast<int>(n);
    } else if (a == "--endless-passes") {
      faults.endless_passes = true;
    } else if (a == "--idle-ms" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      server.idle_ms = static_cast<int>(n);
    } else if (a == "--queue-limit" && (ok = value(&v) && ParseCount(v, &n) && n > 0)) {
      server.queue_limit = static_cast<size_t>(n);
    } else if (a == "--help" || a == "-h") {
      Usage(stdout);
      return 0;
    } else {
      ok = false;
    }
    if (!ok) {
      fprintf(stderr, "kelmemu: bad option %s%s%s\n", a.c_str(), v ? " " : "", v ? v : "");
      Usage(stderr);
      return 2;
    }
  }
  if (server.tcp == server.pty) {
    Usage(stderr);
    return 2;
  }

  PrinterState state;
  bool loaded = false;
  if (!server.state_file.empty()) {
    std::string why;
    const StateFileRead read = ReadStateFile(server.state_file, &state, &why);
    if (read == StateFileRead::kRefused) {
      fprintf(stderr, "kelmemu: will not use %s as the state file: %s\n", server.state_file.c_str(),
              why.c_str());
      return 1;
    }
    loaded = read == StateFileRead::kLoaded;
  }
  // Options given on the command line win over the stored state, except that fiscal mode,
  // once entered, cannot be left.
  if (!model.empty()) state.model = model;
  if (!firmware.empty()) state.firmware = firmware;
  if (fiscal) state.fiscal = true;
  if (!history_file.empty() && !LoadHistoryFile(history_file, &state)) {
    fprintf(stderr, "kelmemu: no history taken from %s (unreadable, or the memory is not empty)\n",
            history_file.c_str());
    return 1;
  }
  Printer printer(std::move(state));
  printer.faults() = faults;
  if (history_days > 0 && printer.state().fiscal_memory.empty())
    printer.GenerateHistory(static_cast<int>(history_days));
  if ((damage_report && !printer.DamageReport(static_cast<int>(damage_report))) ||
      (damage_rates && !printer.DamageRateRecord(static_cast<int>(damage_rates))) ||
      (damage_currency && !printer.DamageCurrency(static_cast<int>(damage_currency)))) {
    fprintf(stderr, "kelmemu: the fiscal memory has no such record to damage\n");
    return 1;
  }
  const bool changed = printer.TakeDirty();
  if ((!loaded || changed) && !server.state_file.empty())
    SaveStateFile(server.state_file, printer.state());

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  Server srv(printer, server);
  std::string ready, error;
  if (!srv.Start(&ready, &error)) {
    fprintf(stderr, "kelmemu: %s\n", error.c_str());
    return 1;
  }
  printf("%s\n", ready.c_str());
  fflush(stdout);
  srv.Run(&g_stop);
  if (!server.state_file.empty()) SaveStateFile(server.state_file, printer.state());
  return 0;
}
