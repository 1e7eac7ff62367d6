// The virtual printer's lines to the world: a loopback TCP port or a pseudo-terminal.
#pragma once

#include <csignal>
#include <deque>
#include <string>

#include "emulator/printer.h"

namespace kelm::emu {

struct ServerOptions {
  bool tcp = false;
  std::string host = "127.0.0.1";
  int port = 0;  // 0 picks a free port
  bool pty = false;
  std::string link;  // optional symbolic link to the pseudo-terminal
  std::string state_file;
  std::string paper_file;
  std::string pictures_dir;  // where the held pictures are written as image files
  std::string data_file;     // raw bytes sent to the printer are appended here
  // A TCP client that has sent nothing for this long gives way to one that is waiting.
  int idle_ms = 3000;
  // Answers queued for a client beyond this many bytes: the client does not read and is dropped.
  size_t queue_limit = 1 << 20;
};

// Serves one connection at a time until `stop` becomes non-zero. The printer's state is saved
// to the state file after every command that changed it, and printed documents are appended to
// the paper log, one block per document followed by kPaperSeparator.
class Server {
 public:
  Server(Printer& printer, ServerOptions options);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Opens the port or the pseudo-terminal; on success `ready` is the line to announce
  // ("TCP 127.0.0.1:PORT" or "PTY /dev/pts/N").
  bool Start(std::string* ready, std::string* error);
  void Run(volatile std::sig_atomic_t* stop);

 private:
  bool Pump(int fd, volatile std::sig_atomic_t* stop);  // one connection; false: it ended
  bool OpenTerminal(std::string* name, std::string* error);
  void CloseTerminal();
  void AfterInput();

  Printer& printer_;
  ServerOptions options_;
  int listen_fd_ = -1;
  int master_fd_ = -1;
  int slave_fd_ = -1;
  std::string pty_name_;  // the terminal the link leads to
  // Answers waiting to go out, each with the line speed it is paced at (0: the configured one).
  struct Pending {
    std::string bytes;
    long baud = 0;
    bool record = false;  // a readout's record, dropped when the readout is broken off
  };
  std::deque<Pending> out_;
  long received_ = 0;
  long sent_ = 0;
  bool hangup_pending_ = false;  // the hang-up fault: drop the line once out_ has gone out
};

inline constexpr char kPaperSeparator[] = "========================================\n";

}  // namespace kelm::emu
