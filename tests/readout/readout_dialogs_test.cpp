// The readout dialogs on real widgets (offscreen) against a scripted printer on loopback TCP and
// a pseudo-terminal: the choices by model, a whole readout through the download and end dialogs,
// the saved copy, printing to PDF read back with pdftotext, and "&Przerwij".
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/QtOperator.h"
#include "gui_support.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "main_form_fixture.h"
#include "protocol/win1250.h"
#include "readout/dialogs/PrintReportFile.h"
#include "readout/dialogs/ReportViewer.h"
#include "readout/dialogs/TNagrywanieCD_DVD.h"
#include "readout/dialogs/TOdczytajRaportOkresowy.h"
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"
#include "readout/dialogs/TZakonczonoOdczytywanie.h"
#include "readout/readout_session.h"
#include "readout/stream.h"
#include "support/command_output.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::Child;
using test::ScriptedPrinter;
using test::WaitFor;
using test::WhenTrue;

constexpr char kEnqByte = 0x05;

std::string RunPdfToText(const std::string& pdf) {
  const std::string out = pdf + ".txt";
  const std::string command = "pdftotext -layout '" + pdf + "' '" + out + "'";
  if (std::system(command.c_str()) != 0) return "";
  return test::TempDir::Read(out);
}

// Counts the showings of a window, however short.
class ShowCounter : public QObject {
 public:
  int shows = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++shows;
    return false;
  }
};

// The desktop operator with its waits, but messages recorded rather than shown in boxes.
class RecordingQtOperator : public QtOperator {
 public:
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

class ReadoutDialogs : public testing::Test {
 protected:
  ReadoutDialogs() {
    test::TestApp();
    InstallOperator(&qt_op);
    dialog = std::make_unique<dialogs::TOdczytajRaportOkresowy>();
    download = new dialogs::TPobieranieFiskalnejSklepu(dialog.get());
    qt_op.RegisterWait("TPobieranieFiskalnejSklepu", download);
    end = dialog->endDialog();
    end->open_file = [this](const QString& path) {
      opened = path;
      return true;
    };
  }
  ~ReadoutDialogs() override { InstallOperator(nullptr); }

  void UseTcp() {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kTcp);
    ASSERT_EQ(TcpConnect("127.0.0.1", std::to_string(printer->port()), false), kTcpConnected);
    qt_op.messages.clear();
  }
  void UsePty() {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kPty);
    SetComDeviceOverride(printer->device());
    LinkSettings.PortNumber = 1;
    ASSERT_TRUE(OpenSerialPort(1));
  }
  void Script(const std::vector<std::string>& passes) {
    printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM VANTEL 57T/2.00\x1b\\");
    for (const std::string& pass : passes) {
      printer->On(std::string(1, kEnqByte), "\x64", 0, 1);
      for (const std::string& record : test::SplitRecords(pass)) {
        printer->On(std::string(1, kEnqByte), record, 0, 1);
      }
    }
  }
  // Shows the dialog and asks for reports `first` to `last`.
  void AskNumbers(const char* first, const char* last) {
    dialog->show();
    Child<QRadioButton>(dialog.get(), "RadioButton3")->click();
    Child<QLineEdit>(dialog.get(), "Edit3")->setText(first);
    Child<QLineEdit>(dialog.get(), "Edit4")->setText(last);
    Child<QComboBox>(dialog.get(), "ComboBox2")->setCurrentText("57600");
  }
  std::string WorkFile() const { return test::TempDir::Read(dir.File(kReadoutWorkFile)); }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder folder{dir.path()};
  RecordingQtOperator qt_op;
  std::unique_ptr<ScriptedPrinter> printer;
  std::unique_ptr<dialogs::TOdczytajRaportOkresowy> dialog;
  dialogs::TPobieranieFiskalnejSklepu* download = nullptr;
  dialogs::TZakonczonoOdczytywanie* end = nullptr;
  QString opened;
};

