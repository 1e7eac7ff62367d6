// The receive-buffer dialog.
#include "catalogue/dialogs/TOdeslijBufor.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/diagnostics_queries.h"
#include "catalogue/diagnostics_views.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/win1250.h"

namespace kelm::dialogs {
namespace {

constexpr const char* kFilter = "Pliki tekstowe (*.txt *.TXT)";

// Qt's own file dialog, so its overwrite question does not come before the program's.
QString ChooseFile(QWidget* parent, const char* title, QFileDialog::AcceptMode mode) {
  QFileDialog chooser(parent, QString::fromUtf8(title), QString(), kFilter);
  chooser.setObjectName("FileDialog");
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setOption(QFileDialog::DontConfirmOverwrite);
  chooser.setAcceptMode(mode);
  if (mode == QFileDialog::AcceptSave) {
    chooser.setDefaultSuffix("txt");
  } else {
    chooser.setFileMode(QFileDialog::ExistingFile);
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
  return chooser.selectedFiles().first();
}

}  // namespace

TOdeslijBufor::TOdeslijBufor(QWidget* parent)
    : DiagnosticDialog(parent, "TOdeslijBufor", "Odeślij zawartość bufora odbiorczego") {
  auto* title = new QLabel("Pobierz bufor odbiorczy z drukarki", this);
  title->setObjectName("Label1");
  body_->addWidget(title);
  auto* group = new QGroupBox("Bufor odbiorczy", this);
  group->setObjectName("GroupBox1");
  auto* column = new QVBoxLayout(group);
  memo_ = new QPlainTextEdit(group);
  memo_->setObjectName("Memo1");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Lines are cut at 51 characters; a fixed font shows them as the printer holds them.
  memo_->setFont(QFont("Courier New", 9));
  memo_->setMinimumSize(440, 240);
  column->addWidget(memo_);
  body_->addWidget(group, 1);
  swap_com_ = new QCheckBox("Zamień COM", this);
  swap_com_->setObjectName("CheckBox1");
  body_->addWidget(swap_com_);
  connect(AddButton("&Odeślij"), &QPushButton::clicked, this, &TOdeslijBufor::Button1Click);
  connect(AddButton("&Pobierz z pliku"), &QPushButton::clicked, this, &TOdeslijBufor::Button2Click);
  connect(AddButton("&Zapisz do pliku"), &QPushButton::clicked, this, &TOdeslijBufor::Button3Click);
  AddCloseButton("&Zamknij");
}

// Only the 859 model has the second port that "Zamień COM" swaps.
void TOdeslijBufor::showEvent(QShowEvent* event) {
  swap_com_->setVisible(LinkSettings.PrinterVariant == 2);
  DiagnosticDialog::showEvent(event);
}

void TOdeslijBufor::FormShow() {
  Button1Click();
}

void TOdeslijBufor::Button1Click() {
  SetLines({});
  std::vector<std::string> lines;
  if (ReadReceiveBuffer(swap_com_->isChecked(), &lines)) {
    SetLines(lines);
  } else if (AnswerReceived == 0) {
    CloseAtNextPaint();
  }
}

void TOdeslijBufor::Button2Click() {
  const QString name = ChooseFile(this, "Otwórz plik z danymi.", QFileDialog::AcceptOpen);
  if (name.isEmpty()) return;
  std::vector<std::string> lines;
  if (LoadBufferFile(name.toStdString(), &lines)) SetLines(lines);
}

void TOdeslijBufor::Button3Click() {
  const QString name = ChooseFile(this, "Zapisz plik z danymi.", QFileDialog::AcceptSave);
  if (name.isEmpty()) return;
  SaveBufferFile(name.toStdString(), lines_);
}

// The memo is read-only: its lines stay bytes as they came, shown as Windows-1250.
void TOdeslijBufor::SetLines(const std::vector<std::string>& lines) {
  lines_ = lines;
  QStringList shown;
  for (const std::string& line : lines) shown << QString::fromStdString(Cp1250ToUtf8(line));
  memo_->setPlainText(shown.join('\n'));
}

}  // namespace kelm::dialogs
