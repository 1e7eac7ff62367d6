// The names the program and its fiscal-memory reading module show for themselves; the module's
// name follows the configured model.
#pragma once

#include <string>

namespace kelm {

inline constexpr const char* kProgramVersion = "2.52";

// Kind 0: the program; kind 1: the fiscal-memory reading module of the current model.
std::string ProgramDesignation(int kind);

}  // namespace kelm
