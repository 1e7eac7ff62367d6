// Sending command-position files.
#include "link/command_positions.h"

#include <cstdio>

#include "link/printer_link.h"
#include "protocol/frame.h"
#include "protocol/letters.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

// Room kept at the end of a frame for "XX", ESC, 5Ch and the terminator.
constexpr size_t kTailRoom = 5;

void StartFrame(size_t* length) {
  CommandFrame[0] = kEsc;
  CommandFrame[1] = 'P';
  *length = 2;
}

}  // namespace

int SendCommandPositions(std::string_view text, bool show_each) {
  size_t length = 0;
  StartFrame(&length);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      CommandFrame[length++] = 'X';
      CommandFrame[length++] = 'X';
      CommandFrame[length++] = kEsc;
      CommandFrame[length++] = kBackslash;
      CommandFrame[length] = '\0';
      ToPrinterLetters(CommandFrame);
      ApplyChecksum(CommandFrame);
      if (show_each) {
        TheOperator().ShowMessage("Wyslij pozycje.<" + Cp1250ToUtf8(CommandFrame) + ">");
      }
      if (SendFrame(CommandFrame) != 0) return 1;
      StartFrame(&length);
      ++i;
      continue;
    }
    // A line longer than the frame buffer cannot become a frame; sending it cut would send
    // something other than the file says, so the run stops there.
    if (length + kTailRoom >= kFrameBufferSize) {
      CommandFrame[0] = '\0';
      return 1;
    }
    char c = text[i];
    const std::string_view rest = text.substr(i);
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
    CommandFrame[length++] = c;
  }
  CommandFrame[length] = '\0';
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
