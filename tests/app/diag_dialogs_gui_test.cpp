// The diagnostic dialogs on real widgets against a scripted printer on loopback TCP/IP: the
// type dialog's defaults and validation, the status bits, the buffer's files with the overwrite
// question, the dialogs that close themselves when their query gets no answer, and the about
// dialog's links.
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <thread>

#include "catalogue/cash_info.h"
#include "catalogue/dialogs/TInformacjeKasowe.h"
#include "catalogue/dialogs/TOProgramie.h"
#include "catalogue/dialogs/TOdczytZegara.h"
#include "catalogue/dialogs/TOdeslijBufor.h"
#include "catalogue/dialogs/TOdeslijKodBledu.h"
#include "catalogue/dialogs/TStatusDrukarki.h"
#include "catalogue/dialogs/TTypIWersja.h"
#include "catalogue/model.h"
#include "gui_support.h"
#include "link/link_fixture.h"
#include "link/reception.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

// Takes the URLs the program asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QStringList opened;
 public slots:
  void Open(const QUrl& url) { opened << url.toString(); }
};

class DiagDialogsTest : public test::LinkTest {
 protected:
  DiagDialogsTest() {
    test::TestApp();
    UseTcp();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  // Shows `dialog` modally and runs `act` on it once its first read is done. Returns false when
  // the dialog closed by itself first.
  bool Show(QDialog& dialog, std::function<void(QWidget*)> act) {
    bool acted = false;
    WhenModal([&](QWidget* d) {
      if (auto* diagnostic = qobject_cast<dialogs::DiagnosticDialog*>(d)) {
        test::WaitFor([diagnostic] { return !diagnostic->ReadPending(); });
      }
      acted = true;
      act(d);
      if (d->isVisible()) static_cast<QDialog*>(d)->reject();
    });
    // A dialog that stays open without the test reaching it would hang the run.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, &dialog, &QDialog::reject);
    safety.start(10000);
    dialog.exec();
    return acted;
  }
  // Shows `dialog` modally; true when it closed by itself.
  bool ClosesItself(QDialog& dialog) {
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, &dialog, &QDialog::reject);
    safety.start(5000);
    dialog.exec();
    return safety.isActive();
  }
  void Click(QWidget* d, const char* button) { Child<QPushButton>(d, button)->click(); }
  std::string Text(QWidget* d, const char* field) {
    return Child<QLineEdit>(d, field)->text().toStdString();
  }
};

TEST_F(DiagDialogsTest, TypeDialogDefaultsFollowTheModel) {
  printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM VANTEL 57TE/2.00/\x1b\\");
  const struct {
    int model;
    const char* end;
  } cases[] = {{2, "262143"}, {5, "524287"}, {6, "1572863"}, {7, "1572863"}, {4, "262143"}};
  dialogs::TTypIWersja dialog;
  for (const auto& c : cases) {
    ApplyModel(c.model);
    EXPECT_TRUE(Show(dialog, [&](QWidget* d) {
      EXPECT_EQ(Text(d, "Edit1"), "KELM VANTEL 57TE");
      EXPECT_EQ(Text(d, "Edit2"), "2.00");
      EXPECT_EQ(Text(d, "Edit3"), "0");
      EXPECT_EQ(Text(d, "Edit4"), c.end) << c.model;
      EXPECT_FALSE(Child<QLineEdit>(d, "Edit3")->isEnabled());
    }));
  }
}

TEST_F(DiagDialogsTest, TypeDialogChecksTheRangeBeforeAskingForTheCode) {
  printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM SALVO 3/2.00/\x1b\\");
  printer->On("#v0/100/", "\x1bP1#K" + std::string(40, 'E') + "\r00\x1b\\");
  ApplyModel(6);  // "Salvo 3/ PRO"
  dialogs::TTypIWersja dialog;
  EXPECT_TRUE(Show(dialog, [&](QWidget* d) {
    EXPECT_EQ(Text(d, "Edit1"), "KELM SALVO PRO");
    EXPECT_TRUE(Child<QGroupBox>(d, "GroupBox1")->isHidden());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_FALSE(Child<QGroupBox>(d, "GroupBox1")->isHidden());
    auto* to = Child<QLineEdit>(d, "Edit4");
    for (const char* wrong : {"abc", "-1"}) {
      to->setText(wrong);
      Click(d, "Button1");
    }
    EXPECT_EQ(seams.op.messages, (std::vector<std::string>{"Błędna wartość pola \"Do adresu\"",
                                                           "Błąd: \"Od adresu\">\"Do adresu\""}));
    to->setText("99");
    Click(d, "Button1");
    EXPECT_EQ(Text(d, "Edit5"), std::string(40, 'E'));
    // "&Drukuj i wyświetlaj na drukarce": the printer prints it; nothing is awaited.
    const size_t before = printer->Received().size();
    Click(d, "Button2");
    ASSERT_TRUE(printer->WaitReceived(before + 13));
    EXPECT_EQ(printer->Received().substr(before), "\x1bP1;187#v9E\x1b\\");
  }));
}

