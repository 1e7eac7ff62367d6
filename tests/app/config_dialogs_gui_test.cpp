// The configuration and report dialogs' own rules, driven through their widgets: the keys each
// handles, what the model shows or hides, and the fields' enabling.
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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
#include <functional>

#include "config/dialogs/HeaderDialog.h"
#include "config/dialogs/TOdczytUstawienDrukarki.h"
#include "config/network.h"
#include "config/printer_settings.h"
#include "main_form_fixture.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

class ConfigDialogsTest : public test::MainFormTest {
 protected:
  ConfigDialogsTest() { Create(); }
  // Shows the dialog modally and runs `act` on it; returns whether it was still open after.
  bool Show(const char* name, int family, int variant, const std::function<void(QWidget*)>& act) {
    LinkSettings.ModelFamily = static_cast<uint8_t>(family);
    LinkSettings.PrinterVariant = static_cast<uint8_t>(variant);
    bool open = false;
    WhenModal([&](QWidget* d) {
      test::WaitFor([] { return false; }, 20);  // the dialog's own start after its showing
      guard.op.messages.clear();
      act(d);
      open = d->isVisible();
      if (open) static_cast<QDialog*>(d)->reject();
    });
    EXPECT_TRUE(form->OpenDialog(name)) << name;
    return open;
  }
  static void Key(QWidget* d, Qt::Key key) {
    QWidget* target = d->focusWidget() != nullptr ? d->focusWidget() : d;
    QTest::keyClick(target, key);
  }
};

TEST_F(ConfigDialogsTest, KeysEachDialogHandles) {
  struct Row {
    const char* dialog;
    bool enter_sends, esc_closes;
  } rows[] = {{"TCzujnikObudowy", true, true},      {"TAutoPotwierdzanie", false, true},
              {"TBlokadaKlawiatury", false, false}, {"TWydrukRaportOkresowy", true, true},
              {"TKorektaZegara", true, true},       {"TLogowanieKasjera", true, true}};
  for (const Row& row : rows) {
    // Enter sends: with no port the send reports it and the dialog stays.
    EXPECT_TRUE(Show(row.dialog, 2, 0, [&](QWidget* d) {
      Key(d, Qt::Key_Return);
      EXPECT_EQ(!guard.op.messages.empty(), row.enter_sends) << row.dialog;
    }));
    EXPECT_EQ(Show(row.dialog, 2, 0, [](QWidget* d) { Key(d, Qt::Key_Escape); }), !row.esc_closes)
        << row.dialog;
  }
  // The keyboard lock refuses its seconds before anything is sent; the field follows the box.
  Show("TBlokadaKlawiatury", 2, 0, [&](QWidget* d) {
    auto* seconds = Child<QLineEdit>(d, "Edit1");
    EXPECT_FALSE(seconds->isEnabled());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_TRUE(seconds->isEnabled());
    seconds->setText("61");
    Child<QPushButton>(d, "Button1")->click();
    EXPECT_EQ(guard.op.messages, std::vector<std::string>{"Niewłaściwa linia sekund."});
  });
  // A send that fails keeps a dialog open; the rate dialogs close whatever came of it.
  EXPECT_TRUE(Show("TBlokadaKlawiatury", 2, 0, [&](QWidget* d) {
    Child<QCheckBox>(d, "CheckBox1")->setChecked(true);  // kept ticked from above
    Child<QLineEdit>(d, "Edit1")->setText("30");
    Child<QPushButton>(d, "Button1")->click();
    EXPECT_EQ(guard.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
  }));
  EXPECT_FALSE(Show("TProgramowanieStawek", 2, 0,
                    [&](QWidget* d) { Child<QPushButton>(d, "Button1")->click(); }));
}

TEST_F(ConfigDialogsTest, F3AndROfTheMainWindowOpenTheDailyReport) {
  Start(3);
  for (Qt::Key key : {Qt::Key_F3, Qt::Key_R}) {
    std::string opened;
    WhenModal([&](QWidget* d) {
      opened = d->objectName().toStdString();
      EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox1")->isChecked());  // without confirmation
      static_cast<QDialog*>(d)->reject();
    });
    QTest::keyClick(form->Tree(kBasicTree), key);
    EXPECT_EQ(opened, "TWydrukRaportuDobowego");
  }
}

TEST_F(ConfigDialogsTest, RatesDialogFollowsTheFamily) {
  Show("TProgramowanieStawek", 0, 0, [](QWidget* d) {
    EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton2")->isHidden());    // A "Zwolniona"
    EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton21")->isChecked());  // G now inactive
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit7")->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton23")->isEnabled());  // scheduled change
  });
  Show("TProgramowanieStawek", 1, 0, [](QWidget* d) {
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton2")->isHidden());
    Child<QRadioButton>(d, "RadioButton1")->click();  // A stays taxed
    Child<QRadioButton>(d, "RadioButton3")->click();  // A inactive: its text greys
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit1")->isEnabled());
  });
}

