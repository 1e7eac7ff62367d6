// The header command and its files, row by row: the editor's lines and the exact frame bytes, the
// read-back answer and the model it gives, and RTF files written the way common editors write
// them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/frames.h"
#include "config/header.h"
#include "config/header_rtf.h"
#include "protocol/letter_tables.h"
#include "protocol/win1250.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::Framed;

HeaderModel Lines(std::vector<std::pair<HeaderAlign, const char*>> lines) {
  HeaderModel m;
  for (auto& [align, text] : lines) {
    HeaderModel one = HeaderFromMarkedText(text, align);
    m.lines.push_back(one.lines.empty() ? HeaderLine{align, "", {}} : one.lines[0]);
  }
  return m;
}

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string Mazovia(int letter) {
  return std::string(1, static_cast<char>(kPolishLetters[kMazovia][letter]));
}

constexpr auto L = HeaderAlign::kLeft;
constexpr auto C = HeaderAlign::kCenter;
constexpr auto R = HeaderAlign::kRight;

struct FrameRow {
  const char* name;
  HeaderModel model;
  int width, family;
  unsigned discount;
  std::string body;
};

TEST(HeaderFrame, LinesBecomeSpacesRunsAndLineFeeds) {
  const std::string so = "\x0E", dc4 = "\x14", ff = "\xFF";
  const FrameRow rows[] = {
      {"centred 5 at 42", Lines({{C, "Hello"}}), 42, 2, 0,
       "0$f" + std::string(18, ' ') + "Hello\n" + ff},
      {"centred 7 at 24", Lines({{C, "SKLEP 1"}}), 24, 0, 0,
       "0$f" + std::string(8, ' ') + "SKLEP 1\n" + ff},
      {"right 40 at 42", Lines({{R, std::string(40, 'x').c_str()}}), 42, 2, 0,
       "0$f  " + std::string(40, 'x') + "\n" + ff},
      {"centred 10 double at 42", Lines({{C, "*ABCDEFGHIJ*"}}), 42, 2, 1,
       "1$f" + std::string(11, ' ') + so + "ABCDEFGHIJ" + dc4 + "\n" + ff},
      {"centred 3 double at 24", Lines({{C, "*ABC*"}}), 24, 1, 20,
       "20$f" + std::string(9, ' ') + so + "ABC" + dc4 + "\n" + ff},
      {"DC4 closes a line before LF, the next opens again", Lines({{L, "a*BC*"}, {L, "*D*e"}}), 42,
       2, 0, "0$fa" + so + "BC" + dc4 + "\n" + so + "D" + dc4 + "e\n" + ff},
      {"wider than the line gets no spaces", Lines({{R, std::string(44, 'y').c_str()}}), 42, 2, 0,
       "0$f" + std::string(44, 'y') + "\n" + ff},
      {"empty editor", HeaderModel{}, 42, 2, 0, "0$f" + ff},
      {"family 0 sends no SO/DC4", Lines({{C, "*DUŻY*"}}), 24, 0, 0,
       "0$f" + std::string(10, ' ') + "DU" + Mazovia(17) + "Y\n" + ff},
      {"control bytes and FFh never reach the frame", Lines({{L, "a"}}), 42, 2, 0, "0$fa\n" + ff},
      {"empty line keeps its LF", Lines({{L, "A"}, {C, ""}, {L, "B"}}), 42, 2, 0,
       "0$fA\n" + std::string(21, ' ') + "\nB\n" + ff},
  };
  for (FrameRow row : rows) {
    if (std::string(row.name).rfind("control", 0) == 0) {
      row.model.lines[0].Append('\0', false);
      row.model.lines[0].Append('\xFF', true);
      row.model.lines[0].Append('\x1B', false);
    }
    ConfigFrame frame;
    ASSERT_TRUE(BuildHeaderFrame(row.model, row.width, row.family, row.discount, kMazovia, &frame))
        << row.name;
    EXPECT_EQ(frame.bytes, Framed(row.body)) << row.name;
  }
}

