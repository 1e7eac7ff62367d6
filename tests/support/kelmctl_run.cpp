// Running kelmctl under a watchdog.
#include "support/kelmctl_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm::test {

#ifdef KELMCTL_PATH
constexpr const char* kKelmctl = KELMCTL_PATH;
#else
constexpr const char* kKelmctl = "";
#endif

bool KelmctlAvailable() {
  return kKelmctl[0] != '\0';
}

KelmctlRun RunKelmctl(const std::string& folder, const std::vector<std::string>& args,
                      int watchdog_ms) {
  KelmctlRun run;
  if (!KelmctlAvailable()) return run;
  const std::string out = folder + "/kelmctl.out", err = folder + "/kelmctl.err";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(o, STDOUT_FILENO);
    dup2(e, STDERR_FILENO);
    ExecProgram(kKelmctl, args);
  }
  int status = 0;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(watchdog_ms);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= give_up) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.hung = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!run.hung && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.crashed = !run.hung && WIFSIGNALED(status);
  run.out = TempDir::Read(out);
  run.err = TempDir::Read(err);
  return run;
}

}  // namespace kelm::test
