// The "$1" command that tells the printer which Polish letter coding to print with.
#pragma once

namespace kelm {

// Formats the command for coding index 0..3 into CommandFrame with its check value; returns
// the frame's length (-1 when the index is out of range and nothing was built).
int BuildLetterCodingCommand(int coding_index);

}  // namespace kelm

namespace kelm {

// "Wyślij" of the coding command dialog: stores the coding in LinkSettings, sends the command
// and checks its outcome. Returns 0 when the command was sent (the dialog closes), 1 when the
// send failed (the new coding stays chosen).
int SendLetterCoding(int coding_index);

// "&Zastosuj" of the menu's coding dialog: stores the coding; only family 2 is sent the
// command. Same results as SendLetterCoding.
int ChooseLetterCoding(int coding_index);

}  // namespace kelm
