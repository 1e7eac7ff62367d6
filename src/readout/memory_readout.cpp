// The raw memory readout engine.
#include "readout/memory_readout.h"

#include <algorithm>

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"

namespace kelm {

int SendRawCommand(char command) {
  std::snprintf(CommandFrame, kFrameBufferSize, "%c", command);
  return SendFrame(CommandFrame);
}

void MemoryBlockReadout::BeepClick() {
  SendRawCommand('B');
}

void MemoryBlockReadout::ReceiveClick() {
  if (receiving_) {
    EndReadout();
    return;
  }
  // The size is read before anything is sent: a bad size must not leave the printer dumping
  // and the port switched.
  long size = 0;
  if (!ParseInteger(edit1, &size)) {
    TheOperator().ShowMessage(ConversionErrorMessage(edit1, true));
    return;
  }
  if (size <= 0) {
    TheOperator().ShowMessage("Wielkość pamięci musi być większa od zera.");
    return;
  }
  // Without a link the readout would wait for ever for bytes that cannot come.
  if (!RequireLink()) return;
  if (!OpenTarget()) return;
  size_ = static_cast<uint64_t>(size);
  receiving_ = true;
  const bool serial = LinkSettings.TcpActive == 0;
  tcp_ = !serial;
  if (LinkSettings.TcpActive != 0 || SerialHandle().IsOpen()) {
    PurgeInput();
    SendRawCommand('S');
  }
  if (serial && SerialHandle().IsOpen() && !speed_.Switch(kDumpSpeed)) {
    EndReadout();
    close_requested_ = true;
  }
}

bool MemoryBlockReadout::Tick() {
  if (!receiving_) return close_requested_;
  char slice[kSlice];
  const size_t want = static_cast<size_t>(std::min<uint64_t>(kSlice, size_ - received_));
  const size_t n = ReadBytes(slice, want);
  if (n > 0 && !StoreReceived(slice, n)) {
    EndReadout();
    return close_requested_;
  }
  if (received_ >= size_) {
    EndReadout();
  } else if (n == 0 && LinkGone(tcp_)) {
    // The bytes received so far stay in the file; waiting on would wait for ever.
    ReportLinkGone(tcp_);
    EndReadout(true);
  }
  return close_requested_;
}

void MemoryBlockReadout::EndReadout(bool gone) {
  CloseTarget();
  // "C" goes out at the dump speed the printer is still on; then the port comes back. A device
  // that went stays closed (the operator's settings come back all the same): reopening it now
  // would only add messages, and the next command opens it again.
  if (!gone && (LinkSettings.TcpActive != 0 || SerialHandle().IsOpen())) SendRawCommand('C');
  if (speed_.switched() && !speed_.Restore(!gone)) close_requested_ = !gone;
}

void MemoryBlockReadout::End() {
  if (receiving_) EndReadout();
}

}  // namespace kelm
