// The "$1" command that tells the printer which Polish letter coding to print with.
#pragma once

namespace kelm {

// Formats the command for coding index 0..3 into CommandFrame with its check value; returns
// the frame's length (-1 when the index is out of range and nothing was built).
int BuildLetterCodingCommand(int coding_index);

}  // namespace kelm
