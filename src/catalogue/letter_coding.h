// The "$1" command that tells the printer which Polish letter coding to print with, as the two
// coding dialogs send it.
#pragma once

namespace kelm {

inline constexpr char kLetterCodingTemplate[] = "%cP%d$1xx%c%c";

// "Wyślij" of the coding command dialog: stores the coding in LinkSettings, sends the command
// and checks its outcome. Returns 0 when the command was sent (the dialog closes), 1 when the
// send failed (the new coding stays chosen).
int SendLetterCoding(int coding_index);

// "&Zastosuj" of the menu's coding dialog: stores the coding; only family 2 is sent the
// command. Same results as SendLetterCoding.
int ChooseLetterCoding(int coding_index);

}  // namespace kelm
