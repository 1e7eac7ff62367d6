// The binary file transfer dialog: the Qt face of BinaryFileTransfer.
#pragma once

#include <functional>

#include "link/dialogs/WaitShell.h"
#include "readout/binary_transfer.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm::dialogs {

class TWyslijOdbierzPlikBin : public WaitShell {
  Q_OBJECT
 public:
  explicit TWyslijOdbierzPlikBin(QWidget* parent = nullptr);
  // Shown from the menu: runs the transfer engine while the dialog is open.
  int exec() override;

  BinaryFileTransfer& engine() { return engine_; }
  // How the two files are chosen (empty: cancelled); tests answer without a window.
  std::function<QString()> chooseSource;
  std::function<QString()> chooseTarget;

 protected:
  void Started() override { Refresh(); }
  void Ticked() override { Refresh(); }

 private:
  void Refresh();
  // After a button: the engine may ask the dialog to close.
  void AfterAction();

  BinaryFileTransfer engine_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLabel* label2_;
  QLabel* label3_;
  QLabel* label4_;
  QPushButton* button2_;
  QPushButton* button3_;
  QPushButton* button4_;
  QPushButton* button5_;
};

}  // namespace kelm::dialogs
