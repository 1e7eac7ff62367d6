// The page layout of a printed readout: the report text cut into blocks, set in narrow columns as
// wide as a receipt, the columns filled page by page, and the frame drawn around every page.
// The drawing itself belongs to the print dialog; everything it places comes from here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelm {

// A line of the report text, and the separator line that ends a block of it.
inline constexpr size_t kPrintedLineLimit = 84;
inline constexpr size_t kNarrowLine = 42;
inline constexpr char kBlockEndLine[] = "------------------------------------------  ";
// A column is this many character widths wide.
inline constexpr int kColumnChars = 44;

// Lines that must stay together in one column (UTF-8, without CR LF).
struct ReportBlock {
  std::vector<std::string> lines;
  // Ended by the two-TAB line between currencies: the next block starts a new column.
  bool ends_currency = false;
};

// Cuts the readout text (Windows-1250 bytes with CR LF) into blocks, up to its three-TAB end
// line. Lines longer than kPrintedLineLimit are cut there.
std::vector<ReportBlock> ReadReportBlocks(std::string_view text);

// The printer's page and font measured in its device units: the page, the width and height of
// "X" in the 7-point font.
struct PrintGeometry {
  int page_width = 0, page_height = 0;
  int char_width = 1, line_height = 1;
};

struct PrintColumns {
  int width = 0;        // kColumnChars character widths
  int count = 1;        // columns on a page
  int left_margin = 0;  // half the width the columns leave
  int lines_per_column = 1;
};
PrintColumns PlanColumns(const PrintGeometry& g);

struct PlacedLine {
  int x = 0, y = 0;      // top left of the text
  bool smaller = false;  // wider than a receipt: 2 points smaller
  std::string text;
};

// The frame of a page: the title centred on the page at title_y, two horizontal lines across the
// columns, a vertical line at every column boundary between them, and the page number centred at
// footer_y.
struct PageFrame {
  int title_y = 0;
  int top = 0, bottom = 0;
  int left = 0, right = 0;
  std::vector<int> boundaries;
  int footer_y = 0;
  std::string footer;  // "Strona %d z %d"
};

struct PrintedPage {
  std::vector<PlacedLine> lines;
  PageFrame frame;
};

// Places the blocks on pages. A block that does not fit in the rest of a column starts the next
// one; a page is full after its last column.
std::vector<PrintedPage> LayOutReport(const std::vector<ReportBlock>& blocks,
                                      const PrintGeometry& g);

}  // namespace kelm
