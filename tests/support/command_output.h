// Runs a shell command (an outside checker such as xorriso) and returns what it printed.
#pragma once

#include <string>

namespace kelm::test {

// Standard output and standard error together; "" when the command could not be started.
std::string CommandOutput(const std::string& command);

}  // namespace kelm::test
