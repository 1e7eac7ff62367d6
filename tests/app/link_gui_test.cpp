// The main window and the link dialogs against a scripted printer on a real pseudo-terminal
// (reached as a COM port through the program's dosdevices folder) or on loopback TCP/IP.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <filesystem>

#include "catalogue/cash_info.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/scripted_printer.h"
#include "link/tcp_link.h"
#include "main_form_fixture.h"
#include "protocol/frame.h"

namespace kelm {
namespace {

using test::Child;
using test::ScriptedPrinter;
using test::TempDir;
using test::WaitFor;
using test::WhenModal;
using test::WhenTrue;

class LinkGuiTest : public test::MainFormTest {
 protected:
  LinkGuiTest() {
    std::filesystem::create_directory(dir.File("dosdevices"));
    for (int port = 1; port <= 64; ++port) Link(port, "/nonexistent/tty");
  }
  void Link(int port, const std::string& device) {
    const std::string link = dir.File("dosdevices/com" + std::to_string(port));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(device, link);
  }
  ScriptedPrinter& PrinterOnCom(int port) {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kPty);
    Link(port, printer->device());
    return *printer;
  }
  ScriptedPrinter& PrinterOnTcp() {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kTcp);
    return *printer;
  }
  void SettingsWithPort(int port) {
    LinkSettingsRecord s;
    s.PortNumber = static_cast<uint8_t>(port);
    WriteSettings(s);
  }
  void ConnectTcp() {
    ASSERT_EQ(TcpConnect("127.0.0.1", std::to_string(printer->port()), false), kTcpConnected);
    guard.op.messages.clear();
  }
  std::unique_ptr<ScriptedPrinter> printer;
};

TEST_F(LinkGuiTest, ThePortOfTheSettingsOpensWhenTheWindowIsCreated) {
  PrinterOnCom(3);
  SettingsWithPort(3);
  Start(3);
  EXPECT_TRUE(SerialHandle().IsOpen());
  EXPECT_TRUE(guard.op.messages.empty());
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
}

TEST_F(LinkGuiTest, APortThatCannotOpenLeavesTheWindowWithoutALink) {
  SettingsWithPort(4);
  Start(3);
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Nie mogę otworzyć portu COM4.");
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
}

TEST_F(LinkGuiTest, RawSendCarriesZeroBytesAndReceiveShowsTheAnswer) {
  PrinterOnTcp();
  Start(3);
  ConnectTcp();
  Find<QCheckBox>("CheckBox1")->click();
  Find<QTextEdit>("RichEdit1")->setPlainText("A<00H>B");
  Find<QPushButton>("Button14")->click();
  ASSERT_TRUE(printer->WaitReceived(3));
  EXPECT_EQ(printer->Received(), std::string("A\0B", 3));
  printer->Send("\x1bP1#X0\x1b\\");
  Find<QPushButton>("Button15")->click();
  EXPECT_EQ(Find<QTextEdit>("RichEdit2")->toPlainText(), "<ESC>P1#X0<ESC>\\");
  EXPECT_EQ(AnswerReceived, 1);
}

TEST_F(LinkGuiTest, CancelledReceptionShowsNoAnswerOverOldCashData) {
  PrinterOnCom(2);
  SettingsWithPort(2);
  Start(3);
  CashInfoState = 1;
  form->RefreshMainWindow();
  EXPECT_FALSE(Find<QGroupBox>("GroupBox1")->isHidden());
  guard.op.abort_after_ticks = 0;
  Find<QPushButton>("Button15")->click();
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_TRUE(Find<QGroupBox>("GroupBox1")->isHidden());
  EXPECT_FALSE(Find<QLabel>("Label1")->isHidden());
  EXPECT_EQ(Find<QLabel>("Label1")->text(), "Brak odpowiedzi od drukarki.");
}

void ChooseFile(const std::string& path) {
  WhenModal([path](QWidget* w) {
    auto* open = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->windowTitle(), "Otwórz plik który zamierzasz wysłać.");
    open->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(open)->accept();
  });
}

TEST_F(LinkGuiTest, SingleCommandPositionsShowEachFrameBeforeSendingIt) {
  PrinterOnTcp();
  Start(3);
  ConnectTcp();
  LinkSettings.LetterCoding = 0;  // MAZOVIA: the check value covers the converted letter
  TempDir::Write(dir.File("pozycje.txt"), "1#v\r\n2#s\xb9\r\n3#");
  ChooseFile(dir.File("pozycje.txt"));
  Find<QAction>("Pojedynczepozycjerozkazow1")->trigger();
  const std::string first = "\x1bP1#v9B\x1b\\";
  const std::string second = "\x1bP2#s\x86\x31\x42\x1b\\";
  ASSERT_EQ(guard.op.messages.size(), 2u);
  EXPECT_EQ(guard.op.messages[0], "Wyslij pozycje.<" + first + ">");
  ASSERT_TRUE(printer->WaitReceived(first.size() + second.size()));
  EXPECT_EQ(printer->Received(), first + second);
}

