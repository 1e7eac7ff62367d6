// The one shell of every timer-driven modal wait: a progress bar and "&Przerwij" under the
// fields of the wait's own dialog; shows itself modally and ticks the headless engine from a
// QTimer until the engine ends or the operator cancels.
#pragma once

#include <QDialog>
#include <QTimer>

#include "protocol/operator.h"

class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace kelm::dialogs {

class WaitShell : public QDialog {
  Q_OBJECT
 public:
  explicit WaitShell(QWidget* parent = nullptr);
  // Begins the wait, shows the dialog modally and returns when the wait has ended.
  void Run(ModalWait& wait);
  ModalWait* CurrentWait() const { return wait_; }

 protected:
  // The dialog's own fields: above the progress bar, or between it and "&Przerwij".
  void AddAboveBar(QWidget* widget);
  void AddBelowBar(QWidget* widget);
  QProgressBar* Bar() const { return bar_; }
  // "&Przerwij" (Button1), for dialogs whose first button has a caption or an action of its own.
  QPushButton* CancelButton() const { return cancel_; }
  // The engine being run, as the dialog knows it.
  template <class Engine>
  Engine& Current() const {
    return static_cast<Engine&>(*wait_);
  }
  // The engine has begun (refresh the shell's fields); the bar starts at 0.
  virtual void Started();
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
  QVBoxLayout* layout_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  int above_bar_ = 0;
  ModalWait* wait_ = nullptr;
  bool closing_ = false;
  // The first tick may block in a read; it waits until the shell is on the screen.
  bool ticking_ = false;
  QTimer first_tick_guard_;
};

// The shell for waits without a window of their own: the dialog name as caption and a bar that
// moves back and forth.
class PlainWaitShell : public WaitShell {
  Q_OBJECT
 public:
  explicit PlainWaitShell(QWidget* parent = nullptr);

 protected:
  void Started() override;
  void Ticked() override;

 private:
  int step_ = 2;
};

}  // namespace kelm::dialogs
