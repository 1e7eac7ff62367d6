// A command frame built by a configuration rule: its final bytes (letters converted, check value
// applied) and what follows its sending, so rules can be checked byte for byte without a link.
#pragma once

#include <string>

#include "link/command_execution.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/letters.h"

namespace kelm {

struct ConfigFrame {
  std::string bytes;
  AfterSend after = AfterSend::kCheckLastCommand;
};

// Formats `tmpl` (snprintf, "." as decimal point), converts the Polish letters of the whole frame
// into the coding of LinkSettings when asked, and applies the check value when the template has a
// check slot. False when the frame would not fit the frame buffer.
template <class... Args>
bool BuildFrame(ConfigFrame* out, bool convert_letters, const char* tmpl, Args... args) {
  char frame[kFrameBufferSize];
  if (FormatFrame(frame, sizeof frame, tmpl, args...) < 0) return false;
  if (convert_letters) ToPrinterLetters(frame, LinkSettings.LetterCoding);
  if (TemplateHasCheckSlot(tmpl)) ApplyChecksum(frame, sizeof frame);
  out->bytes = frame;
  return true;
}

// An edit field's text as a frame takes it: operator text (UTF-8) in Windows-1250, cut to 49
// bytes as the field slots hold it.
std::string FieldText(const std::string& utf8);

// Sends a built frame through the one command path and runs its after-step. Returns what
// RunCommand returns (kCommandNoLink or kCommandNotSent, both negative, when the frame did
// not go out).
int SendConfigFrame(const ConfigFrame& frame);

// The outcome of a dialog's send button.
enum class SendOutcome {
  kRefused,  // validation failed (its message has been shown) or the operator stopped it
  kNotSent,  // the link reported the failure; the dialog stays open
  kSent,     // sent; CheckLastCommand has run (a printer error already shown)
};

// The result of the last SendConfigFrame (a CheckLastCommand result, or negative), for
// callers that tell a printer error from a missing status.
int LastSendResult();

// SendConfigFrame, folded into an outcome.
SendOutcome SendOutcomeOf(const ConfigFrame& frame);
// Sends a built frame, or shows `message` (when there is one) if it was refused.
SendOutcome SendBuiltFrame(bool built, const ConfigFrame& frame, const std::string& message = "");

}  // namespace kelm
