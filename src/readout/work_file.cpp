// The locked work file of a readout.
#include "readout/work_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelm {

ReadoutWorkFile::Result ReadoutWorkFile::Hold(const std::string& path) {
  Release();
  // A holder may delete the file between our open and our lock; the lock then sits on a file
  // nobody can see, so look again until the locked file is the one under the name.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return kCannotCreate;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      close(fd);
      return error == EWOULDBLOCK ? kBusy : kCannotCreate;
    }
    struct stat held, named;
    if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      if (!S_ISREG(held.st_mode)) {
        close(fd);
        return kCannotCreate;
      }
      fd_ = fd;
      path_ = path;
      return kHeld;
    }
    close(fd);
  }
  return kBusy;
}

std::FILE* ReadoutWorkFile::Start() {
  if (fd_ < 0 || ftruncate(fd_, 0) != 0 || lseek(fd_, 0, SEEK_SET) != 0) return nullptr;
  // The stream gets a descriptor of its own on the same open file, so closing it keeps the lock.
  const int fd = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
  return file;
}

void ReadoutWorkFile::Remove() {
  if (fd_ >= 0) unlink(path_.c_str());
  Release();
}

void ReadoutWorkFile::Release() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
}

std::string WorkFileBusyMessage(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return "Plik " + name +
         " jest używany przez inny trwający odczyt pamięci fiskalnej. Spróbuj ponownie po jego "
         "zakończeniu.";
}

}  // namespace kelm