TEST_F(ReadoutDialogs, ChoicesFollowTheEmergencyBoxAndTheModel) {
  LinkSettings.ModelFamily = 2;
  dialog->show();
  auto* r1 = Child<QRadioButton>(dialog.get(), "RadioButton1");
  auto* r2 = Child<QRadioButton>(dialog.get(), "RadioButton2");
  auto* r3 = Child<QRadioButton>(dialog.get(), "RadioButton3");
  EXPECT_EQ(Child<QComboBox>(dialog.get(), "ComboBox2")->currentText(), "115200");
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "CheckBox2")->isChecked());
  EXPECT_EQ(Child<QLabel>(dialog.get(), "Label1")->text(), "Odczyt pamięci fiskalnej OPF_VANTEL");
  EXPECT_TRUE(Child<QLabel>(dialog.get(), "Label10")->isVisible());
  EXPECT_TRUE(r1->isChecked());
  EXPECT_TRUE(Child<QGroupBox>(dialog.get(), "GroupBox1")->isEnabled());
  EXPECT_FALSE(Child<QGroupBox>(dialog.get(), "GroupBox3")->isEnabled());

  Child<QCheckBox>(dialog.get(), "CheckBox1")->click();
  EXPECT_TRUE(r3->isChecked());
  EXPECT_FALSE(r1->isEnabled());
  EXPECT_FALSE(r2->isEnabled());
  EXPECT_TRUE(Child<QGroupBox>(dialog.get(), "GroupBox3")->isEnabled());
  EXPECT_FALSE(Child<QGroupBox>(dialog.get(), "GroupBox1")->isEnabled());
  Child<QCheckBox>(dialog.get(), "CheckBox1")->click();
  EXPECT_TRUE(r1->isEnabled());
  r2->click();
  EXPECT_TRUE(Child<QGroupBox>(dialog.get(), "GroupBox2")->isEnabled());
  dialog->hide();

  // A SALVO names its own reading module.
  LinkSettings.CopyMode = 2;
  dialog->show();
  EXPECT_EQ(Child<QLabel>(dialog.get(), "Label1")->text(),
            "Odczyt pamięci fiskalnej OPF_SALVO ver 2.52");
  EXPECT_FALSE(Child<QLabel>(dialog.get(), "Label10")->isVisible());
  EXPECT_EQ(Child<QLabel>(dialog.get(), "Label11")->text(),
            "Oznaczenie programu odczytującego pamięć fiskalną.: OPF_SALVO ver 2.52");
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ReadoutDialogs, OtherFamiliesCloseAndBadDatesStayOpen) {
  UseTcp();
  Script({});
  LinkSettings.ModelFamily = 1;
  dialog->show();
  Child<QPushButton>(dialog.get(), "Button1")->click();
  EXPECT_EQ(qt_op.messages, std::vector<std::string>{
                                "Ta funkcja jest niedostępna dla tego modelu drukarki fiskalnej."});
  EXPECT_FALSE(dialog->isVisible());

  qt_op.messages.clear();
  LinkSettings.ModelFamily = 2;
  dialog->show();
  Child<QRadioButton>(dialog.get(), "RadioButton1")->click();
  Child<QLineEdit>(dialog.get(), "MaskEdit3")->setText("12/2080");
  Child<QPushButton>(dialog.get(), "Button1")->click();
  EXPECT_EQ(qt_op.messages, std::vector<std::string>{"     Data spoza zakresu     "});
  EXPECT_TRUE(dialog->isVisible()) << "the operator corrects the date";
  EXPECT_EQ(printer->Received().find("#o"), std::string::npos);
}