TEST_F(LinkGuiTest, CommandPositionsWithoutShowingAndAMissingFile) {
  PrinterOnTcp();
  Start(3);
  ConnectTcp();
  TempDir::Write(dir.File("p.txt"), "1#v\r\n");
  ChooseFile(dir.File("p.txt"));
  Find<QAction>("Pozycjerozkazow1")->trigger();
  EXPECT_TRUE(guard.op.messages.empty());
  ASSERT_TRUE(printer->WaitReceived(9));
  EXPECT_EQ(printer->Received(), "\x1bP1#v9B\x1b\\");
}

TEST_F(LinkGuiTest, LoggingToggledTwiceEmptiesBothFiles) {
  PrinterOnTcp();
  Start(3);
  ConnectTcp();
  auto* tree = Find<QTreeWidget>("TreeView1");
  QTest::keyClick(tree, Qt::Key_T);
  EXPECT_FALSE(Find<QLabel>("Label4")->isHidden());
  EXPECT_TRUE(Find<QAction>("Rejestracjatransmsji1")->isChecked());
  Find<QCheckBox>("CheckBox1")->click();
  Find<QTextEdit>("RichEdit1")->setPlainText("AB");
  Find<QPushButton>("Button14")->click();
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "AB");
  QTest::keyClick(tree, Qt::Key_F5);
  EXPECT_TRUE(Find<QLabel>("Label4")->isHidden());
  EXPECT_FALSE(Find<QAction>("Rejestracjatransmsji1")->isChecked());
  Find<QAction>("Rejestracjatransmsji1")->trigger();
  EXPECT_FALSE(Find<QLabel>("Label4")->isHidden());
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "");
  EXPECT_EQ(TempDir::Read(dir.File("DaneWe.bin")), "");
}

TEST_F(LinkGuiTest, SerialDialogRestoresTheOldPortWhenTheNewOneFails) {
  PrinterOnCom(2);
  SettingsWithPort(2);
  Start(3);
  bool stayed_open = false;
  int shown_port = -1;
  WhenModal([&](QWidget* d) {
    auto* port = Child<QComboBox>(d, "ComboBox1");
    EXPECT_EQ(port->currentIndex(), 1);
    EXPECT_EQ(port->count(), 65);
    EXPECT_EQ(port->itemText(64), "Brak");
    port->setCurrentIndex(4);
    Child<QComboBox>(d, "ComboBox2")->setCurrentIndex(14);
    Child<QPushButton>(d, "Button2")->click();
    stayed_open = d->isVisible();
    shown_port = port->currentIndex();
    Child<QPushButton>(d, "Button3")->click();
  });
  Find<QAction>("Parametrytransmisji1")->trigger();
  EXPECT_TRUE(stayed_open);
  EXPECT_EQ(shown_port, 1);
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Nie mogę otworzyć portu COM5.");
  EXPECT_EQ(LinkSettings.PortNumber, 2);
  EXPECT_EQ(LinkSettings.Speed, 9600u);
  EXPECT_TRUE(SerialHandle().IsOpen());
}

TEST_F(LinkGuiTest, SerialDialogWithoutAPortGreysTheFields) {
  Start(3);
  WhenModal([](QWidget* d) {
    EXPECT_EQ(Child<QComboBox>(d, "ComboBox1")->currentIndex(), 64);
    EXPECT_FALSE(Child<QComboBox>(d, "ComboBox2")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(d, "CheckBox2")->isEnabled());
    Child<QComboBox>(d, "ComboBox1")->setCurrentIndex(0);
    EXPECT_TRUE(Child<QComboBox>(d, "ComboBox2")->isEnabled());
    Child<QPushButton>(d, "Button3")->click();
  });
  Find<QAction>("Parametrytransmisji1")->trigger();
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
}

void TcpDialog(const std::string& port, bool* was_active, bool close_after = false) {
  WhenModal([port, was_active, close_after](QWidget* d) {
    *was_active = Child<QCheckBox>(d, "CheckBox1")->isChecked();
    auto* button = Child<QPushButton>(d, "Button1");
    EXPECT_EQ(button->text(), *was_active ? "Rozłącz" : "Połącz");
    EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->isEnabled(), !*was_active);
    if (!*was_active) {
      Child<QLineEdit>(d, "Edit1")->setText("127.0.0.1");
      Child<QLineEdit>(d, "Edit2")->setText(QString::fromStdString(port));
    }
    button->click();
    if (close_after && d->isVisible()) static_cast<QDialog*>(d)->reject();
  });
}

