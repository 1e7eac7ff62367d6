// Command-position files sent as frames.
#include <chrono>
#include <cstring>
#include <thread>

#include "link/command_positions.h"
#include "link/link_fixture.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

// The frame a line becomes: ESC "P", the bytes, the check digits, ESC 5Ch.
std::string Framed(const std::string& body) {
  std::string frame = "\x1bP" + body + "XX\x1b\\";
  ApplyChecksum(frame.data(), frame.size() + 1);
  return frame;
}

class CommandPositions : public LinkTest {
 protected:
  void SetUp() override { UsePty(); }
};

TEST_F(CommandPositions, EachFinishedLineBecomesOneCheckedFrame) {
  EXPECT_EQ(SendCommandPositions("1#v\r\n0;1$d<CR>a<LF>[b]^\r\nunfinished", false), 0);
  const std::string expected = Framed("1#v") + Framed(
                                                   "0;1$d\ra\n\x0e"
                                                   "b\x14\x11");
  ASSERT_TRUE(printer->WaitReceived(expected.size()));
  EXPECT_EQ(printer->Received(), expected);
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(CommandPositions, LettersAreConvertedBeforeTheCheckValue) {
  LinkSettings.LetterCoding = 0;  // MAZOVIA
  EXPECT_EQ(SendCommandPositions("1$h\xb9\r\n", false), 0);
  const std::string expected = Framed("1$h\x86");
  ASSERT_TRUE(printer->WaitReceived(expected.size()));
  EXPECT_EQ(printer->Received(), expected);
}

TEST_F(CommandPositions, ShowEachShowsEveryFrameBeforeSending) {
  EXPECT_EQ(SendCommandPositions("1#v\r\n2#v\r\n", true), 0);
  ASSERT_TRUE(printer->WaitReceived(2 * Framed("1#v").size()));
  ASSERT_EQ(seams.op.messages.size(), 2u);
  EXPECT_EQ(seams.op.messages[0], "Wyslij pozycje.<" + Framed("1#v") + ">");
}

TEST_F(CommandPositions, FailedSendStopsTheRun) {
  CloseSerialPort();
  LinkSettings.PortNumber = kNoPort;
  EXPECT_NE(SendCommandPositions("1#v\r\n2#v\r\n", false), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
}

TEST_F(CommandPositions, LineLongerThanTheFrameBufferIsNotSent) {
  const std::string text = "1#v\r\n" + std::string(kFrameBufferSize, 'a') + "\r\n2#v\r\n";
  EXPECT_NE(SendCommandPositions(text, false), 0);
  ASSERT_TRUE(printer->WaitReceived(Framed("1#v").size()));
  EXPECT_EQ(printer->Received(), Framed("1#v"));
}

TEST_F(CommandPositions, FileIsReadUpToItsLimit) {
  // 3276 lines fill 16380 bytes; the next line ends past byte 16383, so it is not sent.
  std::string text;
  for (int i = 0; i < 3276; ++i) text += "1#v\r\n";
  text += "2#v\r\n";
  TempDir::Write(dir.File("pos.txt"), text);
  EXPECT_EQ(SendCommandPositionsFile(dir.File("pos.txt"), false), 0);
  std::string expected;
  for (int i = 0; i < 3276; ++i) expected += Framed("1#v");
  ASSERT_TRUE(printer->WaitReceived(expected.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(printer->Received(), expected);
  EXPECT_NE(SendCommandPositionsFile(dir.File("none.txt"), false), 0);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Nie mogę otworzyc pliku" + dir.File("none.txt") + "."});
}

}  // namespace
}  // namespace kelm::test
