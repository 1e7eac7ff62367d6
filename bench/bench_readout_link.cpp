// A year of daily reports read over a pseudo-terminal from a printer that sends at the pace of a
// 115200 bit/s line, against the line-rate limit (bytes both ways x 10 / 115200). The program
// should never be the bottleneck. Prints what it measured.
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "readout/readout_link.h"
#include "readout/readout_request.h"
#include "readout/stream.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBitsPerSecond = 115200;
constexpr size_t kChunk = 16;

// The printer's side: the status byte, then one record per ENQ, each written at line pace.
class PacedPrinter {
 public:
  PacedPrinter(int master, std::vector<std::string> replies)
      : master_(master), replies_(replies.begin(), replies.end()), thread_([this] { Run(); }) {}
  ~PacedPrinter() {
    stop_ = true;
    thread_.join();
  }
  size_t received() const { return received_; }
  size_t sent() const { return sent_; }

 private:
  void Run() {
    char buffer[256];
    auto due = Clock::now();
    while (!stop_) {
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        continue;
      }
      received_ += size_t(n);
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != 0x05 || replies_.empty()) continue;
        const std::string reply = replies_.front();
        replies_.pop_front();
        due = std::max(due, Clock::now());
        for (size_t at = 0; at < reply.size(); at += kChunk) {
          const size_t count = std::min(kChunk, reply.size() - at);
          due += std::chrono::nanoseconds(int64_t(count * 10 * 1e9 / kBitsPerSecond));
          std::this_thread::sleep_until(due);
          sent_ += size_t(write(master_, reply.data() + at, count));
        }
      }
    }
  }

  int master_;
  std::deque<std::string> replies_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> received_{0}, sent_{0};
  std::thread thread_;
};

}  // namespace

int main() {
  int master = -1, slave = -1;
  char name[128];
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    std::perror("openpty");
    return 1;
  }
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);

  const int days = 365;
  std::vector<std::string> replies = {std::string(1, char(0x64))};
  for (std::string& r : kelm::test::SplitRecords(kelm::test::Pass(days))) replies.push_back(r);

  kelm::ConsoleOperator console(false, 0);
  kelm::InstallOperator(&console);
  kelm::SetComDeviceOverride(name);
  kelm::LinkSettings.PortNumber = 1;
  kelm::LinkSettings.Speed = 115200;
  if (!kelm::OpenSerialPort(1)) return 1;

  kelm::ReadoutFields fields;
  fields.mode = kelm::ReadoutMode::kByNumbers;
  fields.first_number = "1";
  fields.last_number = std::to_string(days);
  kelm::ReadoutRequest request;
  std::string message;
  kelm::BuildReadoutRequest(fields, &request, &message);
  kelm::SetProgramFolder(kelm::TempFolder());

  PacedPrinter printer(master, replies);
  const auto start = Clock::now();
  {
    kelm::ReadoutSession session(kelm::ReadoutModel{}, request, "09-12-2026");
    kelm::RunReadoutPasses(session, 115200);
    session.Finish();
    if (!session.success()) std::printf("readout did not succeed\n");
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::remove(kelm::InProgramFolder(kelm::kReadoutWorkFile).c_str());
  kelm::CloseSerialPort();
  kelm::InstallOperator(nullptr);

  const size_t bytes = printer.sent() + printer.received();
  const double limit = double(bytes) * 10 / kBitsPerSecond;
  std::printf(
      "readout of %d daily reports at 115200 bit/s: %zu bytes from the printer, %zu to it\n", days,
      size_t(printer.sent()), size_t(printer.received()));
  std::printf("  time %.3f s, line-rate limit %.3f s, %.1f %% over the limit\n", seconds, limit,
              (seconds / limit - 1) * 100);
  close(master);
  close(slave);
  return 0;
}
