// The raw memory readout (TOdczytBloku): "S" asks the printer to dump a block of its memory, the
// bytes come at 115200 without Xon/Xoff and go into a file in slices of 4096, and "C" ends the
// dump. The port is put back however the readout ends. Over TCP/IP the same runs on the socket.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "protocol/operator.h"
#include "readout/port_switch.h"

namespace kelm {

class MemoryBlockReadout : public ModalWait {
 public:
  static constexpr size_t kSlice = 4096;
  static constexpr uint32_t kDumpSpeed = 115200;
  static constexpr const char* kDefaultSize = "262144";

  MemoryBlockReadout() = default;
  ~MemoryBlockReadout() override { End(); }
  MemoryBlockReadout(const MemoryBlockReadout&) = delete;
  MemoryBlockReadout& operator=(const MemoryBlockReadout&) = delete;

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
  void ChooseTarget(const std::string& name);
  // "&Odbierz" / "&Przerwij Odbieranie".
  void ReceiveClick();
  // "&Sygnał dźwiękowy".
  void BeepClick();

  bool receiving() const { return receiving_; }
  bool close_requested() const { return close_requested_; }
  const std::string& edit2() const { return edit2_; }
  const std::string& label3() const { return label3_; }
  bool label3_visible() const { return label3_visible_; }
  const char* ReceiveCaption() const { return receiving_ ? "&Przerwij Odbieranie" : "&Odbierz"; }
  bool receive_enabled() const { return !edit2_.empty(); }
  bool choose_target_enabled() const { return !receiving_; }
  uint64_t bytes_received() const { return received_; }
  uint64_t block_size() const { return size_; }

 private:
  // `gone`: the link went under the readout; nothing is sent and the port is not reopened.
  void EndReadout(bool gone = false);

  std::string edit2_, label3_;
  bool label3_visible_ = false;
  bool receiving_ = false;
  std::FILE* target_ = nullptr;
  uint64_t received_ = 0, size_ = 0;
  SerialPortSwitch speed_;
  bool close_requested_ = false;
  bool tcp_ = false;  // the link the dump comes on
};

// Sends one of the raw readout's one-character commands ("S", "C", "B") as a whole frame.
int SendRawCommand(char command);

}  // namespace kelm
