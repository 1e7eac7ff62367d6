// Conversion of outgoing text into the printer's letter coding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/letter_tables.h"

namespace kelm {

// Converts a NUL-terminated Windows-1250 text in place into `coding` (a LetterCodingIndex);
// returns its length. With the coding WINDOWS the text is unchanged.
size_t ToPrinterLetters(char* text, uint8_t coding);

}  // namespace kelm
