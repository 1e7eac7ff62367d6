// The configuration and report dialogs opened from the trees of every model that shows them, and
// one dialog of each family sent to kelmemu of that model on COM1 (a pseudo-terminal).
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <set>

#include "config/dialogs/HeaderDialog.h"
#include "config/dialogs/IoNetworkDialogs.h"
#include "config/header_rtf.h"
#include "config/printer_settings.h"
#include "main_form_fixture.h"
#include "support/command_output.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::KelmemuProcess;
using test::WhenModal;

const std::set<std::string> kConfigDialogs = {"TProgramowanieStawek",
                                              "TProgramowanieStawekPTUBus",
                                              "TProgramowanieNIP",
                                              "TKorektaZegara",
                                              "TSposobBledow",
                                              "TAutoPotwierdzanie",
                                              "TBlokadaKlawiatury",
                                              "TParametrySzuflady",
                                              "TCzyMoznaOtwSzuflZMenu",
                                              "TAutomatyczneOtwieranieSzuflady",
                                              "TSposobDruowania",
                                              "TSposobDruowaniaOryg",
                                              "TSterowanieObcinaczem",
                                              "TMetodaRabatu",
                                              "TMinimalnyCzasSterZwijacz",
                                              "TCzujnikObudowy",
                                              "TSzybkoscWydruku",
                                              "TKonfiguracjaCzasuOdp",
                                              "TSposobObslugiKaucjiWLinijceParagonu",
                                              "TDefinicjaNrSystemowego",
                                              "TWpisanieTypuIWersji",
                                              "TWartosciDomyslne",
                                              "TOdczytUstawienDrukarki",
                                              "TWydrukRaportuDobowego",
                                              "TWydrukRaportOkresowy",
                                              "TRaportyMiesieczne",
                                              "TRaportyDobowe",
                                              "TRaportKasyZmiany",
                                              "TPrzegladySerwisowe",
                                              "TLogowanieKasjera",
                                              "TWylogowanieKasjera",
                                              "TDrukujTabliceBledow",
                                              "TProgramowanieNaglowka",
                                              "TKonfiguracjaWeWy",
                                              "TUstawieniaEthernet",
                                              "TWLAN",
                                              "TUstawieniaBlueTooth"};

struct ModelCase {
  int radio;
  const char* option;
};

class ConfigGuiTest : public test::MainFormTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  void StartWithPrinter() {
    std::filesystem::create_directory(dir.File("dosdevices"));
    emu = std::make_unique<KelmemuProcess>(
        std::vector<std::string>{"--pty", "--link", dir.File("dosdevices/com1"), "--model",
                                 GetParam().option, "--paper", dir.File("paper.txt")});
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    LinkSettingsRecord s;
    s.PortNumber = 1;
    WriteSettings(s);
    Start(GetParam().radio);
  }
  // Opens the entry of `tree` whose dialog is `dialog` and runs `act` on it.
  bool Open(TreeId tree, const std::string& dialog, const std::function<void(QWidget*)>& act) {
    auto* view = form->Tree(tree);
    for (QTreeWidgetItemIterator it(view); *it; ++it) {
      const TreeEntry& e = form->Entries(tree)[(*it)->data(0, Qt::UserRole).toInt()];
      const char* name = e.row->dialog == nullptr ? nullptr
                         : (LinkSettings.PrinterVariant != 0 && e.row->bus_dialog != nullptr)
                             ? e.row->bus_dialog
                             : e.row->dialog;
      if (name == nullptr || dialog != name) continue;
      view->setCurrentItem(*it);
      bool shown = false;
      WhenModal([&](QWidget* d) {
        shown = d->objectName().toStdString() == dialog;
        act(d);
        if (d->isVisible()) Child<QPushButton>(d, "Button2")->click();
      });
      emit view->itemDoubleClicked(*it, 0);
      return shown;
    }
    return false;
  }
  std::string Paper() const { return test::TempDir::Read(dir.File("paper.txt")); }

  std::unique_ptr<KelmemuProcess> emu;
};

