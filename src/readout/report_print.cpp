// Blocks, columns and pages of a printed readout.
#include "readout/report_print.h"

#include <cstdio>

#include "protocol/win1250.h"

namespace kelm {

std::vector<ReportBlock> ReadReportBlocks(std::string_view text) {
  std::vector<ReportBlock> blocks;
  ReportBlock block;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "\t\t\t") break;
    if (line == "\t\t") {
      block.ends_currency = true;
      blocks.push_back(std::move(block));
      block = ReportBlock();
      continue;
    }
    block.lines.push_back(Cp1250ToUtf8(line.substr(0, kPrintedLineLimit)));
    if (line == kBlockEndLine) {
      blocks.push_back(std::move(block));
      block = ReportBlock();
    }
  }
  if (!block.lines.empty()) blocks.push_back(std::move(block));
  return blocks;
}

PrintColumns PlanColumns(const PrintGeometry& g) {
  PrintColumns c;
  const int w = g.char_width > 0 ? g.char_width : 1;
  const int h = g.line_height > 0 ? g.line_height : 1;
  c.width = kColumnChars * w;
  // A page narrower than a receipt, or lower than its margins, still gets one column of one line
  // rather than a layout that never moves on.
  c.count = g.page_width / c.width;
  if (c.count < 1) c.count = 1;
  c.left_margin = (g.page_width - c.count * c.width) / 2;
  if (c.left_margin < 0) c.left_margin = 0;
  c.lines_per_column = (g.page_height - 4 * h) / h;
  if (c.lines_per_column < 1) c.lines_per_column = 1;
  return c;
}

namespace {

class Pager {
 public:
  explicit Pager(const PrintGeometry& g) : g_(g), c_(PlanColumns(g)) {
    h_ = g.line_height > 0 ? g.line_height : 1;
    pages_.emplace_back();
  }

  int LinesLeft() const { return c_.lines_per_column - line_; }
  bool AtColumnTop() const { return line_ == 0; }

  void Put(const std::string& text) {
    PlacedLine placed;
    placed.x = column_ * c_.width + g_.char_width + c_.left_margin;
    placed.y = line_ * h_ + 2 * h_ + h_ / 4;
    placed.smaller = Characters(text) > kNarrowLine;
    placed.text = text;
    pages_.back().lines.push_back(std::move(placed));
    if (++line_ == c_.lines_per_column) NextColumn();
  }

  void NextColumn() {
    line_ = 0;
    if (++column_ < c_.count) return;
    column_ = 0;
    pages_.emplace_back();
  }

  std::vector<PrintedPage> Finish() {
    // A page opened by the last column's last line holds nothing.
    if (pages_.size() > 1 && pages_.back().lines.empty()) pages_.pop_back();
    const int total = int(pages_.size());
    for (int i = 0; i < total; ++i) pages_[i].frame = Frame(i + 1, total);
    return std::move(pages_);
  }

 private:
  static size_t Characters(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
  }

  PageFrame Frame(int page, int total) const {
    PageFrame f;
    f.title_y = h_ / 2;
    f.top = 2 * h_;
    f.bottom = g_.page_height - 2 * h_;
    f.left = c_.left_margin;
    f.right = c_.left_margin + c_.count * c_.width;
    for (int i = 0; i <= c_.count; ++i) f.boundaries.push_back(c_.left_margin + i * c_.width);
    f.footer_y = g_.page_height - (3 * h_) / 2;
    char text[48];
    std::snprintf(text, sizeof text, "Strona %d z %d", page, total);
    f.footer = text;
    return f;
  }

  const PrintGeometry g_;
  const PrintColumns c_;
  int h_ = 1;
  int column_ = 0, line_ = 0;
  std::vector<PrintedPage> pages_;
};

}  // namespace

std::vector<PrintedPage> LayOutReport(const std::vector<ReportBlock>& blocks,
                                      const PrintGeometry& g) {
  Pager pager(g);
  for (const ReportBlock& block : blocks) {
    // A block longer than a whole column cannot be kept together; it runs on from the top.
    if (!pager.AtColumnTop() && int(block.lines.size()) > pager.LinesLeft()) pager.NextColumn();
    for (const std::string& line : block.lines) pager.Put(line);
    if (block.ends_currency && !pager.AtColumnTop()) pager.NextColumn();
  }
  return pager.Finish();
}

}  // namespace kelm
