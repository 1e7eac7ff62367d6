// The raw panel's check value, insert buttons and paste parsing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/raw_panel.h"
#include "protocol/frame.h"
#include "support/scripted_operator.h"

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

}  // namespace
}  // namespace kelm
