// The currency commands: printing the receipt amount in a foreign currency ("$$") and the change
// of the accounting currency ("##").
#pragma once

#include "sales/dialogs/SalesDialog.h"

class QDateEdit;
class QGroupBox;
class QRadioButton;

namespace kelm::dialogs {

class TPrzeliczenieNaWaluty : public SalesDialog {
  Q_OBJECT
 public:
  explicit TPrzeliczenieNaWaluty(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  QRadioButton* print_;
  QRadioButton* no_print_;
  QGroupBox* group_;
  QComboBox* multiplier_;
  QLineEdit* foreign_;
  QLineEdit* rate_;
  QLineEdit* home_;
};

class TZmianaWalutyEwidencyjnej : public SalesDialog {
  Q_OBJECT
 public:
  explicit TZmianaWalutyEwidencyjnej(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  void UpdateEnabling();
  QRadioButton* modes_[3];
  QGroupBox* code_group_;
  QGroupBox* when_group_;
  QLineEdit* code_;
  QDateEdit* date_;
  QLineEdit* time_;
};

}  // namespace kelm::dialogs
