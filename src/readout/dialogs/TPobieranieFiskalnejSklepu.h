// The download dialog of a readout pass: the Qt face of DownloadEngine.
#pragma once

#include "link/dialogs/WaitShell.h"

class QLabel;

namespace kelm::dialogs {

class TPobieranieFiskalnejSklepu : public WaitShell {
  Q_OBJECT
 public:
  explicit TPobieranieFiskalnejSklepu(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  QLabel* label1_;
  QLabel* label2_;
};

}  // namespace kelm::dialogs
