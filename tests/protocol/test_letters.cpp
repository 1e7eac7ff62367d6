// The four letter codings: every pair on all eighteen letters, and bytes outside the tables.
#include <gtest/gtest.h>

#include <string>

#include "link/settings.h"
#include "protocol/letters.h"
#include "protocol/win1250.h"
#include "support/scripted_operator.h"

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
  test::SeamGuard seams;
  LinkSettings.LetterCoding = kMazovia;
  std::string text = "\xA3\xF3\x64\x9F";  // Łódź
  ToPrinterLetters(text.data());
  EXPECT_EQ(text, "\x9C\xA2\x64\xA6");
}

TEST(Letters, WindowsCodingLeavesEveryByteAlone) {
  test::SeamGuard seams;
  LinkSettings.LetterCoding = kWindows;
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string copy = all;
  ToPrinterLetters(copy.data());
  EXPECT_EQ(copy, all);
}

TEST(Letters, BytesOutsideTheSourceTableStayUnchanged) {
  test::SeamGuard seams;
  LinkSettings.LetterCoding = kLatin;
  std::string text =
      "\xA5\x86"
      "A";  // Ą in Windows, then 86h which is no Windows letter
  ToPrinterLetters(text.data());
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

TEST(Letters, CopyConvertsTheCopyOnly) {
  test::SeamGuard seams;
  LinkSettings.LetterCoding = kIsoLatin;
  const char source[] = "\xB9\x9C";  // ą ś
  char destination[8];
  EXPECT_EQ(CopyToPrinterLetters(destination, source), 2u);
  EXPECT_STREQ(destination, "\xB1\xB6");
  EXPECT_STREQ(source, "\xB9\x9C");
}

}  // namespace
}  // namespace kelm
