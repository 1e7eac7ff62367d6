// kelmctl: status, last error, raw frames and command-position files from the command line,
// over the same link and command routines as the desktop program. Settings come from ustaw.txt
// in the current directory and the options; the file is never written.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "catalogue/model.h"
#include "kelmctl_control.h"
#include "link/com_ports.h"
#include "link/command_positions.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/transmission_log.h"
#include "protocol/command_execution.h"
#include "protocol/display_text.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "protocol/letter_tables.h"
#include "protocol/operator.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"

namespace kelm {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitLink = 1;
constexpr int kExitPrinterError = 2;
constexpr int kExitUsage = 64;

constexpr const char* kUsage =
    "usage: kelmctl [options] COMMAND\n"
    "commands:\n"
    "  status                          the ENQ and DLE status bytes\n"
    "  last-error                      the printer's last error number and its text\n"
    "  send TEXT [--checksum] [--receive | --check]\n"
    "                                  send a frame written as display text (<ESC>P...)\n"
    "  positions FILE [--each]         send a command-position file\n"
    "  cash                            the cash information, as the cash dialog shows it\n"
    "  type [--check-code]             type and version (and the program check code)\n"
    "  clock                           the printer's clock\n"
    "  buffer [--swap-com]             the printer's receive buffer\n"
    "  readout (--monthly MM-YYYY | --dates DD-MM-YYYY DD-MM-YYYY | --numbers FIRST LAST)\n"
    "          [--short] [--emergency] [--speed BPS] [-o FILE]\n"
    "                                  read a periodic report out of the fiscal memory into a\n"
    "                                  text file (default name: the report's file name); after\n"
    "                                  'readout', --speed is the readout speed\n"
    "  verify daily --from-readout FILE --report N [--unique 'LLL DIGITS'] [--print-all]\n"
    "                                  send daily report N of a readout's report text for the\n"
    "                                  printer to check its control number\n"
    "  verify daily|receipt --fields FILE [--print-all]\n"
    "                                  the same with the data from a 'label: value' file:\n"
    "                                  daily: date, report, taxed (LETTER AMOUNT, repeated),\n"
    "                                  exempt (repeated), vat, receipts, invoices, running-vat,\n"
    "                                  unique (LLL DIGITS), control, print-all (0|1);\n"
    "                                  receipt: date, document, line (LETTER NAME, repeated),\n"
    "                                  vat, total, receipt, cancelled (0|1), nip, unique, time,\n"
    "                                  control, print-all; exit 0 when the printer took the\n"
    "                                  series (the verdict is on its paper)\n"
    "options:\n"
    "  --com N | --device PATH | --tcp HOST:PORT\n"
    "  --speed N  --data-bits 5..8  --parity none|odd|even|mark|space  --stop-bits 1|1.5|2\n"
    "  --xonxoff[=0|1]  --rtscts[=0|1]  --coding MAZOVIA|LATIN|ISOLATIN|WINDOWS\n"
    "  --model oxil|oxil-pro|oxil-bus|vantel|vantel-bus|vantel-ke|salvo|859\n"
    "  --log DIR  --yes | --no  --timeout MS (default 5000)\n"
    "exit status: 0 done, 1 link failure or no answer, 2 printer error, 64 usage\n";

// The eight models of the model dialog, in its order (kPrinterModels).
constexpr const char* kModelNames[kModelCount] = {"oxil",       "oxil-pro",  "vantel", "oxil-bus",
                                                  "vantel-bus", "vantel-ke", "salvo",  "859"};

constexpr const char* kParityNames[5] = {"none", "odd", "even", "mark", "space"};
constexpr const char* kStopBitNames[3] = {"1", "1.5", "2"};

struct Options {
  std::vector<std::string> words;  // the command and its arguments
  std::string device, tcp, log_dir;
  bool checksum = false, receive = false, check = false, each = false, yes = false;
  bool check_code = false, swap_com = false;
  unsigned timeout_ms = 5000;
  bool timeout_given = false;
  // readout
  std::vector<std::string> period;  // the values of --monthly, --dates or --numbers
  std::string period_kind, output;
  bool short_report = false, emergency = false;
  unsigned long readout_speed = kDefaultReadoutSpeed;
  VerifyRequest verify;
};

bool ParseNumber(std::string_view text, long min, long max, long* out) {
  long value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  if (value < min || value > max) return false;
  *out = value;
  return true;
}

int IndexOf(std::string_view word, const char* const* table, int count) {
  for (int i = 0; i < count; ++i) {
    if (word == table[i]) return i;
  }
  return -1;
}

// Applies the options to LinkSettings as they are read; false on a usage error.
bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    auto value = [&](std::string* out) {
      if (eq != std::string::npos) {
        *out = arg.substr(eq + 1);
        return true;
      }
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    auto flag = [&](uint8_t* field) {
      if (eq == std::string::npos) {
        *field = 1;
        return true;
      }
      long v = 0;
      if (!ParseNumber(arg.substr(eq + 1), 0, 1, &v)) return false;
      *field = static_cast<uint8_t>(v);
      return true;
    };
    std::string v;
    long n = 0;
    const bool readout = !o->words.empty() && o->words[0] == "readout";
    const bool verify = !o->words.empty() && o->words[0] == "verify";
    if (arg == "-o") {
      if (!value(&o->output) || o->output.empty()) return false;
    } else if (arg.rfind("--", 0) != 0) {
      o->words.push_back(arg);
    } else if (readout && (name == "--monthly" || name == "--dates" || name == "--numbers")) {
      if (!o->period_kind.empty()) return false;
      o->period_kind = name;
      const int count = name == "--monthly" ? 1 : 2;
      for (int k = 0; k < count; ++k) {
        if (!value(&v)) return false;
        o->period.push_back(v);
      }
    } else if (readout && name == "--speed") {
      if (!value(&v) || !ParseNumber(v, 1, 4000000, &n)) return false;
      o->readout_speed = static_cast<unsigned long>(n);
    } else if (readout && name == "--short") {
      o->short_report = true;
    } else if (readout && name == "--emergency") {
      o->emergency = true;
    } else if (verify && name == "--fields") {
      if (!value(&o->verify.fields) || o->verify.fields.empty()) return false;
    } else if (verify && name == "--from-readout") {
      if (!value(&o->verify.readout) || o->verify.readout.empty()) return false;
    } else if (verify && name == "--report") {
      if (!value(&v) || !ParseNumber(v, 0, 99999, &o->verify.report)) return false;
    } else if (verify && name == "--unique") {
      if (!value(&o->verify.unique)) return false;
    } else if (verify && name == "--print-all") {
      o->verify.print_all = true;
    } else if (name == "--com") {
      if (!value(&v) || !ParseNumber(v, 1, kHighestComPort, &n)) return false;
      LinkSettings.PortNumber = static_cast<uint8_t>(n);
    } else if (name == "--device") {
      if (!value(&o->device) || o->device.empty()) return false;
    } else if (name == "--tcp") {
      if (!value(&o->tcp) || o->tcp.rfind(':') == std::string::npos) return false;
    } else if (name == "--speed") {
      if (!value(&v) || !ParseNumber(v, 1, 4000000, &n)) return false;
      LinkSettings.Speed = static_cast<uint32_t>(n);
    } else if (name == "--data-bits") {
      if (!value(&v) || !ParseNumber(v, 5, 8, &n)) return false;
      LinkSettings.DataBits = static_cast<uint8_t>(n);
    } else if (name == "--parity") {
      if (!value(&v) || (n = IndexOf(v, kParityNames, 5)) < 0) return false;
      LinkSettings.Parity = static_cast<uint8_t>(n);
    } else if (name == "--stop-bits") {
      if (!value(&v) || (n = IndexOf(v, kStopBitNames, 3)) < 0) return false;
      LinkSettings.StopBits = static_cast<uint8_t>(n);
    } else if (name == "--xonxoff") {
      if (!flag(&LinkSettings.XonXoff)) return false;
    } else if (name == "--rtscts") {
      if (!flag(&LinkSettings.RtsCts)) return false;
    } else if (name == "--coding") {
      if (!value(&v) || (n = IndexOf(v, kLetterCodingKeywords, kLetterCodingCount)) < 0) {
        return false;
      }
      LinkSettings.LetterCoding = static_cast<uint8_t>(n);
    } else if (name == "--model") {
      if (!value(&v)) return false;
      const int model = IndexOf(v, kModelNames, kModelCount);
      if (model < 0) return false;
      ApplyModel(model);
    } else if (name == "--log") {
      if (!value(&o->log_dir) || o->log_dir.empty()) return false;
    } else if (name == "--timeout") {
      if (!value(&v) || !ParseNumber(v, 0, 86400000, &n)) return false;
      o->timeout_ms = static_cast<unsigned>(n);
      o->timeout_given = true;
    } else if (name == "--yes" || name == "--no") {
      o->yes = name == "--yes";
    } else if (name == "--checksum") {
      o->checksum = true;
    } else if (name == "--receive") {
      o->receive = true;
    } else if (name == "--check") {
      o->check = true;
    } else if (name == "--each") {
      o->each = true;
    } else if (name == "--check-code") {
      o->check_code = true;
    } else if (name == "--swap-com") {
      o->swap_com = true;
    } else {
      return false;
    }
  }
  if (o->words.empty()) return false;
  const std::string& command = o->words[0];
  const size_t arguments = o->words.size() - 1;
  if (command == "status" || command == "last-error" || command == "cash" || command == "type" ||
      command == "clock" || command == "buffer") {
    return arguments == 0;
  }
  if (command == "readout") return arguments == 0 && !o->period_kind.empty();
  if (command == "send") return arguments == 1 && !(o->receive && o->check);
  if (command == "verify") {
    VerifyRequest& q = o->verify;
    if (arguments != 1) return false;
    q.kind = o->words[1];
    const bool by_readout = !q.readout.empty();
    if (by_readout == !q.fields.empty()) return false;
    if (by_readout) return q.kind == "daily" && q.report >= 0;
    return (q.kind == "daily" || q.kind == "receipt") && q.report < 0 && q.unique.empty();
  }
  if (command == "positions") return arguments == 1;
  return false;
}