TEST_P(ConfigGuiTest, EveryEntryOfTheseCommandsOpensItsDialog) {
  StartWithPrinter();
  int opened = 0;
  for (TreeId tree :
       {kBasicTree, kConfigurationTree, kDiagnosticsTree, kAdditionalTree, kProgrammingTree}) {
    for (const TreeEntry& e : form->Entries(tree)) {
      if (e.row->dialog == nullptr) continue;
      const std::string name = LinkSettings.PrinterVariant != 0 && e.row->bus_dialog != nullptr
                                   ? e.row->bus_dialog
                                   : e.row->dialog;
      if (kConfigDialogs.count(name) == 0) continue;
      EXPECT_TRUE(Open(tree, name, [](QWidget*) {})) << e.caption;
      ++opened;
    }
  }
  EXPECT_GT(opened, 5);
}

TEST_P(ConfigGuiTest, OneDialogOfEachFamilyAgainstThePrinter) {
  StartWithPrinter();
  const bool family2 = LinkSettings.ModelFamily == 2;
  // Options: the error handling of the model's group.
  ASSERT_TRUE(Open(kConfigurationTree, "TSposobBledow", [&](QWidget* d) {
    for (QRadioButton* r : d->findChildren<QRadioButton*>()) {
      if (r->isVisibleTo(d) && r->text().startsWith(family2 ? "Brak" : "Komunikaty na")) r->click();
    }
    Child<QPushButton>(d, "Button1")->click();
  }));
  PrinterSettingsRecord settings;
  ASSERT_TRUE(ReadPrinterSettings(&settings));
  EXPECT_EQ(settings.Fields[10], family2 ? 3 : 0);

  // Rates, by the dialog the variant picks.
  const std::string rates =
      LinkSettings.PrinterVariant != 0 ? "TProgramowanieStawekPTUBus" : "TProgramowanieStawek";
  ASSERT_TRUE(Open(kProgrammingTree, rates, [](QWidget* d) {
    Child<QLineEdit>(d, "Edit1")->setText("21.00");
    Child<QPushButton>(d, "Button1")->click();
  }));
  EXPECT_NE(Paper().find("ZMIANA STAWEK PTU"), std::string::npos);
  // Tax number and clock.
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNIP", [](QWidget* d) {
    Child<QLineEdit>(d, "Edit1")->setText("100-000-01-60");
    Child<QPushButton>(d, "Button1")->click();
  }));
  EXPECT_NE(Paper().find("NIP 100-000-01-60"), std::string::npos);
  ASSERT_TRUE(Open(kAdditionalTree, "TKorektaZegara",
                   [](QWidget* d) { Child<QPushButton>(d, "Button1")->click(); }));
  // Reports.
  ASSERT_TRUE(Open(kAdditionalTree, "TLogowanieKasjera", [](QWidget* d) {
    Child<QLineEdit>(d, "Edit1")->setText("Zoja");
    Child<QLineEdit>(d, "Edit2")->setText("7");
    Child<QPushButton>(d, "Button1")->click();
  }));
  EXPECT_NE(Paper().find("Kasjer Zoja"), std::string::npos);
  ASSERT_TRUE(Open(kBasicTree, "TWydrukRaportOkresowy", [](QWidget* d) {
    Child<QCheckBox>(d, "CheckBox1")->click();  // emergency: by numbers
    Child<QLineEdit>(d, "Edit4")->setText("1");
    Child<QLineEdit>(d, "Edit5")->setText("3");
    Child<QPushButton>(d, "Button1")->click();
  }));
  EXPECT_NE(Paper().find("TRYB AWARYJNY"), std::string::npos);
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];

  if (!family2) return;
  if (LinkSettings.PrinterVariant == 0) {
    // The printer offers the scheduled change; the choice stays for the next showing.
    for (bool first : {true, false}) {
      ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieStawek", [&](QWidget* d) {
        auto* scheduled = Child<QRadioButton>(d, "RadioButton23");
        ASSERT_TRUE(test::WaitFor([&] { return scheduled->isEnabled(); }));
        if (first) scheduled->click();
        EXPECT_TRUE(scheduled->isChecked());
        EXPECT_TRUE(Child<QLineEdit>(d, "Edit8")->isEnabled());  // the hour field
      }));
    }
  }
  // The settings readout shows what the error handling dialog set.
  ASSERT_TRUE(Open(kDiagnosticsTree, "TOdczytUstawienDrukarki", [](QWidget* d) {
    ASSERT_TRUE(test::WaitFor([&] { return Child<QGroupBox>(d, "GroupBox1")->isVisible(); }));
    EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), "1");
    EXPECT_EQ(Child<QComboBox>(d, "ComboBox11")->currentText(), "Tryb 3");
  }));
}

