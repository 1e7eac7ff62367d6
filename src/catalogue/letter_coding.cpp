// The letter-coding command.
#include "catalogue/letter_coding.h"

#include <cstring>

#include "link/settings.h"
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

namespace kelm {

int ChooseLetterCoding(int coding_index) {
  if (LinkSettings.ModelFamily == 2) return SendLetterCoding(coding_index);
  // The printers of families 0 and 1 are set up by other means; the choice only drives the
  // conversion of outgoing text.
  LinkSettings.LetterCoding = static_cast<uint8_t>(coding_index);
  return 0;
}

}  // namespace kelm
