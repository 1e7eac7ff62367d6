// Starting and stopping kelmemu for end-to-end tests.
#include "support/kelmemu_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

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
    ExecProgram(kKelmemu, std::move(options));
  }
  close(out[1]);
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') ready_ += c;
  close(out[0]);
}

void ExecProgram(const char* program, std::vector<std::string> options) {
  options.insert(options.begin(), program);
  std::vector<char*> argv;
  for (std::string& a : options) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

KelmemuProcess::~KelmemuProcess() {
  Stop();
}

int KelmemuProcess::Port() const {
  if (ready_.rfind("TCP ", 0) != 0) return 0;
  return std::atoi(ready_.substr(ready_.rfind(':') + 1).c_str());
}

int KelmemuProcess::Stop(int signal) {
  if (pid_ <= 0) return -1;
  kill(pid_, signal);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kelm::test
