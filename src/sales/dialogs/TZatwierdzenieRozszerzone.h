// "Zatwierdzenie rozszerzone": the extended closing ("$x") with seven payment forms, and the
// foreign-currency lines taken from "Waluty".
#pragma once

#include <array>

#include "sales/dialogs/SalesDialog.h"
#include "sales/receipt_frames.h"

namespace kelm::dialogs {

class TWaluty;

class TZatwierdzenieRozszerzone : public SalesDialog {
  Q_OBJECT
 public:
  explicit TZatwierdzenieRozszerzone(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  void WalutyClick();
  QLineEdit* total_;
  QLineEdit* cashier_;
  std::array<QCheckBox*, kExtendedPayments> checks_;
  std::array<QLineEdit*, kExtendedPayments> amounts_;
  QLineEdit* card_name_;
  QLineEdit* cheque_name_;
  QLineEdit* voucher_name_;
  QComboBox* discount_type_;
  QLineEdit* discount_;
  QCheckBox* lines_check_;
  QPlainTextEdit* lines_;
  TWaluty* currencies_;
};

}  // namespace kelm::dialogs
