// TCP and pseudo-terminal serving for the virtual printer, with pacing and line faults.
#include "emulator/transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "emulator/picture_files.h"

namespace kelm::emu {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kXoff = 0x13;
constexpr char kXon = 0x11;

void SetNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Writes everything unless the peer stops reading for two seconds.
bool WriteAll(int fd, const char* data, size_t size) {
  auto give_up = Clock::now() + std::chrono::seconds(2);
  while (size > 0 && Clock::now() < give_up) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd p{fd, POLLOUT, 0};
      poll(&p, 1, 100);
      continue;
    }
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return size == 0;
}

// A wait of nanosecond precision for ppoll; one already over is no wait at all.
timespec Timeout(Clock::duration left) {
  const long long ns =
      std::max<long long>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

std::string LinkTarget(const std::string& link) {
  char target[256];
  const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
}

}  // namespace

Server::Server(Printer& printer, ServerOptions options)
    : printer_(printer), options_(std::move(options)) {}

Server::~Server() {
  if (listen_fd_ >= 0) close(listen_fd_);
  if (slave_fd_ >= 0) close(slave_fd_);
  if (master_fd_ >= 0) close(master_fd_);
  // The link goes only while it still leads to our terminal; whatever stands there else is not
  // ours to remove.
  if (!options_.link.empty() && LinkTarget(options_.link) == pty_name_)
    unlink(options_.link.c_str());
}

bool Server::OpenTerminal(std::string* name, std::string* error) {
  char path[256];
  if (openpty(&master_fd_, &slave_fd_, path, nullptr, nullptr) != 0) {
    *error = std::string("cannot create a pseudo-terminal: ") + strerror(errno);
    return false;
  }
  // Our own handle on the slave keeps the terminal alive between clients, so a client that
  // goes away never turns the master into a stream of EIO.
  termios t;
  tcgetattr(slave_fd_, &t);
  cfmakeraw(&t);
  tcsetattr(slave_fd_, TCSANOW, &t);
  SetNonBlocking(master_fd_);
  if (!options_.link.empty()) {
    // Only a link to a pseudo-terminal (one of ours, perhaps left by a killed run) may be
    // replaced: a file, a folder or a link to a real port under that name belongs to someone.
    struct stat st;
    if (lstat(options_.link.c_str(), &st) == 0 &&
        (!S_ISLNK(st.st_mode) || LinkTarget(options_.link).rfind("/dev/pts/", 0) != 0)) {
      *error = "will not replace " + options_.link + ": it is not a link to a pseudo-terminal";
      options_.link.clear();
      close(slave_fd_);
      close(master_fd_);
      slave_fd_ = master_fd_ = -1;
      return false;
    }
    // Renamed into place, so a client never finds the link missing while it is replaced.
    std::string temp = options_.link + ".new";
    unlink(temp.c_str());
    if (symlink(path, temp.c_str()) != 0 || rename(temp.c_str(), options_.link.c_str()) != 0) {
      *error = "cannot create the link " + options_.link + ": " + strerror(errno);
      unlink(temp.c_str());
      options_.link.clear();
      return false;
    }
  }
  *name = path;
  pty_name_ = path;
  return true;
}

void Server::CloseTerminal() {
  // Let the client read what was answered before the line goes dead (at most a second). The
  // terminal passes written bytes on a little later, so look only after a moment.
  for (int i = 0; i < 50; ++i) {
    usleep(20000);
    int waiting = 0;
    if (ioctl(slave_fd_, FIONREAD, &waiting) != 0 || waiting == 0) break;
  }
  close(slave_fd_);
  close(master_fd_);
  slave_fd_ = master_fd_ = -1;
}

bool Server::Start(std::string* ready, std::string* error) {
  if (options_.pty) {
    std::string name;
    if (!OpenTerminal(&name, error)) return false;
    *ready = "PTY " + name;
    return true;
  }
  listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(options_.port));
  if (inet_pton(AF_INET, options_.host.c_str(), &addr.sin_addr) != 1) {
    *error = "not an IPv4 address: " + options_.host;
    return false;
  }
  if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listen_fd_, 4) != 0) {
    *error = std::string("cannot listen: ") + strerror(errno);
    return false;
  }
  socklen_t len = sizeof addr;
  getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  *ready = "TCP " + options_.host + ":" + std::to_string(ntohs(addr.sin_port));
  return true;
}

