// The virtual printer as a process of its own, for end-to-end tests: started with the given
// options, stopped with SIGTERM when the object goes. Its first output line says where it
// listens ("TCP 127.0.0.1:PORT" or "PTY /dev/pts/N"). It uses no code of the program.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace kelm::test {

class KelmemuProcess {
 public:
  explicit KelmemuProcess(std::vector<std::string> options);
  ~KelmemuProcess();
  KelmemuProcess(const KelmemuProcess&) = delete;
  KelmemuProcess& operator=(const KelmemuProcess&) = delete;

  // The first line kelmemu printed ("" when it did not start).
  const std::string& ready() const { return ready_; }
  bool Ready() const { return ready_.rfind("TCP ", 0) == 0 || ready_.rfind("PTY ", 0) == 0; }
  // "127.0.0.1:PORT" or "/dev/pts/N".
  std::string Where() const { return ready_.size() > 4 ? ready_.substr(4) : ""; }
  // The TCP port it listens on (0 on a pseudo-terminal).
  int Port() const;
  // Sends `signal` and waits for the process; its exit status, or -1 when it did not exit by
  // itself (or was already stopped).
  int Stop(int signal = SIGTERM);

 private:
  pid_t pid_ = -1;
  std::string ready_;
};

// True when this build has kelmemu to start.
bool KelmemuAvailable();

// In a forked child: replaces it with `program` run with `options`; exits 127 when it cannot.
[[noreturn]] void ExecProgram(const char* program, std::vector<std::string> options);

}  // namespace kelm::test