TEST_F(LinkGuiTest, TcpDialogConnectsAndDisconnects) {
  PrinterOnTcp();
  Start(3);
  bool active = true;
  TcpDialog(std::to_string(printer->port()), &active);
  Find<QAction>("TransmisjaTCPIP1")->trigger();
  EXPECT_FALSE(active);
  EXPECT_EQ(LinkSettings.TcpActive, 1);
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Ustanowiono połączenie do: 127.0.0.1");
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());  // TCP/IP counts as a link

  TcpDialog("", &active);
  Find<QAction>("TransmisjaTCPIP1")->trigger();
  EXPECT_TRUE(active);
  EXPECT_EQ(LinkSettings.TcpActive, 0);
  ASSERT_EQ(guard.op.messages.size(), 2u);
  EXPECT_EQ(guard.op.messages[1], "Rozłączono z: 127.0.0.1");
  EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
}

TEST_F(LinkGuiTest, TcpDialogStaysOpenWhenNobodyListens) {
  int free_port = 0;
  {
    ScriptedPrinter gone(ScriptedPrinter::Transport::kTcp);
    free_port = gone.port();
  }
  Start(3);
  bool active = true;
  TcpDialog(std::to_string(free_port), &active, true);
  Find<QAction>("TransmisjaTCPIP1")->trigger();
  EXPECT_EQ(LinkSettings.TcpActive, 0);
  ASSERT_FALSE(guard.op.messages.empty());
  EXPECT_EQ(guard.op.messages.back(), "Nie mogę otworzyć portu.");
}

TEST_F(LinkGuiTest, PrinterSearchFindsThePrinterAndSelectsItsPort) {
  PrinterOnCom(3).On("\x10\x1bP1#v\x1b\\", "\x74\x1bP1#RKELM VANTEL 57T/2.01\x1b\\");
  Start(3);
  CashInfoState = 1;  // read from the printer used before
  QString listed;
  WhenModal([&listed](QWidget* d) {
    auto* list = Child<QListWidget>(d, "CheckListBox1");
    WhenTrue([list] { return list->isVisible() && list->count() > 0; },
             [d, list, &listed] {
               listed = list->item(0)->text();
               auto* choose = Child<QPushButton>(d, "Button1");
               EXPECT_FALSE(choose->isEnabled());
               list->item(0)->setCheckState(Qt::Checked);
               EXPECT_TRUE(choose->isEnabled());
               choose->click();
             });
  });
  Find<QPushButton>("Button2")->click();
  EXPECT_EQ(listed, "COM3 - KELM VANTEL 57T");
  EXPECT_EQ(CashInfoState, 2);  // nothing read from the chosen printer yet
  EXPECT_EQ(LinkSettings.PortNumber, 3);
  EXPECT_TRUE(SerialHandle().IsOpen());
  EXPECT_TRUE(guard.op.messages.empty());
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
}

TEST_F(LinkGuiTest, PrinterSearchThatFindsNothingSaysSo) {
  Start(3);
  CashInfoState = 1;
  Find<QPushButton>("Button2")->click();
  EXPECT_EQ(CashInfoState, 1);
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Nie znaleziono żadnej drukarki fiskalnej");
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
}

}  // namespace
}  // namespace kelm

namespace kelm {
namespace {

TEST_F(LinkGuiTest, ReceivingDialogCountsTheBytesAndEscapeCancels) {
  PrinterOnTcp();
  Start(3);
  ConnectTcp();
  InstallOperator(&qt_op);
  printer->Send(std::string(300, 'a'));
  QString caption, counter;
  bool bar_moved = false;
  WhenModal([&](QWidget* d) {
    caption = d->windowTitle();
    auto* label = Child<QLabel>(d, "Label1");
    auto* bar = Child<QProgressBar>(d, "ProgressBar1");
    WhenTrue(
        [label, bar, &bar_moved] {
          bar_moved = bar_moved || bar->value() > 0;
          return label->isVisible();
        },
        [d, label, &counter] {
          counter = label->text();
          QTest::keyClick(d, Qt::Key_Escape);
        });
  });
  ReceiveAnswer();
  InstallOperator(&guard.op);
  EXPECT_EQ(caption, "Odbieram dane");
  EXPECT_EQ(counter, "Pobrano bajtów:   300");
  EXPECT_TRUE(bar_moved);
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_EQ(AnswerFailed, 1);
  EXPECT_EQ(std::string(AnswerBuffer), std::string(300, 'a'));
}

TEST_F(LinkGuiTest, FlowControlWaitAsksBeforeGivingUp) {
  Start(3);
  InstallOperator(&qt_op);
  kelm::FlowControlWait wait;  // no port: the line never clears
  QString caption, question;
  WhenModal([&](QWidget* d) {
    caption = d->windowTitle();
    EXPECT_EQ(Child<QLabel>(d, "Label1")->text(), "Drukarka niegotowa.");
    WhenModal([&](QWidget* box) {
      question = static_cast<QMessageBox*>(box)->text();
      static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(d, Qt::Key_Escape);
  });
  qt_op.RunModal(wait);
  InstallOperator(&guard.op);
  EXPECT_EQ(caption, "Czekam na gotowość drukarki ");
  EXPECT_EQ(question, "Czy przerwać oczekiwanie?");
  EXPECT_FALSE(wait.ok);
}

}  // namespace
}  // namespace kelm
