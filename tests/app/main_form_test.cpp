// The main window driven through its widgets: first showing, tabs and trees per model, the
// model menu, the raw panel's heights, the shortcuts and the dispatch from the trees.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "catalogue/model.h"
#include "main_form_fixture.h"

namespace kelm {
namespace {

using test::Child;
using test::MainFormTest;
using test::WaitFor;
using test::WhenModal;

QStringList TabCaptions(QTabWidget* tabs) {
  QStringList out;
  for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
  return out;
}

int CountItems(QTreeWidget* tree) {
  int n = 0;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) ++n;
  return n;
}

QTreeWidgetItem* ItemCaptioned(QTreeWidget* tree, const char* caption) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->text(0) == QString::fromUtf8(caption)) return *it;
  }
  return nullptr;
}

TEST_F(MainFormTest, FirstShowingBuildsTheTabsOfTheChosenModel) {
  Start(7);  // "Salvo 3/ PRO"
  ASSERT_FALSE(FirstShow);
  EXPECT_EQ(form->windowTitle(), "KLDiag ver 2.52. Drukarka: SALVO 3/PRO.");
  auto* tabs = Find<QTabWidget>("PageControl1");
  EXPECT_EQ(TabCaptions(tabs), QStringList({"Podstawowe", "Konfiguracja", "Transakcja",
                                            "Diagnostyczne", "Dodatkowe", "Programowanie"}));
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView2")), 34);
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView4")), 10);
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView5")), 20);
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView6")), 7);
  EXPECT_FALSE(form->BusTabShown());
}

TEST_F(MainFormTest, ModelMenuAddsAndRemovesTheBusTabWithoutRestarting) {
  Start(3);
  EXPECT_FALSE(form->BusTabShown());
  WhenModal([](QWidget* d) {
    Child<QAbstractButton>(d, "RadioButton5")->click();  // "Vantel Bus"
    Child<QAbstractButton>(d, "Button1")->click();
  });
  Find<QAction>("Modeldrukarki1")->trigger();
  EXPECT_TRUE(form->BusTabShown());
  EXPECT_EQ(form->windowTitle(), "KLDiag ver 2.52. Drukarka: Vantel Bus.");
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView2")), 15);
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->tabText(6), "Bus");
  WhenModal([](QWidget* d) {
    Child<QAbstractButton>(d, "RadioButton1")->click();
    Child<QAbstractButton>(d, "Button1")->click();
  });
  Find<QAction>("Modeldrukarki1")->trigger();
  EXPECT_FALSE(form->BusTabShown());
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView1")), 4);
  EXPECT_EQ(CountItems(Find<QTreeWidget>("TreeView3")), 6);
}

TEST_F(MainFormTest, CancellingTheFirstModelChoiceEndsWithTheSettingsSaved) {
  // Family 1 with an electronic copy: no radio button gives it, so showing the dialog turns it
  // into "Vantel 57TE z kopią elektroniczną", and that is what is saved.
  LinkSettingsRecord s;
  s.ModelFamily = 1;
  s.CopyMode = 1;
  s.LetterCoding = 2;
  WriteSettings(s);
  Start(0);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(FirstShow);
  const std::string saved = test::TempDir::Read(dir.File("ustaw.txt"));
  EXPECT_NE(saved.find("KodowaniePolskichLiter ISOLATIN\r\nKelm_Vantel"), std::string::npos)
      << saved;
  EXPECT_NE(saved.find("kopia_elektroniczna"), std::string::npos);
  EXPECT_EQ(saved.find("COM -1\r\n"), 0u);
}

TEST_F(MainFormTest, RawPanelCheckBoxSwitchesTheHeight) {
  Create();
  const int full = form->FullHeight();
  EXPECT_EQ(form->height(), CollapsedHeight(full));
  auto* check = Find<QCheckBox>("CheckBox1");
  check->click();
  EXPECT_EQ(form->height(), full);
  EXPECT_FALSE(Find<QGroupBox>("GroupBox2")->isHidden());
  check->click();
  EXPECT_EQ(form->height(), CollapsedHeight(full));
  EXPECT_TRUE(Find<QGroupBox>("GroupBox3")->isHidden());
}

TEST_F(MainFormTest, WithoutALinkNeitherCashDataNorStatusIsShown) {
  Start(3);
  form->RefreshMainWindow();
  EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_TRUE(Find<QGroupBox>("GroupBox1")->isHidden());
  EXPECT_TRUE(Find<QLabel>("Label1")->isHidden());
  EXPECT_EQ(Find<QLabel>("Label3")->text(), "MAZOVIA");
}

