// Conversion of outgoing text into the printer's letter coding chosen in LinkSettings.
#pragma once

#include <cstddef>

#include "protocol/letter_tables.h"

namespace kelm {

// Converts a NUL-terminated Windows-1250 text in place into the letter coding of LinkSettings;
// returns its length. With the coding WINDOWS the text is unchanged.
size_t ToPrinterLetters(char* text);

// Copies `source` into `destination` (which must hold it), then ToPrinterLetters on the copy.
size_t CopyToPrinterLetters(char* destination, const char* source);

}  // namespace kelm
