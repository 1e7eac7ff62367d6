// The shell of the timer-driven modal waits.
#include "link/dialogs/WaitShell.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kelm::dialogs {

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
  wait.Begin();
  Started();
  timer_.start(wait.IntervalMs());
  exec();
  timer_.stop();
  wait.End();
  wait_ = nullptr;
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
  } else {
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
