// The card payment confirmations: "#g" (debit) and "#h" (credit), alike but for their captions.
#pragma once

#include <array>

#include "sales/dialogs/SalesDialog.h"
#include "sales/sales_frames.h"

class QRadioButton;

namespace kelm::dialogs {

class CardConfirmationDialog : public SalesDialog {
  Q_OBJECT
 protected:
  CardConfirmationDialog(QWidget* parent, const char* name, const char* caption,
                         const char* heading, bool debit);
  void Button1Click() override;

 private:
  bool debit_;
  std::array<QLineEdit*, kCardFields> fields_;
  QRadioButton* modes_[3];
  QCheckBox* register_line_;
};

class TPowitowanieSprzedarzy : public CardConfirmationDialog {
  Q_OBJECT
 public:
  explicit TPowitowanieSprzedarzy(QWidget* parent = nullptr);
};

class TTransakcjaUznana : public CardConfirmationDialog {
  Q_OBJECT
 public:
  explicit TTransakcjaUznana(QWidget* parent = nullptr);
};

}  // namespace kelm::dialogs
