// DaneWe.bin and DaneWy.bin.
#include "link/transmission_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "link/program_folder.h"
#include "protocol/operator.h"

namespace kelm {
namespace {

int incoming = -1;
int outgoing = -1;
std::string folder;  // "" for the program's folder
TrafficObserver observer;

void CloseLog(int* fd) {
  if (*fd >= 0) ::close(*fd);
  *fd = -1;
}

int CreateLog(const char* name) {
  const std::string path = folder.empty() ? InProgramFolder(name) : folder + "/" + name;
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
}

void Append(int fd, const char* bytes, size_t count) {
  if (fd < 0) return;
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a full disk must not stop the traffic the log only watches
    bytes += n;
    count -= static_cast<size_t>(n);
  }
}

}  // namespace

void SetTransmissionLogFolder(const std::string& path) {
  folder = path;
}

bool TransmissionLogOn() {
  return outgoing >= 0;
}

bool ToggleTransmissionLog() {
  if (TransmissionLogOn()) {
    ResetTransmissionLog();
    return false;
  }
  incoming = CreateLog(kIncomingLogName);
  outgoing = CreateLog(kOutgoingLogName);
  if (incoming < 0 || outgoing < 0) {
    ResetTransmissionLog();
    TheOperator().ShowMessage("Nie mogę utworzyć pliku.");
    return false;
  }
  return true;
}

void LogSent(const char* bytes, size_t count) {
  Append(outgoing, bytes, count);
  if (observer && outgoing >= 0) observer(true, bytes, count);
}

void LogReceived(const char* bytes, size_t count) {
  Append(incoming, bytes, count);
  if (observer && incoming >= 0) observer(false, bytes, count);
}

void SetTrafficObserver(TrafficObserver watcher) {
  observer = std::move(watcher);
}

void ResetTransmissionLog() {
  CloseLog(&incoming);
  CloseLog(&outgoing);
}

}  // namespace kelm
