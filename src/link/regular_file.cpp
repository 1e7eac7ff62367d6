// Regular files only.
#include "link/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelm {

FileRead ReadRegularFile(const std::string& path, size_t limit, std::string* text) {
  text->clear();
  // Non-blocking, so that opening a FIFO returns at once and is then refused.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileRead::kMissing : FileRead::kCannotRead;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return FileRead::kNotAFile;
  }
  text->resize(limit);
  size_t done = 0;
  ssize_t n = 1;
  while (done < limit && (n = read(fd, text->data() + done, limit - done)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    done += static_cast<size_t>(n);
  }
  close(fd);
  text->resize(done);
  return n < 0 ? FileRead::kCannotRead : FileRead::kRead;
}

}  // namespace kelm
