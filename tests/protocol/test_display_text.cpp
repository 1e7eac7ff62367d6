// Display text: the mnemonics both ways, what the parser must leave alone, and the round trip.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "protocol/display_text.h"

namespace kelm {
namespace {

std::string Parse(const std::string& text) {
  char frame[kFrameBufferSize];
  const size_t n = DisplayTextToFrame(text, frame);
  return std::string(frame, n);
}

struct MnemonicCase {
  std::string bytes;
  std::string text;
};

class MnemonicTest : public ::testing::TestWithParam<MnemonicCase> {};

TEST_P(MnemonicTest, RendersAndParsesBack) {
  const MnemonicCase& c = GetParam();
  EXPECT_EQ(FrameToDisplayText(c.bytes.c_str()), c.text);
  EXPECT_EQ(Parse(c.text), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMnemonic, MnemonicTest,
    ::testing::Values(MnemonicCase{"\x1b", "<ESC>"}, MnemonicCase{"\r", "<CR >"},
                      MnemonicCase{"\n", "<LF >"}, MnemonicCase{"\x05", "<ENQ>"},
                      MnemonicCase{"\x07", "<BEL>"}, MnemonicCase{"\x10", "<DLE>"},
                      MnemonicCase{"\x18", "<CAN>"}, MnemonicCase{"\x0e", "<SO >"},
                      MnemonicCase{"\x14", "<DC4>"}, MnemonicCase{"\xff", "<FFH>"},
                      MnemonicCase{"\x01", "<01H>"}, MnemonicCase{"\x7f", "<7FH>"},
                      MnemonicCase{"\xb9", "<B9H>"}, MnemonicCase{" ~", " ~"},
                      MnemonicCase{"\x1bP1#v\x1b\\", "<ESC>P1#v<ESC>\\"}));

TEST(DisplayText, ParserAcceptsLowerCaseHexAndLineBreaksInsideAMnemonic) {
  EXPECT_EQ(Parse("<ffH>"), "\xff");
  EXPECT_EQ(Parse("<ES\r\nC>P"), "\x1bP");
  EXPECT_EQ(Parse("a\r\nb"), "ab");  // line breaks of the edit box carry no data
}

TEST(DisplayText, ParserLeavesNonMnemonicsAsText) {
  EXPECT_EQ(Parse("a<b"), "a<b");
  EXPECT_EQ(Parse("<CR>"), "<CR>");
  EXPECT_EQ(Parse("<ffh>"), "<ffh>");  // the H is upper case only
  EXPECT_EQ(Parse("<"), "<");
  EXPECT_EQ(Parse("<<ESC>"), "<\x1b");
}

TEST(DisplayText, NulRendersNothingButCanBeTyped) {
  EXPECT_EQ(FrameToDisplayText(""), "");
  char frame[8];
  EXPECT_EQ(DisplayTextToFrame("<00H>A", frame), 2u);
  EXPECT_EQ(frame[0], '\0');
  EXPECT_EQ(frame[1], 'A');
}

TEST(DisplayText, TypedPolishLettersBecomeWindowsBytes) {
  EXPECT_EQ(Parse("ą"), "\xb9");
}

TEST(DisplayText, ParsingStopsWhenTheDestinationIsFull) {
  char frame[4];
  EXPECT_EQ(DisplayTextToFrame("ABCDEFG", frame, sizeof frame), 3u);
  EXPECT_STREQ(frame, "ABC");
}

TEST(DisplayText, LiteralTextThatLooksLikeAMnemonicSurvivesTheRoundTrip) {
  // Bytes "<ESC>" typed as five characters must not come back as one ESC byte.
  for (const std::string bytes : {"<ESC>", "<1BH>", "x<FFH>y", "<<ESC>", "<CR >"}) {
    EXPECT_EQ(Parse(FrameToDisplayText(bytes.c_str())), bytes);
  }
  EXPECT_EQ(FrameToDisplayText("a<b"), "a<b");  // ordinary "<" is shown as itself
}

TEST(DisplayText, AnyByteStringWithoutNulSurvivesRenderThenParse) {
  std::mt19937 random(20261209);
  // Bytes biased towards the interesting ones: "<", ">", "H", hex digits, controls.
  const std::string interesting = "<>HESCRLFDNQ0123456789abcdefABCDEF \r\n\x1b\\";
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) {
      char b = random() % 2 ? interesting[random() % interesting.size()]
                            : static_cast<char>(1 + random() % 255);
      bytes += b;
    }
    ASSERT_EQ(Parse(FrameToDisplayText(bytes.c_str())), bytes)
        << "display text: " << FrameToDisplayText(bytes.c_str());
  }
}

}  // namespace
}  // namespace kelm