void Server::AfterInput() {
  const bool dirty = printer_.TakeDirty();
  if (dirty && !options_.state_file.empty() &&
      !SaveStateFile(options_.state_file, printer_.state()))
    fprintf(stderr, "kelmemu: cannot write the state file %s\n", options_.state_file.c_str());
  if (dirty && !options_.pictures_dir.empty() &&
      !WritePictureFiles(options_.pictures_dir, printer_.state()))
    fprintf(stderr, "kelmemu: cannot write the pictures to %s\n", options_.pictures_dir.c_str());
  const std::string data = printer_.TakeReceivedData();
  if (!data.empty() && !options_.data_file.empty()) {
    FILE* f = fopen(options_.data_file.c_str(), "ab");
    if (f == nullptr || fwrite(data.data(), 1, data.size(), f) != data.size())
      fprintf(stderr, "kelmemu: cannot write the data file %s\n", options_.data_file.c_str());
    if (f != nullptr) fclose(f);
  }
  std::vector<std::string> blocks = printer_.TakePaper();
  if (blocks.empty() || options_.paper_file.empty()) return;
  FILE* f = fopen(options_.paper_file.c_str(), "ab");
  if (!f) {
    fprintf(stderr, "kelmemu: cannot write the paper log %s\n", options_.paper_file.c_str());
    return;
  }
  for (const std::string& b : blocks) {
    fwrite(b.data(), 1, b.size(), f);
    fputs(kPaperSeparator, f);
  }
  fclose(f);
}

