// The raw memory readout and the binary file transfer over a loopback TCP/IP link, the printer
// sending the fuzzer's bytes. The first byte picks the run: the readout (the size field's text up
// to the first LF, then the dump), the binary reception, or the binary sending of a file. Whatever
// is received lands in the file unchanged, no more than the size asked for, and a readout that
// began is ended with "C"; a file sent reaches the printer unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/number_text.h"
#include "readout/binary_transfer.h"
#include "readout/memory_readout.h"
#include "support/loopback_printer.h"

namespace {

// Ticks while the printer's bytes are still on their way; every tick must take some.
void TickUntilTaken(kelm::FileReception& run, size_t sent) {
  for (size_t ticks = 0; run.receiving() && run.bytes_received() < sent; ++ticks) {
    if (ticks > sent) std::abort();
    run.Tick();
  }
}

void MemoryReadout(std::string_view input) {
  const size_t lf = input.find('\n');
  if (lf == std::string_view::npos) return;
  const std::string_view dump = input.substr(lf + 1);
  const std::string& path = kelm::fuzz::ScratchFile("dump.bin");
  kelm::MemoryBlockReadout r;
  r.edit1 = std::string(input.substr(0, lf));
  r.ChooseTarget(path);
  r.ReceiveClick();
  long size = 0;
  const bool valid = kelm::ParseInteger(r.edit1, &size) && size > 0;
  if (r.receiving() != valid) std::abort();
  if (!valid) {
    if (!kelm::fuzz::ProgramSent().empty()) std::abort();
    return;
  }
  kelm::fuzz::PrinterSends(dump);
  TickUntilTaken(r, dump.size());
  if (r.receiving()) r.ReceiveClick();
  if (kelm::fuzz::ProgramSent() != "SC") std::abort();
  const size_t kept = static_cast<uint64_t>(size) < dump.size() ? size : dump.size();
  if (kelm::fuzz::FileBytes(path) != dump.substr(0, kept)) std::abort();
}

void BinaryReception(std::string_view stream) {
  const std::string& path = kelm::fuzz::ScratchFile("received.bin");
  kelm::BinaryFileTransfer t;
  t.Begin();
  t.ChooseTarget(path);
  t.ReceiveClick();
  if (!t.receiving()) std::abort();
  kelm::fuzz::PrinterSends(stream);
  TickUntilTaken(t, stream.size());
  t.ReceiveClick();
  if (t.bytes_received() != stream.size() || kelm::fuzz::FileBytes(path) != stream) std::abort();
}

void BinarySending(std::string_view file) {
  const std::string& path = kelm::fuzz::WriteScratchFile("sent.bin", file);
  kelm::BinaryFileTransfer t;
  t.Begin();
  t.ChooseSource(path);
  t.SendClick();
  for (size_t ticks = 0; t.sending(); ++ticks) {
    if (ticks > file.size() / kelm::BinaryFileTransfer::kSendSlice + 2) std::abort();
    t.Tick();
  }
  if (t.bytes_sent() != file.size() || kelm::fuzz::ProgramSent() != file) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  kelm::fuzz::ConnectLoopbackPrinter();
  kelm::fuzz::ClearLoopback();
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0:
      MemoryReadout(input);
      break;
    case 1:
      BinaryReception(input);
      break;
    default:
      BinarySending(input);
      break;
  }
  kelm::fuzz::ClearLoopback();
  return 0;
}
