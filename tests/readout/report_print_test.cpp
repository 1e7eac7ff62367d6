// The printed readout's layout: blocks cut at the separators, columns as wide as a receipt, the
// page frame and its numbering, on small pages whose every coordinate is worked out by hand.
#include "readout/report_print.h"

#include <gtest/gtest.h>

namespace kelm {
namespace {

const std::string kDashes = "------------------------------------------  ";

std::string Crlf(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\r\n";
  return s;
}

TEST(ReportPrint, BlocksEndAtSeparatorsCurrencyLinesAndTheEndLine) {
  const std::string longLine(100, 'x');
  const std::string text = Crlf({"a1", kDashes, "b\xB3", "\t\t", "c1", longLine, "\t\t\t", "gone"});
  const std::vector<ReportBlock> blocks = ReadReportBlocks(text);
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].lines, (std::vector<std::string>{"a1", kDashes}));
  EXPECT_FALSE(blocks[0].ends_currency);
  EXPECT_EQ(blocks[1].lines, std::vector<std::string>{"bł"}) << "Windows-1250 shown as Unicode";
  EXPECT_TRUE(blocks[1].ends_currency);
  EXPECT_EQ(blocks[2].lines, (std::vector<std::string>{"c1", std::string(84, 'x')}));
  // A separator with other trailing spaces is an ordinary line.
  EXPECT_EQ(ReadReportBlocks(Crlf({kDashes + " ", "x"})).size(), 1u);
  // A text cut short (a readout that failed) still prints what it holds.
  EXPECT_EQ(ReadReportBlocks("a\r\nb").at(0).lines, (std::vector<std::string>{"a", "b"}));
}

TEST(ReportPrint, ColumnsOfFortyFourCharactersCentredOnThePage) {
  struct Row {
    PrintGeometry g;
    int width, count, margin, lines;
  } rows[] = {
      {{1000, 180, 10, 20}, 440, 2, 60, 5},
      {{4960, 7016, 42, 70}, 1848, 2, 632, 96},
      {{300, 50, 10, 20}, 440, 1, 0, 1},  // narrower than a column, lower than the margins
  };
  for (const Row& r : rows) {
    const PrintColumns c = PlanColumns(r.g);
    EXPECT_EQ(c.width, r.width);
    EXPECT_EQ(c.count, r.count);
    EXPECT_EQ(c.left_margin, r.margin);
    EXPECT_EQ(c.lines_per_column, r.lines);
  }
}

TEST(ReportPrint, BlocksStayTogetherAndCurrenciesStartAColumn) {
  // Two columns of five lines: x = column * 440 + 10 + 60, y = line * 20 + 40 + 5.
  const PrintGeometry g{1000, 180, 10, 20};
  const std::string wide(43, 'd');
  const std::string narrowPolish = std::string(41, 'e') + "\xB3";  // 42 letters, 43 UTF-8 bytes
  const std::string text = Crlf({"a1", "a2", kDashes, "b1", "b2", kDashes, "c1", "\t\t", wide,
                                 narrowPolish, "d2", "d3", "d4", "d5", "d6", "\t\t\t"});
  const std::vector<PrintedPage> pages = LayOutReport(ReadReportBlocks(text), g);
  ASSERT_EQ(pages.size(), 2u);

  struct Expected {
    int x, y;
    bool smaller;
    std::string text;
  };
  const std::vector<Expected> first = {
      // The separator is 44 characters long with its two spaces, so it too is set smaller.
      {70, 45, false, "a1"},
      {70, 65, false, "a2"},
      {70, 85, true, kDashes},
      // Three lines do not fit in the two left: the next column.
      {510, 45, false, "b1"},
      {510, 65, false, "b2"},
      {510, 85, true, kDashes},
      {510, 105, false, "c1"},
  };
  const std::vector<Expected> second = {
      // After the currency's end the next column, here the first of a new page; a block longer
      // than a column runs on into the next.
      {70, 45, true, wide},   {70, 65, false, std::string(41, 'e') + "ł"},
      {70, 85, false, "d2"},  {70, 105, false, "d3"},
      {70, 125, false, "d4"}, {510, 45, false, "d5"},
      {510, 65, false, "d6"},
  };
  const std::vector<Expected>* expected[] = {&first, &second};
  for (size_t p = 0; p < 2; ++p) {
    ASSERT_EQ(pages[p].lines.size(), expected[p]->size()) << "page " << p + 1;
    for (size_t i = 0; i < pages[p].lines.size(); ++i) {
      const PlacedLine& l = pages[p].lines[i];
      const Expected& e = (*expected[p])[i];
      EXPECT_EQ(l.x, e.x) << e.text;
      EXPECT_EQ(l.y, e.y) << e.text;
      EXPECT_EQ(l.smaller, e.smaller) << e.text;
      EXPECT_EQ(l.text, e.text);
    }
    const PageFrame& f = pages[p].frame;
    EXPECT_EQ(f.title_y, 10);
    EXPECT_EQ(f.top, 40);
    EXPECT_EQ(f.bottom, 140);
    EXPECT_EQ(f.left, 60);
    EXPECT_EQ(f.right, 940);
    EXPECT_EQ(f.boundaries, (std::vector<int>{60, 500, 940}));
    EXPECT_EQ(f.footer_y, 150);
    EXPECT_EQ(f.footer, "Strona " + std::to_string(p + 1) + " z 2");
  }
}

TEST(ReportPrint, PageEndingExactlyWithItsLastColumnAddsNoEmptyPage) {
  const PrintGeometry g{1000, 180, 10, 20};
  std::vector<std::string> lines;
  for (int i = 0; i < 10; ++i) lines.push_back("l" + std::to_string(i));
  lines.push_back("\t\t");
  lines.push_back("\t\t\t");
  const std::vector<PrintedPage> pages = LayOutReport(ReadReportBlocks(Crlf(lines)), g);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].lines.size(), 10u);
  EXPECT_EQ(pages[0].frame.footer, "Strona 1 z 1");
  // An empty text still prints one framed page.
  EXPECT_EQ(LayOutReport({}, g).size(), 1u);
}

TEST(ReportPrint, TinyPageStillEnds) {
  const PrintGeometry g{100, 10, 10, 20};
  const std::vector<PrintedPage> pages =
      LayOutReport(ReadReportBlocks(Crlf({"a", "b", kDashes, "c"})), g);
  EXPECT_EQ(pages.size(), 4u) << "one line per page";
}

}  // namespace
}  // namespace kelm
