// The cancel dialog.
#include "sales/dialogs/TAnulowanieTransakcji.h"

#include <QLabel>
#include <QVBoxLayout>

#include "sales/receipt_commands.h"

namespace kelm::dialogs {

TAnulowanieTransakcji::TAnulowanieTransakcji(QWidget* parent)
    : SalesDialog(parent, "TAnulowanieTransakcji", "Anulowanie transakcji", true) {
  auto* label = new QLabel("Anulowanie transakcji", this);
  label->setObjectName("Label1");
  body_->addWidget(label);
}

void TAnulowanieTransakcji::Button1Click() {
  CloseAfter(SendCancelTransaction());
}

}  // namespace kelm::dialogs