TEST_F(ReadoutDialogs, ReadoutThroughTheEndDialogSavedPrintedAndDeleted) {
  UseTcp();
  Script({test::Pass(3)});
  const std::string copy = dir.File("kopia.txt");
  const std::string pdf = dir.File("raport.pdf");
  QString proposed;
  end->choose_save_file = [&](const QString& name) {
    proposed = name;
    return QString::fromStdString(copy);
  };
  QString docName;
  end->choose_printer = [&](QPrinter& p) {
    docName = p.docName();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(QString::fromStdString(pdf));
    return true;
  };
  ShowCounter downloadShown;
  download->installEventFilter(&downloadShown);
  std::string text, label, viewed;
  bool viewerShown = false;
  WhenTrue([&] { return end->isVisible(); },
           [&] {
             label = Child<QLabel>(end, "Label1")->text().toStdString();
             text = WorkFile();
             Child<QPushButton>(end, "Button2")->click();
             viewerShown = end->viewer()->isVisible();
             viewed = end->viewer()->Text().toStdString();
             Child<QPushButton>(end->viewer(), "External")->click();
             Child<QPushButton>(end, "Button3")->click();
             Child<QPushButton>(end, "Button4")->click();
             Child<QPushButton>(end, "Button5")->click();
           });
  AskNumbers("1", "3");
  Child<QPushButton>(dialog.get(), "Button1")->click();

  EXPECT_EQ(qt_op.messages, std::vector<std::string>{});
  download->removeEventFilter(&downloadShown);
  EXPECT_EQ(downloadShown.shows, 1);
  EXPECT_FALSE(dialog->isVisible()) << "the readout dialog closes after the readout";
  EXPECT_EQ(end->windowTitle(), "Zakończono odczytywanie");
  EXPECT_EQ(label, "Odczytywanie zakończono poprawnie");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.substr(text.size() - 5), "\t\t\t\r\n");
  // "&Wyświetl" shows the text in the program's own viewer, which hands it to the desktop's editor.
  EXPECT_TRUE(viewerShown);
  EXPECT_FALSE(end->viewer()->isVisible()) << "the viewer goes with the end dialog";
  std::string expected = Cp1250ToUtf8(text);
  for (size_t at; (at = expected.find("\r\n")) != std::string::npos;) expected.erase(at, 1);
  EXPECT_EQ(viewed, expected);
  EXPECT_EQ(opened.toStdString(), dir.File(kReadoutWorkFile));
  EXPECT_EQ(proposed, "VANTEL_ABC12345678_Nr_1_3.txt");
  EXPECT_EQ(test::TempDir::Read(copy), text);
  EXPECT_EQ(WorkFile(), "") << "closing the end dialog deletes the work file";

  // The print dialog's proposed file is the document name plus ".pdf": no "..pdf".
  EXPECT_EQ(docName.toStdString(),
            "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr 1 "
            "do nr 3");
  const std::string printed = RunPdfToText(pdf);
  EXPECT_NE(printed.find("Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC "
                         "12345678 od nr 1 do nr 3."),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("Strona 1 z 1"), std::string::npos) << printed;
  EXPECT_NE(printed.find("NIP: 525-000-00-00"), std::string::npos) << printed;
}

