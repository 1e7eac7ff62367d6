// Bulk transfer settings on the serial port.
#include "readout/port_switch.h"

#include "link/printer_link.h"

namespace kelm {

bool SerialPortSwitch::Switch(uint32_t speed) {
  if (!switched_) saved_ = LinkSettings;
  switched_ = true;
  CloseSerialPort();
  LinkSettings.Speed = speed;
  LinkSettings.XonXoff = 0;
  return OpenSerialPort(1);
}

bool SerialPortSwitch::Restore(bool reopen) {
  if (!switched_) return true;
  switched_ = false;
  // A port that failed to open at the transfer settings was deselected; it comes back too.
  return RestoreLineParameters(saved_, reopen);
}

}  // namespace kelm
