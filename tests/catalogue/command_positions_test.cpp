// Command-position texts as the two menu items send them, checked on the bytes a scripted
// printer receives over loopback TCP/IP.
#include <gtest/gtest.h>

#include <memory>

#include "link/command_positions.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

class PositionsTest : public ::testing::Test {
 protected:
  PositionsTest() {
    EXPECT_EQ(TcpConnect("127.0.0.1", std::to_string(printer.port()), false), kTcpConnected);
    seams.op.messages.clear();
    LinkSettings.LetterCoding = 3;  // WINDOWS: bytes go as written
  }
  std::string SentFor(std::string_view text, int* result = nullptr) {
    const int r = SendCommandPositions(text, false);
    if (result != nullptr) *result = r;
    // Each frame is a send of its own: wait until the last one is in.
    printer.WaitReceived(1, 300);
    printer.WaitQuiet();
    return printer.Received();
  }
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  test::ScriptedPrinter printer{test::ScriptedPrinter::Transport::kTcp};
};

TEST_F(PositionsTest, LinesBecomeFramesAndTheLastUnfinishedLineIsDropped) {
  const std::string frames = SentFor("1#v\r\n0$e<CR>x[y]z^<LF>\r\n2#s");
  // "0$e\rx\x0ey\x14z\x11\n": FFh XOR all of them is F9h.
  EXPECT_EQ(frames, "\x1bP1#v9B\x1b\\\x1bP0$e\rx\x0ey\x14z\x11\nF9\x1b\\");
}

TEST_F(PositionsTest, ALoneCrStaysAndEmptyLinesAreEmptyFrames) {
  EXPECT_EQ(SentFor("a\rb\r\n\r\n"), "\x1bPa\rbF1\x1b\\\x1bPFF\x1b\\");
}

TEST_F(PositionsTest, NothingGoesForTextWithoutALineEnd) {
  int r = -1;
  EXPECT_EQ(SentFor("<CR", &r), "");
  EXPECT_EQ(r, 0);
}

TEST_F(PositionsTest, ALineLongerThanTheFrameBufferStopsTheFile) {
  std::string text = "1#v\r\n" + std::string(20000, 'a') + "\r\n1#v\r\n";
  int r = 0;
  EXPECT_EQ(SentFor(text, &r), "\x1bP1#v9B\x1b\\");
  EXPECT_NE(r, 0);
}

TEST_F(PositionsTest, FilesAreReadUpToTheirLimitAndAMissingOneIsReported) {
  EXPECT_NE(SendCommandPositionsFile(dir.File("brak.txt"), false), 0);
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0], "Nie mogę otworzyc pliku" + dir.File("brak.txt") + ".");
  // The line end falls beyond the first 16383 bytes, so the long line is never sent.
  std::string text = "1#v\r\n" + std::string(16380, 'b') + "\r\n";
  test::TempDir::Write(dir.File("big.txt"), text);
  SendCommandPositionsFile(dir.File("big.txt"), false);
  printer.WaitReceived(1, 300);
  printer.WaitQuiet();
  EXPECT_EQ(printer.Received(), "\x1bP1#v9B\x1b\\");
}

}  // namespace
}  // namespace kelm
