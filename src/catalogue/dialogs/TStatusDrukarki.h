// The status dialog "Status drukarki": the bits of the ENQ and DLE status bytes.
#pragma once

#include "catalogue/dialogs/DiagnosticDialog.h"

class QCheckBox;

namespace kelm::dialogs {

class TStatusDrukarki : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TStatusDrukarki(QWidget* parent = nullptr);

 protected:
  void FormShow() override;

 private:
  void Button1Click();  // "&Pobierz"
  void ShowBits();
  void TickedChanged();
  QCheckBox* enq_;
  QCheckBox* dle_;
  QCheckBox* enq_bits_[4];
  QCheckBox* dle_bits_[3];
  QPushButton* fetch_;
};

}  // namespace kelm::dialogs
