// A folder made the current directory and the program's folder for a test's life.
#pragma once

#include <string>

#include "support/temp_dir.h"

namespace kelm::test {

// While alive: the current directory and the program's folder are `dir`.
class InFolder {
 public:
  explicit InFolder(const std::string& dir);
  ~InFolder();

 private:
  std::string old_cwd_;
};

}  // namespace kelm::test
