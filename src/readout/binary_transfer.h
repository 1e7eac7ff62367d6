// The binary file transfer (TWyslijOdbierzPlikBin): any file sent to the printer unchanged, 512
// bytes a tick, and whatever the printer sends stored into a file until the operator stops it.
// Both directions work over the serial port and over TCP/IP.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "protocol/operator.h"
#include "readout/port_switch.h"

namespace kelm {

class BinaryFileTransfer : public ModalWait {
 public:
  static constexpr size_t kSendSlice = 512;
  static constexpr size_t kReceiveSlice = 5120;

  BinaryFileTransfer() = default;
  ~BinaryFileTransfer() override { End(); }
  BinaryFileTransfer(const BinaryFileTransfer&) = delete;
  BinaryFileTransfer& operator=(const BinaryFileTransfer&) = delete;

  const char* DialogName() const override { return "TWyslijOdbierzPlikBin"; }
  // 1 ms while a transfer runs; the idle dialog looks less often.
  int IntervalMs() const override { return Transferring() ? 1 : 50; }
  void Begin() override;
  // One slice each way; true when the dialog has to close (the port did not reopen).
  bool Tick() override;
  // The window closed by its frame: like Escape answered Yes.
  void Abort() override { StopAll(); }
  // During a transfer asks "Czy przerwać transmisje?"; Yes ends both directions. Without a
  // transfer the dialog closes (true).
  bool Escape() override;
  // The dialog closes however: a transfer still running is ended, its file closed and the port
  // put back, so nothing stays half-written or switched.
  void End() override { StopAll(); }

  // The file choices ("..." of each group), with the chosen names.
  void ChooseSource(const std::string& name);
  void ChooseTarget(const std::string& name);
  // "&Wyślij" / "&Przerwij" and "&Odbierz" / "&Przerwij Odbieranie".
  void SendClick();
  void ReceiveClick();

  bool Transferring() const { return sending_ || receiving_; }
  bool sending() const { return sending_; }
  bool receiving() const { return receiving_; }
  // True once the port could not be reopened after a handshake change: the dialog closes.
  bool close_requested() const { return close_requested_; }

  // What the dialog shows (UTF-8).
  const std::string& edit1() const { return edit1_; }
  const std::string& edit2() const { return edit2_; }
  std::string Label4() const;  // "%lu Bajtów"; empty without a source
  const std::string& label2() const { return label2_; }
  const std::string& label3() const { return label3_; }
  bool label3_visible() const { return label3_visible_; }
  const char* SendCaption() const { return sending_ ? "&Przerwij" : "&Wyślij"; }
  const char* ReceiveCaption() const { return receiving_ ? "&Przerwij Odbieranie" : "&Odbierz"; }
  bool send_enabled() const { return !edit1_.empty(); }
  bool receive_enabled() const { return !edit2_.empty(); }
  bool choose_source_enabled() const { return !sending_; }
  bool choose_target_enabled() const { return !receiving_; }
  uint64_t source_size() const { return source_size_; }
  uint64_t bytes_sent() const { return sent_; }
  uint64_t bytes_received() const { return received_; }

 private:
  void SendTick();
  void ReceiveTick();
  void EndSending();
  void EndReceiving();
  void StopAll();

  std::string edit1_, edit2_, label2_, label3_;
  bool label3_visible_ = false;
  uint64_t source_size_ = 0;
  bool have_source_size_ = false;
  bool sending_ = false, receiving_ = false;
  std::FILE* source_ = nullptr;
  std::FILE* target_ = nullptr;
  uint64_t sent_ = 0, received_ = 0;
  bool xon_at_show_ = false;
  SerialPortSwitch handshake_;
  bool close_requested_ = false;
};

// The size of a file, or false when it cannot be opened for reading.
bool ReadableFileSize(const std::string& name, uint64_t* size);

// The question before a chosen target file is replaced; true to go on (also when it is new).
bool ConfirmTarget(const std::string& name);

}  // namespace kelm
