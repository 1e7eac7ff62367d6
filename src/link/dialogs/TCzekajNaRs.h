// The flow-control wait "Czekam na gotowość drukarki": the Qt face of the wait engine.
#pragma once

#include "link/dialogs/WaitShell.h"

class QProgressBar;

namespace kelm::dialogs {

class TCzekajNaRs : public WaitShell {
  Q_OBJECT
 public:
  explicit TCzekajNaRs(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  QProgressBar* bar_;
};

}  // namespace kelm::dialogs
