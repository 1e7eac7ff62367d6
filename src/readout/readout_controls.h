// What the readout dialogs decide without a window: which choices of the readout dialog are
// open for a model, its labels by model, and the copy of the work file the operator saves.
#pragma once

#include <string>

#include "readout/report_title.h"

namespace kelm {

// The state of the three modes (RadioButton1..3 and the group boxes beside them).
struct ReadoutControls {
  bool radio_enabled[3] = {true, true, true};
  ReadoutMode checked = ReadoutMode::kMonthly;
  // Only the group of the checked mode takes input; its edit fields are white, the others grey.
  bool group_enabled[3] = {true, false, false};
};

// Applies the dialog's control logic for a configured model family to the mode the operator
// last checked and the emergency box.
ReadoutControls ApplyReadoutControls(int family, bool emergency, ReadoutMode checked);

struct ReadoutLabels {
  std::string label1;
  int label1_left = 100;
  bool label10_visible = true;
  std::string label11;
};

// The designation labels for the configured model; `designation` is the reading module's
// designation (the program's kind 1).
ReadoutLabels ReadoutDialogLabels(int family, int copy_mode, int variant,
                                  const std::string& designation);

// "Nagraj na &dysku" once the operator chose `target`: asks before replacing an existing file,
// then copies the work file from the program's folder, never over a file. Returns true when the
// copy was made.
bool SaveReadoutCopy(const std::string& target);

}  // namespace kelm
