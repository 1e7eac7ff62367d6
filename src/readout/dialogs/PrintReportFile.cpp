// Drawing the printed readout through QPrinter; the layout comes from report_print.
#include "readout/dialogs/PrintReportFile.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "readout/report_print.h"

namespace kelm::dialogs {
namespace {

// A readout of many years stays far below this; anything larger is not our work file.
constexpr qint64 kLargestReport = 256LL * 1024 * 1024;

QFont ReportFont(int points, bool bold = false) {
  QFont font("Courier New", points, bold ? QFont::Bold : QFont::Normal);
  // Where the font is missing, the desktop's fixed-pitch font keeps the columns straight.
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

void DrawCentred(QPainter& painter, const QString& text, int y, int page_width) {
  const QFontMetrics fm(painter.font(), painter.device());
  painter.drawText((page_width - fm.horizontalAdvance(text)) / 2, y + fm.ascent(), text);
}

}  // namespace

int PrintReportFile(QPrinter& printer, const QString& path, const QString& title) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestReport) return 0;
  const QByteArray bytes = file.readAll();
  const std::vector<ReportBlock> blocks =
      ReadReportBlocks(std::string_view(bytes.constData(), size_t(bytes.size())));

  printer.setPageOrientation(QPageLayout::Portrait);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QFont regular = ReportFont(7);
  const QFont smaller = ReportFont(5);
  const QFont heading = ReportFont(8, true);
  painter.setFont(regular);
  const QFontMetrics fm(regular, painter.device());
  PrintGeometry g;
  g.page_width = painter.device()->width();
  g.page_height = painter.device()->height();
  g.char_width = fm.horizontalAdvance('X');
  g.line_height = fm.height();
  const std::vector<PrintedPage> pages = LayOutReport(blocks, g);

  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    for (const PlacedLine& line : pages[p].lines) {
      painter.setFont(line.smaller ? smaller : regular);
      const QFontMetrics lm(painter.font(), painter.device());
      painter.drawText(line.x, line.y + lm.ascent(), QString::fromStdString(line.text));
    }
    const PageFrame& f = pages[p].frame;
    painter.setFont(heading);
    DrawCentred(painter, title, f.title_y, g.page_width);
    painter.drawLine(f.left, f.top, f.right, f.top);
    painter.drawLine(f.left, f.bottom, f.right, f.bottom);
    for (int x : f.boundaries) painter.drawLine(x, f.top, x, f.bottom);
    DrawCentred(painter, QString::fromStdString(f.footer), f.footer_y, g.page_width);
    painter.setFont(regular);
  }
  painter.end();
  return int(pages.size());
}

}  // namespace kelm::dialogs
