// The time of CheckLastCommand against a printer that answers at once, over a pseudo-terminal
// and over loopback TCP, beside the raw round trip of the same bytes on the same link.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "link/com_ports.h"
#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/tcp_socket.h"
#include "protocol/operator.h"

namespace {

using Clock = std::chrono::steady_clock;
using kelm::test::ScriptedPrinter;

constexpr int kRounds = 40;

struct Figures {
  double median_ms, min_ms, max_ms;
};

template <class F>
Figures Measure(F&& once) {
  std::vector<double> ms;
  for (int i = 0; i < kRounds; ++i) {
    const auto start = Clock::now();
    once();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void Print(const char* what, const Figures& f) {
  std::printf("%-42s median %8.3f ms   min %8.3f   max %8.3f\n", what, f.median_ms, f.min_ms,
              f.max_ms);
}

// ENQ out, one status byte back, straight on the descriptor the link uses.
void RawRoundTrip(int fd) {
  const char enq = 0x05;
  if (write(fd, &enq, 1) != 1) return;
  char byte;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    poll(&p, 1, 1000);
    if (read(fd, &byte, 1) == 1) return;
  }
}

class Quiet : public kelm::ConsoleOperator {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "! %s\n", text.c_str());
  }
};

}  // namespace

int main() {
  Quiet quiet;
  kelm::InstallOperator(&quiet);
  {
    ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
    printer.AnswerStatus(0x0C);
    kelm::SetComDeviceOverride(printer.device());
    kelm::LinkSettings.PortNumber = 1;
    if (!kelm::OpenSerialPort(1)) return 1;
    Print("pseudo-terminal: raw ENQ round trip",
          Measure([] { RawRoundTrip(kelm::SerialHandle().fd()); }));
    Print("pseudo-terminal: CheckLastCommand", Measure([] { kelm::CheckLastCommand(); }));
    kelm::CloseSerialPort();
    kelm::LinkSettings.PortNumber = kelm::kNoPort;
  }
  {
    ScriptedPrinter printer(ScriptedPrinter::Transport::kTcp);
    printer.AnswerStatus(0x0C);
    // A raw client of its own for the round trip, then the link's socket.
    kelm::TcpSocket raw;
    if (!raw.Connect("127.0.0.1", printer.port())) return 1;
    Print("TCP: raw ENQ round trip", Measure([&] {
            const char enq = 0x05;
            char byte;
            raw.Send(&enq, 1);
            while (!raw.WaitReadable(1000)) {
            }
            raw.Receive(&byte, 1);
          }));
    raw.Close();
    if (kelm::TcpConnect("127.0.0.1", std::to_string(printer.port()), false) != 0) return 1;
    Print("TCP: CheckLastCommand", Measure([] { kelm::CheckLastCommand(); }));
    kelm::ResetTcpLink();
  }
  kelm::InstallOperator(nullptr);
  return 0;
}
