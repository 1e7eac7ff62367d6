// SeamGuard: installs the test seams and resets the process-wide records.
#include "support/scripted_operator.h"

#include "support/reset.h"

namespace kelm::test {

SeamGuard::SeamGuard() {
  ResetProcessState();
  InstallOperator(&op);
  InstallClock(&clock);
}

SeamGuard::~SeamGuard() {
  InstallOperator(nullptr);
  InstallClock(nullptr);
  ResetProcessState();
}

}  // namespace kelm::test
