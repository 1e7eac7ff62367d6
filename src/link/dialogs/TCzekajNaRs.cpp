// The flow-control wait.
#include "link/dialogs/TCzekajNaRs.h"

#include <QLabel>
#include <QProgressBar>

#include "link/printer_link.h"

namespace kelm::dialogs {

TCzekajNaRs::TCzekajNaRs(QWidget* parent) : WaitShell(parent) {
  setObjectName("TCzekajNaRs");
  setWindowTitle(QString::fromUtf8(FlowControlWait::kCaption));
  int n = 1;
  for (const char* text : {"Drukarka niegotowa.", "Czekam na jej gotowość ..."}) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QString("Label%1").arg(n++));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    AddAboveBar(label);
  }
}

void TCzekajNaRs::Ticked() {
  Bar()->setValue(Current<FlowControlWait>().progress_position);
}

}  // namespace kelm::dialogs
