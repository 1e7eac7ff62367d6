// "Sprawdzenie numeru kontrolnego raportu dobowego": a printed daily report's data, sent for the
// printer to check its control number.
#pragma once

#include "control/dialogs/ControlNumberDialog.h"

namespace kelm::dialogs {

class TNrKontrolnyRapDobowego : public ControlNumberDialog {
  Q_OBJECT
 public:
  explicit TNrKontrolnyRapDobowego(QWidget* parent = nullptr);
  DailyControlData Data() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void Send() override;

 private:
  void FormShow();

  QTableWidget* taxed_;   // StringGrid1
  QTableWidget* exempt_;  // StringGrid2
  QLineEdit* vat_;        // Edit2
  QLineEdit* receipts_;   // Edit3
  QLineEdit* running_;    // Edit4
  QLineEdit* invoices_;   // Edit5
  QLabel* invoices_label_;
  InvoiceSetting setting_;
};

}  // namespace kelm::dialogs