TEST(HeaderFrame, WidthAndDiscountFollowTheModel) {
  struct {
    int family, variant, copy;
    HeaderWidthChoice choice;
    int width;
  } widths[] = {
      {0, 0, 0, HeaderWidthChoice::k42, 24}, {1, 1, 0, HeaderWidthChoice::k42, 42},
      {2, 0, 0, HeaderWidthChoice::k42, 42}, {2, 0, 2, HeaderWidthChoice::k57, 57},
      {2, 2, 1, HeaderWidthChoice::k32, 32}, {2, 2, 2, HeaderWidthChoice::k32, 57},
  };
  for (auto& w : widths)
    EXPECT_EQ(HeaderLineWidth(w.family, w.variant, w.copy, w.choice), w.width)
        << w.family << w.variant << w.copy;
  struct {
    int family, variant;
    bool oxil;
    unsigned parameter;
  } discounts[] = {{2, 0, false, 0},  {1, 0, false, 0}, {2, 1, false, 1}, {1, 1, false, 20},
                   {0, 1, false, 20}, {1, 1, true, 0},  {2, 2, false, 1}};
  for (auto& d : discounts)
    EXPECT_EQ(HeaderDiscountParameter(d.family, d.variant, d.oxil), d.parameter)
        << d.family << d.variant << d.oxil;
}

TEST(HeaderFrame, PolishLettersGoInThePrintersCoding) {
  ConfigFrame frame;
  ASSERT_TRUE(BuildHeaderFrame(Lines({{L, "ął"}}), 42, 2, 0, kLatin, &frame));
  std::string text{static_cast<char>(kPolishLetters[kLatin][0]),
                   static_cast<char>(kPolishLetters[kLatin][3])};
  EXPECT_EQ(frame.bytes, Framed("0$f" + text + "\n\xFF"));
}

TEST(HeaderReadBack, SizesComeFromSoDc4AndLettersFromLatin) {
  const std::string a = std::string(1, static_cast<char>(kPolishLetters[kLatin][0]));
  struct {
    const char* name;
    std::string answer;
    std::string marked;
  } rows[] = {
      {"wide run and spaces kept",
       "\x1BP1#H   \x0E"
       "AB\x14\nc" +
           a + "\n\r12\x1B\\",
       "   *AB*\nc\xC4\x85\n"},
      {"no closing LF", "\x1BP1#Hxyz\r", "xyz\n"},
      {"empty header", "\x1BP1#H\r", ""},
      {"stops at NUL", std::string("\x1BP1#Hab\0cd\n", 11), "ab\n"},
      {"short answer", "\x1BP", ""},
      // More lines than a header file may hold would be saved into a file that cannot be loaded.
      {"lines past 200 dropped", "\x1BP1#H" + Repeated("x\n", 240) + "\r", Repeated("x\n", 200)},
  };
  for (auto& row : rows) {
    HeaderModel m = ParseHeaderAnswer(row.answer.data(), row.answer.size());
    EXPECT_EQ(MarkedTextOf(m), row.marked) << row.name;
    for (const HeaderLine& line : m.lines) EXPECT_EQ(line.align, L) << row.name;
    HeaderModel saved;
    EXPECT_TRUE(ReadHeaderRtf(WriteHeaderRtf(m), &saved) && saved == m) << row.name;
  }
}

struct RtfRow {
  const char* name;
  const char* rtf;
  HeaderModel model;
};