// Brings up the link the options and settings choose; false (message shown) when it fails.
bool ConnectLink(const Options& o) {
  if (!o.tcp.empty()) {
    const size_t colon = o.tcp.rfind(':');
    return TcpConnect(o.tcp.substr(0, colon), o.tcp.substr(colon + 1), false) == kTcpConnected;
  }
  if (!o.device.empty()) {
    SetComDeviceOverride(o.device);
    if (LinkSettings.PortNumber == kNoPort) LinkSettings.PortNumber = 1;
  }
  // No port at all: every command says so itself.
  return LinkSettings.PortNumber == kNoPort || OpenSerialPort(1);
}

void PrintStatus(const char* name, uint8_t value, const StatusBitCaption* captions, int count) {
  std::printf("%s %02X\n", name, value);
  for (int i = 0; i < count; ++i) {
    if ((value & captions[i].bit) != 0) std::printf("  %s\n", captions[i].caption);
  }
}

int Status() {
  if (QueryEnqStatus() != 0 || AnswerFailed != 0) return kExitLink;
  const uint8_t enq = EnqStatus;
  if (QueryDleStatus() != 0 || AnswerFailed != 0) return kExitLink;
  PrintStatus("ENQ", enq, kEnqBitCaptions, 4);
  PrintStatus("DLE", DleStatus, kDleBitCaptions, 3);
  return kExitDone;
}

