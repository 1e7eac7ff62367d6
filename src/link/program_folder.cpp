// The program's folder from /proc/self/exe, overridable.
#include "link/program_folder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kelm {
namespace {
std::string chosen;
}

std::string ProgramFolder() {
  if (!chosen.empty()) return chosen;
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
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
