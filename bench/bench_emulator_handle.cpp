// Time of the virtual printer's core: receipts through Handle, daily reports into a full fiscal
// memory, and saving that memory as a state file. Prints what it measured.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "emulator/printer.h"
#include "protocol/check_value.h"

namespace {

std::string Frame(const std::string& body) {
  char d[2];
  kelm::CheckDigits(kelm::CheckValue(body.data(), body.size()), d);
  return "\x1BP" + body + std::string(d, 2) + "\x1B\\";
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  kelm::emu::Printer printer;
  int64_t now = 1720182600;
  printer.SetHostClock([&now] { return now; });
  std::string receipt = Frame("0$h");
  for (int i = 1; i <= 5; ++i)
    receipt += Frame(std::to_string(i) + "$lTowar " + std::to_string(i) + "\r2\rA/1.25/2.50/");
  receipt += Frame("1$e\r20.00/12.50/") + "\x05";

  const int receipts = 20000;
  auto start = std::chrono::steady_clock::now();
  size_t answered = 0;
  for (int i = 0; i < receipts; ++i) {
    answered += printer.Handle(receipt).size();
    printer.TakePaper();
  }
  double t = Seconds(start);
  printf("receipts of 5 lines: %d in %.3f s, %.0f per second (%zu status bytes)\n", receipts, t,
         receipts / t, answered);

  const int reports = 1830;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < reports; ++i) {
    now += 86400;
    printer.Handle(receipt + Frame("0#r"));
    printer.TakePaper();
  }
  t = Seconds(start);
  printf("daily reports into the fiscal memory: %d in %.3f s\n", reports, t);

  std::string path = "/tmp/kelmemu-bench-" + std::to_string(getpid()) + ".state";
  start = std::chrono::steady_clock::now();
  bool saved = kelm::emu::SaveStateFile(path, printer.state());
  t = Seconds(start);
  printf("state file with %zu daily reports: %zu bytes, saved in %.3f s%s\n",
         printer.state().fiscal_memory.size(), kelm::emu::SerializeState(printer.state()).size(), t,
         saved ? "" : " (FAILED)");
  unlink(path.c_str());
  return 0;
}
