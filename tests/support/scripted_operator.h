// Test stand-ins for the two seams: a scripted operator and a fake clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "protocol/clock.h"
#include "protocol/operator.h"

namespace kelm::test {

// Time moves only when someone sleeps, or by `step_ms` at every TickCount (so that loops that
// poll the clock without sleeping still reach their limits).
class FakeClock : public Clock {
 public:
  explicit FakeClock(uint32_t step_ms = 0) : step_ms_(step_ms) {}
  uint32_t TickCount() override {
    const uint32_t t = now_;
    now_ += step_ms_;
    return t;
  }
  void Sleep(uint32_t ms) override {
    now_ += ms;
    slept_ += ms;
  }
  void Advance(uint32_t ms) { now_ += ms; }
  uint32_t Now() const { return now_; }
  uint64_t Slept() const { return slept_; }

 private:
  uint32_t now_ = 1000;
  uint32_t step_ms_;
  uint64_t slept_ = 0;
};

// Records what the program shows and answers its questions from a queue (No when empty).
// A modal wait is ticked until it ends; `abort_after_ticks` cancels it after so many ticks
// (as if the operator pressed "&Przerwij"); `on_tick` runs before every tick.
class ScriptedOperator : public Operator {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> waits;  // DialogName of every modal wait shown
  std::deque<bool> answers;
  int beeps = 0;
  int abort_after_ticks = -1;
  bool use_escape = false;  // cancel with the Esc key rather than the button
  int max_ticks = 100000;   // a wait still running after this many ticks is aborted
  std::function<void(ModalWait&, int tick)> on_tick;
  // The message loop between byte waits of a long transfer: counted, and `on_events` runs
  // there (where the desktop would see "&Przerwij" pressed).
  int events = 0;
  std::function<void()> on_events;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
  void ProcessEvents() override {
    ++events;
    if (on_events) on_events();
  }
  void RunModal(ModalWait& wait) override {
    waits.push_back(wait.DialogName());
    wait.Begin();
    for (int tick = 0;; ++tick) {
      if (on_tick) on_tick(wait, tick);
      if ((abort_after_ticks >= 0 && tick >= abort_after_ticks) || tick >= max_ticks) {
        if (use_escape ? wait.Escape() : (wait.Abort(), true)) break;
      }
      if (wait.Tick()) break;
      TheClock().Sleep(static_cast<uint32_t>(wait.IntervalMs()));
    }
    wait.End();
  }
};

// Installs a scripted operator and a fake clock for the life of a test, and puts every
// process-wide record back to its start values before and after.
class SeamGuard {
 public:
  SeamGuard();
  ~SeamGuard();
  ScriptedOperator op;
  FakeClock clock;
};

}  // namespace kelm::test
