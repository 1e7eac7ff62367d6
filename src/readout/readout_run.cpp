// The Read button: checks, frame, passes.
#include "readout/readout_run.h"

#include <ctime>

#include "link/printer_identity.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/operator.h"
#include "readout/readout_link.h"
#include "readout/readout_session.h"

namespace kelm {

ReadoutModel DetectedReadoutModel() {
  ReadoutModel model;
  model.family = DetectedType.Family;
  model.bus_variant = DetectedType.BusVariant;
  model.copy_mode = DetectedType.CopyMode;
  model.version = DetectedType.Version100;
  model.configured_family = LinkSettings.ModelFamily;
  model.configured_copy_mode = LinkSettings.CopyMode;
  return model;
}

std::string ReadoutToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d-%m-%Y", &local);
  return text;
}

ReadoutOutcome ReadPeriodicReportToFile(const ReadoutFields& fields) {
  ReadoutOutcome outcome;
  if (LinkSettings.ModelFamily != 2) {
    TheOperator().ShowMessage("Ta funkcja jest niedostępna dla tego modelu drukarki fiskalnej.");
    return outcome;
  }
  CheckDetectedType();
  ReadoutRequest request;
  std::string message;
  if (!BuildReadoutRequest(fields, &request, &message)) {
    TheOperator().ShowMessage(message);
    outcome.end = ReadoutEnd::kStayOpen;
    return outcome;
  }
  if (LinkSettings.TcpActive != 0) PurgeInput();
  outcome.end = ReadoutEnd::kStayOpen;
  if (FormatReadoutFrame(request, CommandFrame, kFrameBufferSize) < 0) return outcome;
  if (SendFrame(CommandFrame) != 0) return outcome;

  ReadoutSession session(DetectedReadoutModel(), request, ReadoutToday());
  RunReadoutPasses(session, request.speed);
  session.Finish();
  outcome.title = session.reportTitle();
  outcome.file_name = session.reportFileName();
  outcome.end = ReadoutEnd::kClose;
  if (session.success()) {
    const std::string passes = session.PassCountMessage();
    if (!passes.empty()) TheOperator().ShowMessage(passes);
    outcome.end = ReadoutEnd::kShowEndDialog;
  }
  return outcome;
}

}  // namespace kelm