// Two readouts written from the end dialog onto one image file taken as a drive: the second
// is a new session and the first report stays on the disc.
TEST_F(ReadoutDialogs, EndDialogWritesEachReportAsANewSession) {
  UseTcp();
  const std::string image = dir.File("plyta.iso");
  setenv("KELM_DISC_DRIVES", ("stdio:" + image).c_str(), 1);
  dialogs::TNagrywanieCD_DVD* disc = end->discDialog();
  std::vector<std::string> statuses, names;
  for (const char* last : {"3", "4"}) {
    Script({test::Pass(std::atoi(last))});
    WhenTrue([&] { return disc->isVisible(); },
             [&] {
               auto* drives = Child<QComboBox>(disc, "ComboBox1");
               drives->setCurrentIndex(drives->count() - 1);
               names.push_back(Child<QLineEdit>(disc, "Edit1")->text().toStdString());
               EXPECT_FALSE(Child<QCheckBox>(disc, "CheckBox2")->isVisible());
               Child<QPushButton>(disc, "Button2")->click();
             });
    WhenTrue(
        [&] {
          auto* status = Child<QLabel>(disc, "Label2");
          return disc->isVisible() && status->isVisible() &&
                 status->text() != QString::fromUtf8("Trwa nagrywanie.Czekaj...");
        },
        [&] {
          statuses.push_back(Child<QLabel>(disc, "Label2")->text().toStdString());
          Child<QPushButton>(disc, "Button1")->click();
        });
    WhenTrue([&] { return end->isVisible(); },
             [&] {
               auto* write = Child<QPushButton>(end, "Button1");
               EXPECT_TRUE(write->isEnabled());
               write->click();
               Child<QPushButton>(end, "Button5")->click();
             });
    AskNumbers("1", last);
    Child<QPushButton>(dialog.get(), "Button1")->click();
  }
  unsetenv("KELM_DISC_DRIVES");
  EXPECT_EQ(qt_op.messages, std::vector<std::string>{});
  EXPECT_EQ(statuses, std::vector<std::string>(2, "Nagrywanie zakończono poprawnie."));
  ASSERT_EQ(names, (std::vector<std::string>{"VANTEL_ABC12345678_Nr_1_3.txt",
                                             "VANTEL_ABC12345678_Nr_1_4.txt"}));
  const std::string toc = test::CommandOutput("xorriso -indev " + image + " -toc -ls");
  EXPECT_NE(toc.find("Media summary: 2 sessions"), std::string::npos) << toc;
  EXPECT_NE(toc.find("Volume id    : 'KELM VANTEL 57T'"), std::string::npos) << toc;
  for (const std::string& name : names)
    EXPECT_NE(toc.find("'" + name + "'"), std::string::npos) << toc;
}

TEST_F(ReadoutDialogs, ProgressOfALongReadoutOverThePort) {
  UsePty();
  Script({test::Pass(120)});
  // What the dialog shows when the bar first appears.
  class FirstShowing : public QObject {
   public:
    QProgressBar* bar = nullptr;
    QLabel* label2 = nullptr;
    int max = 0;
    QString text;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Show && text.isEmpty()) {
        max = bar->maximum();
        text = label2->text();
      }
      return false;
    }
  } first;
  first.bar = Child<QProgressBar>(download, "ProgressBar1");
  first.label2 = Child<QLabel>(download, "Label2");
  first.bar->installEventFilter(&first);
  WhenTrue([&] { return end->isVisible(); }, [&] { end->reject(); });
  AskNumbers("1", "120");
  // Enter in a field starts the readout like "&Odczytaj".
  QTest::keyClick(Child<QLineEdit>(dialog.get(), "Edit4"), Qt::Key_Return);
  first.bar->removeEventFilter(&first);
  EXPECT_EQ(first.max, 120);
  EXPECT_EQ(first.text, "Pobrano dane 20 raportów");
  EXPECT_EQ(Child<QLabel>(download, "Label1")->text(),
            "Pobieranie danych raportu okresowego dla waluty PLN.");
  EXPECT_EQ(LinkSettings.Speed, 9600u) << "the port's own speed is back";
  EXPECT_TRUE(SerialHandle().IsOpen());
}

TEST_F(ReadoutDialogs, AbortWhileThePrinterIsSilent) {
  UseTcp();
  // The head of the pass and nothing more.
  printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM VANTEL 57T/2.00\x1b\\");
  printer->On(std::string(1, kEnqByte), "\x64", 0, 1);
  const std::vector<std::string> records = test::SplitRecords(test::Pass(3));
  for (size_t i = 0; i < 9; ++i) printer->On(std::string(1, kEnqByte), records[i], 0, 1);
  WhenTrue(
      [&] {
        const std::string sent = printer->Received();
        return download->isVisible() && std::count(sent.begin(), sent.end(), kEnqByte) >= 11;
      },
      [&] { Child<QPushButton>(download, "Button1")->click(); });
  // 0 waiting, 1 the end dialog was shown, 2 the test is over (the watch then ends by itself).
  auto endShown = std::make_shared<int>(0);
  auto* endDialog = end;
  WhenTrue([endShown, endDialog] { return *endShown == 2 || endDialog->isVisible(); },
           [endShown, endDialog] {
             if (*endShown == 2) return;
             *endShown = 1;
             endDialog->reject();
           });
  AskNumbers("1", "3");
  Child<QPushButton>(dialog.get(), "Button1")->click();
  EXPECT_EQ(qt_op.messages, std::vector<std::string>{});
  EXPECT_TRUE(WaitFor([&] { return printer->Received().back() == 0x18; }, 2000)) << "CAN sent";
  EXPECT_EQ(*endShown, 0);
  *endShown = 2;
  QTest::qWait(20);
  EXPECT_FALSE(download->isVisible());
}

