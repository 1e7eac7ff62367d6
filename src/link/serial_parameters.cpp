// The serial parameters.
#include "link/serial_parameters.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "link/printer_link.h"

namespace kelm {

const char* const kSpeedItems[kSpeedItemCount] = {"110",   "300",    "600",    "1200",   "2400",
                                                  "4800",  "9600",   "14400",  "19200",  "38400",
                                                  "57600", "115200", "128000", "256000", "512000"};
const char* const kDataBitsItems[4] = {"5", "6", "7", "8"};
const char* const kParityItems[5] = {"Brak ", "Nieparzyste", "Parzyste", "Znacznik", "Odstęp"};
const char* const kStopBitsItems[3] = {"1", "1.5", "2"};

SerialChoice DefaultSerialChoice(int port_item) {
  SerialChoice c;
  c.port_item = port_item;
  return c;
}

SerialChoice ChoiceFromSettings(const LinkSettingsRecord& s) {
  SerialChoice c;
  c.port_item = s.PortNumber >= 1 && s.PortNumber <= 64 ? s.PortNumber - 1 : kNoPortItem;
  c.speed_item = -1;
  const std::string speed = std::to_string(s.Speed);
  for (int i = 0; i < kSpeedItemCount; ++i) {
    if (speed == kSpeedItems[i]) c.speed_item = i;
  }
  c.data_bits_item = s.DataBits >= 5 && s.DataBits <= 8 ? s.DataBits - 5 : 3;
  c.parity_item = s.Parity < 5 ? s.Parity : 0;
  c.stop_bits_item = s.StopBits < 3 ? s.StopBits : 0;
  c.xon_xoff = s.XonXoff != 0;
  c.rts_cts = s.RtsCts != 0;
  return c;
}

bool ApplySerialChoice(const SerialChoice& c, const LinkSettingsRecord& remembered) {
  if (LinkSettings.PortNumber != kNoPort) CloseSerialPort();
  if (c.port_item < 0 || c.port_item >= kNoPortItem) {
    LinkSettings.PortNumber = kNoPort;
    return true;
  }
  LinkSettings.PortNumber = static_cast<uint8_t>(c.port_item + 1);
  if (c.speed_item >= 0 && c.speed_item < kSpeedItemCount) {
    LinkSettings.Speed =
        static_cast<uint32_t>(std::strtoul(kSpeedItems[c.speed_item], nullptr, 10));
  }
  LinkSettings.DataBits = static_cast<uint8_t>(c.data_bits_item + 5);
  LinkSettings.Parity = static_cast<uint8_t>(c.parity_item);
  LinkSettings.StopBits = static_cast<uint8_t>(c.stop_bits_item);
  LinkSettings.XonXoff = c.xon_xoff;
  LinkSettings.RtsCts = c.rts_cts;
  if (OpenSerialPort(1)) return true;
  RestoreLineParameters(remembered);
  return false;
}

}  // namespace kelm
