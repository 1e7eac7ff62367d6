// The letter-coding command.
#include "catalogue/letter_coding.h"

#include <cstring>

#include "protocol/frame.h"
#include "protocol/letter_tables.h"

namespace kelm {

int BuildLetterCodingCommand(int coding_index) {
  if (coding_index < 0 || coding_index >= kLetterCodingCount) return -1;
  if (FormatCommand("%cP%d$1xx%c%c", kEsc, coding_index, kEsc, kBackslash) < 0) return -1;
  ApplyChecksum(CommandFrame, kFrameBufferSize);
  return static_cast<int>(std::strlen(CommandFrame));
}

}  // namespace kelm
