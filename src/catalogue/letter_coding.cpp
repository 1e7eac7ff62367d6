// The letter-coding command.
#include "catalogue/letter_coding.h"

#include "link/command_execution.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/letter_tables.h"

namespace kelm {

int SendLetterCoding(int coding_index) {
  if (coding_index < 0 || coding_index >= kLetterCodingCount) return 1;
  LinkSettings.LetterCoding = static_cast<uint8_t>(coding_index);
  const int r =
      RunCommand(CommandSteps{}, kLetterCodingTemplate, kEsc, coding_index, kEsc, kBackslash);
  return r < 0 ? 1 : 0;
}

int ChooseLetterCoding(int coding_index) {
  if (LinkSettings.ModelFamily == 2) return SendLetterCoding(coding_index);
  // The printers of families 0 and 1 are set up by other means; the choice only drives the
  // conversion of outgoing text.
  if (coding_index >= 0 && coding_index < kLetterCodingCount) {
    LinkSettings.LetterCoding = static_cast<uint8_t>(coding_index);
  }
  return 0;
}

}  // namespace kelm
