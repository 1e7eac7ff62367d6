// The state of the cash-information read that the main window's group "Dane z drukarki" shows.
#pragma once

#include <cstdint>

namespace kelm {

// 0 the last read failed, 1 data read, 2 nothing read since start-up or since a printer search
// chose a printer.
extern uint8_t CashInfoState;
void ResetCashInfo();

}  // namespace kelm
