// The Read button of the periodic report readout dialog, headless: the model checks, the
// request, the "#o" frame, the passes and what the end dialog needs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "readout/readout_request.h"
#include "readout/records.h"
#include "readout/work_file.h"

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
  // After a success, the work file, still held: no other readout can take it while the end
  // dialog (or kelmctl) uses the text. Let go of it when done.
  std::shared_ptr<ReadoutWorkFile> work_file;
};

struct ReadoutOptions {
  // The work file; "" for "OdczytFiskPrTemp.txt" in the program's folder.
  std::string work_file;
  // A limit on each wait for a byte of the record stream (0: the wait lasts until "&Przerwij").
  uint32_t byte_wait_ms = 0;
};

// The printer as the readout must see it: the detected type, with the configured family and
// copy mode beside it.
ReadoutModel DetectedReadoutModel();

// The computer's date as the head of a pass shows it.
std::string ReadoutToday();

// "&Odczytaj": runs the whole readout for the dialog's fields. Messages go to the operator;
// the pass-count message is shown before the caller opens the end dialog.
ReadoutOutcome ReadPeriodicReportToFile(const ReadoutFields& fields,
                                        const ReadoutOptions& options = {});

}  // namespace kelm
