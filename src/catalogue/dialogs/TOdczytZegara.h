// The clock dialog "Odczyt Zegara": the printer's date and time.
#pragma once

#include "catalogue/dialogs/DiagnosticDialog.h"

namespace kelm::dialogs {

class TOdczytZegara : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TOdczytZegara(QWidget* parent = nullptr);

 protected:
  void FormShow() override;

 private:
  void Button1Click();  // "&Pobierz"
  QLineEdit* date_;
  QLineEdit* time_;
};

}  // namespace kelm::dialogs
