// Sending waits for the link layer; until it lands the command is refused like a missing link.
#include "catalogue/letter_coding.h"
#include "link/settings.h"
#include "protocol/operator.h"

namespace kelm {

int SendLetterCoding(int coding_index) {
  LinkSettings.LetterCoding = static_cast<uint8_t>(coding_index);
  TheOperator().ShowMessage("Nie wybrano portu komunikacyjnego.");
  return 1;
}

}  // namespace kelm
