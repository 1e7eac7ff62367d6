// Sending a built configuration frame.
#include "config/config_frame.h"

#include "protocol/field_texts.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {

std::string FieldText(const std::string& utf8) {
  return Utf8ToCp1250(utf8).substr(0, kFieldSlotSize - 1);
}

namespace {
int last_send_result = kCommandNotSent;
}  // namespace

int SendConfigFrame(const ConfigFrame& frame) {
  // The bytes are final: no second conversion, and "%s" has no check slot.
  last_send_result = RunCommand(CommandSteps{frame.after, false}, "%s", frame.bytes.c_str());
  return last_send_result;
}

int LastSendResult() {
  return last_send_result;
}

SendOutcome SendOutcomeOf(const ConfigFrame& frame) {
  return SendConfigFrame(frame) < 0 ? SendOutcome::kNotSent : SendOutcome::kSent;
}

SendOutcome SendBuiltFrame(bool built, const ConfigFrame& frame, const std::string& message) {
  if (!built) {
    if (!message.empty()) TheOperator().ShowMessage(message);
    return SendOutcome::kRefused;
  }
  return SendOutcomeOf(frame);
}

}  // namespace kelm