// A stand-in dialog that counts its showings and closes each at once.
struct CountingDialog {
  explicit CountingDialog(QWidget* parent) : dialog(new QDialog(parent)) {
    QObject::connect(dialog, &QDialog::finished, [this] { ++shown; });
  }
  void CloseNext() {
    WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  }
  QDialog* dialog;
  int shown = 0;
};

TEST_F(MainFormTest, ShortcutsAreOffWhileTheRawEditHasTheFocus) {
  Start(3);
  CountingDialog daily(form.get());
  form->RegisterDialog("TWydrukRaportuDobowego", daily.dialog);
  Find<QCheckBox>("CheckBox1")->click();
  auto* tree = Find<QTreeWidget>("TreeView1");
  daily.CloseNext();
  QTest::keyClick(tree, Qt::Key_R);
  EXPECT_EQ(daily.shown, 1);
  daily.CloseNext();
  QTest::keyClick(tree, Qt::Key_F3);
  EXPECT_EQ(daily.shown, 2);

  auto* edit = Find<QWidget>("RichEdit1");
  QApplication::setActiveWindow(form.get());
  edit->setFocus();
  ASSERT_TRUE(WaitFor([] { return RawEditFocused; }));
  QTest::keyClick(edit, Qt::Key_R);
  QTest::keyClick(edit, Qt::Key_F3);
  EXPECT_EQ(daily.shown, 2);
  EXPECT_EQ(static_cast<QTextEdit*>(edit)->toPlainText(), "r");
  tree->setFocus();
  ASSERT_TRUE(WaitFor([] { return !RawEditFocused; }));
}

TEST_F(MainFormTest, DiagnosticsEntriesNeedAPort) {
  Start(3);
  auto* tree = Find<QTreeWidget>("TreeView4");
  QTreeWidgetItem* status = ItemCaptioned(tree, "Status");
  ASSERT_NE(status, nullptr);
  tree->setCurrentItem(status);
  QTest::keyClick(tree, Qt::Key_Return);
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Nie wybramo portu komunikacyjnego.");
  // Nothing selected: the hook opens nothing and says nothing.
  tree->clearSelection();
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(guard.op.messages.size(), 1u);
}

TEST_F(MainFormTest, ConfigurationEntryOpensTheCodingCommandDialog) {
  Start(3);
  auto* tree = Find<QTreeWidget>("TreeView2");
  tree->setCurrentItem(ItemCaptioned(tree, "Kodowanie polskich liter"));
  bool seen = false;
  WhenModal([&seen](QWidget* d) {
    seen =
        d->objectName() == "TKodowaniePolskich" && d->windowTitle() == "Kodowanie polskich liter";
    Child<QAbstractButton>(d, "Button2")->click();
  });
  emit tree->itemDoubleClicked(tree->currentItem(), 0);
  EXPECT_TRUE(seen);
}

TEST_F(MainFormTest, MenuCodingForFamilyZeroOnlyStoresTheChoice) {
  Start(1);
  WhenModal([](QWidget* d) {
    EXPECT_TRUE(Child<QAbstractButton>(d, "RadioButton1")->isChecked());
    Child<QAbstractButton>(d, "RadioButton2")->click();  // "LATIN"
    Child<QAbstractButton>(d, "Button1")->click();
  });
  Find<QAction>("Kodowaniepolskichliter1")->trigger();
  EXPECT_EQ(LinkSettings.LetterCoding, 1);
  EXPECT_EQ(Find<QLabel>("Label3")->text(), "LATIN");
  EXPECT_TRUE(guard.op.messages.empty());
}

TEST_F(MainFormTest, ArrowKeysInATreeGoToThePageControl) {
  Start(3);
  QApplication::setActiveWindow(form.get());
  auto* tree = Find<QTreeWidget>("TreeView1");
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Right);
  EXPECT_TRUE(WaitFor([&] { return Find<QTabWidget>("PageControl1")->hasFocus(); }));
}

TEST_F(MainFormTest, BinaryTransferNeedsALink) {
  Start(3);
  Find<QAction>("Wyslijodbierzplikbinarnie1")->trigger();
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0], "Nie wybrano portu komunikacyjnego.");
}

}  // namespace
}  // namespace kelm
