// CheckLastCommand and friends, and the shared send step of the command dialogs.
#include "link/command_execution.h"

#include <cstring>

#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/error_table.h"
#include "protocol/letters.h"
#include "protocol/operator.h"

namespace kelm {
namespace {

// Decimal digits at `text`, up to `end`; -1 when there are none. Long runs are cut off rather
// than overflowing: no printer error number has more than three digits.
int ReadNumber(const char* text, const char* end) {
  int value = -1;
  for (int digits = 0; text < end && *text >= '0' && *text <= '9' && digits < 9; ++text, ++digits) {
    value = (value < 0 ? 0 : value * 10) + (*text - '0');
  }
  return value;
}

int CheckWith(int (*query)()) {
  if (NoLink()) return kCommandNoStatus;
  if (query() != 0) return kCommandNoStatus;
  if (AnswerReceived == 0) return kCommandNoStatus;
  if (AnswerFailed != 0) return kCommandStatusFailed;
  if ((EnqStatus & kEnqLastCommandOk) != 0) return kCommandExecuted;
  ReadLastErrorCode();
  if (LastErrorNumber <= 0) return kCommandExecuted;
  ShowPrinterError();
  return kCommandPrinterError;
}

}  // namespace

int ErrorNumberFromAnswer(const char* answer, size_t capacity) {
  if (capacity == 0) return -1;
  const size_t length = strnlen(answer, capacity);
  if (length == 0) return -1;
  const char* end = answer + length;
  // The number follows the last "E" of the answer; an "E" among its parameters does not count.
  const char* e = nullptr;
  for (size_t i = length >= 2 ? length - 2 : 0; e == nullptr && i + 1 > 0; --i) {
    if (answer[i] == 'E') e = answer + i;
  }
  if (e == nullptr || e + 1 > end) return -1;
  const char* stop = static_cast<const char*>(std::memchr(e + 1, kEsc, end - (e + 1)));
  return ReadNumber(e + 1, stop != nullptr ? stop : end);
}

int StatusNumberFromAnswer(const char* answer, size_t capacity) {
  if (capacity == 0) return -1;
  const size_t length = strnlen(answer, capacity);
  const char* start = answer + (length < 2 ? length : 2);
  const char* end = answer + length;
  const char* hash = static_cast<const char*>(std::memchr(start, '#', end - start));
  return ReadNumber(start, hash != nullptr ? hash : end);
}

int CheckLastCommand() {
  return CheckWith(QueryEnqStatus);
}

int CheckLastCommandNoPurge() {
  return CheckWith(QueryEnqStatusNoPurge);
}

void ReadLastErrorCode() {
  if (!RequireLink()) return;
  PurgeInput();
  char frame[8];
  FormatFrame(frame, sizeof frame, kLastErrorQueryTemplate, 27, 27, 92);
  if (SendFrame(frame) != 0) {
    LastErrorNumber = -1;
    return;
  }
  ReceiveAnswer();
  if (AnswerFailed != 0) {
    LastErrorNumber = -1;
    return;
  }
  LastErrorNumber = ErrorNumberFromAnswer(AnswerBuffer, kFrameBufferSize);
}

int ReadStatusNumber() {
  ReceiveAnswer();
  if (AnswerFailed != 0) {
    LastErrorNumber = -1;
    return 1;
  }
  LastErrorNumber = StatusNumberFromAnswer(AnswerBuffer, kFrameBufferSize);
  return 0;
}

void ShowPrinterError() {
  TheOperator().Beep();
  TheOperator().ShowMessage(PrinterErrorMessage(LastErrorNumber));
}

bool RequireLink() {
  if (!NoLink()) return true;
  TheOperator().ShowMessage("Nie wybrano portu komunikacyjnego.");
  return false;
}

int FinishCommand(const char* tmpl, const CommandSteps& steps) {
  if (steps.convert_letters) ToPrinterLetters(CommandFrame, LinkSettings.LetterCoding);
  if (TemplateHasCheckSlot(tmpl)) ApplyChecksum(CommandFrame);
  if (steps.purge_first) PurgeInput();
  if (!RequireLink()) return kCommandNoLink;
  if (SendFrame(CommandFrame) != 0) return kCommandNotSent;
  switch (steps.after) {
    case AfterSend::kCheckLastCommand:
      return CheckLastCommand();
    case AfterSend::kReceiveAnswer:
      ReceiveAnswer();
      return AnswerFailed != 0 ? kCommandStatusFailed : 0;
    case AfterSend::kNothing:
      break;
  }
  return 0;
}

}  // namespace kelm
