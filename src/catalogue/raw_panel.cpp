// The raw frame panel's rules.
#include "catalogue/raw_panel.h"

#include "link/settings.h"
#include "protocol/display_text.h"
#include "protocol/frame.h"
#include "protocol/frame_decoder.h"

namespace kelm {

const InsertButton kInsertButtons[kInsertButtonCount] = {
    {"ESC", "<ESC>"}, {"CR", "<CR >"},  {"LF", "<LF >"}, {"ENQ", "<ENQ>"}, {"BEL", "<BEL>"},
    {"DLE", "<DLE>"}, {"CAN", "<CAN>"}, {"SO", "<SO >"}, {"DC4", "<DC4>"},
};

std::string HexFieldMnemonic(std::string_view field_text) {
  std::string m = "<";
  m += field_text;
  m += ">";
  return m;
}

size_t PanelTextToCommandFrame(std::string_view display_text) {
  return DisplayTextToFrame(display_text, CommandFrame, kFrameBufferSize);
}

std::vector<PaneLine> DecodePanelText(std::string_view display_text) {
  std::string frame(kFrameBufferSize, '\0');
  frame.resize(DisplayTextToFrame(display_text, frame.data(), frame.size()));
  DecodeOptions options;
  options.direction = Direction::kToPrinter;
  options.letter_coding = LinkSettings.LetterCoding;
  std::vector<PaneLine> lines;
  for (const DecodedItem& item : DecodeBytes(frame, options)) {
    const std::string text = RenderItem(item);
    const bool wrong = item.check == CheckState::kWrong || item.check == CheckState::kMissing;
    size_t start = 0;
    while (start < text.size()) {
      const size_t end = text.find('\n', start);
      const size_t stop = end == std::string::npos ? text.size() : end;
      // The summary line carries the check value's verdict.
      lines.push_back({text.substr(start, stop - start), wrong && start == 0});
      start = stop + 1;
    }
  }
  return lines;
}

void AddChecksumToText(std::string_view display_text) {
  PanelTextToCommandFrame(display_text);
  ApplyChecksum(CommandFrame, kFrameBufferSize);
}

}  // namespace kelm
