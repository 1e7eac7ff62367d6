// BSD socket implementation of the TCP/IP link's socket.
#include "link/tcp_socket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace kelm {

bool TcpSocket::Connect(const std::string& host, int port) {
  Close();
  if (port < 0 || port > 65535) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    if (connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      // Frames are small and answered one by one; waiting to coalesce them only adds latency.
      const int one = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      fd_ = fd;
      break;
    }
    ::close(fd);
  }
  freeaddrinfo(found);
  return fd_ >= 0;
}

void TcpSocket::Close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

bool TcpSocket::Send(const char* data, size_t count) {
  if (fd_ < 0) return false;
  size_t sent = 0;
  while (sent < count) {
    const ssize_t n = ::send(fd_, data + sent, count - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

size_t TcpSocket::Pending() {
  int pending = 0;
  if (fd_ < 0 || ioctl(fd_, FIONREAD, &pending) != 0 || pending < 0) return 0;
  return static_cast<size_t>(pending);
}

bool TcpSocket::PeerClosed() {
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, 0) <= 0) return false;
  if ((p.revents & (POLLERR | POLLNVAL)) != 0) return true;
  char byte;
  const ssize_t n = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
}

bool TcpSocket::WaitReadable(int timeout_ms) {
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLIN, 0};
  return poll(&p, 1, timeout_ms) > 0 && Pending() > 0;
}

size_t TcpSocket::Receive(char* buffer, size_t count) {
  if (fd_ < 0 || count == 0) return 0;
  ssize_t n;
  do {
    n = ::recv(fd_, buffer, count, MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace kelm
