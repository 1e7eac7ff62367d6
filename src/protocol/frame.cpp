// Frame buffers, the check slot and the status-bit captions.
#include "protocol/frame.h"

#include <cstring>

#include "protocol/check_value.h"

namespace kelm {

char CommandFrame[kFrameBufferSize];
char AnswerBuffer[kFrameBufferSize];

void ResetFrameBuffers() {
  std::memset(CommandFrame, 0, sizeof CommandFrame);
  std::memset(AnswerBuffer, 0, sizeof AnswerBuffer);
}

void ApplyChecksum(char* frame, size_t capacity) {
  size_t pos = 2;
  while (pos < capacity) {
    if (pos + 3 < capacity && frame[pos + 2] == kEsc && frame[pos + 3] == kBackslash) break;
    if (frame[pos] == '\0') break;
    ++pos;
  }
  const uint8_t value = CheckValue(frame + 2, pos > 2 ? pos - 2 : 0);
  if (pos + 4 < capacity) frame[pos + 4] = '\0';
  if (pos + 1 < capacity) CheckDigits(value, frame + pos);
}

bool TemplateHasCheckSlot(const char* tmpl) {
  const size_t n = std::strlen(tmpl);
  if (n < 6 || std::strcmp(tmpl + n - 4, "%c%c") != 0) return false;
  const char a = tmpl[n - 6], b = tmpl[n - 5];
  return (a == 'x' && b == 'x') || (a == 'c' && b == 'c') || (a == 'X' && b == 'X');
}

const StatusBitCaption kEnqBitCaptions[4] = {
    {kEnqLastTransactionOk, "Ostatnia transakcja została sfinalizowana poprawnie"},
    {kEnqInTransaction, "Drukarka jest w trybie transakcji"},
    {kEnqLastCommandOk, "Ostatni rozkaz został wykonany poprawnie"},
    {kEnqFiscalMode, "Drukarka jest w trybie fiskalnym"},
};

const StatusBitCaption kDleBitCaptions[3] = {
    {kDleMechanismFault, "Bład mechanizmu sterowanika"},
    {kDlePaperOut, "Brak papieru"},
    {kDleOnLine, "On-line"},
};

}  // namespace kelm
