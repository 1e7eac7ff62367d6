// Which device file stands for "COM n": the program's own mapping of Windows port numbers.
#pragma once

#include <string>

namespace kelm {

inline constexpr int kHighestComPort = 64;

// The device of COM `port` (1..64), or "" for a number outside that range. In order:
//   1. the device forced by SetComDeviceOverride (kelmctl --device), for every port;
//   2. a link (or device node) "dosdevices/comN" in the program's folder, N in lower case;
//   3. the fixed table: COM1-COM16 /dev/ttyS0-15, COM17-COM32 /dev/ttyUSB0-15,
//      COM33-COM48 /dev/ttyACM0-15, COM49-COM64 /dev/ttyS16-31.
std::string ComDevicePath(int port);

// Sends every port number to one device ("" removes the override).
void SetComDeviceOverride(const std::string& path);
void ResetComPorts();

}  // namespace kelm
