// The Windows-1250 codec against the C library's own converter, byte by byte.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "protocol/win1250.h"

namespace kelm {
namespace {

// The system converter's view of one byte; empty when it calls the byte undefined.
std::string SystemDecode(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "?unavailable";
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* pin = in;
  char* pout = out;
  size_t inleft = 1, outleft = sizeof out;
  const size_t r = iconv(cd, &pin, &inleft, &pout, &outleft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "";
  return std::string(out, sizeof out - outleft);
}

TEST(Win1250, EveryDefinedByteAgreesWithTheSystemConverterBothWays) {
  int checked = 0;
  for (int b = 1; b < 256; ++b) {
    const std::string expected = SystemDecode(static_cast<unsigned char>(b));
    if (expected == "?unavailable") GTEST_SKIP() << "iconv lacks CP1250";
    const std::string byte(1, static_cast<char>(b));
    if (expected.empty()) continue;  // undefined in the code page
    EXPECT_EQ(Cp1250ToUtf8(byte), expected) << "byte " << b;
    EXPECT_EQ(Utf8ToCp1250(expected), byte) << "byte " << b;
    ++checked;
  }
  EXPECT_GE(checked, 250);
}

TEST(Win1250, UndefinedBytesSurviveTheRoundTrip) {
  const std::string undefined = "\x81\x83\x88\x90\x98";
  EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(undefined)), undefined);
}

TEST(Win1250, CharactersOutsideThePageAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1250("Ā€ж😀"), "?\x80??");
  EXPECT_EQ(Utf8ToCp1250("a\xC3"), "a?");     // cut sequence
  EXPECT_EQ(Utf8ToCp1250("\xC0\xAF"), "??");  // overlong "/"
  EXPECT_EQ(Utf8ToCp1250("\xFF"
                         "b"),
            "?b");
  EXPECT_EQ(Utf8ToCp1250("Zażółć gęślą jaźń"), "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1");
}

}  // namespace
}  // namespace kelm
