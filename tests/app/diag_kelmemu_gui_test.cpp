// Every diagnostics entry of every model, opened from the tree against kelmemu on COM1 (a
// pseudo-terminal), and the cash dialog compared with what `kelmctl cash` prints for the same
// printer.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "catalogue/dialogs/DiagnosticDialog.h"
#include "catalogue/model.h"
#include "main_form_fixture.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::KelmemuProcess;
using test::WhenModal;

struct ModelCase {
  int radio;           // in the model dialog, 1..8
  const char* option;  // kelmemu's and kelmctl's --model
  const char* type;    // what the type dialog shows
};

const ModelCase kModelCases[] = {
    {1, "oxil", "OXIL"},
    {2, "oxil-pro", "OXIL Pro"},
    {3, "vantel", "KELM VANTEL 57T"},
    {4, "oxil-bus", "OXIL BUS"},
    {5, "vantel-bus", "KELM VANTEL BUS"},
    {6, "vantel-ke", "KELM VANTEL 57TE"},
    {7, "salvo", "KELM SALVO 3"},
    {8, "859", "Kelm-D859"},
};

std::string Text(QWidget* d, const char* name) {
  return Child<QLineEdit>(d, name)->text().toStdString();
}

class DiagKelmemuTest : public test::MainFormTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  std::string Com1() const { return dir.File("dosdevices/com1"); }

  // What each dialog of this room must show once it has read the printer.
  std::map<std::string, std::function<void(QWidget*)>> Checks() {
    return {
        {"TOdeslijKodBledu",
         [](QWidget* d) {
           EXPECT_TRUE(
               QRegularExpression("^\\d+$").match(Child<QLabel>(d, "Panel1")->text()).hasMatch());
         }},
        {"TInformacjeKasowe",
         [this](QWidget* d) {
           for (QLineEdit* field : d->findChildren<QLineEdit*>()) {
             const QString label =
                 Child<QLabel>(
                     d, ("Label" + std::to_string(field->objectName().mid(4).toInt() + 1)).c_str())
                     ->text();
             shown_cash[field->objectName().mid(4).toInt()] =
                 (label + " " + field->text()).toStdString();
           }
         }},
        {"TOdczytZegara",
         [](QWidget* d) {
           EXPECT_TRUE(QRegularExpression("^20\\d\\d-\\d\\d-\\d\\d$")
                           .match(Child<QLineEdit>(d, "MaskEdit1")->text())
                           .hasMatch());
           EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$")
                           .match(Child<QLineEdit>(d, "MaskEdit2")->text())
                           .hasMatch());
         }},
        {"TStatusDrukarki",
         [](QWidget* d) { EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox9")->isChecked()); }},
        {"TTypIWersja",
         [this](QWidget* d) {
           EXPECT_EQ(Text(d, "Edit1"), GetParam().type);
           EXPECT_FALSE(Text(d, "Edit2").empty());
           if (LinkSettings.ModelFamily != 2) return;
           Child<QCheckBox>(d, "CheckBox1")->click();
           Child<QPushButton>(d, "Button1")->click();
           EXPECT_EQ(Text(d, "Edit5").size(), 40u) << Text(d, "Edit5");
         }},
        {"TOdeslijBufor",
         [](QWidget* d) {
           EXPECT_FALSE(Child<QPlainTextEdit>(d, "Memo1")->toPlainText().isEmpty());
           EXPECT_EQ(Child<QCheckBox>(d, "CheckBox1")->isHidden(),
                     LinkSettings.PrinterVariant != 2);
         }},
    };
  }

  std::string Kelmctl(const std::string& arguments) {
    const std::string command = std::string(KELMCTL_PATH) + " --device " + Com1() + " --model " +
                                GetParam().option + " " + arguments;
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
      char buf[256];
      while (fgets(buf, sizeof buf, p) != nullptr) out += buf;
      pclose(p);
    }
    return out;
  }

  std::map<int, std::string> shown_cash;
};

TEST_P(DiagKelmemuTest, EveryDiagnosticsEntryOpensItsDialogAndReadsThePrinter) {
  std::filesystem::create_directory(dir.File("dosdevices"));
  KelmemuProcess emu({"--pty", "--link", Com1(), "--model", GetParam().option});
  ASSERT_TRUE(emu.Ready()) << emu.ready();
  LinkSettingsRecord s;
  s.PortNumber = 1;
  WriteSettings(s);
  Start(GetParam().radio);
  ASSERT_FALSE(FirstShow);

  const auto checks = Checks();
  std::set<std::string> opened;
  auto* tree = Find<QTreeWidget>("TreeView4");
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    const TreeEntry& entry = form->Entries(kDiagnosticsTree)[(*it)->data(0, Qt::UserRole).toInt()];
    auto check = checks.find(entry.row->dialog);
    if (check == checks.end()) continue;  // dialogs of other rooms
    tree->setCurrentItem(*it);
    bool shown = false;
    WhenModal([&](QWidget* d) {
      if (auto* diagnostic = qobject_cast<dialogs::DiagnosticDialog*>(d)) {
        test::WaitFor([diagnostic] { return !diagnostic->ReadPending(); });
      }
      shown = true;
      EXPECT_EQ(d->objectName().toStdString(), entry.row->dialog);
      check->second(d);
      // "&Zamknij" is the last button of each.
      d->findChildren<QPushButton*>().last()->click();
    });
    emit tree->itemDoubleClicked(*it, 0);
    EXPECT_TRUE(shown) << entry.caption;
    opened.insert(entry.row->dialog);
  }
  const size_t expected = LinkSettings.ModelFamily == 2 ? 6 : 5;
  EXPECT_EQ(opened.size(), expected);
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];

  bool about = false;
  WhenModal([&](QWidget* d) {
    about = d->objectName() == "TOProgramie" &&
            Child<QLabel>(d, "Label3")->text().toStdString() == ProgramDesignation(1);
    Child<QPushButton>(d, "Button1")->click();
  });
  Find<QAction>("Oprogramie1")->trigger();
  EXPECT_TRUE(about);

  // kelmctl reads the same printer while the program idles.
  ASSERT_EQ(shown_cash.size(), 23u);
  std::string dialog_text;
  for (const auto& [index, line] : shown_cash) dialog_text += line + "\n";
  EXPECT_EQ(Kelmctl("cash"), dialog_text);
}

INSTANTIATE_TEST_SUITE_P(AllModels, DiagKelmemuTest, ::testing::ValuesIn(kModelCases),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                           return std::string("Radio") + std::to_string(info.param.radio);
                         });

}  // namespace
}  // namespace kelm
