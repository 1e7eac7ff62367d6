// The periodic report: three range modes, the emergency, full and non-fiscal boxes, and the
// mode rules that tie them to the model.
#pragma once

#include "config/dialogs/ConfigDialog.h"
#include "config/reports.h"

namespace kelm::dialogs {

class TWydrukRaportOkresowy : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TWydrukRaportOkresowy(QWidget* parent = nullptr);
  PeriodicReportRequest Request() const;

 protected:
  SendOutcome Send() override;
  void FormShow() override;

 private:
  QRadioButton* modes_[3];
  QLineEdit* month_;
  QLineEdit* from_date_;
  QLineEdit* to_date_;
  QLineEdit* first_;
  QLineEdit* last_;
  QCheckBox* emergency_;
  QCheckBox* full_;
  QCheckBox* non_fiscal_;
};

}  // namespace kelm::dialogs
