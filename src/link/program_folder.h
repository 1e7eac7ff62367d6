// Where the program keeps its files: the folder of the executable, and the TEMP folder.
#pragma once

#include <string>

namespace kelm {

// The folder of the running executable (no trailing "/"), unless SetProgramFolder chose another.
std::string ProgramFolder();
// Makes `folder` the program's folder (tests, tools); an empty text returns to the default.
void SetProgramFolder(const std::string& folder);
// `name` inside the program's folder.
std::string InProgramFolder(const std::string& name);
// $TMPDIR, or /tmp.
std::string TempFolder();

}  // namespace kelm
