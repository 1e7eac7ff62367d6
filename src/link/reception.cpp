// The receiving dialog's engine and the status queries.
#include "link/reception.h"

#include <cstdio>

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "protocol/frame.h"

namespace kelm {

uint8_t AnswerReceived = 255;
uint8_t AnswerFailed = 0;
uint8_t SingleByteAnswer = 0;
uint8_t EnqStatus = 0;
uint8_t DleStatus = 0;

namespace {

constexpr uint32_t kQuickPathMs = 500;
constexpr int kQuickPathSerialReads = 6;

bool NoLinkMessage() {
  if (RequireLink()) return false;
  SingleByteAnswer = 0;
  return true;
}

int QueryEnq(bool purge) {
  if (purge) PurgeInput();
  SingleByteAnswer = 1;
  // A buffer of its own: CommandFrame keeps the command whose outcome is being asked for.
  char frame[2] = {kEnq, '\0'};
  if (NoLinkMessage()) return 1;
  if (SendFrame(frame) != 0) {
    SingleByteAnswer = 0;
    return 1;
  }
  AnswerFailed = 0;
  AnswerReceived = 1;
  Clock& clock = TheClock();
  const uint32_t start = clock.TickCount();
  size_t n = 0;
  for (int reads = 1;; ++reads) {
    n = purge ? ReadChunk(AnswerBuffer, kFrameBufferSize - 1) : ReadBytes(AnswerBuffer, 1);
    if (n > 0 || clock.TickCount() - start > kQuickPathMs) break;
    // An empty serial read has waited out its 100 ms (or the device is gone), so six of them
    // are past 500 ms whatever the installed clock says.
    if (LinkSettings.TcpActive == 0 && reads >= kQuickPathSerialReads) break;
    // Over TCP/IP a read returns at once: wait for the socket briefly, so the byte is taken the
    // moment it comes, and let the clock move rather than spin when it does not.
    if (LinkSettings.TcpActive != 0 && !TcpWaitReadable(1)) clock.Sleep(1);
  }
  if (n > 0) {
    AnswerBuffer[n] = '\0';
    SingleByteAnswer = 0;
  } else {
    ReceiveAnswer();
  }
  EnqStatus = static_cast<uint8_t>(AnswerBuffer[0]);
  return 0;
}

}  // namespace

void AnswerReception::Begin() {
  position = 0;
  progress_position = 0;
  progress_up = true;
  timer_running = true;
  AnswerFailed = 1;
  byte_counter = 0;
  counter_visible = false;
  counter_text.clear();
  focus_text_box = false;
  first_tick_ = true;
  tcp_ = LinkSettings.TcpActive != 0;
}

bool AnswerReception::Tick() {
  if (first_tick_) {
    first_tick_ = false;
    focus_text_box = true;
  }
  StepProgress(&progress_position, &progress_up);
  // One byte stays free for the terminator, whatever the link hands us.
  const size_t n = ReadChunk(AnswerBuffer + position, kFrameBufferSize - 1 - position);
  counter_visible = byte_counter >= 200;
  char text[32];
  std::snprintf(text, sizeof text, "Pobrano bajtów: %5u", static_cast<unsigned>(byte_counter));
  counter_text = text;
  // A link that has gone brings nothing more: waiting for "&Przerwij" would wait for ever.
  if (n == 0 && LinkGone(tcp_)) {
    ReportLinkGone(tcp_);
    AnswerReceived = 0;
    return true;
  }
  position += n;
  byte_counter = static_cast<uint16_t>(byte_counter + n);
  const bool ended = position > kAnswerCut || (SingleByteAnswer != 0 && n >= 1) ||
                     (position >= 2 && AnswerBuffer[position - 2] == kEsc &&
                      AnswerBuffer[position - 1] == kBackslash);
  if (!ended) return false;
  AnswerBuffer[position] = '\0';
  AnswerReceived = 1;
  AnswerFailed = 0;
  return true;
}

void AnswerReception::Abort() {
  AnswerReceived = 0;
}

void AnswerReception::End() {
  SingleByteAnswer = 0;
  AnswerBuffer[position] = '\0';
  timer_running = false;
}

void ReceiveAnswer() {
  AnswerReception dialog;
  TheOperator().RunModal(dialog);
}

int QueryEnqStatus() {
  return QueryEnq(true);
}

int QueryEnqStatusNoPurge() {
  return QueryEnq(false);
}

int QueryDleStatus() {
  PurgeInput();
  SingleByteAnswer = 1;
  if (NoLinkMessage()) return 1;
  CommandFrame[0] = kDle;
  CommandFrame[1] = '\0';
  if (SendFrame(CommandFrame) != 0) {
    SingleByteAnswer = 0;
    return 1;
  }
  ReceiveAnswer();
  DleStatus = static_cast<uint8_t>(AnswerBuffer[0]);
  return 0;
}

void ResetReception() {
  AnswerReceived = 255;
  AnswerFailed = 0;
  SingleByteAnswer = 0;
  EnqStatus = 0;
  DleStatus = 0;
}

}  // namespace kelm
