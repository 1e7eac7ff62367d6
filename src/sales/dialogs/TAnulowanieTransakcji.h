// "Anulowanie transakcji": cancels the open receipt ("$e" with 0).
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

class TAnulowanieTransakcji : public SalesDialog {
  Q_OBJECT
 public:
  explicit TAnulowanieTransakcji(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
};

}  // namespace kelm::dialogs
