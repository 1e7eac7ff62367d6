// The binary file transfer (TWyslijOdbierzPlikBin): any file sent to the printer unchanged, 512
// bytes a tick, and whatever the printer sends stored into a file until the operator stops it.
// Both directions work over the serial port and over TCP/IP.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "readout/file_reception.h"
#include "readout/port_switch.h"

namespace kelm {

class BinaryFileTransfer : public FileReception {
 public:
  static constexpr size_t kSendSlice = 512;
  static constexpr size_t kReceiveSlice = 5120;

  BinaryFileTransfer() = default;
  ~BinaryFileTransfer() override { End(); }

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

  // The source file's choice ("..." of its group).
  void ChooseSource(const std::string& name);
  // "&Wyślij" / "&Przerwij" and "&Odbierz" / "&Przerwij Odbieranie".
  void SendClick();
  void ReceiveClick() override;

  bool Transferring() const { return sending_ || receiving_; }
  bool sending() const { return sending_; }

  // What the dialog shows (UTF-8).
  const std::string& edit1() const { return edit1_; }
  std::string Label4() const;  // "%lu Bajtów"; empty without a source
  const std::string& label2() const { return label2_; }
  const char* SendCaption() const { return sending_ ? "&Przerwij" : "&Wyślij"; }
  bool send_enabled() const { return !edit1_.empty(); }
  bool choose_source_enabled() const { return !sending_; }
  uint64_t source_size() const { return source_size_; }
  uint64_t bytes_sent() const { return sent_; }

 private:
  void SendTick();
  void ReceiveTick();
  void EndSending();
  void EndReceiving();
  void StopAll();

  std::string edit1_, label2_;
  uint64_t source_size_ = 0;
  bool have_source_size_ = false;
  bool sending_ = false;
  std::FILE* source_ = nullptr;
  uint64_t sent_ = 0;
  bool xon_at_show_ = false;
  SerialPortSwitch handshake_;
};

// The size of a file, or false when it cannot be opened for reading.
bool ReadableFileSize(const std::string& name, uint64_t* size);

}  // namespace kelm
