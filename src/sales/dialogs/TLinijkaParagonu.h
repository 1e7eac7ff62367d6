// "Linijka Paragonu": one sales line ("$l"); the gross follows the quantity and the price.
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

class TLinijkaParagonu : public SalesDialog {
  Q_OBJECT
 public:
  explicit TLinijkaParagonu(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* number_;
  QLineEdit* name_;
  QLineEdit* quantity_;
  QComboBox* vat_;
  QLineEdit* price_;
  QLineEdit* gross_;
  QComboBox* discount_code_;
  QLineEdit* discount_;
  QCheckBox* storno_;
};

}  // namespace kelm::dialogs
