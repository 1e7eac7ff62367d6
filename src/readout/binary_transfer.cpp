// The binary file transfer engine.
#include "readout/binary_transfer.h"

#include <sys/stat.h>

#include <cstdio>

#include "link/printer_link.h"
#include "link/settings.h"

namespace kelm {

bool ReadableFileSize(const std::string& name, uint64_t* size) {
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (f == nullptr) return false;
  struct stat info {};
  const bool ok = fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode);
  std::fclose(f);
  if (ok) *size = static_cast<uint64_t>(info.st_size);
  return ok;
}

void BinaryFileTransfer::Begin() {
  xon_at_show_ = LinkSettings.XonXoff != 0;
  close_requested_ = false;
}

std::string BinaryFileTransfer::Label4() const {
  if (!have_source_size_) return "";
  char text[48];
  std::snprintf(text, sizeof text, "%llu Bajtów", static_cast<unsigned long long>(source_size_));
  return text;
}

void BinaryFileTransfer::ChooseSource(const std::string& name) {
  edit1_ = name;
  have_source_size_ = ReadableFileSize(name, &source_size_);
  if (!have_source_size_) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + name + ".");
    edit1_ = "0";
  }
}

void BinaryFileTransfer::SendClick() {
  if (sending_) {
    EndSending();
    return;
  }
  have_source_size_ = ReadableFileSize(edit1_, &source_size_);
  if (have_source_size_) source_ = std::fopen(edit1_.c_str(), "rb");
  if (source_ == nullptr) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + edit1_ + ".");
    edit1_ = "0";
    have_source_size_ = false;
    return;
  }
  label2_ = "Wysłaono: 0.00%";
  sent_ = 0;
  sending_ = true;
}

void BinaryFileTransfer::SendTick() {
  char slice[kSendSlice];
  const size_t n = std::fread(slice, 1, sizeof slice, source_);
  if (n == 0 || SendBytes(slice, n) != 0) {
    EndSending();
    return;
  }
  sent_ += n;
  // The size taken at the start stands for 100 %; a file grown since then shows more.
  char text[64];
  std::snprintf(text, sizeof text, "Wysłaono: %.2f%%",
                source_size_ > 0 ? double(sent_) / double(source_size_) * 100.0 : 100.0);
  label2_ = text;
}

void BinaryFileTransfer::EndSending() {
  if (source_ != nullptr) std::fclose(source_);
  source_ = nullptr;
  sending_ = false;
  label2_.clear();
}

void BinaryFileTransfer::ReceiveClick() {
  if (receiving_) {
    label3_visible_ = false;
    EndReceiving();
    return;
  }
  if (!OpenTarget()) return;
  receiving_ = true;
  // The printer's data may hold the Xon and Xoff bytes: the port must not take them as flow
  // control while receiving. Over TCP/IP there is no port to switch.
  if (xon_at_show_ && LinkSettings.TcpActive == 0 && !handshake_.Switch(LinkSettings.Speed)) {
    EndReceiving();
    close_requested_ = true;
  }
}

void BinaryFileTransfer::ReceiveTick() {
  char slice[kReceiveSlice];
  const size_t n = ReadBytes(slice, sizeof slice);
  if (n > 0 && !StoreReceived(slice, n)) EndReceiving();
}

void BinaryFileTransfer::EndReceiving() {
  CloseTarget();
  if (handshake_.switched() && !handshake_.Restore()) close_requested_ = true;
}

bool BinaryFileTransfer::Tick() {
  if (sending_) SendTick();
  if (receiving_) ReceiveTick();
  return close_requested_;
}

bool BinaryFileTransfer::Escape() {
  if (!Transferring()) return true;
  if (TheOperator().AskYesNo("Czy przerwać transmisje?")) StopAll();
  return close_requested_;
}

void BinaryFileTransfer::StopAll() {
  if (sending_) EndSending();
  if (receiving_) EndReceiving();
}

}  // namespace kelm
