// kelmctl: single commands over the same link and command routines as the desktop program, for
// scripts and support work. Settings come from ustaw.txt in the current directory and the
// common options; the file is never written. The commands are rows of their families' tables.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/model.h"
#include "kelmctl/commands.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/transmission_log.h"
#include "protocol/display_text.h"
#include "protocol/letter_tables.h"
#include "protocol/operator.h"

namespace kelm::ctl {

const std::vector<std::string>& Invocation::Values(const std::string& name) const {
  static const std::vector<std::string> none;
  const auto it = options.find(name);
  return it != options.end() ? it->second : none;
}

namespace {

constexpr const char* kOptionsUsage =
    "options:\n"
    "  --com N | --device PATH | --tcp HOST:PORT\n"
    "  --speed N  --data-bits 5..8  --parity none|odd|even|mark|space  --stop-bits 1|1.5|2\n"
    "  --xonxoff[=0|1]  --rtscts[=0|1]  --coding MAZOVIA|LATIN|ISOLATIN|WINDOWS\n"
    "  --model oxil|oxil-pro|oxil-bus|vantel|vantel-bus|vantel-ke|salvo|859\n"
    "  --log DIR (the traffic files)  --yes | --no (replace, answer questions)\n"
    "  --timeout MS (default 5000; every wait for the printer, 0 never)\n"
    "exit status: 0 done, 1 link failure or no answer, 2 printer error, 64 usage\n";
constexpr int kHelpColumn = 34;

// The eight models of the model dialog, in its order (kPrinterModels).
constexpr const char* kModelNames[kModelCount] = {"oxil",       "oxil-pro",  "vantel", "oxil-bus",
                                                  "vantel-bus", "vantel-ke", "salvo",  "859"};
constexpr const char* kParityNames[5] = {"none", "odd", "even", "mark", "space"};
constexpr const char* kStopBitNames[3] = {"1", "1.5", "2"};

const std::vector<const std::vector<Command>*>& Families() {
  static const std::vector<const std::vector<Command>*> families = {
      &LinkCommands(), &DiagnosticsCommands(), &ReadoutCommands()};
  return families;
}

const Command* FindCommand(std::string_view name) {
  for (const auto* family : Families()) {
    for (const Command& command : *family) {
      if (name == command.name) return &command;
    }
  }
  return nullptr;
}

// "  name arguments" and the help from column 34; continuation lines of both are indented.
std::string Usage() {
  std::string text = "usage: kelmctl [options] COMMAND\ncommands:\n";
  for (const auto* family : Families()) {
    for (const Command& command : *family) {
      std::string head = std::string("  ") + command.name;
      std::string_view arguments = command.arguments;
      const size_t cut = arguments.find('\n');
      if (!arguments.empty()) head += " " + std::string(arguments.substr(0, cut));
      if (cut != std::string_view::npos) {
        head += "\n          " + std::string(arguments.substr(cut + 1));
      }
      const size_t line_start = head.rfind('\n') == std::string::npos ? 0 : head.rfind('\n') + 1;
      if (head.size() - line_start < kHelpColumn) {
        head.append(kHelpColumn - (head.size() - line_start), ' ');
      } else {
        head += "\n" + std::string(kHelpColumn, ' ');
      }
      for (const char* c = command.help; *c != '\0'; ++c) {
        head += *c;
        if (*c == '\n') head.append(kHelpColumn, ' ');
      }
      text += head + "\n";
    }
  }
  return text + kOptionsUsage;
}

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

// Where the common options leave what is not a setting of LinkSettings.
struct Common {
  std::string device, tcp, log_dir;
  Invocation invocation;
};

// A common option: a flag, one value, or a switch that may be written "=0" or "=1".
enum class Takes { kNothing, kValue, kSwitch };
struct CommonOption {
  const char* name;
  Takes takes;
  bool (*apply)(const std::string& value, Common* common);
};

bool SetByte(uint8_t* field, long value) {
  *field = static_cast<uint8_t>(value);
  return true;
}

const CommonOption kCommonOptions[] = {
    {"--com", Takes::kValue,
     [](const std::string& v, Common*) {
       long n = 0;
       return ParseNumber(v, 1, kHighestComPort, &n) && SetByte(&LinkSettings.PortNumber, n);
     }},
    {"--device", Takes::kValue,
     [](const std::string& v, Common* c) {
       c->device = v;
       return !v.empty();
     }},
    {"--tcp", Takes::kValue,
     [](const std::string& v, Common* c) {
       c->tcp = v;
       return v.rfind(':') != std::string::npos;
     }},
    {"--speed", Takes::kValue,
     [](const std::string& v, Common*) {
       long n = 0;
       if (!ParseNumber(v, 1, 4000000, &n)) return false;
       LinkSettings.Speed = static_cast<uint32_t>(n);
       return true;
     }},
    {"--data-bits", Takes::kValue,
     [](const std::string& v, Common*) {
       long n = 0;
       return ParseNumber(v, 5, 8, &n) && SetByte(&LinkSettings.DataBits, n);
     }},
    {"--parity", Takes::kValue,
     [](const std::string& v, Common*) {
       const int n = IndexOf(v, kParityNames, 5);
       return n >= 0 && SetByte(&LinkSettings.Parity, n);
     }},
    {"--stop-bits", Takes::kValue,
     [](const std::string& v, Common*) {
       const int n = IndexOf(v, kStopBitNames, 3);
       return n >= 0 && SetByte(&LinkSettings.StopBits, n);
     }},
    {"--xonxoff", Takes::kSwitch,
     [](const std::string& v, Common*) {
       long n = 1;
       return (v.empty() || ParseNumber(v, 0, 1, &n)) && SetByte(&LinkSettings.XonXoff, n);
     }},
    {"--rtscts", Takes::kSwitch,
     [](const std::string& v, Common*) {
       long n = 1;
       return (v.empty() || ParseNumber(v, 0, 1, &n)) && SetByte(&LinkSettings.RtsCts, n);
     }},
    {"--coding", Takes::kValue,
     [](const std::string& v, Common*) {
       const int n = IndexOf(v, kLetterCodingKeywords, kLetterCodingCount);
       return n >= 0 && SetByte(&LinkSettings.LetterCoding, n);
     }},
    {"--model", Takes::kValue,
     [](const std::string& v, Common*) {
       const int model = IndexOf(v, kModelNames, kModelCount);
       if (model < 0) return false;
       ApplyModel(model);
       return true;
     }},
    {"--log", Takes::kValue,
     [](const std::string& v, Common* c) {
       c->log_dir = v;
       return !v.empty();
     }},
    {"--timeout", Takes::kValue,
     [](const std::string& v, Common* c) {
       long n = 0;
       if (!ParseNumber(v, 0, 86400000, &n)) return false;
       c->invocation.timeout_ms = static_cast<unsigned>(n);
       c->invocation.timeout_given = true;
       return true;
     }},
    {"--yes", Takes::kNothing,
     [](const std::string&, Common* c) {
       c->invocation.answer_yes = true;
       c->invocation.answer_given = true;
       return true;
     }},
    {"--no", Takes::kNothing,
     [](const std::string&, Common* c) {
       c->invocation.answer_yes = false;
       c->invocation.answer_given = true;
       return true;
     }},
};

const CommandOption* FindOption(const Command& command, std::string_view name) {
  for (const CommandOption& option : command.options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

// Reads the command line: the common options (applied to LinkSettings as they are read), the
// command's name and words, and the command's own options, which follow its name (a flag may
// also come before it). Returns the command, or nullptr on a usage error.
const Command* ParseCommandLine(int argc, char** argv, Common* c) {
  const Command* command = nullptr;
  std::vector<std::string> early_flags;
  Invocation& in = c->invocation;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    const CommandOption* own = command != nullptr ? FindOption(*command, name) : nullptr;
    // Anything not written as an option is a word: the command, then its own words.
    if (own == nullptr && arg.rfind("--", 0) != 0) {
      if (command == nullptr) {
        if ((command = FindCommand(arg)) == nullptr) return nullptr;
      } else {
        in.words.push_back(arg);
      }
      continue;
    }
    if (own != nullptr) {
      if (in.Has(name)) return nullptr;
      std::vector<std::string>& values = in.options[name];
      if (eq != std::string::npos) {
        if (own->values != 1) return nullptr;
        values.push_back(arg.substr(eq + 1));
        continue;
      }
      if (i + own->values >= argc) return nullptr;
      for (int k = 0; k < own->values; ++k) values.push_back(argv[++i]);
      continue;
    }
    const CommonOption* common = nullptr;
    for (const CommonOption& o : kCommonOptions) {
      if (name == o.name) common = &o;
    }
    if (common == nullptr) {
      if (command != nullptr) return nullptr;
      early_flags.push_back(arg);
      continue;
    }
    std::string value;
    if (common->takes == Takes::kValue) {
      if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        return nullptr;
      }
    } else if (eq != std::string::npos) {
      if (common->takes == Takes::kNothing) return nullptr;
      value = arg.substr(eq + 1);
      if (value.empty()) return nullptr;
    }
    if (!common->apply(value, c)) return nullptr;
  }
  if (command == nullptr) return nullptr;
  for (const std::string& flag : early_flags) {
    const CommandOption* option = FindOption(*command, flag);
    if (option == nullptr || option->values != 0 || in.Has(flag)) return nullptr;
    in.options[flag];
  }
  if (static_cast<int>(in.words.size()) != command->word_count) return nullptr;
  if (command->valid != nullptr && !command->valid(in)) return nullptr;
  return command;
}

// Brings up the link the options and settings choose; false (message shown) when it fails.
bool ConnectLink(const Common& c) {
  if (!c.tcp.empty()) {
    const size_t colon = c.tcp.rfind(':');
    return TcpConnect(c.tcp.substr(0, colon), c.tcp.substr(colon + 1), false) == kTcpConnected;
  }
  if (!c.device.empty()) {
    SetComDeviceOverride(c.device);
    if (LinkSettings.PortNumber == kNoPort) LinkSettings.PortNumber = 1;
  }
  // No port at all: every command says so itself.
  return LinkSettings.PortNumber == kNoPort || OpenSerialPort(1);
}

}  // namespace

int NoAnswer() {
  std::fputs("Drukarka nie odpowiedziała.\n", stderr);
  return kExitLink;
}

int UnreadableAnswer(const char* answer) {
  std::fprintf(stderr, "Nieczytelna odpowiedź drukarki: %s\n", FrameToDisplayText(answer).c_str());
  return kExitLink;
}

namespace {

int Run(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(Usage().c_str(), stdout);
      return kExitDone;
    }
  }
  LoadSettings();
  Common c;
  const Command* command = ParseCommandLine(argc, argv, &c);
  if (command == nullptr) {
    std::fputs(Usage().c_str(), stderr);
    return kExitUsage;
  }
  ConsoleOperator console(c.invocation.answer_yes, c.invocation.timeout_ms);
  InstallOperator(&console);
  int result = kExitLink;
  // --log says where the traffic files go, nothing more: COM ports are still found beside the
  // program.
  if (!c.log_dir.empty()) {
    SetTransmissionLogFolder(c.log_dir);
    if (!ToggleTransmissionLog()) return kExitLink;
  }
  if (ConnectLink(c)) result = command->handler(c.invocation);
  std::fflush(stdout);
  ResetTcpLink();
  CloseSerialPort();
  ResetTransmissionLog();
  InstallOperator(nullptr);
  return result;
}

}  // namespace
}  // namespace kelm::ctl

int main(int argc, char** argv) {
  return kelm::ctl::Run(argc, argv);
}
