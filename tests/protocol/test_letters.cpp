// The four letter codings: every pair on all eighteen letters, and bytes outside the tables.
#include <gtest/gtest.h>

#include <string>

#include "protocol/letters.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

std::string Table(int coding) {
  return std::string(reinterpret_cast<const char*>(kPolishLetters[coding]), kPolishLetterCount);
}

TEST(Letters, EveryCodingPairMapsEachLetterToItself) {
  for (int from = 0; from < kLetterCodingCount; ++from) {
    for (int to = 0; to < kLetterCodingCount; ++to) {
      std::string text = Table(from);
      EXPECT_EQ(RecodeLetters(text.data(), from, to), 18u);
      EXPECT_EQ(text, Table(to)) << kLetterCodingKeywords[from] << " -> "
                                 << kLetterCodingKeywords[to];
    }
  }
}

TEST(Letters, WindowsTableIsTheWindowsCodePage) {
  EXPECT_EQ(Table(kWindows), Utf8ToCp1250("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"));
}

TEST(Letters, LodzInMazovia) {
  std::string text = "\xA3\xF3\x64\x9F";  // Łódź
  ToPrinterLetters(text.data(), kMazovia);
  EXPECT_EQ(text, "\x9C\xA2\x64\xA6");
}

TEST(Letters, WindowsCodingLeavesEveryByteAlone) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string copy = all;
  ToPrinterLetters(copy.data(), kWindows);
  EXPECT_EQ(copy, all);
}

TEST(Letters, BytesOutsideTheSourceTableStayUnchanged) {
  std::string text =
      "\xA5\x86"
      "A";  // Ą in Windows, then 86h which is no Windows letter
  ToPrinterLetters(text.data(), kLatin);
  EXPECT_EQ(text,
            "\xA4\x86"
            "A");

  std::string received =
      "\x86"
      "A";
  RecodeLetters(received.data(), kMazovia, kWindows);
  EXPECT_EQ(received,
            "\xB9"
            "A");
}

}  // namespace
}  // namespace kelm
