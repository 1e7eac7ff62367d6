// The serial side of PrinterLink and the primitives both links share.
#include "link/printer_link.h"

#include <cerrno>
#include <cstring>

#include "link/com_ports.h"
#include "link/command_execution.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/transmission_log.h"
#include "protocol/clock.h"
#include "protocol/frame.h"

namespace kelm {
namespace {

constexpr size_t kChunk = 50;
constexpr int kReadTimeoutMs = 100;
constexpr int kMaxAttempts = 1000;
constexpr uint32_t kSendLimitMs = 15000;
constexpr int kPurgeReads = 8192;

std::string PortNumberText() {
  return std::to_string(static_cast<int>(static_cast<int8_t>(LinkSettings.PortNumber)));
}

// Errors after which the device has to be opened again: access denied, or a device reset,
// re-plugged, or (a pseudo-terminal) left by its other end.
bool DeviceLost(int error) {
  return error == EACCES || error == EPERM || error == EIO || error == ENXIO || error == ENODEV;
}

void ClearFrame(char* frame) {
  frame[0] = '\0';
}

int SendSerial(char* frame, size_t length, bool text) {
  Clock& clock = TheClock();
  const uint32_t start = clock.TickCount();
  int attempts = 0;
  size_t offset = 0;
  auto out_of_time = [&] {
    if (++attempts <= kMaxAttempts && clock.TickCount() - start <= kSendLimitMs) return false;
    TheOperator().ShowMessage("Przekroczono czas na transmisję.");
    ClearFrame(frame);
    return true;
  };
  for (;;) {
    const size_t remaining = text ? std::strlen(frame + offset) : length - offset;
    const uint32_t speed = LinkSettings.Speed != 0 ? LinkSettings.Speed : 1;
    const uint32_t constant = static_cast<uint32_t>(remaining * 800 / speed + 10);
    const uint32_t timeout = static_cast<uint32_t>(20 * remaining) + constant;
    const SerialWriteResult w = SerialHandle().Write(frame + offset, remaining, timeout);
    if (w.written > 0 && TransmissionLogOn()) LogSent(frame + offset, w.written);
    if (w.error != 0 && DeviceLost(w.error)) {
      SerialHandle().Close();
      if (!OpenSerialPort(1)) return 1;
      offset += w.written;
      // A device that keeps failing after every reopen must not hold the program forever.
      if (out_of_time()) return 1;
      continue;
    }
    if (w.error == 0 && w.written == remaining) return 0;
    if (LineStatusCheck() == kLineError) {
      ClearFrame(frame);
      TheOperator().ShowMessage("Wystąpił błąd transmisji.");
      SerialHandle().Close();
      LinkSettings.PortNumber = kNoPort;
      return 1;
    }
    if (LinkSettings.XonXoff != 0 || LinkSettings.RtsCts != 0) {
      FlowControlWait wait;
      TheOperator().RunModal(wait);
      if (!wait.ok) {
        ClearFrame(frame);
        return 1;
      }
    } else {
      clock.Sleep(1);
      if (out_of_time()) return 1;
    }
    offset += w.written;
  }
}

int Send(char* frame, size_t length, bool text) {
  if (LinkSettings.TcpActive != 0) {
    if (text) length = std::strlen(frame);
    if (!TcpSend(frame, length)) return 1;
    if (TransmissionLogOn()) LogSent(frame, length);
    return 0;
  }
  if (!RequireLink()) return 1;
  return SendSerial(frame, length, text);
}

size_t Logged(const char* buffer, size_t n) {
  if (n > 0 && TransmissionLogOn()) LogReceived(buffer, n);
  return n;
}

}  // namespace

SerialPort& SerialHandle() {
  static SerialPort port;
  return port;
}

bool OpenSerialPort(int report) {
  const int port = static_cast<int8_t>(LinkSettings.PortNumber);
  SerialLineParameters line;
  line.speed = LinkSettings.Speed;
  line.data_bits = LinkSettings.DataBits;
  line.parity = LinkSettings.Parity;
  line.stop_bits = LinkSettings.StopBits;
  line.xon_xoff = LinkSettings.XonXoff != 0;
  line.rts_cts = LinkSettings.RtsCts != 0;
  const std::string path = ComDevicePath(port);
  const SerialOpenResult result =
      path.empty() ? SerialOpenResult::kCannotOpen : SerialHandle().Open(path, line);
  if (result == SerialOpenResult::kOk) {
    LineStatusCheck();  // clears a pending line error
    return true;
  }
  if (report != 0) {
    const char* tail = result == SerialOpenResult::kRejected ? " z takimi ustawieniami." : ".";
    TheOperator().ShowMessage("Nie mogę otworzyć portu COM" + PortNumberText() + tail);
  }
  LinkSettings.PortNumber = kNoPort;
  return false;
}

void CloseSerialPort() {
  SerialHandle().Close();
}

bool RestoreLineParameters(const LinkSettingsRecord& saved, bool reopen) {
  CloseSerialPort();
  LinkSettings.PortNumber = saved.PortNumber;
  LinkSettings.Speed = saved.Speed;
  LinkSettings.DataBits = saved.DataBits;
  LinkSettings.Parity = saved.Parity;
  LinkSettings.StopBits = saved.StopBits;
  LinkSettings.XonXoff = saved.XonXoff;
  LinkSettings.RtsCts = saved.RtsCts;
  return reopen && LinkSettings.PortNumber != kNoPort && OpenSerialPort(1);
}

int LineStatusCheck() {
  return SerialHandle().LineStatus();
}

int SendFrame(char* frame) {
  return Send(frame, 0, true);
}

int SendBytes(char* frame, size_t length) {
  return Send(frame, length, false);
}

size_t ReadChunk(char* buffer, size_t space) {
  if (LinkSettings.TcpActive != 0) return Logged(buffer, TcpReadPending(buffer, space));
  return Logged(buffer,
                SerialHandle().Read(buffer, space < kChunk ? space : kChunk, kReadTimeoutMs));
}

size_t ReadBytes(char* buffer, size_t count) {
  if (LinkSettings.TcpActive != 0) {
    return Logged(buffer, TcpReadBytes(buffer, count, kReadTimeoutMs));
  }
  return Logged(buffer, SerialHandle().Read(buffer, count, kReadTimeoutMs));
}

bool LinkGone(bool tcp) {
  if (tcp) return LinkSettings.TcpActive == 0 || !TcpSocketOpen();
  return !SerialHandle().IsOpen() || SerialHandle().CheckLost();
}

void ReportLinkGone(bool tcp) {
  if (!tcp && SerialHandle().IsOpen()) TheOperator().ShowMessage(kLinkGoneText);
}

size_t PendingInput() {
  return LinkSettings.TcpActive != 0 ? TcpPendingLength() : SerialHandle().Pending();
}

int PurgeInput() {
  const size_t space = kFrameBufferSize - 1;
  if (LinkSettings.TcpActive != 0) {
    for (int i = 0; i <= kPurgeReads && ReadChunk(AnswerBuffer, space) > 0; ++i) {
    }
    return 0;
  }
  size_t n = 0;
  for (int i = 0; i < kPurgeReads; ++i) {
    n = ReadChunk(AnswerBuffer, space);
    if (n == 0) return 0;
  }
  TheOperator().ShowMessage("Wystąpił błąd komunikacji");
  return 1;
}

void StepProgress(int* position, bool* up) {
  *position += *up ? 2 : -2;
  if (*position >= 100) {
    *position = 100;
    *up = false;
  } else if (*position <= 0) {
    *position = 0;
    *up = true;
  }
}

void FlowControlWait::Begin() {
  progress_position = 0;
  progress_up = true;
  timer_running = true;
  ok = false;
}

bool FlowControlWait::Tick() {
  StepProgress(&progress_position, &progress_up);
  if (LineStatusCheck() != kLineClear) return false;
  ok = true;
  return true;
}

bool FlowControlWait::Escape() {
  timer_running = false;
  const bool give_up = TheOperator().AskYesNo(kQuestion);
  timer_running = true;
  if (give_up) ok = false;
  return give_up;
}

void ResetPrinterLink() {
  SerialHandle().Close();
}

}  // namespace kelm
