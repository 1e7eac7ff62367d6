// Command-position files: one frame body per CR LF line, sent as frames one after another.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelm {

// Only this much of a file is used.
inline constexpr size_t kCommandPositionsLimit = 16383;

// Sends each CR LF line of `text` as ESC "P" + line + check value + ESC 5Ch, with "<CR>",
// "<LF>", "[", "]" and "^" standing for 0Dh, 0Ah, 0Eh, 14h and 11h. With `show_each` every frame
// is shown before it goes. An unfinished last line is not sent. Returns 0 when every line went,
// non-zero when a send failed (the lines before it have been sent) or a line does not fit.
int SendCommandPositions(std::string_view text, bool show_each);
// Builds the frame of one line (without its CR LF) into `frame`, with "XX" in the check slot;
// false (and an empty frame) when it does not fit in `capacity` bytes.
bool PositionLineToFrame(std::string_view line, char* frame, size_t capacity);
// The same for the first 16383 bytes of a file; "Nie mogę otworzyc pliku<name>." when it cannot
// be opened.
int SendCommandPositionsFile(const std::string& path, bool show_each);

}  // namespace kelm
