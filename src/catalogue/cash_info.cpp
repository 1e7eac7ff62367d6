// Process-wide cash-information state.
#include "catalogue/cash_info.h"

namespace kelm {

uint8_t CashInfoState = 2;

void ResetCashInfo() {
  CashInfoState = 2;
}

}  // namespace kelm