TEST_P(ConfigGuiTest, HeaderFromAFileGoesToPaperAndComesBackIntoTheEditor) {
  if (std::string(GetParam().option) != "salvo") GTEST_SKIP() << "one model is enough";
  StartWithPrinter();
  const std::string file = dir.File("naglowek.rtf");
  std::string message;
  HeaderModel model = HeaderFromMarkedText("*DUŻY*", HeaderAlign::kCenter);
  model.lines.push_back(HeaderFromMarkedText("Krótka", HeaderAlign::kRight).lines[0]);
  ASSERT_TRUE(SaveHeaderFile(file, model, &message));
  HeaderModel shown;
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNaglowka", [&](QWidget* d) {
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(Child<QLabel>(d, "Label2")->text().size(), 42);  // the ruler
    ASSERT_TRUE(header->LoadFile(file));
    shown = header->Model();
    Child<QPushButton>(d, "Button1")->click();
  }));
  EXPECT_EQ(shown, model);
  EXPECT_NE(Paper().find(std::string(17, ' ') + "D U Ż Y\n"), std::string::npos) << Paper();
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNaglowka", [&](QWidget* d) {
    Child<QToolButton>(d, "ToolButton7")->click();
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    EXPECT_EQ(MarkedTextOf(header->Model()),
              std::string(17, ' ') + "*DUŻY*\n" + std::string(36, ' ') + "Krótka\n");
  }));
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
}

