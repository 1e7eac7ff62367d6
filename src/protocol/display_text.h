// Display text: frames written with <ESC>-style mnemonics for bytes an edit box cannot show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "protocol/frame.h"

namespace kelm {

// Renders a NUL-terminated byte string as display text (ASCII).
std::string FrameToDisplayText(const char* bytes);

// Parses display text (UTF-8, as the edit box holds it; characters outside ASCII are taken as
// their Windows-1250 bytes) into `destination`, writes a NUL after the last byte and returns the
// number of bytes written. Parsing stops when the destination is full.
size_t DisplayTextToFrame(std::string_view text, char* destination,
                          size_t capacity = kFrameBufferSize);

}  // namespace kelm
