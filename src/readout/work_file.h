// The readout's work file, held by one readout alone: created (or taken over) under an exclusive
// lock, so that a second readout into the same file is refused instead of mixing two printers'
// records into one text.
#pragma once

#include <cstdio>
#include <string>

namespace kelm {

class ReadoutWorkFile {
 public:
  enum Result { kHeld, kBusy, kCannotCreate };

  ReadoutWorkFile() = default;
  ~ReadoutWorkFile() { Release(); }
  ReadoutWorkFile(const ReadoutWorkFile&) = delete;
  ReadoutWorkFile& operator=(const ReadoutWorkFile&) = delete;

  // Opens `path` (creating it, never following a link) and locks it; kBusy while another
  // readout holds it. The file's contents are left alone until Start.
  Result Hold(const std::string& path);
  // Empties the held file and returns a stream writing it from the start (the caller closes
  // it; the lock stays). nullptr when not held or the stream cannot be made.
  std::FILE* Start();
  // Deletes the file while it is still held, then lets it go.
  void Remove();
  // Lets the file go, leaving it where it is.
  void Release();

  bool held() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

// The operator's message for a work file another readout holds (UTF-8).
std::string WorkFileBusyMessage(const std::string& path);

}  // namespace kelm
