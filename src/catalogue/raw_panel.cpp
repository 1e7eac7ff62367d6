// The raw frame panel's rules.
#include "catalogue/raw_panel.h"

#include "protocol/display_text.h"
#include "protocol/frame.h"

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

void AddChecksumToText(std::string_view display_text) {
  PanelTextToCommandFrame(display_text);
  ApplyChecksum(CommandFrame, kFrameBufferSize);
}

}  // namespace kelm
