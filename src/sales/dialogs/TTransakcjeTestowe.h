// "Transakcje testowe": the settings of a test run. Opening it from the transaction tree runs the
// family's whole entry: these settings, the totals before, the run dialog, the totals after.
#pragma once

#include "sales/dialogs/SalesDialog.h"
#include "sales/test_run.h"

class QGroupBox;
class QRadioButton;

namespace kelm::dialogs {

class TDrukTransTest;

class TTransakcjeTestowe : public SalesDialog {
  Q_OBJECT
 public:
  explicit TTransakcjeTestowe(QWidget* parent = nullptr);
  // The entry from the tree; the settings alone are shown by ShowSettings.
  int exec() override;
  int ShowSettings();
  TDrukTransTest* RunDialog() const { return run_; }

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  QRadioButton* Radio(const char* caption);
  QGroupBox* Group(const char* caption);
  TestRunForm Form() const;
  QRadioButton *unlimited_, *limited_, *fixed_, *random_, *no_line_discount_, *line_discount_,
      *no_receipt_discount_, *receipt_discount_, *method1_, *method2_;
  QLineEdit *count_, *fixed_count_, *from_, *to_, *line_max_, *receipt_max_;
  QCheckBox *on_line_, *drawer_, *totals_, *unique_;
  QGroupBox* method_group_;
  TDrukTransTest* run_;
  int radios_ = 0;
};

}  // namespace kelm::dialogs
