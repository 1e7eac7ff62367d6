// The binary file transfer dialog.
#include "readout/dialogs/TWyslijOdbierzPlikBin.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace kelm::dialogs {

TWyslijOdbierzPlikBin::TWyslijOdbierzPlikBin(QWidget* parent) : TransferShell(engine_, parent) {
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
  AddTargetGroup("GroupBox2");

  chooseSource = [this] { return ChooseFile("Otwórz plik który zamierzasz wysłać.", false); };
  connect(button2_, &QPushButton::clicked, this, [this] {
    const QString name = chooseSource();
    if (!name.isEmpty()) engine_.ChooseSource(name.toStdString());
    Refresh();
  });
  connect(button4_, &QPushButton::clicked, this, [this] {
    engine_.SendClick();
    AfterAction();
  });
}

void TWyslijOdbierzPlikBin::Refresh() {
  TransferShell::Refresh();
  edit1_->setText(QString::fromStdString(engine_.edit1()));
  label4_->setText(QString::fromStdString(engine_.Label4()));
  label4_->setVisible(!engine_.Label4().empty());
  label2_->setText(QString::fromStdString(engine_.label2()));
  button4_->setText(QString::fromUtf8(engine_.SendCaption()));
  button4_->setEnabled(engine_.send_enabled());
  button2_->setEnabled(engine_.choose_source_enabled());
}

}  // namespace kelm::dialogs
