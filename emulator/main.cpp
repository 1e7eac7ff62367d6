// kelmemu: a virtual KELM fiscal printer on a loopback TCP port or a pseudo-terminal.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "emulator/fiscal_memory.h"
#include "emulator/history.h"
#include "emulator/picture_files.h"
#include "emulator/printer.h"
#include "emulator/trace.h"
#include "emulator/transport.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

bool ParseCount(const char* text, long* out) {
  char* end;
  long v = strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || v < 0) return false;
  *out = v;
  return true;
}

// What the command line asks for, filled by the option rows.
struct CommandLine {
  kelm::emu::ServerOptions server;
  kelm::emu::Faults faults;
  std::string model, firmware, history_file, trace_file;
  bool fiscal = false;
  long history_days = 0, damage_report = 0, damage_rates = 0, damage_currency = 0;
};

// One option: its name, what follows it in the usage ("" for a flag), its help (lines after the
// first indented), and how its value is taken (nullptr value for a flag); false rejects it.
struct OptionRow {
  const char* name;
  const char* argument;
  std::string help;
  bool (*apply)(const char* value, CommandLine* o);
  bool fault = false;  // listed under "faults:"
};

// A count of at least `min` into `field`.
template <class T>
bool Count(const char* value, long min, T* field) {
  long n = 0;
  if (!ParseCount(value, &n) || n < min) return false;
  *field = static_cast<T>(n);
  return true;
}

const std::vector<OptionRow>& OptionTable() {
  using kelm::emu::FindModel;
  static const std::vector<OptionRow> rows = {
      {"--tcp", "[HOST:]PORT", "",
       [](const char* v, CommandLine* o) {
         o->server.tcp = true;
         std::string s = v;
         const size_t colon = s.rfind(':');
         if (colon != std::string::npos) {
           if (colon > 0) o->server.host = s.substr(0, colon);
           s = s.substr(colon + 1);
         }
         long n = 0;
         if (!ParseCount(s.c_str(), &n) || n > 65535) return false;
         o->server.port = static_cast<int>(n);
         return true;
       }},
      {"--pty", "", "", [](const char*, CommandLine* o) { return o->server.pty = true; }},
      {"--link", "PATH", "",
       [](const char* v, CommandLine* o) {
         o->server.link = v;
         return true;
       }},
      {"--state", "FILE", "keep the printer's memory in FILE across restarts",
       [](const char* v, CommandLine* o) {
         o->server.state_file = v;
         return true;
       }},
      {"--paper", "FILE", "append every printed document to FILE (UTF-8)",
       [](const char* v, CommandLine* o) {
         o->server.paper_file = v;
         return true;
       }},
      {"--pictures", "DIR",
       "write the pictures it holds (display slots, graphic header and footer, farewell screen) "
       "into DIR as one-bit BMP files",
       [](const char* v, CommandLine* o) {
         o->server.pictures_dir = v;
         return true;
       }},
      {"--data", "FILE", "append raw bytes sent to the printer (a file) to FILE",
       [](const char* v, CommandLine* o) {
         o->server.data_file = v;
         return true;
       }},
      {"--trace", "FILE",
       "append every frame received and every answer sent to FILE,\ndecoded (time, direction, "
       "command and name, parameters, fields,\ncheck value right or wrong)",
       [](const char* v, CommandLine* o) {
         o->trace_file = v;
         return true;
       }},
      {"--model", "M", kelm::emu::ModelOptions(),
       [](const char* v, CommandLine* o) {
         o->model = v;
         return FindModel(o->model) != nullptr;
       }},
      {"--firmware", "X.YY", "firmware version to report",
       [](const char* v, CommandLine* o) {
         o->firmware = v;
         return true;
       }},
      {"--fiscal", "", "the printer is in fiscal mode (default: training)",
       [](const char*, CommandLine* o) { return o->fiscal = true; }},
      {"--history-days", "N", "fill an empty fiscal memory with N days of daily reports",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->history_days); }},
      {"--history", "FILE",
       "take the fiscal memory of FILE (state-file lines) into an\nempty fiscal memory",
       [](const char* v, CommandLine* o) {
         o->history_file = v;
         return true;
       }},
      {"--idle-ms", "MS", "a TCP client silent for MS ms gives way to a waiting one\n(3000)",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->server.idle_ms); }},
      {"--queue-limit", "N", "drop a client whose unread answers pass N bytes\n(1048576)",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->server.queue_limit); }},
      {"--silent", "N", "do not answer the next N queries",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.silent_answers); }, true},
      {"--corrupt-check", "N", "spoil the check characters of the next N answers",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.corrupt_checks); }, true},
      {"--garbage", "N", "answer the next N queries with garbage",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.garbage_answers); }, true},
      {"--xoff", "MS",
       "hold the line with XOFF for MS ms before each answer (pty;\nnot within a readout's records "
       "or a dump)",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.xoff_ms); }, true},
      {"--drop-after", "N",
       "drop the line after N bytes received (a terminal comes back\nunder a new name behind the "
       "same link)",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.drop_after_bytes); },
       true},
      {"--drop-after-sent", "N",
       "drop the line once N bytes of answers have gone out (in the\nmiddle of an answer or a "
       "readout)",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.drop_after_sent); }, true},
      {"--paper-out", "", "report paper out and refuse printouts (error 89)",
       [](const char*, CommandLine* o) { return o->faults.paper_out = true; }, true},
      {"--offline", "", "answer DLE only, as an off-line printer",
       [](const char*, CommandLine* o) { return o->faults.offline = true; }, true},
      {"--pace", "BAUD",
       "send answers no faster than BAUD bits per second; a\nreadout's records go at the speed "
       "its command names",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->faults.pace_baud); }, true},
      {"--damage-report", "N", "daily report N reads back flagged damaged",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->damage_report); }, true},
      {"--damage-rates", "N", "tax-rate record N reads back flagged damaged",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->damage_rates); }, true},
      {"--damage-currency", "N", "the Nth change of the accounting currency reads back damaged",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->damage_currency); }, true},
      {"--break-check", "N", "the Nth record of the next readout has a wrong check byte",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->faults.break_check_record); },
       true},
      {"--closing-off", "N", "the next readout's closing total due is N grosze off",
       [](const char* v, CommandLine* o) { return Count(v, 0, &o->faults.closing_off); }, true},
      {"--stall-after", "N", "a readout's records stop after the Nth; the line stays up",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->faults.stall_after_records); },
       true},
      {"--hangup-after", "N", "hang the line up after the Nth record of a readout",
       [](const char* v, CommandLine* o) { return Count(v, 1, &o->faults.hangup_after_records); },
       true},
      {"--endless-passes", "", "every readout pass announces another currency, for ever",
       [](const char*, CommandLine* o) { return o->faults.endless_passes = true; }, true},
  };
  return rows;
}

