// "Drukowanie transakcji testowych": the run dialog, the Qt face of TestRunEngine.
#pragma once

#include "link/dialogs/WaitShell.h"

class QLabel;
class QLineEdit;
class QSlider;

namespace kelm::dialogs {

class TDrukTransTest : public WaitShell {
  Q_OBJECT
 public:
  explicit TDrukTransTest(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  QLineEdit* AddField(const char* name, const char* caption);
  QSlider* AddSlider(const char* name, const char* caption);
  QLineEdit* receipt_;
  QLineEdit* line_;
  QLineEdit* receipt_sum_;
  QLineEdit* grand_total_;
  QSlider* line_slider_;
  QSlider* receipt_slider_;
  QLabel* wait_text_;
};

}  // namespace kelm::dialogs
