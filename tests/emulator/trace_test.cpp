// The trace of the printer core fed bytes of every shape: each frame, query and raw run gets its
// line, short and broken frames included, and nothing is read past what came.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

TEST(Trace, EveryShapeOfInputIsTold) {
  Bench bench;
  std::vector<std::string> lines;
  bench.printer.SetTrace([&lines](bool incoming, const std::string& line) {
    lines.push_back(std::string(incoming ? "in " : "out ") + line);
  });
  struct Row {
    std::string bytes;
    const char* told;
  };
  const Row rows[] = {
      {"\x1BP\x1B\\", "in frame without a designator"},
      {"\x1BP$\x1B\\", "in frame without a designator"},
      {"\x1BP#\x1B\\", "in frame without a designator"},
      {"\x1BP$8\x1B\\", "in $8 Odczyt ustawień drukarki; check missing; error 2"},
      {"\x1BP$8E\x1B\\", "in $8 Odczyt ustawień drukarki; fields \"E\"; check missing; error 2"},
      {"\x1BP;;;$9\xFF\x01\x1B\\",
       "in $9 Sposób obsługi kaucji w linijce paragonu; params ;;;; check <FF><01> wrong"},
      {"\x1BQx", "in ESC not followed by P, dropped"},
      {"abc", "in raw data, 3 bytes"},
      {kDle, "out status 74h (DLE): On-line"},
      {Frame("1#v", false), "out #R answer: typ i wersja; params 1; fields \"KELM "},
      {Frame("0;1$d" + std::string(200, 'x'), false), "xxx\"... (200 bytes); no check value"},
  };
  for (const Row& row : rows) {
    lines.clear();
    bench.Send(row.bytes);
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    EXPECT_NE(all.find(row.told), std::string::npos) << all;
  }
}

}  // namespace
}  // namespace kelm::emu::test
