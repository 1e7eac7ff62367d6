// "Sprawdzenie numeru kontrolnego paragonu": a printed receipt's or invoice's data, sent for the
// printer to check its control number.
#pragma once

#include "control/dialogs/ControlNumberDialog.h"

namespace kelm::dialogs {

class TNrKontrolnyPar : public ControlNumberDialog {
  Q_OBJECT
 public:
  explicit TNrKontrolnyPar(QWidget* parent = nullptr);
  // The fields as the series takes them.
  ReceiptControlData Data() const;

 protected:
  void Send() override;

 private:
  void CheckBox2Click();  // "Paragon anulowany"
  void CheckBox3Click();  // "NIP nabywcy:"

  QTableWidget* grid_;
  QLineEdit* vat_;      // Edit2
  QLineEdit* total_;    // Edit3
  QLineEdit* receipt_;  // Edit4
  QLineEdit* nip_;      // Edit5
  QLineEdit* time_;     // MaskEdit2
  QCheckBox* cancelled_;
  QCheckBox* nip_given_;
};

}  // namespace kelm::dialogs
