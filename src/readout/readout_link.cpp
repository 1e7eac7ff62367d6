// The record stream over the link and the readout's pass loop.
#include "readout/readout_link.h"

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/frame.h"
#include "readout/port_switch.h"

namespace kelm {
namespace {

bool LinkUp() {
  if (LinkSettings.TcpActive != 0) return TcpSocketOpen();
  return SerialHandle().IsOpen();
}

bool SendOne(char byte) {
  return SendBytes(&byte, 1) == 0;
}

}  // namespace

bool LinkRecordLink::ReadByte(uint8_t* byte) {
  char c = 0;
  while (!aborted()) {
    const size_t n = ReadBytes(&c, 1);
    TheOperator().ProcessEvents();
    if (n == 1) {
      *byte = uint8_t(c);
      return true;
    }
    // A socket the printer closed, or a port closed under us, never brings the byte.
    if (!LinkUp()) return false;
  }
  return false;
}

bool LinkRecordLink::SendEnq() {
  return SendOne(kEnq);
}

void LinkRecordLink::SendCan() {
  SendOne(kCan);
}

void LinkRecordLink::PurgeInput() {
  kelm::PurgeInput();
}

void RunReadoutPasses(ReadoutSession& session, unsigned long speed) {
  LinkRecordLink link;
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
      } else {
        session.PassNotRun();
      }
    }
    if (!session.NextPass()) return;
  }
}

}  // namespace kelm
