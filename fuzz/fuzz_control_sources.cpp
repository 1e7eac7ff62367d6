// The fields file and the readout's report text as kelmctl reads them; the first byte picks
// which, and the series built from what was read.
#include <cstdint>
#include <string>
#include <string_view>

#include "control/control_series.h"
#include "control/control_sources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string error;
  switch (data[0] % 3) {
    case 0: {
      kelm::ReceiptControlData d;
      if (kelm::ParseReceiptFields(text, &d, &error)) kelm::ReceiptSeries(d);
      break;
    }
    case 1: {
      kelm::DailyControlData d;
      if (kelm::ParseDailyFields(text, &d, &error)) kelm::DailySeries(d, kelm::InvoiceSetting());
      break;
    }
    default: {
      kelm::DailyControlData d;
      if (kelm::DailyFieldsFromReadout(text, data[0] / 3, &d, &error)) {
        kelm::DailySeries(d, kelm::InvoiceSetting());
      }
      break;
    }
  }
  return 0;
}
