// kelmctl's header, port configuration and network commands, over the routines of their
// dialogs.
#include <cstdio>
#include <string>
#include <vector>

#include "config/header.h"
#include "config/header_rtf.h"
#include "config/io_config.h"
#include "config/network.h"
#include "kelmctl/commands.h"
#include "link/command_execution.h"

namespace kelm::ctl {
namespace {

int Header(const Invocation& in) {
  std::string message;
  if (in.Has("--send")) {
    HeaderSendRequest request;
    if (!LoadHeaderFile(in.Values("--send")[0], &request.model, &message)) {
      std::fprintf(stderr, "%s\n", message.c_str());
      return kExitUsage;
    }
    if (in.Has("--discount")) {
      const std::string& n = in.Values("--discount")[0];
      char extra;
      unsigned value;
      if (std::sscanf(n.c_str(), "%u%c", &value, &extra) != 1 || value > 255) {
        std::fprintf(stderr, "kelmctl: --discount takes a number 0..255\n");
        return kExitUsage;
      }
      request.discount = static_cast<int>(value);
    }
    SendOutcome outcome = SendHeader(request);
    if (outcome == SendOutcome::kRefused) return kExitUsage;
    if (outcome == SendOutcome::kNotSent) return kExitLink;
    return LastSendResult() == kCommandExecuted       ? kExitDone
           : LastSendResult() == kCommandPrinterError ? kExitPrinterError
                                                      : kExitLink;
  }
  HeaderModel model;
  if (!ReadHeaderBack(&model)) return kExitLink;
  std::printf("%s", MarkedTextOf(model).c_str());
  if (!SaveHeaderFile(in.Values("-o")[0], model, &message)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return kExitLink;
  }
  return kExitDone;
}

bool HeaderValid(const Invocation& in) {
  return in.Has("--send") != in.Has("--read") && (in.Has("--read") == in.Has("-o")) &&
         !(in.Has("--discount") && !in.Has("--send"));
}

int Io(const Invocation&) {
  IoState state;
  if (!ReadIoConfiguration(&state, true)) return kExitLink;
  std::printf("%s", IoStateText(state).c_str());
  return kExitDone;
}

int Network(const Invocation& in) {
  const std::string& which = in.words[0];
  std::string text;
  if (which == "ethernet") {
    EthernetSettings s;
    if (!ReadEthernet(&s)) return kExitLink;
    text = EthernetText(s);
  } else if (which == "wlan") {
    WifiSettings s;
    if (!ReadWifi(&s)) return kExitLink;
    text = WifiText(s);
  } else {
    BluetoothSettings s;
    if (!ReadBluetooth(&s)) return kExitLink;
    text = BluetoothText(s);
  }
  std::printf("%s", text.c_str());
  return kExitDone;
}

bool NetworkValid(const Invocation& in) {
  const std::string& w = in.words[0];
  return w == "ethernet" || w == "wlan" || w == "bluetooth";
}

}  // namespace

const std::vector<Command>& HeaderCommands() {
  static const std::vector<Command> table = {
      {"header",
       "--send FILE.rtf [--discount N] | --read -o FILE.rtf",
       "send the header of an RTF file, or read the printer's header\n"
       "(printed with * around double-width runs) into an RTF file",
       Header,
       0,
       {{"--send", 1}, {"--discount", 1}, {"--read"}, {"-o", 1}},
       HeaderValid},
      {"io", "", "the input/output configuration as the dialog shows it", Io},
      {"network",
       "ethernet|wlan|bluetooth",
       "the network settings read, as \"label: value\" lines",
       Network,
       1,
       {},
       NetworkValid},
  };
  return table;
}

}  // namespace kelm::ctl