// kelmemu on a pseudo-terminal paced at 1200 bit/s (its records at 9600), stopped in the middle
// of a readout (a cable pulled out): the download dialog ends at once with the transmission
// error, the port is closed and the half-written work file is gone.
TEST_F(ReadoutDialogs, PrinterGoneInTheMiddleOfTheDownload) {
  auto emu = std::make_unique<test::KelmemuProcess>(std::vector<std::string>{
      "--pty", "--model", "vantel", "--fiscal", "--history-days", "40", "--pace", "1200"});
  ASSERT_TRUE(emu->Ready()) << emu->ready();
  SetComDeviceOverride(emu->Where());
  LinkSettings.ModelFamily = 2;
  LinkSettings.PortNumber = 1;
  LinkSettings.Speed = 1200;
  ASSERT_TRUE(OpenSerialPort(1));
  const std::string work = dir.File(kReadoutWorkFile);
  // The watches outlive the test's locals: they share what they look at.
  auto running = std::make_shared<std::unique_ptr<test::KelmemuProcess>>(std::move(emu));
  auto* downloadDialog = download;
  WhenTrue(
      [running, downloadDialog] {
        // The head has been read (the currency is named): the daily reports are on their way.
        return !*running || (downloadDialog->isVisible() &&
                             !Child<QLabel>(downloadDialog, "Label1")->text().isEmpty());
      },
      [running] { running->reset(); });
  auto endShown = std::make_shared<int>(0);  // 0 waiting, 1 shown, 2 the test is over
  auto* endDialog = end;
  WhenTrue([endShown, endDialog] { return *endShown != 0 || endDialog->isVisible(); },
           [endShown, endDialog] {
             if (*endShown != 0) return;
             *endShown = 1;
             endDialog->reject();
           });
  AskNumbers("1", "40");
  Child<QComboBox>(dialog.get(), "ComboBox2")->setCurrentText("9600");
  Child<QPushButton>(dialog.get(), "Button1")->click();
  EXPECT_EQ(*running, nullptr) << "the printer went away during the download";
  EXPECT_EQ(qt_op.messages, std::vector<std::string>{"Wystąpił błąd trasmisji."});
  EXPECT_FALSE(download->isVisible());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(*endShown, 0);
  EXPECT_FALSE(std::filesystem::exists(work));
  EXPECT_FALSE(SerialHandle().IsOpen());
  EXPECT_EQ(LinkSettings.PortNumber, 1) << "the operator's port stays chosen";
  EXPECT_EQ(LinkSettings.Speed, 1200u);
  *endShown = 2;
  running->reset();
}

