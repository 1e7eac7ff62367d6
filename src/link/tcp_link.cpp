// The TCP/IP link's state and events.
#include "link/tcp_link.h"

#include "link/settings.h"
#include "link/tcp_socket.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

uint8_t SharedPrinterMode = 0;

namespace {

TcpSocket& Socket() {
  static TcpSocket socket;
  return socket;
}

std::string address_field;
std::string socket_host;

void OnConnect() {
  TheOperator().ShowMessage("Ustanowiono połączenie do: " + address_field);
}

void OnDisconnect() {
  LinkSettings.TcpActive = 0;
  TheOperator().ShowMessage("Rozłączono z: " + address_field);
  Socket().Close();
}

// Closing a socket that exists raises the disconnect event, as the socket component does.
void CloseSocket() {
  OnDisconnect();
}

void OnError() {
  TheOperator().ShowMessage("Błąd połączenie do: " + socket_host);
  CloseSocket();
}

}  // namespace

int TcpConnect(const std::string& address, const std::string& port_text, bool shared_printer) {
  SharedPrinterMode = 0;
  long port = 0;
  if (!ParseInteger(port_text, &port) || port < 0 || port > 65535) {
    TheOperator().ShowMessage(ConversionErrorMessage(port_text, true));
    return kTcpBadPort;
  }
  address_field = address;
  socket_host = address;
  LinkSettings.TcpActive = 1;
  if (shared_printer) SharedPrinterMode = 1;
  if (!Socket().Connect(address, static_cast<int>(port))) {
    OnError();
    TheOperator().ShowMessage("Nie mogę otworzyć portu.");
    return kTcpConnectFailed;
  }
  OnConnect();
  return kTcpConnected;
}

void TcpDisconnect() {
  SharedPrinterMode = 0;
  CloseSocket();
}

bool TcpSocketOpen() {
  return Socket().IsOpen();
}

bool TcpSend(const char* data, size_t count) {
  if (Socket().Send(data, count)) return true;
  CloseSocket();
  return false;
}

size_t TcpReadPending(char* buffer, size_t space) {
  TcpSocket& socket = Socket();
  size_t pending = socket.Pending();
  if (pending == 0) {
    if (socket.PeerClosed()) OnDisconnect();
    return 0;
  }
  return socket.Receive(buffer, pending < space ? pending : space);
}

size_t TcpPendingLength() {
  return Socket().Pending();
}

bool TcpWaitReadable(int timeout_ms) {
  return Socket().WaitReadable(timeout_ms);
}

size_t TcpReadBytes(char* buffer, size_t count, int timeout_ms) {
  TcpSocket& socket = Socket();
  if (!socket.WaitReadable(timeout_ms)) {
    if (socket.PeerClosed()) OnDisconnect();
    return 0;
  }
  return socket.Receive(buffer, count);
}

void ResetTcpLink() {
  Socket().Close();
  LinkSettings.TcpActive = 0;
  SharedPrinterMode = 0;
  address_field.clear();
  socket_host.clear();
}

}  // namespace kelm
