// Command execution: the steps every command dialog shares, the check of a command's outcome
// through the ENQ status byte, and the reading and showing of the printer's error number.
#pragma once

#include <cstddef>

#include "protocol/frame.h"

namespace kelm {

// "Odeślij kod ostatniego błędu": also the probe of the printer search on the first family.
inline constexpr char kLastErrorQueryTemplate[] = "%cP0#n%c%c";

// CheckLastCommand results.
inline constexpr int kCommandExecuted = 0;
inline constexpr int kCommandNoStatus = 1;      // no link, or no status obtained
inline constexpr int kCommandStatusFailed = 2;  // the status reception failed
inline constexpr int kCommandPrinterError = 3;  // the printer's error has been shown

int CheckLastCommand();
// The same without draining input first (the readout keeps its pending bytes).
int CheckLastCommandNoPurge();
// Sends the error query and sets LastErrorNumber (-1 when no number was read).
void ReadLastErrorCode();
// Receives the answer to a frame already sent and takes the number between "P" and "#" into
// LastErrorNumber. Returns 0, or non-zero when no answer came.
int ReadStatusNumber();
// The parsing halves of the two, on an answer of at most `capacity` bytes (NUL-terminated
// within it or not): the number after the last "E" (searched from two bytes before the end), and
// the number from the third byte up to "#". -1 when there are no digits.
int ErrorNumberFromAnswer(const char* answer, size_t capacity);
int StatusNumberFromAnswer(const char* answer, size_t capacity);
// Beeps and shows "Wystąpił bład nr: N: text" for LastErrorNumber.
void ShowPrinterError();

// The one check for a link before anything goes out: false (after "Nie wybrano portu
// komunikacyjnego.") when there is neither a serial port nor a TCP/IP link.
bool RequireLink();

// What a dialog does once its frame is on the line.
enum class AfterSend { kNothing, kCheckLastCommand, kReceiveAnswer };

struct CommandSteps {
  AfterSend after = AfterSend::kCheckLastCommand;
  // Convert Polish letters of the whole frame into the printer's coding before the check value.
  bool convert_letters = false;
  // Drain what is waiting on the line first, so the answer read is the answer to this frame.
  bool purge_first = false;
};

// The frame was not sent (its link message has been shown); the dialog stays open. Both are
// negative; kCommandNoLink says that there was no link at all.
inline constexpr int kCommandNotSent = -1;
inline constexpr int kCommandNoLink = -2;

// The steps after formatting: letters, check value when `tmpl` has a check slot, the link check,
// the purge when asked, SendFrame, then the after-step. Returns kCommandNoLink or kCommandNotSent,
// or: the CheckLastCommand result; 0 when an answer was received (kCommandStatusFailed when its
// reception was cancelled); 0 after kNothing.
int FinishCommand(const char* tmpl, const CommandSteps& steps);

// Formats `tmpl` into CommandFrame and runs FinishCommand: the whole send step of a dialog
// whose fields are validated and copied into FieldTexts.
template <class... Args>
int RunCommand(const CommandSteps& steps, const char* tmpl, Args... args) {
  if (FormatCommand(tmpl, args...) < 0) return kCommandNotSent;
  return FinishCommand(tmpl, steps);
}

}  // namespace kelm
