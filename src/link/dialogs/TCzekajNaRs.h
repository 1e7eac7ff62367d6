// The flow-control wait "Czekam na gotowość drukarki": the Qt face of FlowControlWait.
#pragma once

#include "link/dialogs/WaitShell.h"

namespace kelm::dialogs {

class TCzekajNaRs : public WaitShell {
  Q_OBJECT
 public:
  explicit TCzekajNaRs(QWidget* parent = nullptr);

 protected:
  void Ticked() override;
};

}  // namespace kelm::dialogs
