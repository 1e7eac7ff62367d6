// The raw memory readout dialog: the Qt face of MemoryBlockReadout.
#pragma once

#include <functional>

#include "link/dialogs/WaitShell.h"
#include "readout/memory_readout.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm::dialogs {

class TOdczytBloku : public WaitShell {
  Q_OBJECT
 public:
  explicit TOdczytBloku(QWidget* parent = nullptr);
  // Shown from the menu: runs the readout engine while the dialog is open.
  int exec() override;

  MemoryBlockReadout& engine() { return engine_; }
  // How the target file is chosen (empty: cancelled); tests answer without a window.
  std::function<QString()> chooseTarget;

 protected:
  void Started() override { Refresh(); }
  void Ticked() override { Refresh(); }

 private:
  void Refresh();
  void AfterAction();

  MemoryBlockReadout engine_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLabel* label3_;
  QPushButton* button3_;
  QPushButton* button5_;
};

}  // namespace kelm::dialogs
