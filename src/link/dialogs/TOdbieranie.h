// The receiving dialog "Odbieram dane": the Qt face of the reception engine.
#pragma once

#include "link/dialogs/WaitShell.h"

class QLabel;
class QLineEdit;
class QProgressBar;

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
  QProgressBar* bar_;
  QLabel* counter_;
};

}  // namespace kelm::dialogs
