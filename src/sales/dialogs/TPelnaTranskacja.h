// "Pełna transakcja": a whole receipt from a table of up to nine lines, payment forms, text
// lines, the buyer's tax number and a QR code, sent in one go.
#pragma once

#include "sales/dialogs/SalesDialog.h"
#include "sales/sequences.h"

class QTableWidget;

namespace kelm::dialogs {

class LinesGrid;

class TPelnaTranskacja : public SalesDialog {
  Q_OBJECT
 public:
  explicit TPelnaTranskacja(QWidget* parent = nullptr);
  LinesGrid* grid() const { return grid_; }
  QTableWidget* payments() const { return payments_; }

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  FullTransactionFields Fields() const;
  void PodliczClick();
  LinesGrid* grid_;
  QLineEdit* total_;
  QLineEdit* discount_;
  QLineEdit* cashier_;
  QTableWidget* payments_;
  QPlainTextEdit* lines_;
  QCheckBox* nip_check_;
  QLineEdit* nip_;
  QCheckBox* qr_check_;
  QLineEdit* qr_;
};

}  // namespace kelm::dialogs
