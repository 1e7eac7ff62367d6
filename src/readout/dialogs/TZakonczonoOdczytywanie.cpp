// The end dialog of a readout.
#include "readout/dialogs/TZakonczonoOdczytywanie.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>

#include "link/program_folder.h"
#include "readout/dialogs/PrintReportFile.h"
#include "readout/dialogs/ReportViewer.h"
#include "readout/dialogs/TNagrywanieCD_DVD.h"
#include "readout/readout_controls.h"
#include "readout/readout_session.h"

namespace kelm::dialogs {
namespace {

QString WorkFile() {
  return QString::fromStdString(InProgramFolder(kReadoutWorkFile));
}

}  // namespace

TZakonczonoOdczytywanie::TZakonczonoOdczytywanie(QWidget* parent) : QDialog(parent) {
  setObjectName("TZakonczonoOdczytywanie");
  setWindowTitle("Zakończono odczytywanie");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* done = new QLabel("Odczytywanie zakończono poprawnie", this);
  done->setObjectName("Label1");
  layout->addWidget(done, 0, Qt::AlignHCenter);
  auto* what = new QLabel("Co zrobić z odczytanymi danymi?", this);
  what->setObjectName("Label2");
  layout->addWidget(what, 0, Qt::AlignHCenter);
  auto button = [&](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
  };
  disc_ = new TNagrywanieCD_DVD(this);
  connect(button("Button1", "&Nagraj na płytę CD/DVD"), &QPushButton::clicked, this,
          [this] { disc_->Show(WorkFile().toStdString(), file_name_.toStdString()); });
  connect(button("Button2", "&Wyświetl"), &QPushButton::clicked, this,
          &TZakonczonoOdczytywanie::ViewClick);
  connect(button("Button3", "Nagraj na &dysku"), &QPushButton::clicked, this,
          &TZakonczonoOdczytywanie::SaveClick);
  connect(button("Button4", "&Drukuj"), &QPushButton::clicked, this,
          &TZakonczonoOdczytywanie::PrintClick);
  connect(button("Button5", "&Anuluj"), &QPushButton::clicked, this, &QDialog::reject);

  choose_save_file = [this](const QString& proposed) {
    QFileDialog dialog(this, "Zapisz dane raportu do pliku");
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Pliki tekstowe (*.txt *.TXT)");
    dialog.setDefaultSuffix("txt");
    // The program asks itself before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  choose_printer = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  open_file = [](const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
  viewer_ = new ReportViewer(this);
  viewer_->open_externally = [this](const QString& path) { return open_file(path); };
}

int TZakonczonoOdczytywanie::Show(const std::string& title, const std::string& file_name) {
  title_ = QString::fromStdString(title);
  file_name_ = QString::fromStdString(file_name);
  return exec();
}

// The program's own viewer, beside the dialog, so the text can be read while deciding what to do
// with it; many desktops have no handler for text files at all.
void TZakonczonoOdczytywanie::ViewClick() {
  viewer_->Load(WorkFile(), title_);
  viewer_->show();
  viewer_->raise();
  viewer_->activateWindow();
}

void TZakonczonoOdczytywanie::SaveClick() {
  const QString chosen = choose_save_file(file_name_);
  if (chosen.isEmpty()) return;
  SaveReadoutCopy(chosen.toStdString());
}

void TZakonczonoOdczytywanie::PrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  // The print dialog proposes the document name plus ".pdf" for printing to a file; the title's
  // closing full stop would make that "...2026..pdf".
  QString name = title_.trimmed();
  while (name.endsWith('.')) name.chop(1);
  printer.setDocName(name);
  if (!choose_printer(printer)) return;
  PrintReportFile(printer, WorkFile(), title_);
}

void TZakonczonoOdczytywanie::done(int result) {
  viewer_->hide();
  std::remove(InProgramFolder(kReadoutWorkFile).c_str());
  QDialog::done(result);
}

}  // namespace kelm::dialogs
