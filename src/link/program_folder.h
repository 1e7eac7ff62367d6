// Where the program keeps its files: the folder of the executable, and the TEMP folder.
#pragma once

#include <string>

namespace kelm {

// Where the program keeps its files (no trailing "/"): the folder of the running executable, as
// when it runs from where it was built; for an installed program (see InstalledFolder) the user's
// folder of it, created when missing; or the one SetProgramFolder chose.
std::string ProgramFolder();
// True for the folder of an installed executable, which belongs to the system rather than to the
// user: /bin, or a folder ending in /usr/bin or /usr/local/bin (also under a root unpacked
// elsewhere).
bool InstalledFolder(const std::string& exe_folder);
// The program's folder for an executable in `exe_folder`: that folder itself unless it is an
// installed one; then $XDG_CONFIG_HOME/kldiag (when absolute) or $HOME/.config/kldiag, and the
// executable's folder still when neither is known. Null variables count as unset.
std::string ProgramFolderFor(const std::string& exe_folder, const char* xdg_config_home,
                             const char* home);
// True when the program runs installed and no folder was chosen: its settings file is then read
// from the program's folder rather than the current directory.
bool RunsInstalled();
// Makes `folder` the program's folder (tests, tools); an empty text returns to the default.
void SetProgramFolder(const std::string& folder);
// `name` inside the program's folder.
std::string InProgramFolder(const std::string& name);
// $TMPDIR, or /tmp.
std::string TempFolder();

}  // namespace kelm
