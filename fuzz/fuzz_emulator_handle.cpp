// Feeds arbitrary bytes to the virtual printer and parses arbitrary text as a state file:
// neither may crash or read out of bounds. An even first byte makes every input line the body
// of a frame with a correct check value, so the fuzzer reaches the command handlers behind the
// check; an odd one sends the bytes as they are, split where the second byte says. An input that
// reads as a state file is also the printer's memory, so readouts stream what it holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "emulator/printer.h"
#include "protocol/check_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string_view in(reinterpret_cast<const char*>(data) + 2, size - 2);
  kelm::emu::PrinterState state;
  const bool parsed = kelm::emu::ParseState(in, &state);
  kelm::emu::Printer printer(parsed ? state : kelm::emu::PrinterState());
  printer.SetHostClock([] { return int64_t{1720182600}; });
  if (data[0] % 2 == 0) {
    while (!in.empty()) {
      size_t end = in.find('\n');
      std::string_view body = in.substr(0, end);
      char digits[2];
      kelm::CheckDigits(kelm::CheckValue(body.data(), body.size()), digits);
      std::string frame = "\x1BP" + std::string(body) + std::string(digits, 2) + "\x1B\\\x05";
      printer.Handle(frame);
      if (end == std::string_view::npos) break;
      in.remove_prefix(end + 1);
    }
  } else {
    size_t split = data[1] % (in.size() + 1);
    printer.Handle(in.substr(0, split));
    printer.Handle(in.substr(split));
  }
  printer.TakePaper();
  return 0;
}
