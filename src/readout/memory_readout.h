// The raw memory readout (TOdczytBloku): "S" asks the printer to dump a block of its memory, the
// bytes come at 115200 without Xon/Xoff and go into a file in slices of 4096, and "C" ends the
// dump. The port is put back however the readout ends. Over TCP/IP the same runs on the socket.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "readout/file_reception.h"
#include "readout/port_switch.h"

namespace kelm {

class MemoryBlockReadout : public FileReception {
 public:
  static constexpr size_t kSlice = 4096;
  static constexpr uint32_t kDumpSpeed = 115200;
  static constexpr const char* kDefaultSize = "262144";

  MemoryBlockReadout() = default;
  ~MemoryBlockReadout() override { End(); }

  const char* DialogName() const override { return "TOdczytBloku"; }
  int IntervalMs() const override { return receiving_ ? 1 : 50; }
  void Begin() override { close_requested_ = false; }
  // One slice; true when the dialog has to close (the port did not reopen).
  bool Tick() override;
  void Abort() override { End(); }
  // The dialog closes however: a readout still running ends as by the button ("C" sent, the
  // port put back, the file closed).
  void End() override;

  // Edit1, "Wielkość pamięci".
  std::string edit1 = kDefaultSize;
  // "&Odbierz" / "&Przerwij Odbieranie".
  void ReceiveClick() override;
  // "&Sygnał dźwiękowy".
  void BeepClick();

  uint64_t block_size() const { return size_; }

 private:
  // `gone`: the link went under the readout; nothing is sent and the port is not reopened.
  void EndReadout(bool gone = false);

  uint64_t size_ = 0;
  SerialPortSwitch speed_;
  bool tcp_ = false;  // the link the dump comes on
};

// Sends one of the raw readout's one-character commands ("S", "C", "B") as a whole frame.
int SendRawCommand(char command);

}  // namespace kelm
