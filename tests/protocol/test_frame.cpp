// Frames byte for byte: the check value, its three slot spellings, frames without a slot, and
// letter conversion before the check value.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "protocol/frame.h"
#include "protocol/letters.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

std::string Bytes(const char* frame) {
  return std::string(frame);
}

struct ChecksumCase {
  const char* tmpl;
  std::string expected;
};

class ChecksumTest : public ::testing::TestWithParam<ChecksumCase> {
 protected:
  test::SeamGuard seams;
};

TEST_P(ChecksumTest, FormatsAndChecksumsExactly) {
  const ChecksumCase& c = GetParam();
  ASSERT_GT(FormatCommand(c.tmpl, 27, 27, 92), 0);
  ASSERT_TRUE(TemplateHasCheckSlot(c.tmpl));
  ApplyChecksum(CommandFrame);
  EXPECT_EQ(Bytes(CommandFrame), c.expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamplesAndSlotSpellings, ChecksumTest,
                         ::testing::Values(ChecksumCase{"%cP3#ecc%c%c", "\x1bP3#e8A\x1b\\"},
                                           ChecksumCase{"%cP3#exx%c%c", "\x1bP3#e8A\x1b\\"},
                                           ChecksumCase{"%cP3#eXX%c%c", "\x1bP3#e8A\x1b\\"},
                                           ChecksumCase{"%cP$8xx%c%c", "\x1bP$8E3\x1b\\"}));

TEST(Checksum, CoversParametersDesignatorAndFieldsUpToTheSlot) {
  test::SeamGuard seams;
  FormatCommand("%cP%d;%d$%cxx%c%c", 27, 0, 1, 'h', 27, 92);
  ApplyChecksum(CommandFrame);
  // FFh ^ '0' ^ ';' ^ '1' ^ '$' ^ 'h'
  const unsigned expected = 0xFF ^ 0x30 ^ 0x3B ^ 0x31 ^ 0x24 ^ 0x68;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", expected);
  EXPECT_EQ(Bytes(CommandFrame), std::string("\x1bP0;1$h") + digits + "\x1b\\");
}

TEST(Checksum, EscInsideAFieldIsCoveredOnlyEscBackslashEndsTheRange) {
  test::SeamGuard seams;
  // A field holding ESC "A": the ESC is data, not the end of the frame.
  FormatCommand("%cP$f%cA\rxx%c%c", 27, 27, 27, 92);
  ApplyChecksum(CommandFrame);
  const unsigned expected = 0xFF ^ '$' ^ 'f' ^ 0x1B ^ 'A' ^ '\r';
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", expected);
  EXPECT_EQ(Bytes(CommandFrame), std::string("\x1bP$f\x1b"
                                             "A\r") +
                                     digits + "\x1b\\");
}

TEST(Checksum, WritesTerminatorAfterTheClosingBackslash) {
  test::SeamGuard seams;
  FormatCommand("%cP$8xx%c%c", 27, 27, 92);
  CommandFrame[8] = 'Z';  // stale bytes after the frame must not be sent
  CommandFrame[9] = 'Z';
  ApplyChecksum(CommandFrame);
  EXPECT_EQ(std::string(CommandFrame), "\x1bP$8E3\x1b\\");
}

TEST(Checksum, NeverWritesOutsideTheBufferOfAFrameWithoutEnd) {
  char frame[16];
  std::memset(frame, 'A', sizeof frame);  // no NUL, no ESC 5Ch: a caller error
  frame[0] = 0x1B;
  frame[1] = 'P';
  ApplyChecksum(frame, sizeof frame);  // ASan catches a write past the end
  SUCCEED();
}

TEST(FramesWithoutSlot, AreRecognisedAndSentAsBuilt) {
  test::SeamGuard seams;
  for (const char* tmpl : {"%cP0#n%c%c", "%cP1#v%c%c", "%cP0;204#v%c%c", "%cP7#s%c%c"}) {
    EXPECT_FALSE(TemplateHasCheckSlot(tmpl)) << tmpl;
  }
  EXPECT_FALSE(TemplateHasCheckSlot("%cP%d$d%c%s%c%c"));
  EXPECT_TRUE(TemplateHasCheckSlot("%cP%d;%d;%d;%d;%d;%d$%cxx%c%c"));
  FormatCommand("%cP0#n%c%c", 27, 27, 92);
  EXPECT_EQ(Bytes(CommandFrame), "\x1bP0#n\x1b\\");
}

TEST(FormatFrame, RefusesAFrameThatDoesNotFit) {
  char small[8];
  const std::string tmpl = "%cP%s%c%c";
  EXPECT_EQ(FormatFrame(small, sizeof small, tmpl.c_str(), 27, "0123456789", 27, 92), -1);
  EXPECT_STREQ(small, "");
}

TEST(FormatFrame, KeepsTheDecimalPointOnceNumericLocaleIsC) {
  // The program runs with LC_NUMERIC "C" while the rest of the locale is the operator's.
  if (std::setlocale(LC_ALL, "pl_PL.UTF-8") == nullptr) GTEST_SKIP() << "pl_PL.UTF-8 missing";
  std::setlocale(LC_NUMERIC, "C");
  char frame[64];
  FormatFrame(frame, sizeof frame, "%cP$l%.2f/xx%c%c", 27, 0.01, 27, 92);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(std::string(frame), "\x1bP$l0.01/xx\x1b\\");
}

TEST(LetterConversion, RunsBeforeTheCheckValueSoItCoversTheConvertedByte) {
  test::SeamGuard seams;
  FormatCommand("%cP$f\xB9\rxx%c%c", 27, 27, 92);  // ą in Windows-1250
  ToPrinterLetters(CommandFrame, kMazovia);
  ApplyChecksum(CommandFrame);
  const unsigned expected = 0xFF ^ '$' ^ 'f' ^ 0x86 ^ '\r';  // ą in Mazovia is 86h
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", expected);
  EXPECT_EQ(Bytes(CommandFrame), std::string("\x1bP$f\x86\r") + digits + "\x1b\\");
}

}  // namespace
}  // namespace kelm
