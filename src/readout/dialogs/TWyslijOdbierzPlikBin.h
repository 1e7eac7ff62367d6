// The binary file transfer dialog: the Qt face of BinaryFileTransfer.
#pragma once

#include "readout/binary_transfer.h"
#include "readout/dialogs/TransferShell.h"

namespace kelm::dialogs {

class TWyslijOdbierzPlikBin : public TransferShell {
  Q_OBJECT
 public:
  explicit TWyslijOdbierzPlikBin(QWidget* parent = nullptr);

  BinaryFileTransfer& engine() { return engine_; }
  // How the file to send is chosen (empty: cancelled); tests answer without a window.
  std::function<QString()> chooseSource;

 protected:
  void Refresh() override;
  bool Running() const override { return engine_.Transferring(); }

 private:
  BinaryFileTransfer engine_;
  QLineEdit* edit1_;
  QLabel* label2_;
  QLabel* label4_;
  QPushButton* button2_;
  QPushButton* button4_;
};

}  // namespace kelm::dialogs
