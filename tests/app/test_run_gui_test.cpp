// "Transakcje testowe" from the transaction tree against kelmemu on COM1: the settings dialog as
// the family shows it, three receipts with the totals check in the run dialog, and the
// interrupt button's question.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "link/dialogs/WaitShell.h"
#include "main_form_fixture.h"
#include "sales/test_run.h"
#include "support/kelmemu_link.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

struct RunCase {
  int radio;
  const char* option;
  bool family2;
};

class TestRunGuiTest : public test::MainFormTest, public ::testing::WithParamInterface<RunCase> {
 protected:
  // Opens the tree entry; `settings` acts on the settings dialog once it is shown.
  void OpenEntry(const std::function<void(QWidget*)>& settings) {
    auto* view = Find<QTreeWidget>(("TreeView" + std::to_string(kTransactionTree + 1)).c_str());
    QList<QTreeWidgetItem*> items = view->findItems(QString::fromUtf8("Transakcje testowe"),
                                                    Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(items.isEmpty());
    view->setCurrentItem(items.first());
    WhenModal(settings);
    emit view->itemDoubleClicked(items.first(), 0);
  }
};

TEST_P(TestRunGuiTest, ThreeReceiptsWithTheTotalsCheckAndAnInterrupt) {
  const auto emu = PrinterOnCom1(GetParam().option);
  ASSERT_TRUE(emu->Ready());
  Start(GetParam().radio);
  guard.op.on_tick = [](ModalWait&, int) { QTest::qWait(1); };

  bool family_groups_shown = false;
  OpenEntry([&](QWidget* d) {
    for (QGroupBox* g : d->findChildren<QGroupBox*>()) {
      if (g->title() == QString::fromUtf8("Metoda rozliczania rabatu")) {
        family_groups_shown = g->isVisible();
      }
    }
    EXPECT_FALSE(Child<QLineEdit>(d, "Edit1")->isEnabled());
    Child<QRadioButton>(d, "RadioButton2")->click();
    EXPECT_TRUE(Child<QLineEdit>(d, "Edit1")->isEnabled());
    Child<QLineEdit>(d, "Edit1")->setText("3");
    Child<QLineEdit>(d, "Edit3")->setText("1");
    Child<QLineEdit>(d, "Edit4")->setText("4");
    Child<QCheckBox>(d, "CheckBox3")->setChecked(true);
    Child<QPushButton>(d, "Button1")->click();
  });
  EXPECT_EQ(family_groups_shown, GetParam().family2);
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages.front();
  EXPECT_EQ(TestRunSettings.ReceiptCounter, 3u);
  EXPECT_EQ(TestRunSettings.RunRequested, 0);
  EXPECT_GT(TestRunSettings.GrandTotal, 0);
  EXPECT_NEAR(TestRunSettings.TotalsAfter - TestRunSettings.TotalsBefore,
              TestRunSettings.GrandTotal, 0.005);

  // Without a limit the run goes on until "&Przerwij": No keeps it going, Yes ends it.
  guard.op.answers = {false, true};
  OpenEntry([&](QWidget* d) {
    Child<QRadioButton>(d, "RadioButton1")->click();
    WhenModal([](QWidget* run) {
      EXPECT_EQ(run->objectName(), "TDrukTransTest");
      test::WaitFor([] { return TestRunSettings.ReceiptCounter >= 1; });
      // Either slider sets the interval from the short table at the line slider's position;
      // the receipt slider's own tables apply from the next opening and closing.
      const ModalWait& engine = *static_cast<dialogs::WaitShell*>(run)->CurrentWait();
      const struct {
        const char* slider;
        int position, interval;
      } moves[] = {{"TrackBar1", 1, 300},  {"TrackBar2", 5, 300}, {"TrackBar1", 4, 1200},
                   {"TrackBar2", 2, 1200}, {"TrackBar1", 3, 900}, {"TrackBar1", 0, 1}};
      for (const auto& m : moves) {
        Child<QSlider>(run, m.slider)->setValue(m.position);
        EXPECT_EQ(engine.IntervalMs(), m.interval) << m.slider << " at " << m.position;
      }
      EXPECT_EQ(static_cast<const TestRunEngine&>(engine).receipt_slider(), 2);
      // The wait under way starts again with the new interval: 5 s, so no tick comes meanwhile.
      const int32_t line = TestReceipt.LineIndex;
      Child<QSlider>(run, "TrackBar1")->setValue(5);
      QTest::qWait(300);
      EXPECT_EQ(TestReceipt.LineIndex, line);
      Child<QPushButton>(run, "Button1")->click();
      EXPECT_TRUE(run->isVisible());
      Child<QPushButton>(run, "Button1")->click();
    });
    Child<QPushButton>(d, "Button1")->click();
  });
  EXPECT_EQ(guard.op.questions,
            std::vector<std::string>(2, "Przerwać drukowanie transakcji testowych?"));
  EXPECT_GE(TestRunSettings.ReceiptCounter, 1u);
  EXPECT_EQ(TestRunSettings.RunRequested, 0);
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages.front();
}

// A hundred receipts with random line and receipt discounts and the totals check, over TCP (the
// pseudo-terminal's totals reads take some 400 ms a receipt): the printer's totals grow by the
// run's grand total to the grosz.
TEST_P(TestRunGuiTest, AHundredReceiptsWithDiscountsKeepThePrinterTotals) {
  test::KelmemuProcess emu({"--tcp", "127.0.0.1:0", "--model", GetParam().option});
  Start(GetParam().radio);
  ASSERT_TRUE(test::ConnectToKelmemu(emu)) << emu.ready();
  guard.op.messages.clear();  // the connection's own notice
  guard.op.on_tick = [](ModalWait&, int) { QTest::qWait(1); };
  OpenEntry([&](QWidget* d) {
    Child<QRadioButton>(d, "RadioButton2")->click();
    Child<QLineEdit>(d, "Edit1")->setText("100");
    Child<QLineEdit>(d, "Edit3")->setText("1");
    Child<QLineEdit>(d, "Edit4")->setText("4");
    Child<QCheckBox>(d, "CheckBox3")->setChecked(true);
    Child<QPushButton>(d, "Button1")->click();
  });
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages.front();
  EXPECT_EQ(TestRunSettings.ReceiptCounter, 100u);
  EXPECT_GT(TestRunSettings.GrandTotal, 0);
  EXPECT_EQ(std::llround((TestRunSettings.TotalsAfter - TestRunSettings.TotalsBefore) * 100),
            std::llround(TestRunSettings.GrandTotal * 100));
}

INSTANTIATE_TEST_SUITE_P(Families, TestRunGuiTest,
                         ::testing::Values(RunCase{1, "oxil", false}, RunCase{2, "oxil-pro", false},
                                           RunCase{3, "vantel", true}),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                           std::string name = info.param.option;
                           name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                           return name;
                         });

}  // namespace
}  // namespace kelm
