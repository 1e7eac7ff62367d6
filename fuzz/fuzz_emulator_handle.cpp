// Feeds arbitrary bytes to the virtual printer, split at a point the input chooses, and parses
// arbitrary text as a state file: neither may crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "emulator/printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  kelm::emu::Printer printer;
  printer.SetHostClock([] { return int64_t{1720182600}; });
  size_t split = size ? data[0] % (size + 1) : 0;
  printer.Handle(in.substr(0, split));
  printer.Handle(in.substr(split));
  printer.TakePaper();
  kelm::emu::PrinterState state;
  kelm::emu::ParseState(in, &state);
  return 0;
}
