// The two control number dialogs on real widgets against a scripted printer on loopback TCP/IP:
// one table of rows per dialog (what the operator fills in, the frames on the line), the fields
// the model and the printer's answers show or hide, the stop rules, and the help windows.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

#include "catalogue/model.h"
#include "control/dialogs/PrintoutHelp.h"
#include "control/dialogs/TNrKontrolnyPar.h"
#include "control/dialogs/TNrKontrolnyRapDobowego.h"
#include "gui_support.h"
#include "link/link_fixture.h"
#include "link/settings.h"
#include "main_form_fixture.h"
#include "protocol/frame.h"
#include "protocol/letter_tables.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

std::string F(const std::string& body) {
  char frame[kFrameBufferSize];
  std::snprintf(frame, sizeof frame, "\x1BP%sxx\x1B\\", body.c_str());
  ApplyChecksum(frame, sizeof frame);
  return frame;
}

const std::string kCode = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
const char kTypeQuery[] = "\x1bP1#v\x1b\\";
const char kSettingQuery[] = "\x1bP0;204#v\x1b\\";

void Set(QWidget* d, const char* name, const char* text) {
  Child<QLineEdit>(d, name)->setText(QString::fromUtf8(text));
}

void Cell(QWidget* d, const char* grid, int row, int column, const char* text) {
  Child<QTableWidget>(d, grid)->setItem(row, column, new QTableWidgetItem(QString::fromUtf8(text)));
}

class ControlDialogsTest : public test::LinkTest {
 protected:
  ControlDialogsTest() {
    test::TestApp();
    UseTcp();
    LinkSettings.LetterCoding = kMazovia;
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }

  // The series frames the printer received: every frame but the queries, in order.
  std::vector<std::string> Series() {
    printer->WaitQuiet(50);
    std::vector<std::string> frames;
    const std::string all = printer->Received();
    for (size_t at = all.find("\x1BP"); at != std::string::npos; at = all.find("\x1BP", at + 1)) {
      const size_t end = all.find("\x1B\\", at + 2);
      if (end == std::string::npos) break;
      const std::string frame = all.substr(at, end + 2 - at);
      if (frame.find("$*") != std::string::npos) frames.push_back(frame);
    }
    return frames;
  }

