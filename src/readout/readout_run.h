// The Read button of the periodic report readout dialog, headless: the model checks, the
// request, the "#o" frame, the passes and what the end dialog needs.
#pragma once

#include <string>

#include "readout/readout_request.h"
#include "readout/records.h"

namespace kelm {

enum class ReadoutEnd {
  kClose,          // the readout dialog closes (done, failed, or not offered for the model)
  kStayOpen,       // a date out of range or a frame not sent: nothing was read
  kShowEndDialog,  // the text is in the work file; the end dialog follows
};

struct ReadoutOutcome {
  ReadoutEnd end = ReadoutEnd::kClose;
  // ReportTitle and ReportFileName (UTF-8), empty when no file was written.
  std::string title;
  std::string file_name;
};

// The printer as the readout must see it: the detected type, with the configured family and
// copy mode beside it.
ReadoutModel DetectedReadoutModel();

// The computer's date as the head of a pass shows it.
std::string ReadoutToday();

// "&Odczytaj": runs the whole readout for the dialog's fields. Messages go to the operator;
// the pass-count message is shown before the caller opens the end dialog.
ReadoutOutcome ReadPeriodicReportToFile(const ReadoutFields& fields);

}  // namespace kelm
