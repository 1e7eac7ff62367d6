// The raw panel's check value, paste parsing, and the reading of command-position files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/letter_coding.h"
#include "catalogue/raw_panel.h"
#include "protocol/frame.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

TEST(RawPanel, ChecksumReplacesThePlaceholder) {
  test::SeamGuard guard;
  AddChecksumToText("<ESC>P1#vxx<ESC>\\");
  EXPECT_STREQ(CommandFrame, "\x1bP1#v9B\x1b\\");
  // A broken line in the box and a lower-case placeholder do not matter.
  AddChecksumToText("<ESC>P3#e\r\ncc<E\nSC>\\");
  EXPECT_STREQ(CommandFrame, "\x1bP3#e8A\x1b\\");
}

TEST(RawPanel, ZeroBytesAreCountedForSending) {
  test::SeamGuard guard;
  EXPECT_EQ(PanelTextToCommandFrame("<00H>A<00H>"), 3u);
  EXPECT_EQ(std::memcmp(CommandFrame, "\0A\0", 3), 0);
}

TEST(RawPanel, PastedControlBytesAndLineBreaksNormalise) {
  test::SeamGuard guard;
  PanelTextToCommandFrame("\x1bP1\r\n#v");
  EXPECT_STREQ(CommandFrame, "\x1bP1#v");
}

TEST(RawPanel, InsertMnemonicsParseToTheirBytes) {
  test::SeamGuard guard;
  const char expected[] = "\x1b\r\n\x05\x07\x10\x18\x0e\x14";
  for (int i = 0; i < kInsertButtonCount; ++i) {
    PanelTextToCommandFrame(kInsertButtons[i].mnemonic);
    EXPECT_EQ(CommandFrame[0], expected[i]) << kInsertButtons[i].caption;
    EXPECT_EQ(CommandFrame[1], '\0');
  }
  EXPECT_EQ(HexFieldMnemonic("1FH"), "<1FH>");
  PanelTextToCommandFrame(HexFieldMnemonic("1FH"));
  EXPECT_STREQ(CommandFrame, "\x1f");
  // The field's empty text stays as characters.
  EXPECT_EQ(PanelTextToCommandFrame(HexFieldMnemonic("  H")), 5u);
}

std::vector<std::string> Frames(std::string_view text, size_t capacity = kFrameBufferSize) {
  std::vector<std::string> frames;
  CommandPositionReader reader(text);
  std::string buf(capacity, '\0');
  for (;;) {
    const auto r = reader.Next(buf.data(), capacity);
    if (r == CommandPositionReader::kEnd) break;
    if (r == CommandPositionReader::kTooLong) {
      frames.push_back("TOO LONG");
      break;
    }
    frames.emplace_back(buf.c_str());
  }
  return frames;
}

TEST(CommandPositions, LinesBecomeFramesAndTheLastUnfinishedLineIsDropped) {
  const auto f = Frames("1#v\r\n0$e<CR>x[y]z^<LF>\r\n2#s");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0], "\x1bP1#vXX\x1b\\");
  EXPECT_EQ(f[1], "\x1bP0$e\rx\x0ey\x14z\x11\nXX\x1b\\");
}

TEST(CommandPositions, ALoneCrAndEmptyLines) {
  const auto f = Frames("a\rb\r\n\r\n");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0], "\x1bPa\rbXX\x1b\\");
  EXPECT_EQ(f[1], "\x1bPXX\x1b\\");
  EXPECT_TRUE(Frames("").empty());
  EXPECT_TRUE(Frames("<CR").empty());
}

TEST(CommandPositions, ALineLongerThanTheFrameBufferStopsTheFile) {
  // 13 bytes hold ESC P, six characters, XX ESC 5Ch and the NUL.
  EXPECT_EQ(Frames("123456\r\n", 13).size(), 1u);
  const auto f = Frames("1234567\r\n1#v\r\n", 13);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0], "TOO LONG");
  std::string huge(20000, 'a');
  huge += "\r\n";
  EXPECT_EQ(Frames(huge).back(), "TOO LONG");
}

TEST(CommandPositions, FilesAreReadUpToTheirLimit) {
  test::TempDir dir;
  std::string text;
  EXPECT_FALSE(ReadCommandPositionFile(dir.File("missing.txt"), &text));
  test::TempDir::Write(dir.File("big.txt"), std::string(20000, 'x'));
  ASSERT_TRUE(ReadCommandPositionFile(dir.File("big.txt"), &text));
  EXPECT_EQ(text.size(), kCommandPositionFileLimit);
  test::TempDir::Write(dir.File("z.txt"), std::string("1\0#v\r\n", 6));
  ASSERT_TRUE(ReadCommandPositionFile(dir.File("z.txt"), &text));
  EXPECT_EQ(text.size(), 6u);
}

TEST(LetterCoding, CommandCarriesTheIndexAndItsCheckValue) {
  test::SeamGuard guard;
  EXPECT_EQ(BuildLetterCodingCommand(0), 9);
  EXPECT_STREQ(CommandFrame, "\x1bP0$1DA\x1b\\");
  BuildLetterCodingCommand(1);
  EXPECT_STREQ(CommandFrame, "\x1bP1$1DB\x1b\\");
  EXPECT_EQ(BuildLetterCodingCommand(4), -1);
}

}  // namespace
}  // namespace kelm
