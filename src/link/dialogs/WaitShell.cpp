// The shell of the timer-driven modal waits.
#include "link/dialogs/WaitShell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kelm::dialogs {

// A shell that never gets painted (a minimised program) still ticks after this long.
constexpr int kFirstTickAtTheLatestMs = 250;

WaitShell::WaitShell(QWidget* parent) : QDialog(parent) {
  setModal(true);
  layout_ = new QVBoxLayout(this);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  layout_->addWidget(bar_);
  cancel_ = new QPushButton("&Przerwij", this);
  cancel_->setObjectName("Button1");
  layout_->addWidget(cancel_, 0, Qt::AlignHCenter);
  connect(cancel_, &QPushButton::clicked, this, &WaitShell::Cancel);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &WaitShell::OnTimer);
  first_tick_guard_.setSingleShot(true);
  connect(&first_tick_guard_, &QTimer::timeout, this, &WaitShell::StartTicking);
}

void WaitShell::AddAboveBar(QWidget* widget) {
  layout_->insertWidget(above_bar_++, widget);
}

void WaitShell::AddBelowBar(QWidget* widget) {
  layout_->insertWidget(layout_->indexOf(cancel_), widget);
}

void WaitShell::Started() {
  bar_->setValue(0);
}

void WaitShell::Run(ModalWait& wait) {
  wait_ = &wait;
  closing_ = false;
  ticking_ = false;
  wait.Begin();
  Started();
  // Over the window that started the wait, every time: a shell is created once and would
  // otherwise come up where its first wait was, and without a window manager nobody else
  // places it.
  QWidget* over = QApplication::activeModalWidget();
  if (over == nullptr) over = QApplication::activeWindow();
  if (over == nullptr) over = parentWidget();
  if (over != nullptr && over != this) {
    adjustSize();
    move(over->frameGeometry().center() - rect().center());
  }
  first_tick_guard_.start(kFirstTickAtTheLatestMs);
  // A shell shown from the main window's menu runs its engine from its own exec().
  QDialog::exec();
  timer_.stop();
  first_tick_guard_.stop();
  wait.End();
  wait_ = nullptr;
}

// Ticks may block in a read for up to 100 ms each; the first one waits until the shell (and the
// window below it, whose events run meanwhile) has been painted, so a wait never shows as an
// empty rectangle while the printer is slow to answer.
void WaitShell::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (!ticking_ && wait_ != nullptr) QTimer::singleShot(0, this, &WaitShell::StartTicking);
}

void WaitShell::StartTicking() {
  if (ticking_ || wait_ == nullptr || closing_) return;
  ticking_ = true;
  first_tick_guard_.stop();
  timer_.start(wait_->IntervalMs());
}

void WaitShell::OnTimer() {
  if (wait_ == nullptr || closing_) return;
  // The timer stays off during the tick, so a tick that opens a message box is not re-entered.
  if (wait_->Tick()) {
    closing_ = true;
    accept();
    return;
  }
  Ticked();
  if (!closing_) timer_.start(wait_->IntervalMs());
}

void WaitShell::Cancel() {
  if (wait_ == nullptr || closing_) return;
  closing_ = true;
  timer_.stop();
  wait_->Abort();
  QDialog::reject();
}

void WaitShell::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || wait_ == nullptr) {
    QDialog::keyPressEvent(event);
    return;
  }
  timer_.stop();
  if (wait_->Escape()) {
    closing_ = true;
    QDialog::reject();
  } else if (ticking_) {
    timer_.start(wait_->IntervalMs());
  }
}

// Closing the window by its frame counts as "&Przerwij".
void WaitShell::reject() {
  Cancel();
}

PlainWaitShell::PlainWaitShell(QWidget* parent) : WaitShell(parent) {}

void PlainWaitShell::Started() {
  setWindowTitle(CurrentWait()->DialogName());
  Bar()->setValue(0);
  step_ = 2;
}

void PlainWaitShell::Ticked() {
  int v = Bar()->value() + step_;
  if (v >= 100 || v <= 0) step_ = -step_;
  Bar()->setValue(std::clamp(v, 0, 100));
}

}  // namespace kelm::dialogs
