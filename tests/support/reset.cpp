// One place that knows every process-wide record, so each test starts clean. Rooms add their
// reset routine here as they arrive.
#include "support/reset.h"

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/main_view.h"
#include "catalogue/model.h"
#include "config/printer_settings.h"
#include "link/com_ports.h"
#include "link/printer_identity.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "link/transmission_log.h"
#include "protocol/error_table.h"
#include "protocol/field_texts.h"
#include "protocol/frame.h"
#include "sales/receipt_commands.h"

namespace kelm::test {

void ResetProcessState() {
  ResetLinkSettings();
  ResetFrameBuffers();
  ResetFieldTexts();
  ResetLastError();
  ResetPrinterLink();
  ResetTcpLink();
  ResetReception();
  ResetTransmissionLog();
  SetTrafficObserver(nullptr);
  ResetComPorts();
  ResetCashInfo();
  ResetDiagnostics();
  ResetDetectedType();
  ResetModelName();
  ResetMainWindowState();
  ResetSalesState();
  ResetPrinterSettings();
}

}  // namespace kelm::test
