// The cash information dialog "Informacje Kasowe": the printer's "#s" answer, field by field.
#pragma once

#include <vector>

#include "catalogue/dialogs/DiagnosticDialog.h"

namespace kelm::dialogs {

class TInformacjeKasowe : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TInformacjeKasowe(QWidget* parent = nullptr);

 protected:
  void FormShow() override;

 private:
  void Button1Click();  // "Pobierz"
  // Edit1.. in the order of CashInfoFields.
  std::vector<QLineEdit*> fields_;
};

}  // namespace kelm::dialogs
