// A printer played by a script on the far side of a real link: the master side of a
// pseudo-terminal, or a loopback TCP listener. It answers requests by rules and records every
// byte the program sent. Runs on its own thread, in real time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelm::test {

class ScriptedPrinter {
 public:
  enum class Transport { kPty, kTcp };

  explicit ScriptedPrinter(Transport transport);
  ~ScriptedPrinter();
  ScriptedPrinter(const ScriptedPrinter&) = delete;
  ScriptedPrinter& operator=(const ScriptedPrinter&) = delete;

  // The pseudo-terminal's device (kPty) or the listening port on 127.0.0.1 (kTcp).
  const std::string& device() const { return device_; }
  int port() const { return port_; }

  // Whenever the bytes received since the last answer contain `request`, answer `reply` after
  // `delay_ms`. Rules are tried in the order given; `times` < 0 answers for ever.
  void On(const std::string& request, const std::string& reply, int delay_ms = 0, int times = -1);
  // The usual printer: ENQ answered by `enq`, DLE by `dle`, the error query by "E<error>".
  void AnswerStatus(uint8_t enq, uint8_t dle = 0x74, int error = 0);
  // Sends bytes after `delay_ms`, unasked.
  void Send(const std::string& bytes, int delay_ms = 0);
  // While paused the printer reads nothing, so the program's writes back up.
  void Pause(bool paused);
  // Closes the link from the printer's side (the master, or the TCP connection).
  void Hangup();

  std::string Received();
  // Waits until at least `count` bytes have been received; false after `timeout_ms`.
  bool WaitReceived(size_t count, int timeout_ms = 5000);
  // Waits until nothing has arrived for `quiet_ms`; false after `timeout_ms`.
  bool WaitQuiet(int quiet_ms = 100, int timeout_ms = 5000);
  // Waits until every queued answer has been written.
  bool WaitSent(int timeout_ms = 5000);

 private:
  struct Rule {
    std::string request;
    std::string reply;
    int delay_ms;
    int times;
  };
  struct Outgoing {
    std::string bytes;
    int64_t due_ms;
  };

  void Run();
  void Wake();
  void Match();  // with mu_ held

  Transport transport_;
  std::string device_;
  int port_ = 0;
  int master_ = -1;  // the pty master, or the accepted TCP connection
  int slave_ = -1;   // kept open so the master survives the program closing its side
  int listener_ = -1;
  int wake_[2] = {-1, -1};

  std::mutex mu_;
  std::condition_variable changed_;
  std::vector<Rule> rules_;
  std::deque<Outgoing> out_;
  std::string received_;
  std::string pending_;
  bool paused_ = false;
  bool stop_ = false;
  bool hangup_ = false;
  std::thread thread_;
};

}  // namespace kelm::test
