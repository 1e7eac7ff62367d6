// The readout text viewer.
#include "readout/dialogs/ReportViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm::dialogs {
namespace {

// A readout of many years stays far below this; anything larger is not our work file.
constexpr qint64 kLargestReport = 64LL * 1024 * 1024;

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ReportViewer::ReportViewer(QWidget* parent) : QDialog(parent) {
  setObjectName("ReportViewer");
  setWindowTitle(QString::fromUtf8("Podgląd raportu"));
  auto* layout = new QVBoxLayout(this);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("Text");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The report's lines are 40 to 56 characters wide: all of one and some forty lines show.
  const QFontMetrics fm(text_->font());
  text_->setMinimumSize(fm.horizontalAdvance(QString(60, 'X')), fm.lineSpacing() * 40);
  layout->addWidget(text_, 1);

  auto* search = new QHBoxLayout;
  auto* caption = new QLabel("Szukaj:", this);
  find_ = new QLineEdit(this);
  find_->setObjectName("Find");
  caption->setBuddy(find_);
  auto* next = Button(this, "FindNext", "&Znajdź następny");
  found_ = new QLabel(this);
  found_->setObjectName("Found");
  search->addWidget(caption);
  search->addWidget(find_, 1);
  search->addWidget(next);
  search->addWidget(found_);
  layout->addLayout(search);

  auto* buttons = new QHBoxLayout;
  auto* copy = Button(this, "Copy", "&Kopiuj");
  auto* external = Button(this, "External", "Otwórz w &zewnętrznym edytorze");
  auto* close = Button(this, "Close", "Za&mknij");
  buttons->addWidget(copy);
  buttons->addWidget(external);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(find_, &QLineEdit::returnPressed, this, &ReportViewer::FindNext);
  connect(next, &QPushButton::clicked, this, &ReportViewer::FindNext);
  connect(copy, &QPushButton::clicked, this, &ReportViewer::Copy);
  connect(external, &QPushButton::clicked, this, &ReportViewer::OpenExternally);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

bool ReportViewer::Load(const QString& path, const QString& title) {
  path_ = path;
  setWindowTitle(title.isEmpty() ? QString::fromUtf8("Podgląd raportu") : title);
  found_->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestReport) {
    text_->clear();
    return false;
  }
  const QByteArray bytes = file.readAll();
  QString text = QString::fromStdString(
      Cp1250ToUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))));
  text.replace("\r\n", "\n");
  text_->setPlainText(text);
  return true;
}

QString ReportViewer::Text() const {
  return text_->toPlainText();
}

// From the cursor onwards, then once more from the top; letters of either case match.
void ReportViewer::FindNext() {
  const QString wanted = find_->text();
  if (wanted.isEmpty()) return;
  bool hit = text_->find(wanted);
  if (!hit) {
    QTextCursor top = text_->textCursor();
    top.movePosition(QTextCursor::Start);
    text_->setTextCursor(top);
    hit = text_->find(wanted);
  }
  found_->setText(hit ? QString() : QString::fromUtf8("Nie znaleziono"));
}

// The selection, or the whole text when nothing is selected.
void ReportViewer::Copy() {
  const QString selected =
      text_->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
  QApplication::clipboard()->setText(selected.isEmpty() ? text_->toPlainText() : selected);
}

void ReportViewer::OpenExternally() {
  if (open_externally && open_externally(path_)) return;
  TheOperator().ShowMessage("Nie znaleziono programu do otwierania plików tekstowych.");
}

}  // namespace kelm::dialogs
