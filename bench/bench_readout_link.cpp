// A year of daily reports read over a pseudo-terminal from a printer that sends at the pace of a
// 115200 bit/s line, against the protocol's limit (bytes both ways x 10 / 115200, plus the read
// time-outs of a serial line). The program should never be the bottleneck. Prints what it
// measured.
#include <poll.h>
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

#include "device_thread.h"
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

// The printer's side: the status byte, then one record per ENQ, each byte written when its ten
// bits would have gone out on the line. Input is watched throughout, so an ENQ is taken the
// moment it comes; a late wake-up sends what has fallen due meanwhile, keeping the pace.
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
  // The time the line stood idle between a record's last byte and the next ENQ.
  double waited() const { return std::chrono::duration<double>(waited_).count(); }
  // Each of those idle times in microseconds, in order (read once the printer has stopped).
  const std::vector<double>& gaps_us() const { return gaps_us_; }

 private:
  void Run() {
    kelm::bench::RunAsDevice();
    const auto byte_time = std::chrono::nanoseconds(int64_t(10 * 1e9 / kBitsPerSecond));
    auto line_free = Clock::now();  // when the bytes written so far are through
    std::string sending;
    size_t at = 0;
    char buffer[256];
    while (!stop_) {
      auto now = Clock::now();
      if (at < sending.size()) {
        const size_t due = std::min(sending.size() - at, size_t((now - line_free) / byte_time));
        if (due > 0) {
          const ssize_t n = write(master_, sending.data() + at, due);
          if (n <= 0) return;
          at += size_t(n);
          sent_ += size_t(n);
          line_free += byte_time * n;
          continue;
        }
      }
      const auto left =
          at < sending.size() ? line_free + byte_time - now : std::chrono::nanoseconds(200000000);
      const int64_t ns =
          std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
      const timespec wait{time_t(ns / 1000000000), long(ns % 1000000000)};
      pollfd p{master_, POLLIN, 0};
      if (ppoll(&p, 1, &wait, nullptr) <= 0) continue;
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) continue;
      received_ += size_t(n);
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != 0x05 || replies_.empty()) continue;
        if (at == sending.size()) {
          // An idle line starts the answer the moment its question came; the time it stood
          // idle since the last byte is the program's (and the scheduler's) share.
          sending.clear();
          at = 0;
          const auto came = Clock::now();
          if (came > line_free) waited_ += came - line_free;
          gaps_us_.push_back(std::chrono::duration<double, std::micro>(came - line_free).count());
          line_free = std::max(line_free, came);
        }
        sending += replies_.front();
        replies_.pop_front();
      }
    }
  }

  int master_;
  std::deque<std::string> replies_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> received_{0}, sent_{0};
  Clock::duration waited_{};
  std::vector<double> gaps_us_;
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
  // Over a serial line the status query sits out its purge and its quick read, and the download
  // dialog its purge: three read time-outs of 100 ms that no printer can shorten.
  const double waits = 3 * 0.1;
  const double limit = double(bytes) * 10 / kBitsPerSecond + waits;
  std::printf(
      "readout of %d daily reports at 115200 bit/s: %zu bytes from the printer, %zu to it\n", days,
      size_t(printer.sent()), size_t(printer.received()));
  std::printf(
      "  time %.3f s, line-rate limit %.3f s with %.1f s of read time-outs, %.1f %% over the "
      "limit\n",
      seconds, limit, waits, (seconds / limit - 1) * 100);
  std::printf("  the line stood idle %.3f s between a byte and the next ENQ, time-outs included\n",
              printer.waited());
  // Where the time over the limit goes: most round trips take less than the ENQ's own character
  // time, a few wait for a busy processor (a scheduler tick is 4 ms).
  std::vector<double> gaps = printer.gaps_us();
  if (gaps.size() > 10) {
    std::sort(gaps.begin(), gaps.end());
    double slow_total = 0;
    size_t slow = 0;
    for (double g : gaps) {
      if (g >= 1000 && g < 50000) slow_total += g, ++slow;
    }
    std::printf(
        "  record round trips: median %.0f us, 90th percentile %.0f us, 99th %.0f us; %zu of %zu "
        "took 1-50 ms, %.3f s together\n",
        gaps[gaps.size() / 2], gaps[gaps.size() * 9 / 10], gaps[gaps.size() * 99 / 100], slow,
        gaps.size(), slow_total / 1e6);
  }
  close(master);
  close(slave);
  return 0;
}
