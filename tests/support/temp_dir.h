// A fresh temporary folder for a test, removed with its contents afterwards (in $TMPDIR or /tmp).
#pragma once

#include <string>

namespace kelm::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Reads a whole file as bytes ("" when missing).
  static std::string Read(const std::string& file);
  static void Write(const std::string& file, const std::string& bytes);

 private:
  std::string path_;
};

// SHA-1 of bytes as computed by the system's sha1sum, upper-case: a reference made apart from
// ours.
std::string ExternalSha1(const std::string& bytes);

}  // namespace kelm::test
