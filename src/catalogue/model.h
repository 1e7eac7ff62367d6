// The eight printer models of the model dialog and the window title.
#pragma once

#include <cstdint>
#include <string>

#include "link/program_designation.h"
#include "link/settings.h"

namespace kelm {

struct PrinterModel {
  const char* radio_caption;  // UTF-8, as the model dialog shows it
  uint8_t family;
  uint8_t variant;
  uint8_t copy_mode;
};
inline constexpr int kModelCount = 8;
extern const PrinterModel kPrinterModels[kModelCount];
// The radio button checked in the dialog's design ("Vantel 57T").
inline constexpr int kDesignModel = 2;

// The model text of the title for the current LinkSettings ("Vantel KE", "KELM 859", ...).
extern std::string ModelName;
void ResetModelName();

// The radio button the dialog checks when shown, for the given settings. Later rules win, as
// the buttons exclude each other, so every combination lands on one of the eight models.
int ModelIndexFor(const LinkSettingsRecord& settings);

// Sets ModelFamily, PrinterVariant and CopyMode from the model and ModelName from the result;
// returns the main window's title.
std::string ApplyModel(int model_index);

// The title for the current settings and ModelName.
std::string MainWindowTitle();

}  // namespace kelm
