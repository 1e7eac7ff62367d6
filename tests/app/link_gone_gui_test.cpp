// The receiving dialog on the desktop, which has no time-out of its own: a printer that goes
// from the line in the middle of its answer must close it by itself with a clear message, over a
// pseudo-terminal and over TCP/IP, instead of waiting for "&Przerwij" for ever.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "app/QtOperator.h"
#include "gui_support.h"
#include "link/dialogs/TOdbieranie.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "protocol/frame.h"
#include "support/kelmemu_link.h"
#include "support/reset.h"

namespace kelm {
namespace {

struct GoneRow {
  const char* name;
  std::vector<std::string> printer;
  const char* message;
};

class LinkGoneGui : public ::testing::TestWithParam<GoneRow> {
 protected:
  LinkGoneGui() {
    test::TestApp();
    test::ResetProcessState();
  }
  ~LinkGoneGui() override {
    InstallOperator(nullptr);
    test::ResetProcessState();
  }
};

TEST_P(LinkGoneGui, ReceivingDialogClosesByItselfWhenTheLineGoes) {
  std::vector<std::string> options = GetParam().printer;
  options.insert(options.end(), {"--drop-after-sent", "8"});
  test::KelmemuProcess emu(options);
  ASSERT_TRUE(test::ConnectToKelmemu(emu)) << emu.ready();
  QtOperator op;
  dialogs::TOdbieranie dialog;
  op.RegisterWait("TOdbieranie", &dialog);
  InstallOperator(&op);
  QStringList shown;
  bool pressed = false;
  test::WhenModal([&](QWidget* d) {
    // Only a dialog still open after five seconds is closed by hand, and that fails the test.
    QTimer::singleShot(5000, d, [&, d] {
      if (!d->isVisible()) return;
      pressed = true;
      test::Child<QAbstractButton>(d, "Button1")->click();
    });
    test::WhenTrue(
        [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
        [&] {
          auto* box = static_cast<QMessageBox*>(QApplication::activeModalWidget());
          shown << box->text();
          box->accept();
        });
  });
  char frame[] = "\x1bP1#v\x1b\\";
  ASSERT_EQ(SendFrame(frame), 0);
  ReceiveAnswer();
  EXPECT_FALSE(pressed);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_EQ(AnswerFailed, 1);
  EXPECT_EQ(std::string(AnswerBuffer, 8), "\x1bP1#R" + std::string("KEL"));
  EXPECT_EQ(shown, QStringList{QString::fromUtf8(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkGoneGui,
    ::testing::Values(GoneRow{"Pty", {"--pty"}, kLinkGoneText},
                      GoneRow{"Tcp", {"--tcp", "127.0.0.1:0"}, "Rozłączono z: 127.0.0.1"}),
    [](const ::testing::TestParamInfo<GoneRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelm
