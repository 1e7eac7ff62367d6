// kelmctl's configuration and report commands: VAT rates, tax number, clock, settings readout,
// fiscal reports, the option commands and the default values.
#pragma once

#include <string>
#include <vector>

namespace kelm {

// The command names this file handles.
bool IsConfigCommand(const std::string& name);
// Runs one of them with its words and flags after the command name; `output` is the -o file.
// Returns kelmctl's exit status (64 after printing `kConfigUsage` for bad arguments).
int RunConfigCommand(const std::string& name, const std::vector<std::string>& args,
                     const std::string& output);
extern const char* const kConfigUsage;

}  // namespace kelm
