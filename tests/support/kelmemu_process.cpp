// Starting and stopping kelmemu for end-to-end tests.
#include "support/kelmemu_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"

namespace kelm::test {

#ifdef KELMEMU_PATH
constexpr const char* kKelmemu = KELMEMU_PATH;
#else
constexpr const char* kKelmemu = "";
#endif

bool KelmemuAvailable() {
  return kKelmemu[0] != '\0';
}

KelmemuProcess::KelmemuProcess(std::vector<std::string> options) {
  if (!KelmemuAvailable()) return;
  int out[2];
  if (pipe(out) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    options.insert(options.begin(), kKelmemu);
    std::vector<char*> argv;
    for (std::string& a : options) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') ready_ += c;
  close(out[0]);
}

KelmemuProcess::~KelmemuProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

bool ConnectToKelmemu(const KelmemuProcess& emu) {
  if (!emu.Ready()) return false;
  const std::string where = emu.Where();
  if (emu.ready().rfind("TCP ", 0) == 0) {
    const size_t colon = where.rfind(':');
    return TcpConnect(where.substr(0, colon), where.substr(colon + 1), false) == kTcpConnected;
  }
  SetComDeviceOverride(where);
  LinkSettings.PortNumber = 1;
  return OpenSerialPort(1);
}

}  // namespace kelm::test
