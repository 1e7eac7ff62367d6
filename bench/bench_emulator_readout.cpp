// The virtual printer's side of a periodic report readout: the time to encode the record
// stream of a full fiscal memory for each layout, and a year of daily reports sent over
// loopback TCP paced at 115200 bit/s against the line-rate limit (bytes x 10 / 115200).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "device_thread.h"
#include "emulator/fiscal_memory.h"
#include "emulator/history.h"
#include "emulator/transport.h"
#include "protocol/check_value.h"

namespace {

using kelm::emu::DateTime;

std::string Frame(const std::string& body) {
  char d[2];
  kelm::CheckDigits(kelm::CheckValue(body.data(), body.size()), d);
  return "\x1BP" + body + std::string(d, 2) + "\x1B\\";
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Reads exactly `n` bytes; false when the line stays silent for two seconds.
bool ReadExactly(int fd, std::string* out, size_t n) {
  while (out->size() < n) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) return false;
    char buf[4096];
    ssize_t got = read(fd, buf, std::min(sizeof buf, n - out->size()));
    if (got <= 0) return false;
    out->append(buf, static_cast<size_t>(got));
  }
  return true;
}

void EncodeFullMemory() {
  const char* models[][2] = {{"vantel", "3.00"},    {"vantel-bus", "2.00"}, {"vantel-bus", "3.10"},
                             {"vantel-ke", "2.00"}, {"salvo", "1.00"},      {"salvo", "2.00"},
                             {"859", "1.02"}};
  DateTime today{2026, 12, 9, 12, 0, 0};
  for (auto& m : models) {
    kelm::emu::PrinterState s;
    s.model = m[0];
    s.firmware = m[1];
    kelm::emu::GenerateHistory(s, 1830, today);
    kelm::emu::ReadoutRequest q;
    q.by_numbers = true;
    q.from = 1;
    q.to = 1830;
    auto start = std::chrono::steady_clock::now();
    kelm::emu::ReadoutPasses passes = kelm::emu::BuildReadout(s, q, today, 0);
    double t = Seconds(start);
    size_t bytes = 0;
    for (const auto& p : passes)
      for (const std::string& r : p) bytes += r.size();
    printf("layout %3d: stream of 1830 daily reports, %zu bytes, encoded in %.3f s\n",
           kelm::emu::DailyLayout(kelm::emu::RecordTypeOf(s)), bytes, t);
  }
}

void PacedYear() {
  // The reading side here is no program but the benchmark's stand-in: it keeps time as the
  // printer does, so the figure is the pacing's alone.
  kelm::bench::RunAsDevice();
  kelm::emu::Printer printer;
  printer.state().model = "vantel-ke";
  printer.GenerateHistory(365);
  printer.faults().pace_baud = 9600;  // the line speed; the records go at the readout speed
  kelm::emu::ServerOptions options;
  options.tcp = true;
  kelm::emu::Server server(printer, options);
  std::string ready, error;
  if (!server.Start(&ready, &error)) {
    fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  volatile std::sig_atomic_t stop = 0;
  std::thread serving([&] {
    kelm::bench::RunAsDevice();
    server.Run(&stop);
  });
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(atoi(ready.substr(ready.rfind(':') + 1).c_str())));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    perror("connect");
    stop = 1;
    serving.join();
    return;
  }
  std::string frame = Frame("4;0;0;0;0;0;0;128#o1/365/\r\r115200/");
  std::string got;
  (void)!write(fd, frame.data(), frame.size());
  (void)!write(fd, "\x05", 1);
  ReadExactly(fd, &got, 1);
  // The records of layout 174 by type; the stream is read the way the program reads it.
  auto body = [](int type) -> size_t {
    switch (type & 0x7F) {
      case 0:
        return 252;
      case 1:
        return 14;
      case 2:
      case 8:
        return 10;
      case 3:
        return 18;
      case 4:
        return 31;
      case 5:
        return 174;
      case 6:
        return 8;
      case 7:
        return 34;
      case 10:
      case 11:
        return 58;
      case 12:
        return 16;
      case 13:
        return 12;
      case 14:
        return 33;
    }
    return 0;
  };
  size_t bytes = 0, enqs = 0;
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    std::string record;
    (void)!write(fd, "\x05", 1);
    ++enqs;
    if (!ReadExactly(fd, &record, 1) || body(record[0]) == 0 ||
        !ReadExactly(fd, &record, 1 + body(record[0])))
      break;
    bytes += record.size();
    if ((record[0] & 0x7F) == 11) break;
  }
  double t = Seconds(start);
  (void)!write(fd, "\x18", 1);
  close(fd);
  stop = 1;
  serving.join();
  // Each record and the ENQ that asked for it, at the line rate.
  double limit = double(bytes + enqs) * 10.0 / 115200;
  printf(
      "a year of daily reports (layout 174) at 115200 bit/s: %zu bytes, %zu ENQs in %.2f s, "
      "line-rate limit %.2f s (%.1f %%)\n",
      bytes, enqs, t, limit, 100.0 * t / limit);
}

}  // namespace

int main() {
  EncodeFullMemory();
  PacedYear();
  return 0;
}
