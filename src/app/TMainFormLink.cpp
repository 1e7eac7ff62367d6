// The main window's actions that talk to the printer.
#include <QFileDialog>

#include "app/TMainForm.h"
#include "catalogue/raw_panel.h"
#include "link/settings.h"
#include "protocol/operator.h"

namespace kelm {

void TMainForm::RefreshLink() {}

uint8_t TMainForm::CurrentAnswerReceived() const {
  return 255;
}

void TMainForm::CloseLink() {}

void TMainForm::ToggleLogClick() {}

void TMainForm::SearchClick() {
  RefreshMainWindow();
}

void TMainForm::FetchClick() {
  RefreshMainWindow();
}

void TMainForm::SendRawClick() {
  PanelTextToCommandFrame(sent_edit_->toPlainText().toStdString());
  RefreshMainWindow();
}

void TMainForm::ReceiveClick() {
  RefreshMainWindow();
}

void TMainForm::BinaryFileClick() {
  if (NoLink()) {
    TheOperator().ShowMessage("Nie wybrano portu komunikacyjnego.");
    return;
  }
  OpenDialog("TWyslijOdbierzPlikBin");
}

void TMainForm::SendCommandPositionsClick(bool show_each) {
  (void)show_each;
  const QString path = QFileDialog::getOpenFileName(this, "Otwórz plik który zamierzasz wysłać.");
  if (path.isEmpty()) return;
}

}  // namespace kelm
