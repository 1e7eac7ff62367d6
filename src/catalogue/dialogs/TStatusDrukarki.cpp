// The status dialog.
#include "catalogue/dialogs/TStatusDrukarki.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/diagnostics_views.h"
#include "link/reception.h"
#include "protocol/frame.h"

namespace kelm::dialogs {
namespace {

// A box that shows a bit: the operator cannot tick it.
QCheckBox* NewBitBox(QWidget* parent, const char* caption, int number) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString("CheckBox%1").arg(number));
  box->setAttribute(Qt::WA_TransparentForMouseEvents);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

}  // namespace

TStatusDrukarki::TStatusDrukarki(QWidget* parent)
    : DiagnosticDialog(parent, "TStatusDrukarki", "Status drukarki") {
  auto* grid = new QGridLayout;
  enq_ = new QCheckBox("ENQ", this);
  enq_->setObjectName("CheckBox1");
  enq_->setChecked(true);
  dle_ = new QCheckBox("DLE", this);
  dle_->setObjectName("CheckBox2");
  dle_->setChecked(true);
  auto* enq_group = new QGroupBox(this);
  enq_group->setObjectName("GroupBox1");
  auto* enq_column = new QVBoxLayout(enq_group);
  for (int i = 0; i < 4; ++i) {
    enq_bits_[i] = NewBitBox(enq_group, kEnqBitCaptions[i].caption, 3 + i);
    enq_column->addWidget(enq_bits_[i]);
  }
  auto* dle_group = new QGroupBox(this);
  dle_group->setObjectName("GroupBox2");
  auto* dle_column = new QVBoxLayout(dle_group);
  for (int i = 0; i < 3; ++i) {
    dle_bits_[i] = NewBitBox(dle_group, kDleBitCaptions[i].caption, 7 + i);
    dle_column->addWidget(dle_bits_[i]);
  }
  dle_column->addStretch(1);
  grid->addWidget(enq_, 0, 0);
  grid->addWidget(dle_, 0, 1);
  grid->addWidget(enq_group, 1, 0);
  grid->addWidget(dle_group, 1, 1);
  body_->addLayout(grid);
  fetch_ = AddButton("&Pobierz");
  connect(fetch_, &QPushButton::clicked, this, &TStatusDrukarki::Button1Click);
  AddCloseButton("&Zamknij");
  connect(enq_, &QCheckBox::toggled, this, &TStatusDrukarki::TickedChanged);
  connect(dle_, &QCheckBox::toggled, this, &TStatusDrukarki::TickedChanged);
}

void TStatusDrukarki::FormShow() {
  if (!QueryTickedStatus(enq_->isChecked(), dle_->isChecked())) {
    CloseAtNextPaint();
    return;
  }
  ShowBits();
}

void TStatusDrukarki::Button1Click() {
  QueryTickedStatus(enq_->isChecked(), dle_->isChecked());
  ShowBits();
}

void TStatusDrukarki::ShowBits() {
  for (int i = 0; i < 4; ++i) {
    enq_bits_[i]->setEnabled(enq_->isChecked());
    enq_bits_[i]->setChecked((EnqStatus & kEnqBitCaptions[i].bit) != 0);
  }
  for (int i = 0; i < 3; ++i) {
    dle_bits_[i]->setEnabled(dle_->isChecked());
    dle_bits_[i]->setChecked((DleStatus & kDleBitCaptions[i].bit) != 0);
  }
  if (AnswerReceived == 0) CloseAtNextPaint();
}

void TStatusDrukarki::TickedChanged() {
  fetch_->setEnabled(enq_->isChecked() || dle_->isChecked());
}

}  // namespace kelm::dialogs
