// The printer's raw input: files sent to it kept as they came, and the raw readout's lone
// one-character commands "S" (dump the memory image), "C" (end it) and "B" (beep).
#include <gtest/gtest.h>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

TEST(RawInput, FilesAreKeptAndLoneLettersAreCommands) {
  Bench b;
  struct Row {
    const char* what;
    std::string in;
    size_t answer_size;  // bytes answered
    std::string data;    // raw bytes kept
    bool beep;
  };
  const Row rows[] = {
      {"a file, its letters are data", "abSCB\x01\xff", 0, "abSCB\x01\xff", false},
      {"after a frame a lone S dumps the memory", Frame("0#c") + "S", 262144, "", false},
      {"a second S before C dumps nothing", "S", 0, "", false},
      {"C ends the dump, the next S dumps again", "CS", 262144, "", false},
      {"B beeps", "CB", 0, "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::string answer = b.Send(row.in);
    // The frame's own answer comes before the dump.
    if (row.in.front() == '\x1b') answer.erase(0, answer.find('\\') + 1);
    EXPECT_EQ(answer.size(), row.answer_size);
    EXPECT_EQ(b.printer.TakeReceivedData(), row.data);
    EXPECT_EQ(b.Paper().find("sygnał dźwiękowy") != std::string::npos, row.beep);
  }
}

}  // namespace
}  // namespace kelm::emu::test
