// The main window's actions that talk to the printer.
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QTextEdit>

#include "app/TMainForm.h"
#include "catalogue/cash_info.h"
#include "catalogue/diagnostics_queries.h"
#include "catalogue/raw_panel.h"
#include "link/command_execution.h"
#include "link/command_positions.h"
#include "link/dialogs/TSzukamdrukarki.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/transmission_log.h"
#include "protocol/frame.h"
#include "protocol/operator.h"

namespace kelm {

void TMainForm::RefreshLink() {
  if (FirstShow && LinkSettings.PortNumber != kNoPort && !SerialHandle().IsOpen()) {
    OpenSerialPort(1);
  }
}

uint8_t TMainForm::CurrentAnswerReceived() const {
  return AnswerReceived;
}

void TMainForm::CloseLink() {
  if (TcpSocketOpen()) TcpDisconnect();
}

void TMainForm::ToggleLogClick() {
  const bool on = ToggleTransmissionLog();
  log_action_->setChecked(on);
  log_label_->setVisible(on);
}

void TMainForm::SearchClick() {
  auto* search = static_cast<dialogs::TSzukamdrukarki*>(FindDialog("TSzukamdrukarki"));
  if (search != nullptr) {
    // A chosen printer may be another one: the cash data shown so far no longer belongs to it.
    if (search->exec() == QDialog::Accepted) ResetCashInfo();
    if (search->Listed() == 0) {
      TheOperator().ShowMessage("Nie znaleziono żadnej drukarki fiskalnej");
    }
  }
  BuildTrees();
  RefreshMainWindow();
}

void TMainForm::FetchClick() {
  ReadCashInfo();
  RefreshMainWindow();
}

// Sent as a byte count, so <00H> in the text goes out too; no check value, no answer awaited.
void TMainForm::SendRawClick() {
  const size_t length = PanelTextToCommandFrame(sent_edit_->toPlainText().toStdString());
  SendBytes(CommandFrame, length);
  RefreshMainWindow();
}

void TMainForm::ReceiveClick() {
  ReceiveAnswer();
  RefreshMainWindow();
}

// The pane under "Dane wysłane" follows every keystroke and paste; a wrong or missing check
// value shows in red with the value the frame should carry.
void TMainForm::ShowDecodedFrame() {
  QString html;
  for (const PaneLine& line : DecodePanelText(sent_edit_->toPlainText().toStdString())) {
    const QString text = QString::fromStdString(line.text).toHtmlEscaped();
    html += line.wrong ? "<span style=\"color:#c00000\">" + text + "</span>" : text;
    html += "<br>";
  }
  decoded_pane_->setHtml("<div style=\"white-space:pre-wrap\">" + html + "</div>");
}

// Not modal: the window lists the traffic while the operator goes on working.
void TMainForm::ShowTrafficWindow() {
  QDialog* window = FindDialog("TPodgladTransmisji");
  if (window == nullptr) return;
  window->show();
  window->raise();
  window->activateWindow();
}

void TMainForm::BinaryFileClick() {
  if (!RequireLink()) return;
  OpenDialog("TWyslijOdbierzPlikBin");
}

void TMainForm::SendCommandPositionsClick(bool show_each) {
  QFileDialog open(this, "Otwórz plik który zamierzasz wysłać.");
  open.setObjectName("OpenDialog1");
  open.setOption(QFileDialog::DontUseNativeDialog);
  open.setFileMode(QFileDialog::ExistingFile);
  if (open.exec() != QDialog::Accepted || open.selectedFiles().isEmpty()) return;
  SendCommandPositionsFile(open.selectedFiles().first().toStdString(), show_each);
}

}  // namespace kelm