// The usage from the rows; the link options are shown in its first line.
void Usage(FILE* out) {
  std::string text = "usage: kelmemu (--tcp [HOST:]PORT | --pty [--link PATH]) [options]\n";
  bool faults = false;
  for (const OptionRow& row : OptionTable()) {
    if (row.help.empty()) continue;
    if (row.fault && !faults) {
      text += "faults:\n";
      faults = true;
    }
    std::string head = std::string(row.name) + (row.argument[0] != '\0' ? " " : "") + row.argument;
    if (head.size() < 19) head.append(19 - head.size(), ' ');
    text += "  " + head + " ";
    for (char c : row.help) {
      text += c;
      if (c == '\n') text.append(22, ' ');
    }
    text += "\n";
  }
  fputs(text.c_str(), out);
}

const OptionRow* FindOption(const std::string& name) {
  for (const OptionRow& row : OptionTable()) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelm::emu;
  CommandLine o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      Usage(stdout);
      return 0;
    }
    const OptionRow* row = FindOption(a);
    const char* v = nullptr;
    bool ok = row != nullptr;
    if (ok && row->argument[0] != '\0') {
      ok = i + 1 < argc;
      if (ok) v = argv[++i];
    }
    if (ok) ok = row->apply(v, &o);
    if (!ok) {
      fprintf(stderr, "kelmemu: bad option %s%s%s\n", a.c_str(), v ? " " : "", v ? v : "");
      Usage(stderr);
      return 2;
    }
  }
  ServerOptions& server = o.server;
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
  if (!o.model.empty()) state.model = o.model;
  if (!o.firmware.empty()) state.firmware = o.firmware;
  if (o.fiscal) state.fiscal = true;
  if (!o.history_file.empty() && !LoadHistoryFile(o.history_file, &state)) {
    fprintf(stderr, "kelmemu: no history taken from %s (unreadable, or the memory is not empty)\n",
            o.history_file.c_str());
    return 1;
  }
  Printer printer(std::move(state));
  printer.faults() = o.faults;
  TraceFile trace;
  if (!o.trace_file.empty()) {
    if (!trace.Open(o.trace_file)) {
      fprintf(stderr, "kelmemu: cannot open the trace file %s\n", o.trace_file.c_str());
      return 1;
    }
    printer.SetTrace([&trace](bool incoming, const std::string& line) {
      trace.Write(incoming ? "in" : "out", line);
    });
  }
  if (o.history_days > 0 && printer.state().fiscal_memory.empty()) {
    printer.GenerateHistory(static_cast<int>(o.history_days));
  }
  if ((o.damage_report && !printer.DamageReport(static_cast<int>(o.damage_report))) ||
      (o.damage_rates && !printer.DamageRateRecord(static_cast<int>(o.damage_rates))) ||
      (o.damage_currency && !printer.DamageCurrency(static_cast<int>(o.damage_currency)))) {
    fprintf(stderr, "kelmemu: the fiscal memory has no such record to damage\n");
    return 1;
  }
  const bool changed = printer.TakeDirty();
  if ((!loaded || changed) && !server.state_file.empty())
    SaveStateFile(server.state_file, printer.state());

  if (!server.pictures_dir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(server.pictures_dir, error);
    if (!WritePictureFiles(server.pictures_dir, printer.state())) {
      fprintf(stderr, "kelmemu: cannot write the pictures to %s\n", server.pictures_dir.c_str());
      return 1;
    }
  }

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
