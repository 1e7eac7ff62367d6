// The Qt side of a timer-driven modal wait: shows itself modally and ticks the headless engine
// from a QTimer until the engine ends or the operator cancels.
#pragma once

#include <QDialog>
#include <QTimer>

#include "protocol/operator.h"

class QProgressBar;

namespace kelm {

class WaitShell : public QDialog {
  Q_OBJECT
 public:
  explicit WaitShell(QWidget* parent = nullptr);
  // Begins the wait, shows the dialog modally and returns when the wait has ended.
  void Run(ModalWait& wait);
  ModalWait* CurrentWait() const { return wait_; }

 protected:
  // The engine has begun (refresh the shell's fields).
  virtual void Started() {}
  // One tick has run and the wait goes on.
  virtual void Ticked() {}
  // "&Przerwij": the engine is told, the dialog closes.
  void Cancel();
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void reject() override;
  QTimer timer_;

 private:
  void OnTimer();
  void StartTicking();
  ModalWait* wait_ = nullptr;
  bool closing_ = false;
  // The first tick may block in a read; it waits until the shell is on the screen.
  bool ticking_ = false;
  QTimer first_tick_guard_;
};

// The shell for waits without a window of their own: the dialog name as caption, a moving bar
// and "&Przerwij".
class PlainWaitShell : public WaitShell {
  Q_OBJECT
 public:
  explicit PlainWaitShell(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  QProgressBar* bar_;
  int step_ = 2;
};

}  // namespace kelm
