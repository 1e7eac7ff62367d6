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
      &LinkCommands(),    &DiagnosticsCommands(), &ReadoutCommands(),  &ConfigCommands(),
      &HeaderCommands(),  &SalesCommands(),       &GraphicsCommands(), &TransferCommands(),
      &TestRunCommands(), &ControlCommands(),     &DecodeCommands()};
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
      for (size_t at = cut; at != std::string_view::npos;) {
        const size_t next = arguments.find('\n', at + 1);
        head += "\n          " + std::string(arguments.substr(at + 1, next - at - 1));
        at = next;
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

// A common option and where its value goes: a byte of LinkSettings (a number within bounds, the
// index of a name, or a switch written bare or "=0"/"=1"), a text of Common, or a kind of its own.
enum class Takes { kNumber, kName, kSwitch, kText, kSpeed, kModel, kTimeout, kYes, kNo };
struct CommonOption {
  const char* name;
  Takes takes;
  uint8_t LinkSettingsRecord::*byte = nullptr;
  long min = 0, max = 0;
  const char* const* names = nullptr;  // kName: the value's index in these
  std::string Common::*text = nullptr;
};

const CommonOption kCommonOptions[] = {
    {"--com", Takes::kNumber, &LinkSettingsRecord::PortNumber, 1, kHighestComPort},
    {"--device", Takes::kText, nullptr, 0, 0, nullptr, &Common::device},
    {"--tcp", Takes::kText, nullptr, 0, 0, nullptr, &Common::tcp},
    {"--speed", Takes::kSpeed},
    {"--data-bits", Takes::kNumber, &LinkSettingsRecord::DataBits, 5, 8},
    {"--parity", Takes::kName, &LinkSettingsRecord::Parity, 0, 5, kParityNames},
    {"--stop-bits", Takes::kName, &LinkSettingsRecord::StopBits, 0, 3, kStopBitNames},
    {"--xonxoff", Takes::kSwitch, &LinkSettingsRecord::XonXoff, 0, 1},
    {"--rtscts", Takes::kSwitch, &LinkSettingsRecord::RtsCts, 0, 1},
    {"--coding", Takes::kName, &LinkSettingsRecord::LetterCoding, 0, kLetterCodingCount,
     kLetterCodingKeywords},
    {"--model", Takes::kModel, nullptr, 0, kModelCount, kModelNames},
    {"--log", Takes::kText, nullptr, 0, 0, nullptr, &Common::log_dir},
    {"--timeout", Takes::kTimeout, nullptr, 0, 86400000},
    {"--yes", Takes::kYes},
    {"--no", Takes::kNo},
};

// Applies a common option with its value (`given`: the value was written at all); false when
// the value is wrong for it.
bool ApplyCommon(const CommonOption& o, const std::string& value, bool given, Common* c) {
  long n = 0;
  switch (o.takes) {
    case Takes::kNumber:
    case Takes::kTimeout:
      if (!ParseNumber(value, o.min, o.max, &n)) return false;
      break;
    case Takes::kName:
    case Takes::kModel:
      if ((n = IndexOf(value, o.names, static_cast<int>(o.max))) < 0) return false;
      break;
    case Takes::kSwitch:
      n = 1;
      if (given && !ParseNumber(value, 0, 1, &n)) return false;
      break;
    case Takes::kSpeed:
      if (!ParseNumber(value, 1, 4000000, &n)) return false;
      LinkSettings.Speed = static_cast<uint32_t>(n);
      return true;
    case Takes::kText:
      c->*o.text = value;
      return !value.empty() && (o.text != &Common::tcp || value.rfind(':') != std::string::npos);
    case Takes::kYes:
    case Takes::kNo:
      if (given) return false;
      c->invocation.answer_yes = o.takes == Takes::kYes;
      c->invocation.answer_given = true;
      return true;
  }
  if (o.takes == Takes::kModel) {
    ApplyModel(static_cast<int>(n));
  } else if (o.takes == Takes::kTimeout) {
    c->invocation.timeout_ms = static_cast<unsigned>(n);
    c->invocation.timeout_given = true;
  } else {
    LinkSettings.*o.byte = static_cast<uint8_t>(n);
  }
  return true;
}

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
    const bool inline_value = eq != std::string::npos;
    const bool bare = common->takes == Takes::kSwitch || common->takes == Takes::kYes ||
                      common->takes == Takes::kNo;
    std::string value;
    if (inline_value) {
      value = arg.substr(eq + 1);
    } else if (!bare) {
      if (i + 1 >= argc) return nullptr;
      value = argv[++i];
    }
    if (!ApplyCommon(*common, value, inline_value || !bare, c)) return nullptr;
  }
  if (command == nullptr) return nullptr;
  for (const std::string& flag : early_flags) {
    const CommandOption* option = FindOption(*command, flag);
    if (option == nullptr || option->values != 0 || in.Has(flag)) return nullptr;
    in.options[flag];
  }
  if (command->word_count != kAnyWords &&
      static_cast<int>(in.words.size()) != command->word_count) {
    return nullptr;
  }
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
  if (!command->needs_link || ConnectLink(c)) result = command->handler(c.invocation);
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
