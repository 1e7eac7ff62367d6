// The desktop operator: message boxes, questions and modal waits, on real widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "app/QtOperator.h"
#include "gui_support.h"
#include "link/dialogs/WaitShell.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

class QtOperatorTest : public ::testing::Test {
 protected:
  QtOperatorTest() { test::TestApp(); }
  QtOperator op;
};

TEST_F(QtOperatorTest, MessageAndQuestionBoxes) {
  QString text, title;
  WhenModal([&](QWidget* w) {
    auto* box = static_cast<QMessageBox*>(w);
    text = box->text();
    title = box->windowTitle();
    box->accept();
  });
  op.ShowMessage("Nie mogę utworzyć pliku.");
  EXPECT_EQ(text, "Nie mogę utworzyć pliku.");
  EXPECT_EQ(title, "Program użytkownika drukarek KELM");
  for (bool yes : {true, false}) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal([&icon, yes](QWidget* w) {
      auto* box = static_cast<QMessageBox*>(w);
      icon = box->icon();
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    EXPECT_EQ(op.AskYesNo("Czy przerwać oczekiwanie?"), yes);
    EXPECT_EQ(icon, QMessageBox::Warning);
  }
}

// A wait that ends by itself after `ticks` ticks, or asks before giving in to Esc.
class CountingWait : public ModalWait {
 public:
  explicit CountingWait(int ticks, bool ask = false) : ticks_(ticks), ask_(ask) {}
  const char* DialogName() const override { return "TTestWait"; }
  int IntervalMs() const override { return 1; }
  void Begin() override { ++begun; }
  bool Tick() override { return ++ticked >= ticks_; }
  void Abort() override { ++aborted; }
  bool Escape() override {
    if (ask_ && !TheOperator().AskYesNo("Czy przerwać oczekiwanie?")) return false;
    Abort();
    return true;
  }
  void End() override { ++ended; }
  int begun = 0, ticked = 0, aborted = 0, ended = 0;

 private:
  int ticks_;
  bool ask_;
};

TEST_F(QtOperatorTest, WaitRunsItsTicksInTheRegisteredShell) {
  dialogs::PlainWaitShell shell;
  op.RegisterWait("TTestWait", &shell);
  CountingWait wait(5);
  op.RunModal(wait);
  EXPECT_EQ(wait.begun, 1);
  EXPECT_EQ(wait.ticked, 5);
  EXPECT_EQ(wait.aborted, 0);
  EXPECT_EQ(wait.ended, 1);
  EXPECT_EQ(shell.windowTitle(), "TTestWait");
}

TEST_F(QtOperatorTest, AbortButtonAndEscapeEndAWait) {
  CountingWait by_button(1 << 30);
  WhenModal([](QWidget* w) { Child<QAbstractButton>(w, "Button1")->click(); });
  op.RunModal(by_button);  // no registered shell: the plain one
  EXPECT_EQ(by_button.aborted, 1);
  EXPECT_EQ(by_button.ended, 1);

  InstallOperator(&op);
  CountingWait by_escape(1 << 30, true);
  // The first Esc is answered No and the wait goes on; the second Yes ends it.
  WhenModal([](QWidget* w) {
    WhenModal([](QWidget* q) { static_cast<QMessageBox*>(q)->button(QMessageBox::No)->click(); });
    QTest::keyClick(w, Qt::Key_Escape);
    WhenModal([](QWidget* q) { static_cast<QMessageBox*>(q)->button(QMessageBox::Yes)->click(); });
    QTest::keyClick(w, Qt::Key_Escape);
  });
  op.RunModal(by_escape);
  InstallOperator(nullptr);
  EXPECT_EQ(by_escape.aborted, 1);
  EXPECT_GT(by_escape.ticked, 0);
}

}  // namespace
}  // namespace kelm
