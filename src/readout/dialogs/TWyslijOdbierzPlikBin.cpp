// The binary file transfer dialog.
#include "readout/dialogs/TWyslijOdbierzPlikBin.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace kelm::dialogs {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QLineEdit* FileEdit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setMinimumWidth(320);
  return e;
}

QString ChooseFile(QWidget* parent, const char* title, bool save) {
  QFileDialog dialog(parent, QString::fromUtf8(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog asks itself before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

}  // namespace

TWyslijOdbierzPlikBin::TWyslijOdbierzPlikBin(QWidget* parent) : WaitShell(parent) {
  setObjectName("TWyslijOdbierzPlikBin");
  setWindowTitle(QString::fromUtf8("Wysyłanie/odbieranie pliku binarnego"));
  // No bar: the labels count; the shell's button closes the dialog.
  Bar()->hide();
  CancelButton()->setText("&Zamknij");
  CancelButton()->setAutoDefault(false);

  auto* send = new QGroupBox(QString::fromUtf8("Wyślij z pliku"), this);
  send->setObjectName("GroupBox1");
  auto* sendGrid = new QGridLayout(send);
  edit1_ = FileEdit(send, "Edit1");
  button2_ = Button(send, "Button2", "...");
  label4_ = new QLabel(send);
  label4_->setObjectName("Label4");
  button4_ = Button(send, "Button4", "&Wyślij");
  label2_ = new QLabel(send);
  label2_->setObjectName("Label2");
  sendGrid->addWidget(edit1_, 0, 0);
  sendGrid->addWidget(button2_, 0, 1);
  sendGrid->addWidget(label4_, 1, 0);
  sendGrid->addWidget(button4_, 2, 0, Qt::AlignLeft);
  sendGrid->addWidget(label2_, 3, 0);
  AddAboveBar(send);

  auto* receive = new QGroupBox(QString::fromUtf8("Pobierz do pliku"), this);
  receive->setObjectName("GroupBox2");
  auto* receiveGrid = new QGridLayout(receive);
  edit2_ = FileEdit(receive, "Edit2");
  button3_ = Button(receive, "Button3", "...");
  button5_ = Button(receive, "Button5", "&Odbierz");
  label3_ = new QLabel(receive);
  label3_->setObjectName("Label3");
  receiveGrid->addWidget(edit2_, 0, 0);
  receiveGrid->addWidget(button3_, 0, 1);
  receiveGrid->addWidget(button5_, 1, 0, Qt::AlignLeft);
  receiveGrid->addWidget(label3_, 2, 0);
  AddAboveBar(receive);

  chooseSource = [this] { return ChooseFile(this, "Otwórz plik który zamierzasz wysłać.", false); };
  chooseTarget = [this] {
    return ChooseFile(this, "Wybierz plik do którego zostaną zapsane dane odebrane.", true);
  };
  connect(button2_, &QPushButton::clicked, this, [this] {
    const QString name = chooseSource();
    if (!name.isEmpty()) engine_.ChooseSource(name.toStdString());
    Refresh();
  });
  connect(button3_, &QPushButton::clicked, this, [this] {
    const QString name = chooseTarget();
    if (!name.isEmpty()) engine_.ChooseTarget(name.toStdString());
    Refresh();
  });
  connect(button4_, &QPushButton::clicked, this, [this] {
    engine_.SendClick();
    AfterAction();
  });
  connect(button5_, &QPushButton::clicked, this, [this] {
    engine_.ReceiveClick();
    AfterAction();
  });
}

int TWyslijOdbierzPlikBin::exec() {
  Run(engine_);
  return result();
}

void TWyslijOdbierzPlikBin::AfterAction() {
  if (engine_.close_requested()) {
    Cancel();
    return;
  }
  // A transfer that just started wants the quick timer at once.
  if (engine_.Transferring()) timer_.start(engine_.IntervalMs());
  Refresh();
}

void TWyslijOdbierzPlikBin::Refresh() {
  edit1_->setText(QString::fromStdString(engine_.edit1()));
  edit2_->setText(QString::fromStdString(engine_.edit2()));
  label4_->setText(QString::fromStdString(engine_.Label4()));
  label4_->setVisible(!engine_.Label4().empty());
  label2_->setText(QString::fromStdString(engine_.label2()));
  label3_->setText(QString::fromStdString(engine_.label3()));
  label3_->setVisible(engine_.label3_visible());
  button4_->setText(QString::fromUtf8(engine_.SendCaption()));
  button4_->setEnabled(engine_.send_enabled());
  button5_->setText(QString::fromUtf8(engine_.ReceiveCaption()));
  button5_->setEnabled(engine_.receive_enabled());
  button2_->setEnabled(engine_.choose_source_enabled());
  button3_->setEnabled(engine_.choose_target_enabled());
}

}  // namespace kelm::dialogs
