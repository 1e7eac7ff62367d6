// Puts every process-wide record of the headless rooms back to its start values.
#pragma once

namespace kelm::test {
void ResetProcessState();
}
