// "Dane dla numeru kontrolnego paragonu": where the receipt dialog's fields stand on a receipt.
#pragma once

#include "control/dialogs/PrintoutHelp.h"

namespace kelm::dialogs {

class TPomocNrKontrolnyPar : public PrintoutHelp {
  Q_OBJECT
 public:
  explicit TPomocNrKontrolnyPar(QWidget* parent = nullptr);
};

}  // namespace kelm::dialogs
