// The raw frame panel without its widgets: the insert buttons, the hexadecimal byte field, the
// check value of a typed frame and paste normalisation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// A line of the decoding pane under the "Dane wysłane" box; `wrong` marks a frame whose check
// value is wrong or missing.
struct PaneLine {
  std::string text;
  bool wrong = false;
};
// The panel text read back as the frames it holds, without touching CommandFrame: what the
// operator types is shown decoded while it is typed.
std::vector<PaneLine> DecodePanelText(std::string_view display_text);

}  // namespace kelm
