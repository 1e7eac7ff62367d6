// The flow-control wait.
#include "link/dialogs/TCzekajNaRs.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/printer_link.h"

namespace kelm::dialogs {

TCzekajNaRs::TCzekajNaRs(QWidget* parent) : WaitShell(parent) {
  setObjectName("TCzekajNaRs");
  setWindowTitle(QString::fromUtf8(kelm::TCzekajNaRs::kCaption));
  auto* layout = new QVBoxLayout(this);
  int n = 1;
  for (const char* text : {"Drukarka niegotowa.", "Czekam na jej gotowość ..."}) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QString("Label%1").arg(n++));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);
  }
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  auto* button = new QPushButton("&Przerwij", this);
  button->setObjectName("Button1");
  layout->addWidget(button, 0, Qt::AlignHCenter);
  connect(button, &QPushButton::clicked, this, &TCzekajNaRs::Cancel);
}

void TCzekajNaRs::Started() {
  bar_->setValue(0);
}

void TCzekajNaRs::Ticked() {
  bar_->setValue(static_cast<kelm::TCzekajNaRs*>(CurrentWait())->progress_position);
}

}  // namespace kelm::dialogs