TEST_F(ConfigDialogsTest, PeriodicReportModes) {
  Show("TWydrukRaportOkresowy", 0, 0, [](QWidget* d) {
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton1")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton2")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox3")->isHidden());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton3")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton2")->isEnabled());
    Child<QCheckBox>(d, "CheckBox1")->click();
  });
  Show("TWydrukRaportOkresowy", 1, 1, [&](QWidget* d) {
    EXPECT_FALSE(Child<QCheckBox>(d, "CheckBox3")->isHidden());
    Child<QRadioButton>(d, "RadioButton1")->click();
    EXPECT_TRUE(Child<QLineEdit>(d, "Edit1")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit2")->isEnabled());
    Child<QPushButton>(d, "Button1")->click();  // empty month
    EXPECT_EQ(guard.op.messages, std::vector<std::string>{"     Data spoza zakresu     "});
  });
}

TEST_F(ConfigDialogsTest, ModelDependentCaptionsAndChoices) {
  Show("TMetodaRabatu", 1, 1, [](QWidget* d) {
    EXPECT_EQ(Child<QRadioButton>(d, "RadioButton1")->text(), "Metoda 2 (jak bileterka KELM 743)");
  });
  Show("TMetodaRabatu", 2, 1, [](QWidget* d) {
    EXPECT_EQ(Child<QRadioButton>(d, "RadioButton1")->text(), "Metoda 1 (jak bileterka KELM 743)");
  });
  Show("TSposobBledow", 0, 0, [](QWidget* d) {
    EXPECT_TRUE(Child<QGroupBox>(d, "GroupBox1")->isHidden());
    EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton6")->isChecked());  // "Komunikaty do komputera."
  });
  Show("TSposobBledow", 2, 2, [](QWidget* d) {
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton5")->isHidden());  // the 859 mode
    EXPECT_TRUE(Child<QGroupBox>(d, "GroupBox2")->isHidden());
  });
  Show("TWpisanieTypuIWersji", 2, 0, [](QWidget* d) {
    EXPECT_TRUE(Child<QComboBox>(d, "ComboBox1")->isHidden());
    Child<QRadioButton>(d, "RadioButton2")->click();
    EXPECT_FALSE(Child<QComboBox>(d, "ComboBox1")->isHidden());
  });
  Show("TProgramowanieNIP", 2, 0, [](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), "Programowanie NIP (szkoleniowo)");
    EXPECT_FALSE(Child<QRadioButton>(d, "RadioButton2")->isEnabled());
    Child<QLineEdit>(d, "Edit1")->setText("123");
    Child<QRadioButton>(d, "RadioButton1")->click();
    EXPECT_TRUE(Child<QLineEdit>(d, "Edit1")->text().isEmpty());
  });
  Show("TPrzegladySerwisowe", 2, 0, [](QWidget* d) {
    EXPECT_EQ(Child<QDateEdit>(d, "DateTimePicker1")->date(), QDate::currentDate().addDays(365));
    Child<QRadioButton>(d, "RadioButton2")->click();
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit1")->isEnabled());
  });
}

TEST_F(ConfigDialogsTest, SettingsFiles) {
  const std::string good = dir.File("a.ust"), bad = dir.File("b.ust");
  ASSERT_TRUE(
      SaveSettingsFile(good, PrinterSettingsRecord{{5, 1, 100, 3, 30, 2, 0, 1, 0, 1, 2, 1, 4}}));
  test::TempDir::Write(bad, std::string(25, '\0'));
  Show("TOdczytUstawienDrukarki", 2, 0, [&](QWidget* d) {
    auto* dialog = static_cast<dialogs::TOdczytUstawienDrukarki*>(d);
    EXPECT_TRUE(Child<QGroupBox>(d, "GroupBox1")->isHidden());  // no answer without a port
    dialog->LoadFromFile(QString::fromStdString(bad));
    EXPECT_EQ(guard.op.messages, std::vector<std::string>{WrongSizeMessage(bad)});
    dialog->LoadFromFile(QString::fromStdString(good));
    EXPECT_FALSE(Child<QGroupBox>(d, "GroupBox1")->isHidden());
    EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), "5");
    EXPECT_EQ(Child<QComboBox>(d, "ComboBox4")->currentText(), "Tryb 3");
    EXPECT_TRUE(Child<QComboBox>(d, "ComboBox10")->isHidden());  // no external display
    EXPECT_EQ(Child<QComboBox>(d, "ComboBox15")->currentText(), "metoda 2");
    // Saving over it asks first; No keeps the file.
    guard.op.answers = {false};
    PrinterSettings.Fields[0] = 9;
    dialog->SaveToFile(QString::fromStdString(good));
    EXPECT_EQ(guard.op.questions.back(), "Plik " + good + " już istnieje.Kontynuować? ");
    PrinterSettingsRecord back;
    std::string message;
    ASSERT_TRUE(LoadSettingsFile(good, &back, &message));
    EXPECT_EQ(back.Fields[0], 5);
  });
}

}  // namespace
}  // namespace kelm

