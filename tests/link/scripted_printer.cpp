// The scripted printer's thread.
#include "link/scripted_printer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace kelm::test {
namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SetNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

ScriptedPrinter::ScriptedPrinter(Transport transport) : transport_(transport) {
  if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe");
  if (transport == Transport::kPty) {
    char name[128];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("pty");
    termios t;
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    device_ = name;
    SetNonBlocking(master_);
  } else {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(listener_, 4) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
      throw std::runtime_error("listen");
    }
    port_ = ntohs(a.sin_port);
    device_ = "127.0.0.1:" + std::to_string(port_);
  }
  thread_ = std::thread([this] { Run(); });
}

ScriptedPrinter::~ScriptedPrinter() {
  {
    std::lock_guard<std::mutex> lock(mu_);
    stop_ = true;
  }
  Wake();
  thread_.join();
  for (int fd : {master_, slave_, listener_, wake_[0], wake_[1]}) {
    if (fd >= 0) close(fd);
  }
}

void ScriptedPrinter::Wake() {
  const char c = 0;
  [[maybe_unused]] const ssize_t n = write(wake_[1], &c, 1);
}

void ScriptedPrinter::On(const std::string& request, const std::string& reply, int delay_ms,
                         int times) {
  std::lock_guard<std::mutex> lock(mu_);
  rules_.push_back({request, reply, delay_ms, times});
}

void ScriptedPrinter::AnswerStatus(uint8_t enq, uint8_t dle, int error) {
  On(std::string(1, '\x05'), std::string(1, static_cast<char>(enq)));
  On(std::string(1, '\x10'), std::string(1, static_cast<char>(dle)));
  On("\x1bP0#n\x1b\\", "\x1bP1#E" + std::to_string(error) + "\x1b\\");
}

void ScriptedPrinter::Send(const std::string& bytes, int delay_ms) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    out_.push_back({bytes, NowMs() + delay_ms});
  }
  Wake();
}

void ScriptedPrinter::Pause(bool paused) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    paused_ = paused;
  }
  Wake();
}

void ScriptedPrinter::Hangup() {
  {
    std::lock_guard<std::mutex> lock(mu_);
    hangup_ = true;
  }
  Wake();
  std::unique_lock<std::mutex> lock(mu_);
  changed_.wait(lock, [this] { return !hangup_; });
}

std::string ScriptedPrinter::Received() {
  std::lock_guard<std::mutex> lock(mu_);
  return received_;
}

bool ScriptedPrinter::WaitReceived(size_t count, int timeout_ms) {
  std::unique_lock<std::mutex> lock(mu_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return received_.size() >= count; });
}

bool ScriptedPrinter::WaitQuiet(int quiet_ms, int timeout_ms) {
  std::unique_lock<std::mutex> lock(mu_);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const size_t seen = received_.size();
    const bool grew = changed_.wait_for(lock, std::chrono::milliseconds(quiet_ms),
                                        [&] { return received_.size() != seen; });
    if (!grew) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
}

bool ScriptedPrinter::WaitSent(int timeout_ms) {
  std::unique_lock<std::mutex> lock(mu_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return out_.empty(); });
}

void ScriptedPrinter::Match() {
  for (;;) {
    size_t best = std::string::npos;
    Rule* rule = nullptr;
    for (Rule& r : rules_) {
      if (r.times == 0) continue;
      const size_t at = pending_.find(r.request);
      if (at != std::string::npos && (best == std::string::npos || at < best)) {
        best = at;
        rule = &r;
      }
    }
    if (rule == nullptr) return;
    pending_.erase(0, best + rule->request.size());
    if (rule->times > 0) --rule->times;
    out_.push_back({rule->reply, NowMs() + rule->delay_ms});
  }
}

void ScriptedPrinter::Run() {
  char buffer[4096];
  for (;;) {
    pollfd fds[3];
    int count = 0;
    int timeout = -1;
    {
      std::unique_lock<std::mutex> lock(mu_);
      if (stop_) return;
      if (hangup_ && (master_ >= 0 || transport_ == Transport::kPty)) {
        if (master_ >= 0) close(master_);
        master_ = -1;
        hangup_ = false;
        changed_.notify_all();
      }
      fds[count++] = {wake_[0], POLLIN, 0};
      if (listener_ >= 0) fds[count++] = {listener_, POLLIN, 0};
      if (master_ >= 0) {
        short events = paused_ ? 0 : POLLIN;
        if (!out_.empty()) {
          const int64_t wait = out_.front().due_ms - NowMs();
          if (wait <= 0) {
            events |= POLLOUT;
          } else {
            timeout = static_cast<int>(wait);
          }
        }
        fds[count++] = {master_, events, 0};
      }
    }
    if (poll(fds, count, timeout) < 0 && errno != EINTR) return;
    std::unique_lock<std::mutex> lock(mu_);
    for (int i = 0; i < count; ++i) {
      if (fds[i].fd == wake_[0] && (fds[i].revents & POLLIN)) {
        while (read(wake_[0], buffer, sizeof buffer) > 0) {
        }
      } else if (fds[i].fd == listener_ && (fds[i].revents & POLLIN)) {
        const int conn = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (conn >= 0) {
          if (master_ >= 0) close(master_);
          master_ = conn;
        }
      } else if (fds[i].fd == master_ && master_ >= 0) {
        if ((fds[i].revents & POLLOUT) && !out_.empty()) {
          Outgoing& o = out_.front();
          const ssize_t n = write(master_, o.bytes.data(), o.bytes.size());
          if (n > 0) o.bytes.erase(0, static_cast<size_t>(n));
          if (o.bytes.empty()) out_.pop_front();
          changed_.notify_all();
        }
        if (!paused_ && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
          const ssize_t n = read(master_, buffer, sizeof buffer);
          if (n > 0) {
            received_.append(buffer, static_cast<size_t>(n));
            pending_.append(buffer, static_cast<size_t>(n));
            Match();
            changed_.notify_all();
          } else if (transport_ == Transport::kTcp && n == 0) {
            close(master_);
            master_ = -1;
          }
        }
      }
    }
  }
}

}  // namespace kelm::test
