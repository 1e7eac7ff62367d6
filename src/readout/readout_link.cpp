// The record stream over the link and the readout's pass loop.
#include "readout/readout_link.h"

#include <algorithm>

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/clock.h"
#include "protocol/frame.h"
#include "readout/port_switch.h"

namespace kelm {
namespace {

// An empty read of the link has waited this long for its byte (serial and TCP/IP alike),
// unless the link failed under it.
constexpr uint32_t kEmptyReadMs = 100;

bool SendOne(char byte) {
  return SendBytes(&byte, 1) == 0;
}

}  // namespace

LinkRecordLink::LinkRecordLink(uint32_t byte_wait_ms)
    : tcp_(LinkSettings.TcpActive != 0), byte_wait_ms_(byte_wait_ms) {}

bool LinkRecordLink::Gone() const {
  return LinkGone(tcp_);
}

bool LinkRecordLink::ReadByte(uint8_t* byte) {
  Clock& clock = TheClock();
  const uint32_t start = clock.TickCount();
  uint32_t waited = 0;
  char c = 0;
  for (;;) {
    // The message loop runs while the byte is still on its way rather than after it came, so
    // the last byte of a record is answered with its ENQ at once.
    TheOperator().ProcessEvents();
    if (aborted() || brokenOff()) break;
    const size_t n = ReadBytes(&c, 1);
    if (n == 1) {
      *byte = uint8_t(c);
      return true;
    }
    // A read that fails at once would come back at once for ever: the link is gone.
    waited += kEmptyReadMs;
    if (Gone()) BreakOff();
    if (byte_wait_ms_ != 0 && std::max(waited, clock.TickCount() - start) >= byte_wait_ms_) {
      BreakOff();
    }
  }
  return false;
}

bool LinkRecordLink::SendEnq() {
  if (brokenOff() || Gone()) {
    BreakOff();
    return false;
  }
  return SendOne(kEnq);
}

void LinkRecordLink::SendCan() {
  // A printer that is still there but silent is told to stop; a link that is gone is left be
  // (sending would only report a missing port).
  if (!Gone()) SendOne(kCan);
}

void LinkRecordLink::PurgeInput() {
  kelm::PurgeInput();
}

void RunReadoutPasses(ReadoutSession& session, unsigned long speed, uint32_t byte_wait_ms) {
  LinkRecordLink link(byte_wait_ms);
  for (;;) {
    if (LinkSettings.TcpActive != 0) {
      if (CheckLastCommandNoPurge() != kCommandExecuted ||
          (EnqStatus & kReadoutTcpStatusMask) != kReadoutTcpStatusMask) {
        session.PassNotRun();
        return;
      }
      session.RunPass(link);
    } else {
      if (CheckLastCommand() != kCommandExecuted) {
        session.PassNotRun();
        return;
      }
      // One pass at the readout speed without Xon/Xoff; the operator's settings come back
      // whatever happens in the pass.
      SerialPortSwitch readoutSpeed;
      if (readoutSpeed.Switch(uint32_t(speed))) {
        session.RunPass(link);
        // A device gone during the pass, or closed by a send that failed and could not open it
        // again (which said so), stays closed: reopening it now would only add a second message
        // to the readout's. The operator's port stays chosen, and the next command opens it
        // again (it may be back by then).
        if (SerialHandle().Lost() || !SerialHandle().IsOpen()) readoutSpeed.Restore(false);
      } else {
        session.PassNotRun();
      }
    }
    if (!session.NextPass()) return;
  }
}

}  // namespace kelm