TEST_F(DiagDialogsTest, StatusDialogTicksTheBitsOfTheAskedBytes) {
  printer->AnswerStatus(0x0D, 0x76);
  dialogs::TStatusDrukarki dialog;
  EXPECT_TRUE(Show(dialog, [&](QWidget* d) {
    auto ticked = [d](int box) {
      return Child<QCheckBox>(d, ("CheckBox" + std::to_string(box)).c_str())->isChecked();
    };
    const bool expected[] = {true, false, true, true, false, true, true};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ticked(3 + i), expected[i]) << i;
    Child<QCheckBox>(d, "CheckBox1")->click();
    Click(d, "Button1");
    EXPECT_FALSE(Child<QCheckBox>(d, "CheckBox3")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox7")->isEnabled());
    Child<QCheckBox>(d, "CheckBox2")->click();
    EXPECT_FALSE(Child<QPushButton>(d, "Button1")->isEnabled());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_TRUE(Child<QPushButton>(d, "Button1")->isEnabled());
  }));
  EXPECT_EQ(printer->Received(), "\x05\x10\x10");
}

TEST_F(DiagDialogsTest, BufferIsSavedAfterTheOverwriteQuestionAndLoadedBack) {
  printer->On("\x1bP$0", "\x1bP1#B" + std::string(60, 'x') + "\r\nP1$h\xb9\r\n\x1b\\");
  const std::string file = dir.File("bufor.txt");
  test::TempDir::Write(file, "stare");
  dialogs::TOdeslijBufor dialog;
  auto choose = [](const std::string& path) {
    WhenModal([path](QWidget* w) {
      auto* chooser = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(chooser, nullptr);
      chooser->selectFile(QString::fromStdString(path));
      static_cast<QDialog*>(chooser)->accept();
    });
  };
  EXPECT_TRUE(Show(dialog, [&](QWidget* d) {
    EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox1")->isHidden());
    auto* memo = Child<QPlainTextEdit>(d, "Memo1");
    EXPECT_EQ(memo->toPlainText().toStdString(),
              "B" + std::string(50, 'x') + "\n" + std::string(10, 'x') + "\nP1$hą");
    seams.op.answers = {false};
    choose(file);
    Click(d, "Button3");
    EXPECT_EQ(test::TempDir::Read(file), "stare");
    seams.op.answers = {true};
    choose(file);
    Click(d, "Button3");
    EXPECT_EQ(seams.op.questions.size(), 2u);
    EXPECT_EQ(seams.op.questions[1], "Plik " + file + " już istnieje.Kontynuować? ");
    EXPECT_EQ(test::TempDir::Read(file),
              "B" + std::string(50, 'x') + "\r\n" + std::string(10, 'x') + "\r\nP1$h\xb9\r\n");
    test::TempDir::Write(dir.File("inny.txt"), "pierwsza\r\ndruga");
    choose(dir.File("inny.txt"));
    Click(d, "Button2");
    EXPECT_EQ(memo->toPlainText().toStdString(), "pierwsza\ndruga");
  }));
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(DiagDialogsTest, DialogsWithoutAnswerCloseThemselves) {
  seams.op.abort_after_ticks = 0;
  CashInfoState = 1;
  dialogs::TInformacjeKasowe cash;
  dialogs::TOdeslijKodBledu error;
  dialogs::TOdeslijBufor buffer;
  dialogs::TStatusDrukarki status;
  dialogs::TOdczytZegara clock;
  for (QDialog* dialog : std::initializer_list<QDialog*>{&cash, &error, &buffer, &status, &clock}) {
    EXPECT_TRUE(ClosesItself(*dialog)) << dialog->objectName().toStdString();
  }
  EXPECT_EQ(CashInfoState, 0);
  EXPECT_EQ(Child<QLabel>(&error, "Panel1")->text(), "???");
  EXPECT_EQ(Child<QLabel>(&error, "Panel2")->text(), "Brak odpowiedzi od drukarki.");
}

TEST_F(DiagDialogsTest, AboutDialogOpensItsLinksOnTheDesktop) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("https", &catcher, "Open");
  QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
  ApplyModel(6);
  dialogs::TOProgramie dialog;
  EXPECT_TRUE(Show(dialog, [&](QWidget* d) {
    EXPECT_EQ(Child<QLabel>(d, "Label1")->text().toStdString(), ProgramDesignation(0));
    EXPECT_EQ(Child<QLabel>(d, "Label3")->text().toStdString(), "OPF_SALVO ver 2.52");
    for (const char* name : {"Label12", "Label13"}) {
      QLabel* link = Child<QLabel>(d, name);
      const QString href = link->text().section('"', 1, 1);
      emit link->linkActivated(href);
    }
  }));
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("mailto");
  EXPECT_EQ(catcher.opened, (QStringList{"https://www.kelm.pl", "mailto:serwis@kelm.pl"}));
}

}  // namespace
}  // namespace kelm

#include "diag_dialogs_gui_test.moc"
