// The Read button: checks, frame, passes.
#include "readout/readout_run.h"

#include <ctime>

#include "link/printer_identity.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
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

ReadoutOutcome ReadPeriodicReportToFile(const ReadoutFields& fields,
                                        const ReadoutOptions& options) {
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
  outcome.end = ReadoutEnd::kStayOpen;
  // Taken before the printer is asked for anything: a second readout into the same file must
  // not start the printer's stream and then mix it with the first one's.
  auto work = std::make_shared<ReadoutWorkFile>();
  const std::string path =
      options.work_file.empty() ? InProgramFolder(kReadoutWorkFile) : options.work_file;
  if (work->Hold(path) == ReadoutWorkFile::kBusy) {
    TheOperator().ShowMessage(WorkFileBusyMessage(path));
    return outcome;
  }
  if (!work->held()) {
    if (!options.work_file.empty()) {
      TheOperator().ShowMessage("Nie mogę otworzy pliku do zapisu.");
      return outcome;
    }
    work = nullptr;  // the first pass reports the documented file, as it always has
  }
  if (LinkSettings.TcpActive != 0) PurgeInput();
  if (FormatReadoutFrame(request, CommandFrame, kFrameBufferSize) < 0) return outcome;
  if (SendFrame(CommandFrame) != 0) return outcome;

  ReadoutSession session(DetectedReadoutModel(), request, ReadoutToday(), work);
  RunReadoutPasses(session, request.speed, options.byte_wait_ms);
  session.Finish();
  outcome.title = session.reportTitle();
  outcome.file_name = session.reportFileName();
  outcome.end = ReadoutEnd::kClose;
  if (session.success()) {
    const std::string passes = session.PassCountMessage();
    if (!passes.empty()) TheOperator().ShowMessage(passes);
    outcome.end = ReadoutEnd::kShowEndDialog;
    outcome.work_file = work;
  }
  return outcome;
}

}  // namespace kelm
