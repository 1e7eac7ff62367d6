// Running a test inside a folder.
#include "support/in_folder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "link/program_folder.h"

namespace kelm::test {

InFolder::InFolder(const std::string& dir) {
  char cwd[PATH_MAX];
  if (getcwd(cwd, sizeof cwd) != nullptr) old_cwd_ = cwd;
  if (chdir(dir.c_str()) != 0) std::abort();
  SetProgramFolder(dir);
}

InFolder::~InFolder() {
  SetProgramFolder("");
  if (!old_cwd_.empty() && chdir(old_cwd_.c_str()) != 0) std::abort();
}

}  // namespace kelm::test
