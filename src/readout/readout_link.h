// The readout over the printer link: the record stream read from the serial port or the TCP/IP
// socket, and the pass loop that switches the serial port to the readout speed for each pass.
#pragma once

#include <cstdint>

#include "readout/readout_session.h"
#include "readout/records.h"

namespace kelm {

// The record stream of the active link (serial, or TCP/IP while TcpActive is set). Every byte
// wait lets the operator's message loop run, so "&Przerwij" is seen while the printer is slow.
// A link that is gone ends the wait at once; with a limit, so does a printer silent for that
// long (kelmctl's --timeout). Without one, only "&Przerwij" ends a wait for a silent printer.
class LinkRecordLink : public RecordLink {
 public:
  explicit LinkRecordLink(uint32_t byte_wait_ms = 0);
  bool ReadByte(uint8_t* byte) override;
  bool SendEnq() override;
  void SendCan() override;
  void PurgeInput() override;
  bool WaitsBounded() const override { return byte_wait_ms_ != 0; }

 private:
  bool Gone() const;
  const bool tcp_;
  const uint32_t byte_wait_ms_;
};

// The TCP/IP status byte must have both of these bits set before a pass is read.
inline constexpr uint8_t kReadoutTcpStatusMask = 0x60;

// Runs the passes of one readout after its "#o" frame has been sent: the status check, then per
// currency the download dialog at the readout speed, until a pass fails or no currency follows.
// `byte_wait_ms` limits each wait for a byte of the record stream (0: until "&Przerwij").
void RunReadoutPasses(ReadoutSession& session, unsigned long speed, uint32_t byte_wait_ms = 0);

}  // namespace kelm
