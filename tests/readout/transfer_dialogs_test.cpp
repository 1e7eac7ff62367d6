// The back-up, binary transfer and raw readout dialogs on real widgets (offscreen), opened from
// the main window's trees and menu, against kelmemu on a pseudo-terminal reached as COM1.
// Before Qt, whose "slots" keyword would clash with the printer state's member.
#include "emulator/printer.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "link/printer_link.h"
#include "main_form_fixture.h"
#include "readout/dialogs/TOdczytBloku.h"
#include "readout/dialogs/TWyslijOdbierzPlikBin.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::WaitFor;
using test::WhenModal;
using test::WhenTrue;

class TransferDialogs : public test::MainFormTest {
 protected:
  // Salvo on COM1 at 9600 with Xon/Xoff; kelmemu keeps its state in a file we can read.
  void StartWithPrinter() {
    std::filesystem::create_directory(dir.File("dosdevices"));
    emu = std::make_unique<test::KelmemuProcess>(
        std::vector<std::string>{"--pty", "--link", dir.File("dosdevices/com1"), "--model", "salvo",
                                 "--state", dir.File("state.txt"), "--data", dir.File("data.bin")});
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    LinkSettingsRecord s;
    s.PortNumber = 1;
    s.Speed = 9600;
    s.XonXoff = 1;
    WriteSettings(s);
    Start(7);
  }
  void OpenEntry(const char* caption) {
    for (QTreeWidget* tree : form->findChildren<QTreeWidget*>()) {
      for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0) == QString::fromUtf8(caption)) {
          tree->setCurrentItem(*it);
          emit tree->itemDoubleClicked(*it, 0);
          return;
        }
      }
    }
    ADD_FAILURE() << "no entry " << caption;
  }
  void Menu(const char* action) { Find<QAction>(action)->trigger(); }
  std::string State() { return test::TempDir::Read(dir.File("state.txt")); }
  void ExpectPortAsBefore() {
    EXPECT_EQ(LinkSettings.Speed, 9600u);
    EXPECT_EQ(LinkSettings.XonXoff, 1);
    ASSERT_TRUE(SerialHandle().IsOpen());
    EXPECT_EQ(SerialHandle().ActualSpeed(), 9600u);
    termios t{};
    ASSERT_EQ(tcgetattr(SerialHandle().fd(), &t), 0);
    EXPECT_NE(t.c_iflag & IXON, 0u);
  }

  std::unique_ptr<test::KelmemuProcess> emu;
};

TEST_F(TransferDialogs, BackUpChoicesReachThePrinter) {
  StartWithPrinter();
  // The detected Salvo keeps its electronic copy in mode 2: the older back-up is hidden and the
  // newer one is sent with the port and speed chosen.
  QString radio1;
  bool older_visible = true, port_visible = false;
  WhenModal([&](QWidget* w) {
    radio1 = Child<QRadioButton>(w, "RadioButton1")->text();
    older_visible = Child<QRadioButton>(w, "RadioButton3")->isVisible();
    port_visible = Child<QComboBox>(w, "ComboBox1")->isVisible();
    Child<QComboBox>(w, "ComboBox1")->setCurrentIndex(3);
    Child<QComboBox>(w, "ComboBox2")->setCurrentIndex(4);
    Child<QPushButton>(w, "Button1")->click();
  });
  OpenEntry("Włącz/wyłącz backup na komputer");
  EXPECT_EQ(radio1.toStdString(), "Włącz backup na komputer - nowsza wersja (domyślna).");
  EXPECT_FALSE(older_visible);
  EXPECT_TRUE(port_visible);
  EXPECT_TRUE(WaitFor([&] { return State().find("backup_port 3") != std::string::npos; }));
  EXPECT_NE(State().find("backup_speed 4"), std::string::npos);
  EXPECT_NE(State().find("backup_new 1"), std::string::npos);

  WhenModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "KartaZapasowa");
    Child<QRadioButton>(w, "RadioButton2")->click();
    Child<QPushButton>(w, "Button1")->click();
  });
  OpenEntry("Zapasowa karta pamięci");
  EXPECT_TRUE(WaitFor([&] { return State().find("spare_card 1") != std::string::npos; }));
}

TEST_F(TransferDialogs, RawReadoutAndFileSendFromTheToolsMenu) {
  StartWithPrinter();
  auto* block = static_cast<dialogs::TOdczytBloku*>(form->FindDialog("TOdczytBloku"));
  const std::string dump = dir.File("pamiec.bin");
  block->chooseTarget = [&] { return QString::fromStdString(dump); };
  WhenModal([](QWidget* w) {
    Child<QPushButton>(w, "Button3")->click();
    Child<QPushButton>(w, "Button5")->click();
    EXPECT_EQ(Child<QPushButton>(w, "Button5")->text(), "&Przerwij Odbieranie");
  });
  WhenTrue(
      [&] {
        return block->isVisible() && Child<QLabel>(block, "Label3")->text() ==
                                         QString::fromUtf8("Odebrano 262144 bajtów.");
      },
      [&] {
        EXPECT_EQ(Child<QPushButton>(block, "Button5")->text(), "&Odbierz");
        QTest::keyClick(block, Qt::Key_Escape);
      });
  Menu("Odczytpamiecifiskalnej1");
  EXPECT_FALSE(block->isVisible());
  emu::Printer printer;
  EXPECT_TRUE(test::TempDir::Read(dump) == printer.Handle("S"));
  ExpectPortAsBefore();

  auto* binary =
      static_cast<dialogs::TWyslijOdbierzPlikBin*>(form->FindDialog("TWyslijOdbierzPlikBin"));
  const std::string source = dir.File("plik.bin");
  test::TempDir::Write(source, std::string(1000, 'q'));
  binary->chooseSource = [&] { return QString::fromStdString(source); };
  WhenModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Wysyłanie/odbieranie pliku binarnego");
    EXPECT_FALSE(Child<QPushButton>(w, "Button4")->isEnabled());
    Child<QPushButton>(w, "Button2")->click();
    EXPECT_EQ(Child<QLabel>(w, "Label4")->text(), QString::fromUtf8("1000 Bajtów"));
    Child<QPushButton>(w, "Button4")->click();
    EXPECT_EQ(Child<QPushButton>(w, "Button4")->text(), "&Przerwij");
  });
  WhenTrue(
      [&] {
        return binary->isVisible() &&
               Child<QPushButton>(binary, "Button4")->text() == QString::fromUtf8("&Wyślij");
      },
      [&] { Child<QPushButton>(binary, "Button1")->click(); });
  Menu("Wyslijodbierzplikbinarnie1");
  EXPECT_TRUE(WaitFor([&] { return test::TempDir::Read(dir.File("data.bin")).size() >= 1000; }));
  EXPECT_EQ(test::TempDir::Read(dir.File("data.bin")), std::string(1000, 'q'));
}

}  // namespace
}  // namespace kelm