namespace kelm {
namespace {

TEST_F(ConfigDialogsTest, HeaderEditorButtonsFollowTheLineAndTheModel) {
  struct Row {
    int family, variant, copy;
    bool discount, note, graphic, bold;
    int ruler;
  } rows[] = {{0, 0, 0, false, false, false, false, 24},
              {1, 1, 0, true, false, false, true, 42},
              {2, 1, 0, false, true, false, true, 42},
              {2, 0, 2, false, false, true, true, 42},
              {2, 2, 1, false, false, true, true, 42}};
  for (const Row& row : rows) {
    LinkSettings.CopyMode = static_cast<uint8_t>(row.copy);
    Show("TProgramowanieNaglowka", row.family, row.variant, [&](QWidget* d) {
      const std::string at = std::to_string(row.family) + std::to_string(row.variant);
      EXPECT_EQ(Child<QGroupBox>(d, "GroupBox1")->isVisible(), row.discount) << at;
      EXPECT_EQ(Child<QLabel>(d, "Label1")->isVisible(), row.note) << at;
      EXPECT_EQ(Child<QToolButton>(d, "SpeedButton1")->isVisible(), row.graphic) << at;
      EXPECT_TRUE(Child<QToolButton>(d, "SpeedButton1")->isEnabled()) << at;  // the graphic header
      EXPECT_EQ(Child<QToolButton>(d, "ToolButton3")->isEnabled(), row.bold) << at;
      EXPECT_EQ(Child<QLabel>(d, "Label2")->text().size(), row.ruler) << at;
    });
  }
  LinkSettings.CopyMode = 2;
  Show("TProgramowanieNaglowka", 2, 0, [&](QWidget* d) {
    auto* editor = Child<QTextEdit>(d, "RichEdit1");
    editor->setFocus();
    QTest::keyClicks(editor, "ab");
    Child<QToolButton>(d, "ToolButton5")->click();  // centred
    editor->selectAll();
    Child<QToolButton>(d, "ToolButton3")->click();  // double width
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(Child<QToolButton>(d, "ToolButton5")->isChecked());
    EXPECT_FALSE(Child<QToolButton>(d, "ToolButton4")->isChecked());
    EXPECT_TRUE(Child<QToolButton>(d, "ToolButton3")->isChecked());
    auto* header = qobject_cast<dialogs::TProgramowanieNaglowka*>(d);
    EXPECT_EQ(MarkedTextOf(header->Model()), "*ab*\n");
    EXPECT_EQ(header->Model().lines[0].align, HeaderAlign::kCenter);
    // Enter breaks the line and sends nothing. A line longer than the paper stays one line on
    // the screen, as it goes to the printer.
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(guard.op.messages.empty());
    QTest::keyClicks(editor, QString(50, 'x'));
    const QTextBlock typed = editor->textCursor().block();
    editor->document()->documentLayout()->blockBoundingRect(typed);
    EXPECT_EQ(typed.layout()->lineCount(), 1);
    ASSERT_EQ(header->Model().lines.size(), 2u);
    EXPECT_EQ(header->Model().lines[1].text, std::string(50, 'x'));
    // The 57-character width follows its radio button.
    Child<QRadioButton>(d, "RadioButton5")->click();
    EXPECT_EQ(Child<QLabel>(d, "Label2")->text().size(), 57);
    Child<QRadioButton>(d, "RadioButton3")->click();
    // "Nagłówek graficzny" opens the graphic header dialog over the editor.
    std::string opened;
    WhenModal([&](QWidget* graphic) {
      opened = graphic->objectName().toStdString();
      static_cast<QDialog*>(graphic)->reject();
    });
    Child<QToolButton>(d, "SpeedButton1")->click();
    EXPECT_EQ(opened, "TNaglowekGraficzny");
    EXPECT_TRUE(d->isVisible());
  });
}

}  // namespace
}  // namespace kelm

namespace kelm {
namespace {

TEST_F(ConfigDialogsTest, NetworkFieldsFollowTheirChoices) {
  Show("TWLAN", 2, 0, [&](QWidget* d) {
    auto visible_keys = [&] {
      int n = 0;
      for (int i = 7; i <= 10; ++i)
        n += Child<QLineEdit>(d, ("Edit" + std::to_string(i)).c_str())->isVisible() ? 1 : 0;
      return n;
    };
    EXPECT_EQ(visible_keys(), 1);  // WPA
    EXPECT_TRUE(Child<QLineEdit>(d, "Edit1")->isEnabled());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit1")->isEnabled());
    // A short WPA key is refused before anything goes out.
    Child<QLineEdit>(d, "Edit7")->setText("krotki");
    Child<QPushButton>(d, "Button1")->click();
    ASSERT_EQ(guard.op.messages.size(), 1u);
    EXPECT_EQ(guard.op.messages[0], kWifiKeyShort);
  });
  Show("TUstawieniaBlueTooth", 2, 0, [&](QWidget* d) {
    auto* address = Child<QLineEdit>(d, "Edit2");
    EXPECT_FALSE(address->isEnabled());
    Child<QCheckBox>(d, "CheckBox1")->click();
    EXPECT_TRUE(address->isEnabled());
    address->setFocus();
    QTest::keyClicks(address, "ab12-cd");
    EXPECT_EQ(address->text(), "AB12CD");
  });
}

}  // namespace
}  // namespace kelm
