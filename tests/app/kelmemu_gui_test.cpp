// The desktop program against the virtual printer kelmemu over loopback TCP/IP and over a
// pseudo-terminal reached as COM1: connect from the dialogs, send a command from a tree entry.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <filesystem>
#include <vector>

#include "link/printer_link.h"
#include "main_form_fixture.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

using Kelmemu = test::KelmemuProcess;

class KelmemuGuiTest : public test::MainFormTest {
 protected:
  // "Kodowanie polskich liter" of the configuration tree, sent with "LATIN".
  void SendCodingFromTheTree() {
    auto* tree = Find<QTreeWidget>("TreeView2");
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
      if ((*it)->text(0) == "Kodowanie polskich liter") tree->setCurrentItem(*it);
    }
    bool closed = false;
    WhenModal([&closed](QWidget* d) {
      Child<QRadioButton>(d, "RadioButton2")->click();
      Child<QPushButton>(d, "Button1")->click();
      closed = !d->isVisible();
      if (!closed) static_cast<QDialog*>(d)->reject();
    });
    emit tree->itemDoubleClicked(tree->currentItem(), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(LinkSettings.LetterCoding, 1);
  }
};

TEST_F(KelmemuGuiTest, CommandOverTcp) {
  Kelmemu emu({"--tcp", "127.0.0.1:0"});
  ASSERT_EQ(emu.ready().rfind("TCP 127.0.0.1:", 0), 0u) << emu.ready();
  const std::string port = emu.ready().substr(emu.ready().rfind(':') + 1);
  Start(3);
  WhenModal([port](QWidget* d) {
    Child<QLineEdit>(d, "Edit1")->setText("127.0.0.1");
    Child<QLineEdit>(d, "Edit2")->setText(QString::fromStdString(port));
    Child<QPushButton>(d, "Button1")->click();
  });
  Find<QAction>("TransmisjaTCPIP1")->trigger();
  ASSERT_EQ(LinkSettings.TcpActive, 1);
  guard.op.messages.clear();
  SendCodingFromTheTree();
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
  // "Pobierz dane" fills the group "Dane z drukarki" from the printer's cash information.
  EXPECT_TRUE(Find<QGroupBox>("GroupBox1")->isHidden());
  // Over TCP/IP a tick does not wait for bytes; let real time pass between the ticks.
  guard.op.on_tick = [](ModalWait&, int) { usleep(1000); };
  auto* fetch = Find<QPushButton>("Button1");
  const QPoint before = fetch->mapTo(form.get(), QPoint(0, 0));
  fetch->click();
  QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  EXPECT_EQ(fetch->mapTo(form.get(), QPoint(0, 0)), before) << "the button stays where it was";
  EXPECT_FALSE(Find<QGroupBox>("GroupBox1")->isHidden());
  EXPECT_FALSE(Find<QLineEdit>("PTU_A")->text().isEmpty());
  EXPECT_FALSE(Find<QLineEdit>("TOT_A")->text().isEmpty());
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
}

TEST_F(KelmemuGuiTest, CommandOverComOne) {
  std::filesystem::create_directory(dir.File("dosdevices"));
  Kelmemu emu({"--pty", "--link", dir.File("dosdevices/com1")});
  ASSERT_EQ(emu.ready().rfind("PTY ", 0), 0u) << emu.ready();
  LinkSettingsRecord s;
  s.PortNumber = 1;
  WriteSettings(s);
  Start(3);
  ASSERT_TRUE(SerialHandle().IsOpen());
  SendCodingFromTheTree();
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
}

}  // namespace
}  // namespace kelm
