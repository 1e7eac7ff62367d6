// The operator seam: everything the program shows the person at the keyboard or asks them goes
// through one interface. The desktop program implements it with message boxes and modal dialogs,
// kelmctl with the console, tests with a script.
#pragma once

#include <string>

namespace kelm {

// A timer-driven modal wait (the receiving dialog, the flow-control wait, the printer search,
// the download dialogs): a headless engine the operator's implementation drives. The desktop
// shows the engine's dialog and calls Tick from a timer; a console or a test calls it in a loop.
class ModalWait {
 public:
  virtual ~ModalWait() = default;
  // Which dialog stands for this wait, so the desktop can pick its window ("TOdbieranie", ...).
  virtual const char* DialogName() const = 0;
  virtual int IntervalMs() const = 0;
  // The dialog is being shown.
  virtual void Begin() = 0;
  // One timer tick; returns true when the wait has ended by itself.
  virtual bool Tick() = 0;
  // "&Przerwij" (and, unless Escape says otherwise, the Esc key): end the wait, cancelled.
  virtual void Abort() = 0;
  // The Esc key. Returns true when the wait has ended.
  virtual bool Escape() {
    Abort();
    return true;
  }
  // The dialog is closing, however that happens.
  virtual void End() {}
  // True when every wait inside the ticks has a limit of its own, so the wait ends without the
  // operator however long it runs (a readout that goes on while records keep coming).
  virtual bool EndsByItself() const { return false; }
};

class Operator {
 public:
  virtual ~Operator() = default;
  // A plain message (UTF-8).
  virtual void ShowMessage(const std::string& text) = 0;
  // A warning question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // The default system beep.
  virtual void Beep() = 0;
  // Shows a modal wait and drives it until it ends (by itself or cancelled).
  virtual void RunModal(ModalWait& wait) = 0;
  // Lets the interface breathe between byte waits of a long transfer.
  virtual void ProcessEvents() {}
};

// A console operator: messages go to standard error exactly as the program shows them,
// questions get a fixed answer, and a modal wait is cancelled after `timeout_ms` (0: never)
// unless it ends by itself.
class ConsoleOperator : public Operator {
 public:
  explicit ConsoleOperator(bool answer_yes = false, unsigned timeout_ms = 5000)
      : answer_yes_(answer_yes), timeout_ms_(timeout_ms) {}
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  void Beep() override;
  void RunModal(ModalWait& wait) override;

 private:
  bool answer_yes_;
  unsigned timeout_ms_;
};

// The operator every routine uses: a console operator unless a program or test installs one.
Operator& TheOperator();
// Installs an operator (nullptr restores the console default). The caller keeps ownership.
void InstallOperator(Operator* op);

}  // namespace kelm
