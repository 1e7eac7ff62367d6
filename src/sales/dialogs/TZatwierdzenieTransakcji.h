// "Zatwierdzenie transakcji": the plain closing ("$e") with the proposed total.
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

// The receipt discount types of both closings, in the order of their codes.
QStringList ReceiptDiscountTypes();

class TZatwierdzenieTransakcji : public SalesDialog {
  Q_OBJECT
 public:
  explicit TZatwierdzenieTransakcji(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* cashier_;
  QLineEdit* total_;
  QLineEdit* payment_;
  QComboBox* discount_type_;
  QLineEdit* discount_;
  QCheckBox* lines_check_;
  QPlainTextEdit* lines_;
};

}  // namespace kelm::dialogs
