// The receiving dialog "Odbieram dane": the Qt face of AnswerReception.
#pragma once

#include "link/dialogs/WaitShell.h"

class QLabel;
class QLineEdit;

namespace kelm::dialogs {

class TOdbieranie : public WaitShell {
  Q_OBJECT
 public:
  explicit TOdbieranie(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  QLineEdit* text_box_;
  QLabel* counter_;
};

}  // namespace kelm::dialogs
