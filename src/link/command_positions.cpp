// Sending command-position files.
#include "link/command_positions.h"

#include <cstdio>

#include "link/printer_link.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/letters.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {
bool PositionLineToFrame(std::string_view line, char* frame, size_t capacity) {
  // Room for ESC "P" in front and "XX", ESC, 5Ch and the terminator behind.
  if (capacity < 7) return false;
  size_t length = 0;
  frame[length++] = kEsc;
  frame[length++] = 'P';
  for (size_t i = 0; i < line.size(); ++i) {
    if (length + 5 >= capacity) {
      frame[0] = '\0';
      return false;
    }
    char c = line[i];
    const std::string_view rest = line.substr(i);
    if (rest.starts_with("<CR>") || rest.starts_with("<LF>")) {
      c = rest[1] == 'C' ? '\r' : '\n';
      i += 3;
    } else if (c == '[') {
      c = 0x0E;
    } else if (c == ']') {
      c = 0x14;
    } else if (c == '^') {
      c = 0x11;
    }
    frame[length++] = c;
  }
  frame[length++] = 'X';
  frame[length++] = 'X';
  frame[length++] = kEsc;
  frame[length++] = kBackslash;
  frame[length] = '\0';
  return true;
}

int SendCommandPositions(std::string_view text, bool show_each) {
  // Only lines ended by CR LF are sent; whatever follows the last one is an unfinished line.
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    // A line longer than the frame buffer cannot become a frame; sending it cut would send
    // something other than the file says, so the run stops there.
    if (!PositionLineToFrame(text.substr(0, end), CommandFrame, kFrameBufferSize)) return 1;
    ToPrinterLetters(CommandFrame, LinkSettings.LetterCoding);
    ApplyChecksum(CommandFrame);
    if (show_each) {
      TheOperator().ShowMessage("Wyslij pozycje.<" + Cp1250ToUtf8(CommandFrame) + ">");
    }
    if (SendFrame(CommandFrame) != 0) return 1;
  }
  return 0;
}

int SendCommandPositionsFile(const std::string& path, bool show_each) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + path + ".");
    return 1;
  }
  std::string text(kCommandPositionsLimit, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f));
  std::fclose(f);
  return SendCommandPositions(text, show_each);
}

}  // namespace kelm
