// Drawing the annotated sample print-outs of the help windows.
#include "control/dialogs/PrintoutHelp.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace kelm::dialogs {

namespace {

constexpr int kMargin = 16;
constexpr int kPaperPadding = 14;
constexpr int kLabelGap = 48;
constexpr int kLabelWidth = 300;
constexpr int kNotesGap = 18;

QFont PaperFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

QColor MarkColour(bool skip) {
  return skip ? QColor(30, 90, 200) : QColor(200, 30, 30);
}

QString NotesText(const PrintoutSample& sample) {
  QStringList notes;
  for (const char* note : sample.notes) notes << QString::fromUtf8("• ") + QString::fromUtf8(note);
  return notes.join('\n');
}

}  // namespace

struct PrintoutPicture::Layout {
  int char_width, line_height;
  QRect paper;
  std::vector<QRect> labels;  // one per mark
  QRect notes;
  QSize size;
};

PrintoutPicture::PrintoutPicture(const PrintoutSample& sample, QWidget* parent)
    : QWidget(parent), sample_(sample) {
  setObjectName("Image1");
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(236, 236, 236));
  setPalette(p);
}

PrintoutPicture::Layout PrintoutPicture::Measure() const {
  Layout l;
  const QFontMetrics paper_metrics(PaperFont());
  l.char_width = paper_metrics.horizontalAdvance('M');
  l.line_height = paper_metrics.height() + 2;
  int columns = 0;
  for (const char* line : sample_.lines)
    columns = std::max<int>(columns, QString::fromUtf8(line).size());
  l.paper = QRect(kMargin, kMargin, columns * l.char_width + 2 * kPaperPadding,
                  int(sample_.lines.size()) * l.line_height + 2 * kPaperPadding);
  // Each label beside its line, pushed down when the one before it is in the way.
  const QFontMetrics label_metrics(font());
  const int label_x = l.paper.right() + kLabelGap;
  int next_free = kMargin;
  for (const PrintoutMark& mark : sample_.marks) {
    const QRect text = label_metrics.boundingRect(QRect(0, 0, kLabelWidth, 1000), Qt::TextWordWrap,
                                                  QString::fromUtf8(mark.label));
    const int centre =
        l.paper.top() + kPaperPadding + mark.line * l.line_height + l.line_height / 2;
    const int top = std::max(next_free, centre - text.height() / 2);
    l.labels.push_back(QRect(label_x, top, kLabelWidth, text.height()));
    next_free = top + text.height() + 4;
  }
  const QRect notes_text = label_metrics.boundingRect(QRect(0, 0, kLabelWidth - 16, 2000),
                                                      Qt::TextWordWrap, NotesText(sample_));
  l.notes = QRect(label_x, next_free + kNotesGap, kLabelWidth, notes_text.height() + 16);
  l.size = QSize(label_x + kLabelWidth + kMargin,
                 std::max(l.paper.bottom(), l.notes.bottom()) + kMargin);
  return l;
}

int PrintoutPicture::MisplacedMarks() const {
  int misplaced = 0;
  for (const PrintoutMark& mark : sample_.marks) {
    const bool found =
        mark.line >= 0 && size_t(mark.line) < sample_.lines.size() &&
        QString::fromUtf8(sample_.lines[mark.line]).contains(QString::fromUtf8(mark.part));
    if (!found) ++misplaced;
  }
  return misplaced;
}

QSize PrintoutPicture::sizeHint() const {
  return Measure().size;
}

void PrintoutPicture::paintEvent(QPaintEvent*) {
  const Layout l = Measure();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // The paper strip with a shadow, its lines in the printer's fixed pitch.
  p.fillRect(l.paper.translated(4, 4), QColor(170, 170, 170));
  p.fillRect(l.paper, Qt::white);
  p.setPen(QColor(120, 120, 120));
  p.drawRect(l.paper);
  p.setFont(PaperFont());
  p.setPen(Qt::black);
  const QFontMetrics paper_metrics(PaperFont());
  for (size_t i = 0; i < sample_.lines.size(); ++i) {
    const int y = l.paper.top() + kPaperPadding + int(i) * l.line_height;
    p.drawText(l.paper.left() + kPaperPadding, y + paper_metrics.ascent() + 1,
               QString::fromUtf8(sample_.lines[i]));
  }
  // The circles, their connectors and labels.
  p.setFont(font());
  for (size_t k = 0; k < sample_.marks.size(); ++k) {
    const PrintoutMark& mark = sample_.marks[k];
    const QColor colour = MarkColour(mark.skip);
    const int y = l.paper.top() + kPaperPadding + mark.line * l.line_height;
    if (mark.line < 0 || size_t(mark.line) >= sample_.lines.size()) continue;
    const QString line = QString::fromUtf8(sample_.lines[mark.line]);
    const QString part = QString::fromUtf8(mark.part);
    const int from = std::max<int>(0, line.indexOf(part));
    const QRect ring(l.paper.left() + kPaperPadding + from * l.char_width - 5, y - 2,
                     int(part.size()) * l.char_width + 10, l.line_height + 3);
    p.setPen(QPen(colour, 2, mark.skip ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ring);
    if (mark.skip)
      p.drawLine(ring.left() + 4, ring.center().y(), ring.right() - 4, ring.center().y());
    const QRect& label = l.labels[k];
    p.setPen(QPen(colour, 1));
    p.drawLine(ring.right(), ring.center().y(), label.left() - 4,
               label.top() + p.fontMetrics().height() / 2);
    p.drawText(label, Qt::TextWordWrap, QString::fromUtf8(mark.label));
  }
  // The notes in a box of their own.
  p.setPen(QColor(150, 130, 40));
  p.setBrush(QColor(255, 249, 205));
  p.drawRoundedRect(l.notes, 6, 6);
  p.setPen(Qt::black);
  p.drawText(l.notes.adjusted(8, 8, -8, -8), Qt::TextWordWrap, NotesText(sample_));
}

PrintoutHelp::PrintoutHelp(QWidget* parent, const char* class_name) : QDialog(parent) {
  const PrintoutHelpRow& row = PrintoutHelpOf(class_name);
  const PrintoutSample& sample = row.sample;
  setObjectName(class_name);
  setWindowTitle(QString::fromUtf8(row.caption));
  setModal(false);
  auto* column = new QVBoxLayout(this);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("ScrollBox1");
  auto* picture = new PrintoutPicture(sample, scroll);
  scroll->setWidget(picture);
  scroll->setWidgetResizable(false);
  column->addWidget(scroll, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* close = new QPushButton("&Zamknij", this);
  close->setObjectName("Button1");
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  buttons->addWidget(close);
  column->addLayout(buttons);
  const QSize wanted = picture->sizeHint();
  resize(std::min(wanted.width() + 40, 1100), std::min(wanted.height() + 80, 900));
}

}  // namespace kelm::dialogs