int LastError() {
  LastErrorNumber = -1;
  ReadLastErrorCode();
  if (LastErrorNumber < 0) return kExitLink;
  // As the error-code dialog shows it: no text for 0 (no error) and for numbers without one.
  std::printf("%d: %s\n", LastErrorNumber,
              LastErrorNumber == 0 ? "" : PrinterErrorText(LastErrorNumber));
  return kExitDone;
}

int Send(const Options& o) {
  size_t count = DisplayTextToFrame(o.words[1], CommandFrame);
  if (o.checksum) {
    ApplyChecksum(CommandFrame);
    count = std::strlen(CommandFrame);
  }
  const std::string shown = FrameToDisplayText(CommandFrame);
  if (SendBytes(CommandFrame, count) != 0) return kExitLink;
  std::printf("> %s\n", shown.c_str());
  if (o.check) {
    switch (CheckLastCommand()) {
      case kCommandExecuted:
        return kExitDone;
      case kCommandPrinterError:
        return kExitPrinterError;
      default:
        return kExitLink;
    }
  }
  if (o.receive) {
    ReceiveAnswer();
    std::printf("< %s\n", FrameToDisplayText(AnswerBuffer).c_str());
    if (AnswerFailed != 0) return kExitLink;
  }
  return kExitDone;
}

