// PrinterLink: opening the serial port, the send and read primitives over the active link
// (serial, or TCP/IP while TcpActive is set), the line-status check and the flow-control wait.
#pragma once

#include <cstddef>
#include <string>

#include "link/serial_port.h"
#include "link/settings.h"
#include "protocol/operator.h"

namespace kelm {

// The serial handle: one process-wide port, owned here.
SerialPort& SerialHandle();

// Opens and configures the port of LinkSettings. With `report` 1 a failure shows its message;
// 0 is silent (the printer search). On failure the port number becomes 255. Returns true when
// the port is open.
bool OpenSerialPort(int report);
// Closes the serial handle (the port number is kept).
void CloseSerialPort();
// Closes the port, puts the line fields of `saved` (port, speed, data bits, parity, stop bits,
// flow control) back into LinkSettings and reopens the port when one is selected (false when none
// is or it did not open): the way back
// after a readout pass, a failed "&Zastosuj" or a cancelled printer search.
bool RestoreLineParameters(const LinkSettingsRecord& saved, bool reopen = true);

// 0 clear, 1 line error (or the query failed), 2 output held by flow control.
int LineStatusCheck();

// Sends a NUL-terminated frame, or `length` bytes that may hold NULs, over the active link.
// Returns 0 when every byte was written. On a line error, a time-out or a wait the operator
// gave up, the frame's first byte is cleared so that nothing shows as sent.
int SendFrame(char* frame);
int SendBytes(char* frame, size_t length);

// Reads what the active link has for us into `buffer`, which has room for `space` bytes:
// serial, one read of at most 50 bytes ending after 100 ms; TCP/IP, what is waiting. Returns
// the number of bytes stored (an error counts as 0).
size_t ReadChunk(char* buffer, size_t space);
// The same with an explicit maximum; over TCP/IP it waits up to 100 ms for the first byte.
size_t ReadBytes(char* buffer, size_t count);
// True when the link a wait began on (TCP/IP when `tcp`, else the serial port) is gone: the
// connection closed, or the device closed or hung up under it. Nothing more can come on it.
bool LinkGone(bool tcp);
// Tells the operator that a wait for the printer ended because its serial device went from
// under it. A TCP/IP link's disconnect event, and a send that closed the port, have said so.
inline constexpr const char* kLinkGoneText = "Utracono połączenie z drukarką.";
void ReportLinkGone(bool tcp);
// How many received bytes wait to be read on the active link.
size_t PendingInput();
// Drains input into AnswerBuffer before a command. Returns non-zero when the serial input never
// went quiet ("Wystąpił błąd komunikacji" shown).
int PurgeInput();

// The flow-control wait: ticks every 200 ms until the line is clear, or the operator gives up.
class FlowControlWait : public ModalWait {
 public:
  static constexpr const char* kCaption = "Czekam na gotowość drukarki ";
  static constexpr const char* kQuestion = "Czy przerwać oczekiwanie?";

  const char* DialogName() const override { return "TCzekajNaRs"; }
  int IntervalMs() const override { return 200; }
  void Begin() override;
  bool Tick() override;
  void Abort() override { ok = false; }
  // Stops the timer and asks; Yes gives up, No lets the wait go on.
  bool Escape() override;
  void End() override { timer_running = false; }

  // Visible state for the dialog.
  int progress_position = 0;
  bool progress_up = true;
  bool timer_running = false;
  // The result: true when the line became clear.
  bool ok = false;
};

// Moves a back-and-forth progress bar by 2, turning at 0 and 100.
void StepProgress(int* position, bool* up);

// Closed port, clear counters (tests).
void ResetPrinterLink();

}  // namespace kelm
