// The loopback printer of the fuzz targets.
#include "support/loopback_printer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "protocol/operator.h"

namespace kelm::fuzz {
namespace {

int printer_fd = -1;
std::string at_sleep;

// Answers Yes, so that a chosen file is replaced, and never waits for anyone.
class SilentOperator : public Operator {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  void Beep() override {}
  void RunModal(ModalWait& wait) override {
    wait.Begin();
    for (int i = 0; i < 1000 && !wait.Tick(); ++i) {
    }
    wait.End();
  }
};

class InstantClock : public Clock {
 public:
  uint32_t TickCount() override { return now_; }
  void Sleep(uint32_t ms) override {
    now_ += ms;
    if (!at_sleep.empty()) {
      const std::string bytes = std::move(at_sleep);
      at_sleep.clear();
      PrinterSends(bytes);
    }
  }

 private:
  uint32_t now_ = 0;
};

void Fail(const char* what) {
  std::perror(what);
  std::abort();
}

bool Waiting(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace

void InstallSilentSeams() {
  static SilentOperator op;
  static InstantClock clock;
  InstallOperator(&op);
  InstallClock(&clock);
}

void ConnectLoopbackPrinter() {
  if (printer_fd >= 0) return;
  InstallSilentSeams();
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  if (listener < 0) Fail("socket");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(listener, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(listener, 1) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    Fail("listen");
  }
  if (TcpConnect("127.0.0.1", std::to_string(ntohs(addr.sin_port)), false) != kTcpConnected) {
    Fail("connect");
  }
  printer_fd = accept(listener, nullptr, nullptr);
  if (printer_fd < 0) Fail("accept");
  close(listener);
  // Room for the longest input the targets take, so a send never blocks.
  const int size = 1 << 20;
  setsockopt(printer_fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
}

void PrinterSends(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = send(printer_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) Fail("send");
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

std::string ProgramSent() {
  std::string got;
  char buffer[4096];
  while (Waiting(printer_fd)) {
    const ssize_t n = recv(printer_fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n <= 0) break;
    got.append(buffer, static_cast<size_t>(n));
  }
  return got;
}

void ClearLoopback() {
  ProgramSent();
  char buffer[4096];
  while (TcpReadPending(buffer, sizeof buffer) > 0) {
  }
  at_sleep.clear();
}

void SendAtNextSleep(std::string_view bytes) {
  at_sleep.assign(bytes);
}

namespace {

std::map<std::string, std::string> scratch_files;
std::string scratch_folder;

void RemoveScratch() {
  for (const auto& [name, path] : scratch_files) unlink(path.c_str());
  rmdir(scratch_folder.c_str());
}

}  // namespace

const std::string& ScratchFile(const char* name) {
  std::string& folder = scratch_folder;
  if (folder.empty()) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/kelm-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp");
    folder = pattern;
    std::atexit(RemoveScratch);
  }
  std::string& path = scratch_files[name];
  if (path.empty()) path = folder + "/" + name;
  return path;
}

const std::string& WriteScratchFile(const char* name, std::string_view bytes) {
  const std::string& path = ScratchFile(name);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    Fail(path.c_str());
  }
  std::fclose(f);
  return path;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace kelm::fuzz
