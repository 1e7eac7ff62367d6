// termios implementation of the serial device.
#include "link/serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "protocol/clock.h"

namespace kelm {
namespace {

struct SpeedCode {
  uint32_t speed;
  speed_t code;
};

constexpr SpeedCode kStandardSpeeds[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000}, {921600, B921600},
};

bool StandardSpeed(uint32_t speed, speed_t* code) {
  for (const SpeedCode& s : kStandardSpeeds) {
    if (s.speed == speed) {
      *code = s.code;
      return true;
    }
  }
  return false;
}

constexpr tcflag_t kDataBitFlags[4] = {CS5, CS6, CS7, CS8};

// A device that does not know a query (a pseudo-terminal has no modem lines and no counters).
bool NotSupported(int error) {
  return error == ENOTTY || error == EINVAL;
}

int64_t MonotonicMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

SerialOpenResult SerialPort::Open(const std::string& path, const SerialLineParameters& line) {
  Close();
  last_error_ = 0;
  lost_ = false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    last_error_ = errno;
    return SerialOpenResult::kCannotOpen;
  }
  // No sharing: a second opener (other than root) gets EBUSY while we hold the port.
  ioctl(fd, TIOCEXCL);
  fd_ = fd;
  line_ = line;
  termios t;
  speed_t code = B9600;
  const bool standard = StandardSpeed(line.speed, &code);
  bool accepted = line.speed > 0 && line.data_bits >= 5 && line.data_bits <= 8 &&
                  line.parity <= 4 && line.stop_bits <= 2 && tcgetattr(fd, &t) == 0;
  if (accepted) {
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= CLOCAL | CREAD | kDataBitFlags[line.data_bits - 5];
    // Parity is generated and checked by the UART; bad bytes still reach us unchanged (no
    // INPCK) and show up in the error counters that LineStatus reads.
    static constexpr tcflag_t kParityFlags[5] = {0, PARENB | PARODD, PARENB,
                                                 PARENB | CMSPAR | PARODD, PARENB | CMSPAR};
    t.c_cflag |= kParityFlags[line.parity];
    // Linux has no 1.5 stop bits; two is the nearest setting a receiver accepts.
    if (line.stop_bits != 0) t.c_cflag |= CSTOPB;
    if (line.rts_cts) t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (line.xon_xoff) {
      t.c_iflag |= IXON | IXOFF;
      t.c_cc[VSTART] = 0x11;
      t.c_cc[VSTOP] = 0x13;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, code);
    cfsetospeed(&t, code);
    accepted = tcsetattr(fd, TCSANOW, &t) == 0;
  }
  if (accepted && !standard) accepted = SetCustomSpeed(fd, line.speed);
  if (!accepted) {
    last_error_ = errno;
    Close();
    return SerialOpenResult::kRejected;
  }
  // DTR is never asserted; RTS only under handshake control.
  int lines = TIOCM_DTR | (line.rts_cts ? 0 : TIOCM_RTS);
  ioctl(fd, TIOCMBIC, &lines);
  if (line.rts_cts) {
    lines = TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &lines);
  }
  have_counts_ = false;
  return SerialOpenResult::kOk;
}

void SerialPort::Close() {
  if (fd_ < 0) return;
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

SerialWriteResult SerialPort::Write(const char* data, size_t count, uint32_t timeout_ms) {
  SerialWriteResult result;
  if (fd_ < 0) {
    result.error = EBADF;
    return result;
  }
  Clock& clock = TheClock();
  const uint32_t start = clock.TickCount();
  while (result.written < count) {
    const ssize_t n = ::write(fd_, data + result.written, count - result.written);
    if (n > 0) {
      result.written += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      result.error = errno;
      break;
    }
    if (clock.TickCount() - start >= timeout_ms) break;
    // The device is full or held; the time-out is counted on the program's clock so that a
    // stalled line can be tested without waiting for it.
    clock.Sleep(1);
  }
  return result;
}

size_t SerialPort::Read(char* buffer, size_t count, int timeout_ms) {
  if (fd_ < 0 || count == 0) return 0;
  size_t got = 0;
  bool hung_up = false;
  const int64_t deadline = MonotonicMs() + timeout_ms;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer + got, count - got);
    if (n > 0) {
      got += static_cast<size_t>(n);
      if (got == count) return got;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Raw mode without VMIN answers 0 when nothing is waiting; a failure ends the read with
    // what came before it, and so does a hang-up once what came before it has been read: a
    // terminal left by its other end answers 0 at once for ever after.
    if ((n < 0 && errno != EAGAIN) || hung_up) {
      if (n < 0) last_error_ = errno;
      lost_ = true;
      return got;
    }
    const int64_t left = deadline - MonotonicMs();
    if (left <= 0) return got;
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) return got;
    if (ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) hung_up = true;
  }
}

bool SerialPort::CheckLost() {
  if (fd_ < 0 || lost_) return lost_;
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) lost_ = true;
  return lost_;
}

size_t SerialPort::Pending() const {
  int waiting = 0;
  if (fd_ < 0 || ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
  return static_cast<size_t>(waiting);
}

int SerialPort::LineStatus() {
  if (fd_ < 0) return kLineError;
  serial_icounter_struct counts{};
  if (ioctl(fd_, TIOCGICOUNT, &counts) == 0) {
    const uint64_t errors = static_cast<uint64_t>(counts.frame) + counts.overrun + counts.parity +
                            counts.brk + counts.buf_overrun;
    const bool moved = have_counts_ && errors != error_count_;
    have_counts_ = true;
    error_count_ = errors;
    if (moved) return kLineError;
  } else if (!NotSupported(errno)) {
    return kLineError;
  }
  pollfd p{fd_, POLLOUT, 0};
  if (poll(&p, 1, 0) < 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return kLineError;
  if (line_.rts_cts) {
    int lines = 0;
    if (ioctl(fd_, TIOCMGET, &lines) == 0) {
      if ((lines & TIOCM_CTS) == 0) return kLineHeld;
    } else if (!NotSupported(errno)) {
      return kLineError;
    }
  }
  if (line_.xon_xoff) {
    int queued = 0;
    if (ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0) return kLineHeld;
    // A pseudo-terminal queues nothing; a received XOFF shows as a device that takes no bytes.
    if ((p.revents & POLLOUT) == 0) return kLineHeld;
  }
  return kLineClear;
}

uint32_t SerialPort::ActualSpeed() const {
  return fd_ < 0 ? 0 : ReadCustomSpeed(fd_);
}

}  // namespace kelm