// Where the editor shows each line: the character column of its first character (its ruler
// position less one), and its characters with double-width runs spaced out as paper shows them.
std::string AsShown(QTextEdit* editor) {
  QFont normal = editor->font();
  normal.setPointSizeF(10);
  const qreal cell = QFontMetricsF(normal).horizontalAdvance('0');
  const qreal margin = editor->document()->documentMargin();
  std::string out;
  for (QTextBlock b = editor->document()->begin(); b.isValid(); b = b.next()) {
    if (b.text().isEmpty() && !b.next().isValid()) break;        // after the last line break
    editor->document()->documentLayout()->blockBoundingRect(b);  // laid out as on screen
    const QTextLine line = b.layout()->lineAt(0);
    const int column = qRound((b.layout()->position().x() + line.cursorToX(0) - margin) / cell);
    std::string text(static_cast<size_t>(std::max(column, 0)), ' ');
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const bool wide = it.fragment().charFormat().fontPointSize() >= 15;
      for (QChar c : it.fragment().text()) {
        text += QString(c).toStdString();
        if (wide) text += ' ';
      }
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  return out;
}

size_t Count(const std::string& text, const std::string& block) {
  size_t n = 0;
  for (size_t at = text.find(block); at != std::string::npos; at = text.find(block, at + 1)) ++n;
  return n;
}

// A header written the way a word processor writes it goes from the dialog and from kelmctl to
// the printer's paper exactly as the editor showed it, comes back, is saved and goes out again.
TEST_P(ConfigGuiTest, HeaderFileReachesPaperAsTheEditorShowedIt) {
  if (std::string(GetParam().option) != "salvo") GTEST_SKIP() << "one model is enough";
  StartWithPrinter();
  test::TempDir::Write(dir.File("sklep.rtf"),
                       "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1045{\\fonttbl{\\f0"
                       "\\fnil\\fcharset238 Courier New;}}\r\n{\\*\\generator Riched20 10.0}"
                       "\\viewkind4\\uc1 \r\n\\pard\\qc\\b\\f0\\fs40 \\'afABKA\\b0\\fs20\\par\r\n"
                       "\\pard Zak\\'b3ad \\'a3\\'f3d\\'9f\\par\r\n"
                       "\\pard\\qr ul. \\'c6mielowska 5\\par\r\n"
                       "\\pard\\qc tel. \\b\\fs40 123\\b0\\fs20  wew. 4\\par\r\n}\r\n");
  const std::string expected = std::string(16, ' ') + "Ż A B K A\nZakład Łódź\n" +
                               std::string(26, ' ') + "ul. Ćmielowska 5\n" + std::string(12, ' ') +
                               "tel. 1 2 3  wew. 4\n";
  std::string shown, marked;
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNaglowka", [&](QWidget* d) {
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    ASSERT_TRUE(header->LoadFile(dir.File("sklep.rtf")));
    shown = AsShown(Child<QTextEdit>(d, "RichEdit1"));
    Child<QPushButton>(d, "Button1")->click();
    EXPECT_FALSE(d->isVisible());
  }));
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(Count(Paper(), expected), 1u) << Paper();

  const std::string kelmctl = std::string(KELMCTL_PATH) + " --device " +
                              dir.File("dosdevices/com1") + " --model salvo header ";
  test::CommandOutput(kelmctl + "--send " + dir.File("sklep.rtf"));
  EXPECT_EQ(Count(Paper(), expected), 2u) << Paper();

  // Read back, the spaces stand in the text and every line is left-aligned: it looks the same.
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNaglowka", [&](QWidget* d) {
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    Child<QToolButton>(d, "ToolButton7")->click();
    EXPECT_EQ(AsShown(Child<QTextEdit>(d, "RichEdit1")), expected);
    marked = MarkedTextOf(header->Model());
    ASSERT_TRUE(header->SaveFile(dir.File("z_drukarki.rtf")));
  }));
  test::CommandOutput(kelmctl + "--send " + dir.File("z_drukarki.rtf"));
  EXPECT_EQ(Count(Paper(), expected), 3u) << Paper();
  EXPECT_EQ(test::CommandOutput(kelmctl + "--read -o " + dir.File("again.rtf")), marked);
  ASSERT_TRUE(Open(kProgrammingTree, "TProgramowanieNaglowka", [&](QWidget* d) {
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    ASSERT_TRUE(header->LoadFile(dir.File("again.rtf")));
    EXPECT_EQ(AsShown(Child<QTextEdit>(d, "RichEdit1")), expected);
  }));
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
}

