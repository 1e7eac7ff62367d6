// The letter-coding dialogs.
#include "catalogue/dialogs/LetterCodingDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogue/letter_coding.h"
#include "link/settings.h"
#include "protocol/letter_tables.h"

namespace kelm::dialogs {

LetterCodingDialog::LetterCodingDialog(QWidget* parent, const char* name, const char* ok_caption,
                                       const char* cancel_caption)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle("Kodowanie polskich liter");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel("Wybierz standard kodowania polskich liter", this);
  label->setObjectName("Label1");
  layout->addWidget(label);
  auto* group = new QGroupBox("Kodowanie polskich liter", this);
  group->setObjectName("GroupBox1");
  auto* radios = new QVBoxLayout(group);
  for (int i = 0; i < kLetterCodingCount; ++i) {
    radio_[i] = new QRadioButton(kLetterCodingKeywords[i], group);
    radio_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    radios->addWidget(radio_[i]);
  }
  radio_[kMazovia]->setChecked(true);
  layout->addWidget(group);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(ok_caption, this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton(cancel_caption, this);
  cancel->setObjectName("Button2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int LetterCodingDialog::CheckedCoding() const {
  for (int i = 0; i < kLetterCodingCount; ++i) {
    if (radio_[i]->isChecked()) return i;
  }
  return kMazovia;
}

void LetterCodingDialog::CheckCoding(int index) {
  if (index >= 0 && index < kLetterCodingCount) radio_[index]->setChecked(true);
}

TKodowaniePolskich::TKodowaniePolskich(QWidget* parent)
    : LetterCodingDialog(parent, "TKodowaniePolskich", "Wyślij", "Anuluj") {}

void TKodowaniePolskich::Button1Click() {
  if (SendLetterCoding(CheckedCoding()) == 0) accept();
}

TUstawKodLiter::TUstawKodLiter(QWidget* parent)
    : LetterCodingDialog(parent, "TUstawKodLiter", "&Zastosuj", "&Anuluj") {}

void TUstawKodLiter::showEvent(QShowEvent* event) {
  CheckCoding(LinkSettings.LetterCoding);
  QDialog::showEvent(event);
}

void TUstawKodLiter::Button1Click() {
  if (ChooseLetterCoding(CheckedCoding()) == 0) accept();
}

}  // namespace kelm::dialogs