int Cash() {
  if (NoLink()) {
    RequireLink();
    return kExitLink;
  }
  ReadCashInfo();
  if (CashInfoState != 1) return kExitLink;
  for (const LabelledValue& field : CashInfoFields(CashInfo, LinkSettings.ModelFamily)) {
    std::printf("%s %s\n", field.label.c_str(), field.value.c_str());
  }
  return kExitDone;
}

int Type(const Options& o) {
  if (!DetectPrinterType()) return kExitLink;
  std::printf("Typ: %s\nWersja: %s\n", ShownTypeName(DetectedType).c_str(),
              DetectedType.VersionText.c_str());
  if (o.check_code) {
    const std::string code =
        LinkSettings.ModelFamily == 2
            ? ReadProgramCheckCode(
                  "0", DefaultCheckCodeEnd(LinkSettings.CopyMode, LinkSettings.PrinterVariant))
            : "Nie odczytano.";
    std::printf("Kod SHA-1: %s\n", code.c_str());
  }
  return kExitDone;
}

int Clock() {
  if (!ReadPrinterClock()) return kExitLink;
  std::printf("Data (rrrr-mm-dd): %s\nGodzina (gg:mm): %s\n", ClockDateText().c_str(),
              ClockTimeText().c_str());
  return kExitDone;
}

int Buffer(const Options& o) {
  std::vector<std::string> lines;
  if (!ReadReceiveBuffer(o.swap_com, &lines)) return kExitLink;
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return kExitDone;
}

// The same readout as the dialog's "&Odczytaj"; the text goes from the work file to -o FILE or
// to the report's own file name in the current directory.
int Readout(const Options& o) {
  ReadoutFields fields;
  fields.full = !o.short_report;
  fields.emergency = o.emergency;
  fields.speed = o.readout_speed;
  if (o.period_kind == "--monthly") {
    fields.mode = ReadoutMode::kMonthly;
    fields.month = o.period[0];
  } else if (o.period_kind == "--dates") {
    fields.mode = ReadoutMode::kByDates;
    fields.firstDate = o.period[0];
    fields.lastDate = o.period[1];
  } else {
    fields.mode = ReadoutMode::kByNumbers;
    fields.firstNumber = o.period[0];
    fields.lastNumber = o.period[1];
  }
  const ReadoutOutcome outcome = ReadPeriodicReportToFile(fields);
  if (outcome.end != ReadoutEnd::kShowEndDialog) return kExitLink;
  const std::string work = InProgramFolder(kReadoutWorkFile);
  const std::string target = o.output.empty() ? outcome.fileName : o.output;
  std::error_code error;
  std::filesystem::copy_file(work, target, std::filesystem::copy_options::overwrite_existing,
                             error);
  std::filesystem::remove(work);
  if (error) {
    std::fprintf(stderr, "Nie mogę zapisać pliku %s.\n", target.c_str());
    return kExitLink;
  }
  std::printf("%s\n%s\n", outcome.title.c_str(), target.c_str());
  return kExitDone;
}

int Run(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return kExitDone;
    }
  }
  LoadSettings();
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  // A readout runs as long as the printer sends records; only an explicit --timeout cuts it.
  const bool long_run = o.words[0] == "readout" && !o.timeout_given;
  ConsoleOperator console(o.yes, long_run ? 0 : o.timeout_ms);
  InstallOperator(&console);
  int result = kExitLink;
  if (!o.log_dir.empty()) {
    SetProgramFolder(o.log_dir);
    if (!ToggleTransmissionLog()) return kExitLink;
  }
  if (ConnectLink(o)) {
    const std::string& command = o.words[0];
    if (command == "status") {
      result = Status();
    } else if (command == "last-error") {
      result = LastError();
    } else if (command == "send") {
      result = Send(o);
    } else if (command == "cash") {
      result = Cash();
    } else if (command == "type") {
      result = Type(o);
    } else if (command == "clock") {
      result = Clock();
    } else if (command == "buffer") {
      result = Buffer(o);
    } else if (command == "readout") {
      result = Readout(o);
    } else if (command == "verify") {
      result = VerifyDocument(o.verify);
    } else {
      result = SendCommandPositionsFile(o.words[1], o.each) == 0 ? kExitDone : kExitLink;
    }
  }
  std::fflush(stdout);
  ResetTcpLink();
  CloseSerialPort();
  ResetTransmissionLog();
  InstallOperator(nullptr);
  return result;
}

}  // namespace
}  // namespace kelm

int main(int argc, char** argv) {
  return kelm::Run(argc, argv);
}
