// "Początek transakcji": the receipt start ("$h"), on-line or in block mode, with the system
// number plain or as a barcode.
#pragma once

#include "sales/dialogs/SalesDialog.h"

class QRadioButton;

namespace kelm::dialogs {

class TPoczatekTransakcji : public SalesDialog {
  Q_OBJECT
 public:
  explicit TPoczatekTransakcji(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  void UpdateEnabling();
  QRadioButton* block_;
  QRadioButton* online_;
  QLineEdit* lines_;
  QCheckBox* barcode_;
  QComboBox* format_;
  QLineEdit* number_;
};

}  // namespace kelm::dialogs
