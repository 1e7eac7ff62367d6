// Arbitrary ustaw.txt contents to the settings reader; every field must stay in its range of
// bytes and the text written back must read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "link/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kelm::LinkSettingsRecord s;
  kelm::ParseSettingsText(std::string(reinterpret_cast<const char*>(data), size), &s);
  if (s.ModelFamily == 0 && s.PrinterVariant != 0) std::abort();
  const std::string text = kelm::FormatSettingsText(s);
  kelm::LinkSettingsRecord again;
  kelm::ParseSettingsText(text, &again);
  if (text.size() <= 200 && (again.Speed != s.Speed || again.ModelFamily != s.ModelFamily))
    std::abort();
  return 0;
}
