// The serial port reopened with other settings for a bulk transfer, and the operator's settings
// put back and the port reopened with them however the transfer ends.
#pragma once

#include <cstdint>

#include "link/settings.h"

namespace kelm {

class SerialPortSwitch {
 public:
  SerialPortSwitch() = default;
  ~SerialPortSwitch() { Restore(); }
  SerialPortSwitch(const SerialPortSwitch&) = delete;
  SerialPortSwitch& operator=(const SerialPortSwitch&) = delete;

  // Saves LinkSettings, closes the port and reopens it at `speed` with Xon/Xoff off. Returns false
  // when it did not open; Restore still puts everything back.
  bool Switch(uint32_t speed);
  // Closes the port and reopens it with the saved settings (unless `reopen` is false); nothing
  // when nothing was switched. Returns false when the port could not be reopened.
  bool Restore(bool reopen = true);
  bool switched() const { return switched_; }

 private:
  LinkSettingsRecord saved_;
  bool switched_ = false;
};

}  // namespace kelm