// Each port and network dialog of a model whose tree shows it writes through its fields, and
// shows what it wrote when it reads the printer again.
TEST_P(ConfigGuiTest, PortAndNetworkDialogsWriteAndReadBack) {
  StartWithPrinter();
  auto text = [](QWidget* d, const char* name) {
    return Child<QLineEdit>(d, name)->text().toStdString();
  };
  auto type = [](QWidget* d, const char* name, const char* value) {
    Child<QLineEdit>(d, name)->setText(QString::fromUtf8(value));
  };
  auto click = [](QWidget* d, const char* name) { Child<QAbstractButton>(d, name)->click(); };
  struct Row {
    const char* dialog;
    bool reads_when_shown, closes_after_write;
    std::function<void(QWidget*)> write, check;
  } rows[] = {
      {"TUstawieniaEthernet", true, true,
       [&](QWidget* d) {
         ASSERT_TRUE(test::WaitFor([&] { return text(d, "Edit1") == "192.168.0.100"; }));
         click(d, "RadioButton2");  // "Wyłączone"
         type(d, "Edit1", "10.1. 2. 3");
         type(d, "Edit6", "7777");
       },
       [&](QWidget* d) {
         EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton2")->isChecked());
         EXPECT_TRUE(Child<QLineEdit>(d, "Edit1")->isEnabled());
         EXPECT_EQ(text(d, "Edit1"), "10.1.2.3");
         EXPECT_EQ(text(d, "Edit6"), "7777");
       }},
      {"TWLAN", false, true,
       [&](QWidget* d) {
         type(d, "Edit4", "Sieć sklepu");
         click(d, "RadioButton4");  // "WPA2"
         type(d, "Edit7", "krotkie");
         click(d, "RadioButton6");   // "AD_HOC"
         click(d, "RadioButton10");  // "WIFI włączone"
       },
       [&](QWidget* d) {
         EXPECT_EQ(text(d, "Edit4"), "Sieć sklepu");
         EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton4")->isChecked());
         EXPECT_EQ(text(d, "Edit7"), "krotkie");
         EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton6")->isChecked());
         EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton10")->isChecked());
       }},
      {"TUstawieniaBlueTooth", false, true,
       [&](QWidget* d) {
         type(d, "Edit1", "4321");
         click(d, "CheckBox1");
         QTest::keyClicks(Child<QLineEdit>(d, "Edit2"), "00a0c91e6b2f");
       },
       [&](QWidget* d) {
         EXPECT_EQ(text(d, "Edit1"), "4321");
         EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox1")->isChecked());
         EXPECT_EQ(text(d, "Edit2"), "00A0C91E6B2F");
       }},
      {"TKonfiguracjaWeWy", true, false,
       [&](QWidget* d) {
         auto* io = qobject_cast<dialogs::TKonfiguracjaWeWy*>(d);
         ASSERT_TRUE(test::WaitFor([&] { return io->State().sales[kEthernet] == 1; }));
         click(d, "RadioKolumna3_4");  // the copy on USB 1
       },
       [&](QWidget* d) {
         auto* io = qobject_cast<dialogs::TKonfiguracjaWeWy*>(d);
         EXPECT_EQ(io->State().copy, kUsb1);
         EXPECT_EQ(io->State().speed[kUsb1], kSpeed115200);
         EXPECT_TRUE(Child<QRadioButton>(d, "RadioKolumna3_4")->isChecked());
       }},
  };
  int shown = 0;
  for (const Row& row : rows) {
    bool open = false;
    if (!Open(kConfigurationTree, row.dialog, [&](QWidget* d) {
          row.write(d);
          click(d, "Button1");
          open = d->isVisible();
        }))
      continue;
    ++shown;
    EXPECT_EQ(open, !row.closes_after_write) << row.dialog;
    ASSERT_TRUE(Open(kConfigurationTree, row.dialog, [&](QWidget* d) {
      if (row.reads_when_shown) {
        test::WaitFor([] { return false; }, 300);  // the read of the showing, first
      } else {
        click(d, "Button3");  // "&Pobierz"
      }
      row.check(d);
    }));
    EXPECT_TRUE(guard.op.messages.empty()) << row.dialog << " " << guard.op.messages[0];
  }
  // The models of the copy mode 2 show all four; the others none.
  EXPECT_EQ(shown, LinkSettings.CopyMode == 2 ? 4 : 0);
}

TEST_P(ConfigGuiTest, PortDialogReadsThePrinterWhenShown) {
  if (std::string(GetParam().option) != "salvo") GTEST_SKIP() << "one model is enough";
  StartWithPrinter();
  ASSERT_TRUE(Open(kConfigurationTree, "TKonfiguracjaWeWy", [&](QWidget* d) {
    auto* io = qobject_cast<dialogs::TKonfiguracjaWeWy*>(d);
    ASSERT_TRUE(test::WaitFor([&] { return io->State().sales[kEthernet] == 1; }));
    EXPECT_FALSE(Child<QComboBox>(d, "ComboBoxSprzedaz5")->isEnabled());  // no internal COM
  }));
}

INSTANTIATE_TEST_SUITE_P(AllModels, ConfigGuiTest,
                         ::testing::Values(ModelCase{1, "oxil"}, ModelCase{2, "oxil-pro"},
                                           ModelCase{3, "vantel"}, ModelCase{4, "oxil-bus"},
                                           ModelCase{5, "vantel-bus"}, ModelCase{6, "vantel-ke"},
                                           ModelCase{7, "salvo"}, ModelCase{8, "859"}),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                           return "Radio" + std::to_string(info.param.radio);
                         });

}  // namespace
}  // namespace kelm
