// The raw frame panel's rules.
#include "catalogue/raw_panel.h"

#include <cstdio>

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

CommandPositionReader::Result CommandPositionReader::Next(char* frame, size_t capacity) {
  // ESC "P" in front, "XX" ESC 5Ch NUL behind.
  constexpr size_t kOverhead = 2 + 5;
  if (capacity < kOverhead) return kTooLong;
  size_t n = 0;
  frame[n++] = kEsc;
  frame[n++] = 'P';
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
      pos_ += 2;
      frame[n++] = 'X';
      frame[n++] = 'X';
      frame[n++] = kEsc;
      frame[n++] = kBackslash;
      frame[n] = '\0';
      return kFrame;
    }
    if (n + kOverhead - 2 >= capacity) {
      frame[0] = '\0';
      return kTooLong;
    }
    const std::string_view rest = text_.substr(pos_);
    char byte = c;
    size_t used = 1;
    if (rest.starts_with("<CR>")) {
      byte = '\r';
      used = 4;
    } else if (rest.starts_with("<LF>")) {
      byte = '\n';
      used = 4;
    } else if (c == '[') {
      byte = 0x0E;
    } else if (c == ']') {
      byte = 0x14;
    } else if (c == '^') {
      byte = 0x11;
    }
    frame[n++] = byte;
    pos_ += used;
  }
  frame[0] = '\0';
  return kEnd;
}

bool ReadCommandPositionFile(const std::string& path, std::string* text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  text->assign(kCommandPositionFileLimit, '\0');
  text->resize(std::fread(text->data(), 1, kCommandPositionFileLimit, f));
  std::fclose(f);
  return true;
}

}  // namespace kelm
