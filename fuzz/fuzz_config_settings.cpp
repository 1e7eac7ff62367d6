// Arbitrary settings answers to the settings parser, read through a buffer of exactly their
// size; the fields parsed must never exceed thirteen, and the rows the dialog shows must build.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "config/printer_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> answer(data, data + size);
  kelm::PrinterSettingsRecord r;
  const int stored = kelm::ParseSettingsAnswer(answer.data(), answer.size(), &r);
  if (stored < 0 || stored > kelm::kSettingsFieldCount) std::abort();
  if (kelm::SettingsRows(r, static_cast<int>(size % 4) - 1).size() != 15) std::abort();
  kelm::CopyModeHelp(r.Fields[3]);
  kelm::ErrorModeHelp(r.Fields[10]);
  return 0;
}
