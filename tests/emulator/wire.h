// Frames as the program would put them on the line, written out by hand for the printer's tests.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "emulator/printer.h"
#include "protocol/check_value.h"

namespace kelm::emu::test {

inline constexpr char kEnq[] = "\x05";
inline constexpr char kDle[] = "\x10";

// ESC "P" body [check] ESC "\".
inline std::string Frame(std::string_view body, bool check = true) {
  std::string f = "\x1BP";
  f += body;
  if (check) {
    char d[2];
    CheckDigits(CheckValue(body.data(), body.size()), d);
    f.append(d, 2);
  }
  return f + "\x1B\\";
}

// A printer on a fixed clock: 2024-07-05 12:30:00.
inline constexpr int64_t kFixedNow = 1720182600;

struct Bench {
  Printer printer;
  int64_t now = kFixedNow;
  Bench() {
    printer.SetHostClock([this] { return now; });
  }
  explicit Bench(const char* model) : Bench() { printer.state().model = model; }

  std::string Send(std::string_view bytes) { return printer.Handle(bytes); }
  // Sends a command with its check value and returns the printer's error number afterwards.
  int Run(std::string_view body) {
    Send(Frame(body));
    return printer.last_error();
  }
  unsigned char Enq() { return static_cast<unsigned char>(Send(kEnq).at(0)); }
  std::string Paper() {
    std::string all;
    for (const std::string& b : printer.TakePaper()) all += b + "|\n";
    return all;
  }
};

}  // namespace kelm::emu::test
