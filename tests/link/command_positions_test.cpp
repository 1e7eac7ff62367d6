// Command-position texts and files sent as frames, checked on the bytes a scripted printer
// receives over a pseudo-terminal and over loopback TCP/IP.
#include <chrono>
#include <cstring>
#include <thread>

#include "link/command_positions.h"
#include "link/link_fixture.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

class CommandPositions : public BothLinks {
 protected:
  // What the printer received for `text`, once the line has gone quiet.
  std::string SentFor(std::string_view text, int* result, size_t expected) {
    const size_t before = printer->Received().size();
    *result = SendCommandPositions(text, false);
    printer->WaitReceived(before + expected, 1000);
    printer->WaitQuiet(50);
    return printer->Received().substr(before);
  }
};

struct PositionRow {
  const char* what;
  std::string text;
  std::string frames;  // ESC "P", the line's bytes, the check digits, ESC 5Ch, for each line
  bool sent;           // SendCommandPositions returns 0
};

TEST_P(CommandPositions, LinesBecomeCheckedFrames) {
  LinkSettings.LetterCoding = 3;  // WINDOWS: bytes go as written
  const PositionRow rows[] = {
      // "0$e\rx\x0ey\x14z\x11\n": FFh XOR all of them is F9h.
      {"mnemonics, and the unfinished last line dropped", "1#v\r\n0$e<CR>x[y]z^<LF>\r\n2#s",
       "\x1bP1#v9B\x1b\\\x1bP0$e\rx\x0ey\x14z\x11\nF9\x1b\\", true},
      {"a lone CR stays, an empty line is an empty frame", "a\rb\r\n\r\n",
       "\x1bPa\rbF1\x1b\\\x1bPFF\x1b\\", true},
      {"nothing without a line end", "<CR", "", true},
      {"a line longer than the frame buffer stops the run",
       "1#v\r\n" + std::string(kFrameBufferSize, 'a') + "\r\n1#v\r\n", "\x1bP1#v9B\x1b\\", false},
      {"far longer", "1#v\r\n" + std::string(20000, 'a') + "\r\n1#v\r\n", "\x1bP1#v9B\x1b\\",
       false},
      {"a NUL would cut the frame short: the run stops", std::string("1#v\r\n1#\0v\r\n1#v\r\n", 16),
       "\x1bP1#v9B\x1b\\", false},
  };
  for (const PositionRow& row : rows) {
    int result = -1;
    EXPECT_EQ(SentFor(row.text, &result, row.frames.size()), row.frames) << row.what;
    EXPECT_EQ(result == 0, row.sent) << row.what;
  }
  // A run that stops says at which line and why.
  const std::string too_long = "Wiersz 2 pliku jest za długi na rozkaz; nie został wysłany.";
  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{too_long, too_long,
                                      "Wiersz 2 pliku zawiera bajt 0; nie został wysłany."}));
}

TEST_P(CommandPositions, LettersAreConvertedBeforeTheCheckValue) {
  LinkSettings.LetterCoding = 0;  // MAZOVIA: "ą" B9h goes as 86h
  int result = -1;
  const unsigned check = 0xFF ^ '1' ^ '$' ^ 'h' ^ 0x86;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", check);
  const std::string expected = std::string("\x1bP1$h\x86") + digits + "\x1b\\";
  EXPECT_EQ(SentFor("1$h\xb9\r\n", &result, expected.size()), expected);
  EXPECT_EQ(result, 0);
}

TEST_P(CommandPositions, ShowEachShowsEveryFrameBeforeSending) {
  LinkSettings.LetterCoding = 3;
  EXPECT_EQ(SendCommandPositions("1#v\r\n2#v\r\n", true), 0);
  ASSERT_TRUE(printer->WaitReceived(2 * std::strlen("\x1bP1#v9B\x1b\\")));
  ASSERT_EQ(seams.op.messages.size(), 2u);
  EXPECT_EQ(seams.op.messages[0], "Wyslij pozycje.<\x1bP1#v9B\x1b\\>");
}

TEST_P(CommandPositions, FilesAreReadUpToTheirLimitAndAMissingOneIsReported) {
  LinkSettings.LetterCoding = 3;
  EXPECT_NE(SendCommandPositionsFile(dir.File("brak.txt"), false), 0);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Nie mogę otworzyc pliku" + dir.File("brak.txt") + "."});
  // 3276 lines fill 16380 bytes; the next line ends past byte 16383, so it is not sent.
  std::string text;
  for (int i = 0; i < 3276; ++i) text += "1#v\r\n";
  TempDir::Write(dir.File("pos.txt"), text + "2#v\r\n");
  // Thousands of frames go through a line the printer drains in real time, so the sends wait
  // by the real clock rather than the fake one, whose time-outs pass at once.
  InstallClock(nullptr);
  EXPECT_EQ(SendCommandPositionsFile(dir.File("pos.txt"), false), 0);
  // A long line whose end falls past the limit is never sent either.
  TempDir::Write(dir.File("big.txt"), "1#v\r\n" + std::string(16380, 'b') + "\r\n");
  SendCommandPositionsFile(dir.File("big.txt"), false);
  InstallClock(&seams.clock);
  std::string expected;
  for (int i = 0; i < 3276 + 1; ++i) expected += "\x1bP1#v9B\x1b\\";
  ASSERT_TRUE(printer->WaitReceived(expected.size()));
  printer->WaitQuiet(50);
  EXPECT_EQ(printer->Received(), expected);
}

INSTANTIATE_TEST_SUITE_P(Links, CommandPositions, ::testing::Bool(), LinkName);

TEST(CommandPositionsWithoutLink, FailedSendStopsTheRun) {
  SeamGuard seams;
  EXPECT_NE(SendCommandPositions("1#v\r\n2#v\r\n", false), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
}

}  // namespace
}  // namespace kelm::test
