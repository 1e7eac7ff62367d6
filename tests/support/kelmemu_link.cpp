// Connecting the program's link to a kelmemu started by the test kit.
#include "support/kelmemu_link.h"

#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"

namespace kelm::test {

bool ConnectToKelmemu(const KelmemuProcess& emu) {
  if (!emu.Ready()) return false;
  const std::string where = emu.Where();
  if (emu.ready().rfind("TCP ", 0) == 0) {
    const size_t colon = where.rfind(':');
    return TcpConnect(where.substr(0, colon), where.substr(colon + 1), false) == kTcpConnected;
  }
  SetComDeviceOverride(where);
  LinkSettings.PortNumber = 1;
  return OpenSerialPort(1);
}

}  // namespace kelm::test
