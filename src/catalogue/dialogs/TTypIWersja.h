// The type dialog "Typ i wersja oprogramowania": the printer's type and firmware version and,
// for family 2, the check code of its program memory.
#pragma once

#include "catalogue/dialogs/DiagnosticDialog.h"

class QCheckBox;
class QGroupBox;

namespace kelm::dialogs {

class TTypIWersja : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TTypIWersja(QWidget* parent = nullptr);

 protected:
  void FormShow() override;

 private:
  void Button1Click();  // "&Pobierz"
  void Button2Click();  // "&Drukuj i wyświetlaj na drukarce"
  void CheckBox1Click();
  QLineEdit* type_;
  QLineEdit* version_;
  QCheckBox* with_code_;
  QGroupBox* code_group_;
  QLineEdit* from_;
  QLineEdit* to_;
  QLineEdit* code_;
};

}  // namespace kelm::dialogs
