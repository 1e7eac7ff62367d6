// The tax number (training mode) and the clock correction.
#pragma once

#include "config/dialogs/ConfigDialog.h"

class QTimeEdit;

namespace kelm::dialogs {

class TProgramowanieNIP : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TProgramowanieNIP(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
  void FormShow() override;

 private:
  QRadioButton* training_;
  QRadioButton* fiscal_;
  QLineEdit* nip_;
  QLabel* heading_;
};

class TKorektaZegara : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TKorektaZegara(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
  void FormShow() override;

 private:
  QDateEdit* date_;
  QTimeEdit* time_;
};

}  // namespace kelm::dialogs