bool Server::Pump(int fd, volatile std::sig_atomic_t* stop) {
  Faults& faults = printer_.faults();
  Clock::time_point hold_until{};
  Clock::time_point last_input = Clock::now();
  bool holding = false;
  char buf[4096];
  hangup_pending_ = false;
  // A paced answer leaves as a serial line carries it: each byte reaches the client when its ten
  // bits have gone out, one character time after the one before. `line_free` is the moment the
  // bytes written so far are all through; the next byte is due one character time after it. A
  // late wake-up sends every byte that has fallen due meanwhile, so the stream keeps its pace
  // whatever the scheduler does; only a line that had nothing to send starts again from now.
  Clock::time_point line_free = Clock::now();
  while (!*stop) {
    Clock::time_point now = Clock::now();
    if (hangup_pending_ && out_.empty()) {
      fprintf(stderr, "kelmemu: hanging up in the middle of the readout\n");
      return false;
    }
    // The cut falls where the next answer byte would pass the count: a line pulled in the
    // middle of an answer or of a readout's stream.
    if (!out_.empty() && faults.drop_after_sent >= 0 && sent_ >= faults.drop_after_sent) {
      faults.drop_after_sent = -1;
      fprintf(stderr, "kelmemu: dropping the line after %ld bytes sent\n", sent_);
      return false;
    }
    if (holding && now >= hold_until) {
      holding = false;
      WriteAll(fd, &kXon, 1);
      // The line stood still while held: it goes on from now, not in a burst.
      if (line_free < now) line_free = now;
    }
    // With pacing on, a readout's records go at the readout speed the command named.
    const bool paced = faults.pace_baud > 0;
    const long baud = !out_.empty() && out_.front().baud > 0 ? out_.front().baud : faults.pace_baud;
    const auto byte_time = std::chrono::nanoseconds(paced ? 10000000000LL / baud : 0);
    const Clock::time_point next_due = line_free + byte_time;
    const bool can_write = !out_.empty() && !holding && (!paced || now >= next_due);
    Clock::time_point wake = now + std::chrono::milliseconds(200);
    if (holding) {
      wake = std::min(wake, hold_until);
    } else if (!out_.empty() && paced && !can_write) {
      wake = std::min(wake, next_due);
    }
    // One printer serves one client; a client that has gone quiet gives way to the next one
    // waiting on the port (only then is the port watched, so a busy client is never woken).
    const auto idle_until = last_input + std::chrono::milliseconds(options_.idle_ms);
    const bool idle = listen_fd_ >= 0 && out_.empty() && now >= idle_until;
    if (listen_fd_ >= 0 && out_.empty() && !idle) wake = std::min(wake, idle_until);
    pollfd p[2] = {{fd, static_cast<short>(POLLIN | (can_write ? POLLOUT : 0)), 0},
                   {listen_fd_, POLLIN, 0}};
    const timespec timeout = Timeout(wake - now);
    const int ready = ppoll(p, idle ? 2 : 1, &timeout, nullptr);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    if (idle && (p[1].revents & POLLIN) != 0 && (p[0].revents & POLLIN) == 0) {
      fprintf(stderr, "kelmemu: an idle client gives way to a new one\n");
      return false;
    }
    if (p[0].revents & POLLOUT) {
      std::string& front = out_.front().bytes;
      size_t count = front.size();
      if (paced) {
        const auto through = Clock::now() - line_free;
        count = std::min(count, static_cast<size_t>(through / byte_time));
      }
      if (faults.drop_after_sent >= 0) {
        count = std::min(count, static_cast<size_t>(faults.drop_after_sent - sent_));
      }
      const ssize_t n = count > 0 ? write(fd, front.data(), count) : 0;
      if (n > 0) {
        sent_ += n;
        front.erase(0, static_cast<size_t>(n));
        if (front.empty()) out_.pop_front();
        if (paced) line_free += byte_time * n;
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        return false;
      }
    }
    if (p[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      ssize_t n = read(fd, buf, sizeof buf);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n <= 0) return false;
      received_ += n;
      last_input = Clock::now();
      // A line with nothing to send starts the next answer the moment its question came.
      if (out_.empty() && line_free < last_input) line_free = last_input;
      // A line dropped after N bytes still has its first N bytes handled and answered.
      bool drop = faults.drop_after_bytes >= 0 && received_ >= faults.drop_after_bytes;
      if (drop) {
        n -= static_cast<ssize_t>(received_ - faults.drop_after_bytes);
        faults.drop_after_bytes = -1;
        out_.push_back({printer_.Handle(std::string_view(buf, static_cast<size_t>(n))), 0, false});
        AfterInput();
        for (const Pending& o : out_) WriteAll(fd, o.bytes.data(), o.bytes.size());
        out_.clear();
        return false;
      }
      // Byte by byte, so that a client asking again and again without reading (one "S" brings
      // the whole memory image) is stopped before its answers pile up.
      size_t queued = 0;
      for (const Pending& o : out_) queued += o.bytes.size();
      for (ssize_t i = 0; i < n && queued <= options_.queue_limit; ++i) {
        std::string answer = printer_.Handle(std::string_view(buf + i, 1));
        AfterInput();
        if (printer_.TakeReadoutCancelled()) {
          for (auto o = out_.begin(); o != out_.end();) {
            if (o->record) {
              queued -= o->bytes.size();
              o = out_.erase(o);
            } else {
              ++o;
            }
          }
        }
        // A readout's records and the memory dump go without flow control (the program turns
        // Xon/Xoff off for them), so an XOFF there would only be a byte in the data.
        if (!answer.empty() && faults.xoff_ms > 0 && options_.pty && !holding &&
            !printer_.AnswerIsRecord()) {
          WriteAll(fd, &kXoff, 1);
          holding = true;
          hold_until = Clock::now() + std::chrono::milliseconds(faults.xoff_ms);
        }
        queued += answer.size();
        if (!answer.empty())
          out_.push_back({std::move(answer), printer_.AnswerBaud(), printer_.AnswerIsRecord()});
        if (printer_.TakeHangup()) hangup_pending_ = true;
      }
      if (queued > options_.queue_limit) {
        fprintf(stderr, "kelmemu: the client does not read its answers; dropped\n");
        return false;
      }
    }
  }
  return true;
}

void Server::Run(volatile std::sig_atomic_t* stop) {
  // A paced byte is due every 87 us at 115200 bit/s: the kernel's default slack of 50 us on
  // every timed wait would add up to a slower line.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  if (master_fd_ >= 0) {
    while (!*stop) {
      if (Pump(master_fd_, stop)) continue;
      // The line was dropped on purpose: hang the terminal up, as a pulled cable would, and
      // offer a new one under the same link.
      CloseTerminal();
      out_.clear();
      printer_.DropPartialInput();
      std::string name, error;
      if (!OpenTerminal(&name, &error)) {
        fprintf(stderr, "kelmemu: %s\n", error.c_str());
        return;
      }
      fprintf(stderr, "kelmemu: line dropped, now PTY %s\n", name.c_str());
    }
    return;
  }
  while (!*stop) {
    pollfd p{listen_fd_, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    int client = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    SetNonBlocking(client);
    // Paced answers go out a few bytes at a time, as a serial line would carry them; Nagle's
    // wait for an acknowledgement would hold each piece back.
    int one = 1;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    received_ = 0;
    sent_ = 0;
    out_.clear();
    Pump(client, stop);
    close(client);
    printer_.DropPartialInput();
  }
}

}  // namespace kelm::emu
