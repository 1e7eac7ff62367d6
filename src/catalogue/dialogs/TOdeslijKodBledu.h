// The error-code dialog "Kod błędu ostatniego rozkazu": the printer's last error and its text.
#pragma once

#include "catalogue/dialogs/DiagnosticDialog.h"

class QLabel;

namespace kelm::dialogs {

class TOdeslijKodBledu : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TOdeslijKodBledu(QWidget* parent = nullptr);

 protected:
  void FormShow() override;

 private:
  void Button1Click();  // "&Pobierz"
  QLabel* code_;
  QLabel* description_;
};

}  // namespace kelm::dialogs
