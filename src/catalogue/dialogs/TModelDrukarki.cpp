// The printer model dialog.
#include "catalogue/dialogs/TModelDrukarki.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogue/model.h"
#include "link/settings.h"

namespace kelm::dialogs {

TModelDrukarki::TModelDrukarki(QWidget* parent) : QDialog(parent) {
  setObjectName("TModelDrukarki");
  setWindowTitle("Model drukarki fiskalnej");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel("Wybierz model drukarki fiskalnej", this);
  label->setObjectName("Label1");
  layout->addWidget(label);
  auto* group = new QGroupBox("Modele drukarki", this);
  group->setObjectName("GroupBox1");
  auto* radios = new QVBoxLayout(group);
  for (int i = 0; i < kModelCount; ++i) {
    radio_[i] = new QRadioButton(QString::fromUtf8(kPrinterModels[i].radio_caption), group);
    radio_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    radios->addWidget(radio_[i]);
  }
  radio_[kDesignModel]->setChecked(true);
  layout->addWidget(group);
  program_ = new QLabel(this);
  program_->setObjectName("Label2");
  layout->addWidget(program_);
  auto* module_caption = new QLabel("Moduł odczytu pamięci fiskalnej:", this);
  module_caption->setObjectName("Label3");
  layout->addWidget(module_caption);
  module_ = new QLabel(this);
  module_->setObjectName("Label4");
  layout->addWidget(module_);
  auto* buttons = new QHBoxLayout;
  auto* apply = new QPushButton("&Zastosuj", this);
  apply->setObjectName("Button1");
  apply->setDefault(true);
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button2");
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(apply, &QPushButton::clicked, this, [this] {
    ApplyChecked();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TModelDrukarki::Choose() {
  return exec() == QDialog::Accepted;
}

int TModelDrukarki::CheckedModel() const {
  for (int i = 0; i < kModelCount; ++i) {
    if (radio_[i]->isChecked()) return i;
  }
  return kDesignModel;
}

void TModelDrukarki::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

// The settings always match one of the eight models afterwards, even when the dialog is then
// cancelled.
void TModelDrukarki::FormShow() {
  radio_[ModelIndexFor(LinkSettings)]->setChecked(true);
  ApplyChecked();
}

void TModelDrukarki::ApplyChecked() {
  ApplyModel(CheckedModel());
  program_->setText(QString::fromStdString(ProgramDesignation(0)));
  module_->setText(QString::fromStdString(ProgramDesignation(1)));
}

}  // namespace kelm::dialogs
