// Temporary folders for tests, and a reference SHA-1.
#include "support/temp_dir.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kelm::test {

TempDir::TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kelmtest.XXXXXX";
  char* made = mkdtemp(pattern.data());
  path_ = made != nullptr ? made : "";
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Read(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void TempDir::Write(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string ExternalSha1(const std::string& bytes) {
  TempDir dir;
  const std::string file = dir.File("data.bin");
  TempDir::Write(file, bytes);
  std::string command = "sha1sum '" + file + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "";
  char out[128] = {};
  const size_t n = std::fread(out, 1, sizeof out - 1, pipe);
  pclose(pipe);
  std::string hex(out, n < 40 ? n : 40);
  for (char& c : hex) c = char(std::toupper(static_cast<unsigned char>(c)));
  return hex;
}

}  // namespace kelm::test