TEST(HeaderRtf, FilesOfCommonEditorsReadIntoLinesAndSizes) {
  const RtfRow rows[] = {
      {"word processor",
       "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1045{\\fonttbl{"
       "\\f0\\fnil\\fcharset238 "
       "Courier New;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
       "\\pard\\qc\\b\\f0\\fs40 SKLEP\\b0\\fs20\\par\r\n\\pard Zak\\'b3ad "
       "\\'bf\\'f3\\'b3ty\\par\r\n"
       "\\pard\\qr ul. Kr\\'f3tka 1\\par\r\n}\r\n",
       Lines({{C, "*SKLEP*"}, {L, "Zakład żółty"}, {R, "ul. Krótka 1"}})},
      {"office suite with Unicode and fallbacks",
       "{\\rtf1\\ansi\\deff4\\adeflang1025{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New "
       "Roman;}}{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0\\snext0 Normal;}}"
       "{\\*\\generator LibreOffice/7.4}{\\info{\\creatim\\yr2024}}\\deftab709\r\n"
       "\\pard\\plain \\s0\\qc{\\rtlch \\ltrch\\loch\\fs40\\b K\\u261\\'3fCIK}\r\n"
       "\\par \\pard\\plain \\s0\\ql{\\loch G\\u322\\'3f\\u243\\'3fwna 5 \\u8364\\'3f}\r\n\\par }",
       Lines({{C, "*KąCIK*"}, {L, "Główna 5 €"}})},
      {"rich-edit control, last line without par",
       "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1045{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 "
       "Courier New;}}\r\n\\viewkind4\\uc1\\pard\\qc\\f0\\fs40 DU\\'afY\\fs20\\par\r\n"
       "\\pard\\qr prawy \\{1\\}\\par\r\n\\pard lewy\\fs20\r\n}",
       Lines({{C, "*DUŻY*"}, {R, "prawy {1}"}, {L, "lewy"}})},
      {"unknown words and groups skipped, unmapped code point takes its fallback",
       "{\\rtf1{\\*\\unknowndest skip me}{\\pict abc}\\foo12 A\\u20013?B\\par}",
       Lines({{L, "A?B"}})},
  };
  for (const RtfRow& row : rows) {
    HeaderModel m;
    ASSERT_TRUE(ReadHeaderRtf(row.rtf, &m)) << row.name;
    EXPECT_EQ(MarkedTextOf(m), MarkedTextOf(row.model)) << row.name;
    EXPECT_EQ(m, row.model) << row.name;
    // Written back, the file reads into the same model.
    HeaderModel again;
    ASSERT_TRUE(ReadHeaderRtf(WriteHeaderRtf(m), &again)) << row.name;
    EXPECT_EQ(again, m) << row.name;
  }
}

TEST(HeaderRtf, MalformedFilesLeaveTheEditorAsItWas) {
  std::string deep = "{\\rtf1";
  for (int i = 0; i < 100; ++i) deep += "{";
  deep += "x";
  for (int i = 0; i < 101; ++i) deep += "}";
  const std::string bad[] = {
      "",
      "plain text",
      "{\\rtf1 unclosed",
      "{\\rtf1 x}}",
      "{\\rtf1 \\'zz}",
      "{\\rtf1 \\'4",
      "{\\rtf1 x} trailing",
      "{\\rtf1 \\fs99999999999}",
      "{\\rtf1 \\",
      deep,
  };
  const HeaderModel before = Lines({{C, "*stary*"}});
  for (const std::string& rtf : bad) {
    HeaderModel m = before;
    EXPECT_FALSE(ReadHeaderRtf(rtf, &m)) << rtf.substr(0, 20);
    EXPECT_EQ(m, before) << rtf.substr(0, 20);
  }
}

TEST(HeaderRtf, FilesLoadAndSaveWithTheirMessages) {
  test::TempDir dir;
  const HeaderModel model = Lines({{C, "*ŻABKA*"}, {R, "ul. Ćwiczeń 5"}});
  std::string message;
  const std::string path = dir.File("naglowek.rtf");
  ASSERT_TRUE(SaveHeaderFile(path, model, &message));
  EXPECT_EQ(message, "");
  HeaderModel loaded;
  ASSERT_TRUE(LoadHeaderFile(path, &loaded, &message));
  EXPECT_EQ(loaded, model);

  HeaderModel kept = model;
  EXPECT_FALSE(LoadHeaderFile(dir.File("brak.rtf"), &kept, &message));
  EXPECT_EQ(message, "Nie mogę otworzyc pliku" + dir.File("brak.rtf") + ".");
  const std::string huge = dir.File("duzy.rtf");
  test::TempDir::Write(huge, "{\\rtf1 " + std::string(kMaxHeaderFileSize, 'a') + "}");
  EXPECT_FALSE(LoadHeaderFile(huge, &kept, &message));
  EXPECT_EQ(message, "Nie mogę otworzyc pliku" + huge + ".");
  EXPECT_EQ(kept, model);

  EXPECT_FALSE(SaveHeaderFile(dir.File("brak/x.rtf"), model, &message));
  EXPECT_EQ(message, "Nie mogę zapisa do pliku" + dir.File("brak/x.rtf") + ".");
}

}  // namespace
}  // namespace kelm
