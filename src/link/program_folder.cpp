// The program's folder: beside the executable, or the user's folder of an installed program.
#include "link/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kelm {
namespace {
std::string chosen;

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every missing folder of `path`, like mkdir -p; failures show later, when a file is written.
void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) break;
  }
}

}  // namespace

bool InstalledFolder(const std::string& exe_folder) {
  return exe_folder == "/bin" || EndsWith(exe_folder, "/usr/bin") ||
         EndsWith(exe_folder, "/usr/local/bin");
}

std::string ProgramFolderFor(const std::string& exe_folder, const char* xdg_config_home,
                             const char* home) {
  if (!InstalledFolder(exe_folder)) return exe_folder;
  // As the desktop's base directories have it: a relative XDG_CONFIG_HOME is to be ignored.
  if (xdg_config_home != nullptr && xdg_config_home[0] == '/')
    return std::string(xdg_config_home) + "/kldiag";
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/kldiag";
  return exe_folder;
}

std::string ProgramFolder() {
  if (!chosen.empty()) return chosen;
  const std::string exe = ExecutableFolder();
  const std::string folder =
      ProgramFolderFor(exe, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (folder != exe) MakeFolders(folder);
  return folder;
}

bool RunsInstalled() {
  return chosen.empty() && InstalledFolder(ExecutableFolder());
}

void SetProgramFolder(const std::string& folder) {
  chosen = folder;
}

std::string InProgramFolder(const std::string& name) {
  return ProgramFolder() + "/" + name;
}

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

}  // namespace kelm
