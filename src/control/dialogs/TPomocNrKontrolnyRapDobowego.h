// "Dane dla numeru kontrolnego raportu dobowego": where the daily-report dialog's fields stand on
// a daily report.
#pragma once

#include "control/dialogs/PrintoutHelp.h"

namespace kelm::dialogs {

class TPomocNrKontrolnyRapDobowego : public PrintoutHelp {
  Q_OBJECT
 public:
  explicit TPomocNrKontrolnyRapDobowego(QWidget* parent = nullptr);
};

}  // namespace kelm::dialogs
