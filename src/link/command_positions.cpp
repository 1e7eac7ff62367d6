// Sending command-position files.
#include "link/command_positions.h"

#include <cstdio>

#include "link/printer_link.h"
#include "link/regular_file.h"
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
  int number = 0;
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    ++number;
    const std::string_view line = text.substr(0, end);
    // A NUL would end the frame in the middle, and a line longer than the frame buffer cannot
    // become one; sending either cut would send something other than the file says, so the
    // run stops there.
    if (line.find('\0') != std::string_view::npos) {
      TheOperator().ShowMessage("Wiersz " + std::to_string(number) +
                                " pliku zawiera bajt 0; nie został wysłany.");
      return 1;
    }
    if (!PositionLineToFrame(line, CommandFrame, kFrameBufferSize)) {
      TheOperator().ShowMessage("Wiersz " + std::to_string(number) +
                                " pliku jest za długi na rozkaz; nie został wysłany.");
      return 1;
    }
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
  std::string text;
  // A folder or a FIFO is no file of positions (and a FIFO would wait for a writer for ever).
  if (ReadRegularFile(path, kCommandPositionsLimit, &text) != FileRead::kRead) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + path + ".");
    return 1;
  }
  return SendCommandPositions(text, show_each);
}

}  // namespace kelm
