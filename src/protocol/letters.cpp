// ToPrinterLetters and CopyToPrinterLetters over the recoding tables.
#include "protocol/letters.h"

#include <cstring>

#include "link/settings.h"

namespace kelm {

size_t ToPrinterLetters(char* text) {
  return RecodeLetters(text, kWindows, LinkSettings.LetterCoding);
}

size_t CopyToPrinterLetters(char* destination, const char* source) {
  std::strcpy(destination, source);
  return ToPrinterLetters(destination);
}

}  // namespace kelm
