// The TCP/IP link: the one client socket, its connect/disconnect/error events and messages,
// TcpActive and SharedPrinterMode. The dialog TTransmisjaTCPIP calls TcpConnect and
// TcpDisconnect; the link primitives call the Tcp* routines below while TcpActive is set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kelm {

// Set by connecting with "Sprawdź status przed paragonem.." ticked; cleared by every press of
// the connect button. Read by the test runs.
extern uint8_t SharedPrinterMode;

inline constexpr int kTcpConnected = 0;
inline constexpr int kTcpConnectFailed = 1;  // messages shown, TcpActive 0
inline constexpr int kTcpBadPort = 2;        // the port text is not a number; nothing changed

// "Połącz" with the dialog's address and port fields. Shows the event messages of the socket
// and, on failure, "Nie mogę otworzyć portu.".
int TcpConnect(const std::string& address, const std::string& port_text, bool shared_printer);
// "Rozłącz": closes the socket; the disconnect event clears TcpActive and shows its message.
void TcpDisconnect();
bool TcpSocketOpen();

// Primitives' side. A failed send closes the socket (the disconnect event follows).
bool TcpSend(const char* data, size_t count);
// Receives what is waiting, at most `space` bytes; never blocks. Notices a peer that closed.
size_t TcpReadPending(char* buffer, size_t space);
// Bytes waiting to be received.
size_t TcpPendingLength();
// Waits up to `timeout_ms` for bytes to receive; true when some are waiting.
bool TcpWaitReadable(int timeout_ms);
// Receives at most `count` bytes, waiting up to `timeout_ms` for the first.
size_t TcpReadBytes(char* buffer, size_t count, int timeout_ms);

// Closed, inactive, no address (does not show the disconnect message).
void ResetTcpLink();

}  // namespace kelm
