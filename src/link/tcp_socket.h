// The client socket of the TCP/IP link over BSD sockets: connect, send, pending bytes, receive,
// close. Every OS call of the TCP/IP link is here.
#pragma once

#include <cstddef>
#include <string>

namespace kelm {

class TcpSocket {
 public:
  TcpSocket() = default;
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;
  ~TcpSocket() { Close(); }

  // Blocking connect to `host` (name or address) and `port`; false when it failed.
  bool Connect(const std::string& host, int port);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // Sends every byte (resuming partial sends); false on an error.
  bool Send(const char* data, size_t count);
  // Bytes waiting to be received; 0 also when the socket is closed or failed.
  size_t Pending();
  // True when the peer has closed its side and nothing more is waiting.
  bool PeerClosed();
  // Waits up to `timeout_ms` for bytes; true when some are waiting.
  bool WaitReadable(int timeout_ms);
  // Receives at most `count` waiting bytes without blocking; an error counts as 0.
  size_t Receive(char* buffer, size_t count);

 private:
  int fd_ = -1;
};

}  // namespace kelm
