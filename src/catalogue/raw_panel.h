// The raw frame panel without its widgets: the insert buttons, the hexadecimal byte field, the
// check value of a typed frame, paste normalisation and command-position files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelm {

struct InsertButton {
  const char* caption;
  const char* mnemonic;
};
inline constexpr int kInsertButtonCount = 9;
extern const InsertButton kInsertButtons[kInsertButtonCount];

// The hexadecimal byte field's text as a mnemonic ("1FH" gives "<1FH>").
std::string HexFieldMnemonic(std::string_view field_text);

// "&Dodaj sumę kontrolną": parses the panel text into CommandFrame and fills its check slot.
void AddChecksumToText(std::string_view display_text);

// Parses the panel text into CommandFrame; returns the byte count, which may include 00h bytes.
// A paste is normalised by this and a refresh, which shows the frame back as display text.
size_t PanelTextToCommandFrame(std::string_view display_text);

// At most this much of a command-position file is used.
inline constexpr size_t kCommandPositionFileLimit = 16383;

// Walks a command-position text line by line. Each complete line (ended by CR LF) becomes a
// frame ESC "P" <line> "XX" ESC 5Ch, with the line's "<CR>", "<LF>", "[", "]" and "^" turned into
// their bytes; the check slot is left for the caller, after the letter conversion.
class CommandPositionReader {
 public:
  explicit CommandPositionReader(std::string_view text) : text_(text) {}
  enum Result { kFrame, kEnd, kTooLong };
  // Writes the next frame, NUL-terminated, into `frame` (of `capacity` bytes). kTooLong: the
  // line does not fit the buffer; nothing usable was written and the caller must stop.
  Result Next(char* frame, size_t capacity);

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// Reads at most kCommandPositionFileLimit bytes of a file; false when it cannot be opened.
bool ReadCommandPositionFile(const std::string& path, std::string* text);

}  // namespace kelm
