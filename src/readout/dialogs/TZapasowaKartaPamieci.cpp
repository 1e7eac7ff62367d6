// The spare memory card back-up dialog.
#include "readout/dialogs/TZapasowaKartaPamieci.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/command_execution.h"
#include "readout/backup_settings.h"

namespace kelm::dialogs {

TZapasowaKartaPamieci::TZapasowaKartaPamieci(QWidget* parent) : QDialog(parent) {
  setObjectName("TZapasowaKartaPamieci");
  setWindowTitle("KartaZapasowa");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QString::fromUtf8("Zapasowa karta pamięci"), this);
  title->setObjectName("Label1");
  layout->addWidget(title);
  auto* radio1 =
      new QRadioButton(QString::fromUtf8("Nie wykonuj BACK-UP na zapasową kartę pamięci."), this);
  radio1->setObjectName("RadioButton1");
  radio1->setChecked(true);
  radio2_ = new QRadioButton(QString::fromUtf8("Wykonuj BACK-UP na zapasową kartę pamięci."), this);
  radio2_->setObjectName("RadioButton2");
  layout->addWidget(radio1);
  layout->addWidget(radio2_);
  auto* buttons = new QHBoxLayout;
  auto* send = new QPushButton(QString::fromUtf8("&Wyślij"), this);
  send->setObjectName("Button1");
  send->setDefault(true);
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button2");
  cancel->setAutoDefault(false);
  buttons->addWidget(send);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(send, &QPushButton::clicked, this, &TZapasowaKartaPamieci::Button1Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TZapasowaKartaPamieci::Button1Click() {
  if (SendSpareCardBackup(radio2_->isChecked()) != kCommandNotSent) accept();
}

}  // namespace kelm::dialogs
