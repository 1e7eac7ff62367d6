// "Paragon za 1 grosik": the smallest receipt, and the drawer after it.
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

class TParagonZa1 : public SalesDialog {
  Q_OBJECT
 public:
  explicit TParagonZa1(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QComboBox* vat_;
  QCheckBox* drawer_;
};

}  // namespace kelm::dialogs