  // Shows `dialog`, runs `act` once it is up, and presses the send button unless `act` closed
  // it. Returns true when the dialog was still open afterwards.
  bool SendFrom(QDialog& dialog, std::function<void(QWidget*)> act) {
    bool open_after = false;
    WhenModal([&](QWidget* d) {
      act(d);
      if (!d->isVisible()) return;
      Child<QPushButton>(d, "Button1")->click();
      open_after = d->isVisible();
      if (open_after) static_cast<QDialog*>(d)->reject();
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, &dialog, &QDialog::reject);
    safety.start(10000);
    dialog.exec();
    return open_after;
  }
};

void FillReceipt(QWidget* d) {
  Set(d, "MaskEdit1", "05-07-2024");
  Set(d, "Edit1", "17");
  Set(d, "Edit2", "0,56");
  Set(d, "Edit3", "5,00");
  Set(d, "Edit4", "41");
  Set(d, "MaskEdit3", "klm");
  Set(d, "MaskEdit4", "12345678");
  Set(d, "MaskEdit2", "12:30:05");
  Set(d, "MaskEdit5", kCode.c_str());
}

TEST_F(ControlDialogsTest, ReceiptDialogSendsItsSeries) {
  printer->AnswerStatus(0x0C);
  const std::string open = F("0;0$*05-07-2024\r17/PARAGONU LUB FAKTURY\r");
  const std::string close = F("10;0$*" + kCode + "\r");
  struct Row {
    const char* name;
    int variant;
    std::function<void(QWidget*)> fill;
    std::vector<std::string> frames;
  };
  const Row rows[] = {
      {"two lines, the letters typed for the unique number made capitals",
       0,
       [](QWidget* d) {
         Cell(d, "StringGrid1", 0, 0, "Chleb żytni");
         Cell(d, "StringGrid1", 0, 1, "A");
         Cell(d, "StringGrid1", 1, 0, "Woda");
         Cell(d, "StringGrid1", 1, 1, "G");
       },
       {open, F("1;0$*Chleb \xA7ytni\rA/"), F("1;0$*Woda\rG/"),
        F("2;0$*0,56/5,00/41/KLM 12345678\r12:30:05\r"), close}},
      {"cancelled: only the digits and the time",
       0,
       [](QWidget* d) {
         Cell(d, "StringGrid1", 0, 0, "Chleb");
         Cell(d, "StringGrid1", 0, 1, "A");
         Child<QCheckBox>(d, "CheckBox2")->click();
         EXPECT_FALSE(Child<QLineEdit>(d, "Edit2")->isEnabled());
         EXPECT_FALSE(Child<QLineEdit>(d, "Edit3")->isEnabled());
         EXPECT_FALSE(Child<QLineEdit>(d, "Edit4")->isEnabled());
         EXPECT_FALSE(Child<QLineEdit>(d, "MaskEdit3")->isEnabled());
       },
       {open, F("1;0$*Chleb\rA/"), F("3;0$*12345678\r12:30:05\r"), close}},
      {"the 859 prints all: the tax number carries 2",
       2,
       [](QWidget* d) {
         auto* print_all = Child<QCheckBox>(d, "CheckBox1");
         EXPECT_TRUE(print_all->isVisible());
         print_all->click();
         EXPECT_FALSE(Child<QLineEdit>(d, "Edit5")->isEnabled());
         Child<QCheckBox>(d, "CheckBox3")->click();
         EXPECT_TRUE(Child<QLineEdit>(d, "Edit5")->isEnabled());
         Set(d, "Edit5", "5260250274");
       },
       {F("0;1$*05-07-2024\r17/PARAGONU LUB FAKTURY\r"), F("1;2$*5260250274\rX/"),
        F("2;1$*0,56/5,00/41/KLM 12345678\r12:30:05\r"), F("10;1$*" + kCode + "\r")}},
  };
  for (const Row& row : rows) {
    LinkSettings.PrinterVariant = static_cast<uint8_t>(row.variant);
    printer->Received();
    const size_t before = Series().size();
    dialogs::TNrKontrolnyPar dialog;
    EXPECT_FALSE(SendFrom(dialog, [&](QWidget* d) {
      EXPECT_EQ(Child<QCheckBox>(d, "CheckBox1")->isVisible(), row.variant == 2) << row.name;
      FillReceipt(d);
      row.fill(d);
    })) << row.name;
    const std::vector<std::string> sent = Series();
    EXPECT_EQ(std::vector<std::string>(sent.begin() + before, sent.end()), row.frames) << row.name;
  }
}

// The printer's refusal ends the series and the dialog; a frame that cannot be sent keeps it.
// Enter in a field sends as the button does.
TEST_F(ControlDialogsTest, ReceiptDialogStopRules) {
  printer->AnswerStatus(0x08, 0x74, 39);
  dialogs::TNrKontrolnyPar dialog;
  EXPECT_FALSE(SendFrom(dialog, [](QWidget* d) {
    FillReceipt(d);
    Cell(d, "StringGrid1", 0, 0, "Chleb");
    Cell(d, "StringGrid1", 0, 1, "Q");
    QTest::keyClick(Child<QLineEdit>(d, "Edit2"), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
  }));
  EXPECT_EQ(Series().size(), 1u);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Wystąpił bład nr: 39: Błąd oznaczenia PTU."});
  seams.op.messages.clear();

  TcpDisconnect();
  seams.op.messages.clear();
  EXPECT_TRUE(SendFrom(dialog, [](QWidget* d) { FillReceipt(d); }));
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
}

void FillDaily(QWidget* d) {
  Set(d, "MaskEdit1", "05-07-2024");
  Set(d, "Edit1", "3");
  Cell(d, "StringGrid1", 0, 0, "A");
  Cell(d, "StringGrid1", 0, 1, "1,23");
  Cell(d, "StringGrid2", 0, 0, " G");
  Cell(d, "StringGrid2", 0, 1, "2,00");
  Set(d, "Edit2", "0,23");
  Set(d, "Edit3", "2");
  Set(d, "Edit4", "12345678,90");
  Set(d, "MaskEdit3", "KLM");
  Set(d, "MaskEdit4", "12345678");
  Set(d, "MaskEdit5", kCode.c_str());
}

TEST_F(ControlDialogsTest, DailyReportDialogSendsItsSeries) {
  printer->AnswerStatus(0x0C);
  const std::string vat =
      F("5;0$*0,23/\x9C\x8F"
        "CZNA KWOTA PTU:\r");
  const std::string receipts = F("5;0$*2/ILO\x98\x95 PARAGON\xA3W:\r");
  const std::string tail[] = {F("6;0$*1/2345678.90/OD RAP. 1 DO N \x9C\x8F"
                                "CZNA KWOTA PTU:\r"),
                              F("7;0$*KLM 12345678\r00:00:00\r"), F("10;0$*" + kCode + "\r")};
  const std::string head[] = {F("0;0$*05-07-2024\r3/RAPORTU DOBOWEGO\r"), F("4;0$*A\r1,23/"),
                              F("4;0$*G\r2,00/"), vat, receipts};
  auto series = [&](std::vector<std::string> middle) {
    std::vector<std::string> all(std::begin(head), std::end(head));
    all.insert(all.end(), middle.begin(), middle.end());
    all.insert(all.end(), std::begin(tail), std::end(tail));
    return all;
  };
  struct Row {
    const char* name;
    int model;  // ApplyModel index
    const char* type;
    const char* setting;  // the setting-204 answer, or nullptr
    const char* invoices;
    bool invoices_shown;
    std::vector<std::string> frames;
  };
  const Row rows[] = {
      {"copy mode 1: no invoice field", 5, "KELM VANTEL 57TE", nullptr, "7", false, series({})},
      {"copy mode 2: invoice count 0 not sent", 6, "KELM SALVO 3", nullptr, "0", true, series({})},
      {"copy mode 2: invoice count sent", 6, "KELM SALVO 3", nullptr, "4", true,
       series({F("5;0$*4/ILO\x98\x95 FAKTUR::\r")})},
      {"859 keeping invoices: count 0 sent", 7, "Kelm-D859", "\x1bP1#V1;0\x1b\\", "0", true,
       series({F("5;0$*0/ILO\x98\x95 FAKTUR::\r")})},
      {"859 without invoices: no field", 7, "Kelm-D859", "\x1bP1#V0;0\x1b\\", "4", false,
       series({})},
  };
  for (const Row& row : rows) {
    TcpDisconnect();
    printer = std::make_unique<test::ScriptedPrinter>(test::ScriptedPrinter::Transport::kTcp);
    ASSERT_EQ(TcpConnect("127.0.0.1", std::to_string(printer->port()), false), kTcpConnected);
    printer->AnswerStatus(0x0C);
    printer->On(kTypeQuery, std::string("\x1bP1#R") + row.type + "/2.00/\x1b\\");
    if (row.setting != nullptr) printer->On(kSettingQuery, row.setting);
    ApplyModel(row.model);
    seams.op.messages.clear();
    dialogs::TNrKontrolnyRapDobowego dialog;
    EXPECT_FALSE(SendFrom(dialog, [&](QWidget* d) {
      FillDaily(d);
      auto* invoices = Child<QLineEdit>(d, "Edit5");
      EXPECT_EQ(invoices->isVisible(), row.invoices_shown) << row.name;
      EXPECT_EQ(Child<QLabel>(d, "Label10")->isVisible(), row.invoices_shown) << row.name;
      if (row.invoices_shown) invoices->setText(row.invoices);
    })) << row.name;
    EXPECT_EQ(printer->Received().find(kSettingQuery) != std::string::npos, row.setting != nullptr)
        << row.name;
    EXPECT_EQ(Series(), row.frames) << row.name;
    EXPECT_TRUE(seams.op.messages.empty()) << row.name << ": " << seams.op.messages[0];
  }
}

// A running total that is no number: the frames before it went out, the message follows, and
// the dialog stays open for the correction.
TEST_F(ControlDialogsTest, DailyReportDialogBadRunningTotal) {
  printer->AnswerStatus(0x0C);
  printer->On(kTypeQuery, "\x1bP1#RKELM VANTEL 57TE/2.00/\x1b\\");
  ApplyModel(5);
  dialogs::TNrKontrolnyRapDobowego dialog;
  EXPECT_TRUE(SendFrom(dialog, [](QWidget* d) {
    FillDaily(d);
    Set(d, "Edit4", "12 345,00");
  }));
  EXPECT_EQ(Series().size(), 5u);
  EXPECT_EQ(
      seams.op.messages,
      std::vector<std::string>{"Błedna wartość: KWOTY ŁĄCZNE OD RAP. 1 DO N - ŁĄCZNA KWOTA PTU"});
}

// F1 and the help button open the help window beside the dialog; it shows a drawn print-out.
TEST_F(ControlDialogsTest, HelpWindowsOpenBesideTheDialogs) {
  printer->AnswerStatus(0x0C);
  printer->On(kTypeQuery, "\x1bP1#RKELM VANTEL 57TE/2.00/\x1b\\");
  ApplyModel(5);
  struct Row {
    QDialog* dialog;
    const char* help;
    const char* caption;
  };
  dialogs::TNrKontrolnyPar receipt;
  dialogs::TNrKontrolnyRapDobowego daily;
  const Row rows[] = {
      {&receipt, "TPomocNrKontrolnyPar", "Dane dla numeru kontrolnego paragonu"},
      {&daily, "TPomocNrKontrolnyRapDobowego", "Dane dla numeru kontrolnego raportu dobowego"},
  };
  for (const Row& row : rows) {
    QDialog* help = row.dialog->findChild<QDialog*>(row.help);
    ASSERT_NE(help, nullptr) << row.help;
    EXPECT_EQ(help->windowTitle().toStdString(), row.caption);
    WhenModal([&](QWidget* d) {
      QTest::keyClick(d, Qt::Key_F1);
      EXPECT_TRUE(help->isVisible()) << row.help;
      EXPECT_FALSE(help->isModal());
      auto* picture = help->findChild<dialogs::PrintoutPicture*>("Image1");
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->MisplacedMarks(), 0) << row.help;
      // Something was drawn: the picture is not one colour.
      const QImage image = picture->grab().toImage();
      EXPECT_GT(image.width(), 400);
      EXPECT_NE(image.pixel(image.width() / 5, image.height() / 4), image.pixel(2, 2));
      Child<QPushButton>(help, "Button1")->click();
      EXPECT_FALSE(help->isVisible());
      QTest::keyClick(d, Qt::Key_Escape);
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, row.dialog, &QDialog::reject);
    safety.start(10000);
    EXPECT_EQ(row.dialog->exec(), QDialog::Rejected);
    EXPECT_TRUE(safety.isActive()) << "Esc did not close " << row.help;
  }
}

}  // namespace
}  // namespace kelm

namespace kelm::test {
namespace {

// The diagnostics tree names both dialogs; the program must have created them to open them.
TEST_F(MainFormTest, ControlNumberDialogsAreCreatedAtStart) {
  Create();
  EXPECT_NE(form->FindDialog("TNrKontrolnyPar"), nullptr);
  EXPECT_NE(form->FindDialog("TNrKontrolnyRapDobowego"), nullptr);
}

}  // namespace
}  // namespace kelm::test
