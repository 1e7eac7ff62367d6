// The readout over the printer link: the record stream read from the serial port or the TCP/IP
// socket, and the pass loop that switches the serial port to the readout speed for each pass.
#pragma once

#include <cstdint>

#include "readout/readout_session.h"
#include "readout/records.h"

namespace kelm {

// The record stream of the active link (serial, or TCP/IP while TcpActive is set). Every byte
// wait lets the operator's message loop run, so "&Przerwij" is seen while the printer is slow.
class LinkRecordLink : public RecordLink {
 public:
  bool ReadByte(uint8_t* byte) override;
  bool SendEnq() override;
  void SendCan() override;
  void PurgeInput() override;
};

// The TCP/IP status byte must have both of these bits set before a pass is read.
inline constexpr uint8_t kReadoutTcpStatusMask = 0x60;

// Runs the passes of one readout after its "#o" frame has been sent: the status check, then per
// currency the download dialog at the readout speed, until a pass fails or no currency follows.
void RunReadoutPasses(ReadoutSession& session, unsigned long speed);

}  // namespace kelm
