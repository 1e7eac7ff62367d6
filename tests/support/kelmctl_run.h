// kelmctl as a separate process, for end-to-end tests: run in a folder, its exit status and what
// it printed, with a watchdog that kills a run that would never end.
#pragma once

#include <string>
#include <vector>

namespace kelm::test {

struct KelmctlRun {
  int status = -1;       // the exit status; -1 when it did not exit by itself
  bool hung = false;     // killed by the watchdog
  bool crashed = false;  // ended by a signal of its own
  std::string out, err;
};

// Runs kelmctl with `args` in `folder`; after `watchdog_ms` it is killed and counts as hung.
KelmctlRun RunKelmctl(const std::string& folder, const std::vector<std::string>& args,
                      int watchdog_ms = 20000);

// True when this build has kelmctl to run.
bool KelmctlAvailable();

}  // namespace kelm::test
