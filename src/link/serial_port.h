// The serial device over termios: open and configure, write with a time-out, read with the
// "N bytes or 100 ms" time-out, line status, close. Every OS call of the serial link is here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kelm {

struct SerialLineParameters {
  uint32_t speed = 9600;
  uint8_t data_bits = 8;  // 5..8
  uint8_t parity = 0;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t stop_bits = 0;  // 0 one, 1 one and a half (sent as two), 2 two
  bool xon_xoff = false;
  bool rts_cts = false;
};

enum class SerialOpenResult { kOk, kCannotOpen, kRejected };

// The result of one write: how many bytes the device took, and the errno that stopped it
// (0 when it stopped only because the time-out passed or everything was written).
struct SerialWriteResult {
  size_t written = 0;
  int error = 0;
};

// Line status, as LineStatusCheck reports it.
inline constexpr int kLineClear = 0;
inline constexpr int kLineError = 1;
inline constexpr int kLineHeld = 2;

class SerialPort {
 public:
  SerialPort() = default;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;
  ~SerialPort() { Close(); }

  // Opens `path` for this process alone and applies the line parameters. kCannotOpen when the
  // device cannot be opened (errno in last_error()), kRejected when it refuses the parameters.
  SerialOpenResult Open(const std::string& path, const SerialLineParameters& line);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // Writes until everything is taken or `timeout_ms` (on TheClock) has passed.
  SerialWriteResult Write(const char* data, size_t count, uint32_t timeout_ms);
  // Returns when `count` bytes have arrived or `timeout_ms` has passed, with whatever arrived.
  // A read error counts as the bytes read before it.
  size_t Read(char* buffer, size_t count, int timeout_ms = 100);
  // Bytes received and not read yet (0 when closed or the query fails).
  size_t Pending() const;
  // kLineError when the driver's error counters moved since the last call or the query failed;
  // kLineHeld when output waits for CTS (RTS/CTS) or for an XON (output still queued);
  // kLineClear otherwise. A query the device does not know (a pseudo-terminal) counts as clear.
  int LineStatus();
  // The speed the device reports (0 when it cannot tell).
  uint32_t ActualSpeed() const;

  // The device failed a read or hung up (a pseudo-terminal whose other end closed, an adapter
  // pulled out): reads return at once from now on, so waiting on it is pointless. Cleared by
  // Open.
  bool Lost() const { return lost_; }
  // Looks, without waiting, whether the device has hung up since; true when it is lost.
  bool CheckLost();
  int last_error() const { return last_error_; }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  int last_error_ = 0;
  bool lost_ = false;
  SerialLineParameters line_;
  bool have_counts_ = false;
  uint64_t error_count_ = 0;
};

// termios2 pieces, kept apart because <asm/termbits.h> clashes with <termios.h>.
bool SetCustomSpeed(int fd, uint32_t speed);
uint32_t ReadCustomSpeed(int fd);

}  // namespace kelm
