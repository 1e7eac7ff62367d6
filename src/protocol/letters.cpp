// ToPrinterLetters over the recoding tables.
#include "protocol/letters.h"

namespace kelm {

size_t ToPrinterLetters(char* text, uint8_t coding) {
  return RecodeLetters(text, kWindows, coding);
}

}  // namespace kelm