TEST(PrintReportFile, PagesNumberedAndPolishLettersDrawn) {
  test::TestApp();
  test::TempDir dir;
  // Blocks of 30 lines, one with Polish letters in Windows-1250, far more than one page holds.
  std::string text;
  for (int block = 0; block < 40; ++block) {
    text +=
        "\xA3\xA5"
        "CZNA NALE\xAF"
        "NO\x8C\xC6 " +
        std::to_string(block) + "\r\n";
    for (int line = 1; line < 29; ++line) text += "wiersz " + std::to_string(line) + "\r\n";
    text += "------------------------------------------  \r\n";
  }
  text += "\t\t\t\r\n";
  const std::string file = dir.File("raport.txt");
  test::TempDir::Write(file, text);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setOutputFileName(QString::fromStdString(dir.File("raport.pdf")));
  const int pages =
      dialogs::PrintReportFile(printer, QString::fromStdString(file), "Tytuł raportu");
  ASSERT_GT(pages, 1);
  const std::string printed = RunPdfToText(dir.File("raport.pdf"));
  const std::string last = "Strona " + std::to_string(pages) + " z " + std::to_string(pages);
  EXPECT_NE(printed.find("Strona 1 z " + std::to_string(pages)), std::string::npos) << printed;
  EXPECT_NE(printed.find(last), std::string::npos) << printed;
  EXPECT_NE(printed.find("ŁĄCZNA NALEŻNOŚĆ 39"), std::string::npos) << printed;
  EXPECT_NE(printed.find("Tytuł raportu"), std::string::npos) << printed;
  // Every page carries the title once.
  size_t titles = 0;
  for (size_t at = printed.find("Tytuł raportu"); at != std::string::npos;
       at = printed.find("Tytuł raportu", at + 1)) {
    ++titles;
  }
  EXPECT_EQ(titles, size_t(pages));
  EXPECT_EQ(dialogs::PrintReportFile(printer, QString::fromStdString(dir.File("brak.txt")), "x"),
            0);
}

using ReadoutFromTheMainWindow = test::MainFormTest;

TEST_F(ReadoutFromTheMainWindow, BasicTreeEntryOpensTheReadoutDialog) {
  Start(3);
  auto* tree = Find<QTreeWidget>("TreeView1");
  QTreeWidgetItem* entry = nullptr;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->text(0) == "Odczytaj raport okresowy") entry = *it;
  }
  ASSERT_NE(entry, nullptr);
  tree->setCurrentItem(entry);
  QString shown;
  test::WhenModal([&](QWidget* w) {
    shown = w->objectName();
    Child<QPushButton>(w, "Button2")->click();
  });
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(shown, "TOdczytajRaportOkresowy");
}

// The viewer on its own: Windows-1250 letters, search that wraps, copy, and a desktop without an
// editor for text files.
TEST(ReportViewerTest, ReadsSearchesCopiesAndSaysWhenNoEditorOpensTheFile) {
  test::TestApp();
  test::SeamGuard seams;
  test::TempDir dir;
  const std::string file = dir.File("raport.txt");
  test::TempDir::Write(file, Utf8ToCp1250("Zażółć gęślą jaźń\r\nSUMA PTU 12.30\r\nsuma 1\r\n"));
  dialogs::ReportViewer viewer;
  ASSERT_TRUE(viewer.Load(QString::fromStdString(file), "Raport"));
  EXPECT_EQ(viewer.Text().toStdString(), "Zażółć gęślą jaźń\nSUMA PTU 12.30\nsuma 1\n");
  EXPECT_EQ(viewer.windowTitle(), "Raport");
  auto* find = Child<QLineEdit>(&viewer, "Find");
  auto* next = Child<QPushButton>(&viewer, "FindNext");
  auto* copy = Child<QPushButton>(&viewer, "Copy");
  find->setText("suma");
  const char* found[] = {"SUMA", "suma", "SUMA"};  // either case, and round again from the top
  for (const char* want : found) {
    next->click();
    copy->click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), want);
  }
  find->setText("brak");
  QTest::keyClick(find, Qt::Key_Return);
  EXPECT_EQ(Child<QLabel>(&viewer, "Found")->text().toStdString(), "Nie znaleziono");

  QString handed;
  viewer.open_externally = [&handed](const QString& path) {
    handed = path;
    return false;
  };
  Child<QPushButton>(&viewer, "External")->click();
  EXPECT_EQ(handed.toStdString(), file);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Nie znaleziono programu do otwierania plików tekstowych."});
  EXPECT_FALSE(viewer.Load(QString::fromStdString(dir.File("brak.txt")), "Raport"));
  EXPECT_TRUE(viewer.Text().isEmpty());
}

}  // namespace
}  // namespace kelm
