// Answer reception: the reception flags and status bytes, the receiving dialog's engine
// (AnswerReception, shown as TOdbieranie) and the ENQ and DLE status queries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/operator.h"

namespace kelm {

// 1 when the last reception ended with data, 0 when it was cancelled, 255 before the first.
extern uint8_t AnswerReceived;
// 1 from the start of a reception until it ends normally; still 1 after a cancel.
extern uint8_t AnswerFailed;
// The next reception ends as soon as a byte has arrived (status queries).
extern uint8_t SingleByteAnswer;
extern uint8_t EnqStatus;
extern uint8_t DleStatus;

// Answers longer than this end the reception; the rest stays pending for the next PurgeInput.
inline constexpr size_t kAnswerCut = 4920;

// The engine of the receiving dialog "Odbieram dane": one answer into AnswerBuffer, up to ESC 5Ch.
class AnswerReception : public ModalWait {
 public:
  static constexpr const char* kCaption = "Odbieram dane";
  static constexpr const char* kWaitingText = "Czekam na odpowiedź od drukarki";

  const char* DialogName() const override { return "TOdbieranie"; }
  int IntervalMs() const override { return 1; }
  void Begin() override;
  bool Tick() override;
  void Abort() override;
  void End() override;

  // Visible state for the dialog.
  int progress_position = 0;
  bool progress_up = true;
  bool counter_visible = false;
  std::string counter_text;
  bool focus_text_box = false;  // set on the first tick: the text box takes the focus
  bool timer_running = false;
  // Where the next read stores, and the bytes received so far (shown 16-bit, as counted).
  size_t position = 0;
  uint16_t byte_counter = 0;

 private:
  bool first_tick_ = true;
  bool tcp_ = false;  // the link the answer is awaited on
};

// Shows the receiving dialog modally through the operator.
void ReceiveAnswer();

// The status queries; 0 when the query was sent and its byte stored, non-zero otherwise.
int QueryEnqStatus();
int QueryEnqStatusNoPurge();
int QueryDleStatus();

// Every flag and status byte back to its start value.
void ResetReception();

}  // namespace kelm
