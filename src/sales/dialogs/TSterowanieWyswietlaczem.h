// "Sterowanie wyświetlaczem / szufladą": the drawer and the customer display ("$d", FFh, no
// check value).
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

class TSterowanieWyswietlaczem : public SalesDialog {
  Q_OBJECT
 public:
  explicit TSterowanieWyswietlaczem(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QComboBox* operation_;
  QLineEdit* text_;
};

}  // namespace kelm::dialogs
