// Output of outside commands for tests.
#include "support/command_output.h"

#include <cstdio>

namespace kelm::test {

std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (p == nullptr) return out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
  pclose(p);
  return out;
}

}  // namespace kelm::test
