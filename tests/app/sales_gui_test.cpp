// The sales entries of the basic, transaction, additional, programming and bus trees, opened
// from the main window and sent to kelmemu on COM1 for every model that shows them: a receipt by
// line, by grid and as a full transaction, cash, orders, the goods base, cards, display and the
// one-grosz receipt, then the printer's cash information holds what they sold. And the line
// dialog's own rules, widget by widget.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "main_form_fixture.h"
#include "sales/dialogs/TLinijkaParagonu.h"
#include "sales/dialogs/TZatwierdzenieRozszerzone.h"
#include "sales/receipt.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

struct ModelCase {
  int radio;
  const char* option;
};

const ModelCase kModelCases[] = {{1, "oxil"},     {2, "oxil-pro"},   {3, "vantel"},
                                 {4, "oxil-bus"}, {5, "vantel-bus"}, {6, "vantel-ke"},
                                 {7, "salvo"},    {8, "859"}};

void Type(QWidget* d, const char* name, const char* text) {
  auto* edit = Child<QLineEdit>(d, name);
  edit->setText(QString::fromUtf8(text));
  emit edit->editingFinished();
}

void SetCell(QTableWidget* grid, int row, int column, const char* text) {
  grid->setItem(row, column, new QTableWidgetItem(QString::fromUtf8(text)));
}

class SalesGuiTest : public test::MainFormTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  // Opens the entry `caption` of `tree` and runs `fill` on its dialog, then "Wyślij"; false when
  // the model has no such entry. The dialog must have closed after sending.
  bool Send(TreeId tree, const char* caption, const std::function<void(QWidget*)>& fill) {
    auto* view = Find<QTreeWidget>(("TreeView" + std::to_string(tree + 1)).c_str());
    QList<QTreeWidgetItem*> items =
        view->findItems(QString::fromUtf8(caption), Qt::MatchExactly | Qt::MatchRecursive);
    if (items.isEmpty()) return false;
    view->setCurrentItem(items.first());
    bool closed = false;
    WhenModal([&](QWidget* d) {
      fill(d);
      Child<QPushButton>(d, "Button1")->click();
      closed = !d->isVisible();
      if (!closed) static_cast<QDialog*>(d)->reject();
    });
    emit view->itemDoubleClicked(items.first(), 0);
    EXPECT_TRUE(closed) << caption << (guard.op.messages.empty() ? "" : guard.op.messages.back());
    return true;
  }
};

TEST_P(SalesGuiTest, EverySalesEntryWorksAgainstThePrinter) {
  const auto emu = PrinterOnCom1(GetParam().option);
  ASSERT_TRUE(emu->Ready());
  Start(GetParam().radio);
  guard.op.on_tick = [](ModalWait&, int) { QTest::qWait(1); };
  const bool family0 = LinkSettings.ModelFamily == 0;

  // A receipt: start, one line typed (the gross follows quantity and price), one more from the
  // grid (or typed, where the model has no grid), and the closing with the proposed total.
  ASSERT_TRUE(Send(kTransactionTree, "Początek transakcji", [](QWidget*) {}));
  const auto line = [](const char* name, const char* qty, int vat, const char* price) {
    return [=](QWidget* d) {
      EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text().toInt(), ReceiptState.NextLineNumber);
      Type(d, "Edit2", name);
      Type(d, "Edit3", qty);
      Child<QComboBox>(d, "ComboBox1")->setCurrentIndex(vat);
      Type(d, "Edit4", price);
    };
  };
  ASSERT_TRUE(Send(kTransactionTree, "Linijka paragonu", line("Chleb", "2", 0, "3.50")));
  const bool grid = Send(kTransactionTree, "Linijki paragonu", [](QWidget* d) {
    auto* table = Child<QTableWidget>(d, "StringGrid1");
    const char* cells[] = {"Mleko", "3", "B", "2.20", "6.60", ""};
    for (int c = 0; c < 6; ++c) SetCell(table, 1, c, cells[c]);
  });
  EXPECT_EQ(grid, !family0);
  if (!grid) ASSERT_TRUE(Send(kTransactionTree, "Linijka paragonu", line("Mleko", "3", 1, "2.20")));
  if (family0) {
    ASSERT_TRUE(Send(kTransactionTree, "Zatwierdzenie transakcji", [](QWidget* d) {
      EXPECT_EQ(Child<QLineEdit>(d, "Edit2")->text(), "13.60");
      Type(d, "Edit3", "13.60");
    }));
  } else {
    ASSERT_TRUE(Send(kTransactionTree, "Zatwierdzenie rozszerzone", [](QWidget* d) {
      EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), "13.60");
      Child<QCheckBox>(d, "CheckBox1")->setChecked(true);
      Type(d, "Edit3", "13.60");
    }));
  }
  // A started receipt cancelled; a full transaction of one line.
  ASSERT_TRUE(Send(kTransactionTree, "Początek transakcji", [](QWidget*) {}));
  ASSERT_TRUE(Send(kTransactionTree, "Linijka paragonu", line("Ser", "1", 0, "5.00")));
  ASSERT_TRUE(Send(kTransactionTree, "Anulowanie transakcji", [](QWidget*) {}));
  guard.op.answers.push_back(true);
  ASSERT_TRUE(Send(kTransactionTree, "Pełna transakcja", [](QWidget* d) {
    auto* table = Child<QTableWidget>(d, "StringGrid1");
    const char* cells[] = {"Ser", "1", "A", "5.00"};
    for (int c = 0; c < 4; ++c) SetCell(table, 1, c, cells[c]);
    SetCell(Child<QTableWidget>(d, "StringGrid2"), 1, 1, "5.00");
  }));
  EXPECT_EQ(guard.op.questions.size(), 1u);
  EXPECT_EQ(Send(kTransactionTree, "Potwierdzenie obciążenia karty płatniczej",
                 [](QWidget* d) { Type(d, "Edit11", "10.00"); }),
            !family0);
  EXPECT_EQ(Send(kTransactionTree, "Potwierdzenie uznania karty płatniczej",
                 [](QWidget* d) { Type(d, "Edit11", "10.00"); }),
            !family0);

  // The additional tree.
  ASSERT_TRUE(
      Send(kAdditionalTree, "Wpłata do kasy", [](QWidget* d) { Type(d, "Edit1", "50.00"); }));
  ASSERT_TRUE(
      Send(kAdditionalTree, "Wypłata z kasy", [](QWidget* d) { Type(d, "Edit1", "20.00"); }));
  ASSERT_TRUE(Send(kAdditionalTree, "Stan kasy", [](QWidget*) {}));
  ASSERT_TRUE(Send(kAdditionalTree, "Początek zamówienia", [](QWidget* d) {
    Type(d, "Edit1", "Stolik 4");
    Child<QCheckBox>(d, "CheckBox1")->setChecked(true);
    Child<QPlainTextEdit>(d, "Memo1")->setPlainText("pilne\nbez cukru");
  }));
  ASSERT_TRUE(Send(kAdditionalTree, "Linijka zamówienia", [](QWidget* d) {
    Type(d, "Edit1", "Kawa");
    Type(d, "Edit2", "2");
  }));
  ASSERT_TRUE(Send(kAdditionalTree, "Zakończenie zamówienia", [](QWidget*) {}));
  ASSERT_TRUE(Send(kAdditionalTree, "Początek raportu", [](QWidget*) {}));
  ASSERT_TRUE(
      Send(kAdditionalTree, "Pozycja raportu", [](QWidget* d) { Type(d, "Edit1", "Chleb"); }));
  ASSERT_TRUE(Send(kAdditionalTree, "Zakończenie raportu", [](QWidget*) {}));
  ASSERT_TRUE(Send(kAdditionalTree, "Pełna kontrola bazy", [](QWidget* d) {
    auto* table = Child<QTableWidget>(d, "StringGrid1");
    SetCell(table, 1, 0, "Chleb");
    SetCell(table, 1, 1, "A");
  }));
  ASSERT_TRUE(Send(kAdditionalTree, "Wysuw papieru", [](QWidget*) {}));
  ASSERT_TRUE(Send(kAdditionalTree, "Sterowanie wyświetlaczem/szufladą", [](QWidget*) {}));
  if (LinkSettings.PrinterVariant == 1) {
    ASSERT_TRUE(Send(kBusTree, "Kontrola bazy towarowej w drukarce Bus", [](QWidget* d) {
      auto* table = Child<QTableWidget>(d, "StringGrid1");
      const char* cells[] = {"Normalny", "Przejazd", "A", "B"};
      for (int c = 0; c < 4; ++c) SetCell(table, 1, c, cells[c]);
    }));
  }
  EXPECT_EQ(Send(kProgrammingTree, "Przeliczanie na waluty obce", [](QWidget*) {}),
            LinkSettings.ModelFamily == 2);
  ASSERT_TRUE(Send(kBasicTree, "Paragon za 1 grosik", [](QWidget*) {}));
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];

  ReadCashInfo();
  EXPECT_NEAR(CashInfo.Totals[0], 12.01, 1e-9);
  EXPECT_NEAR(CashInfo.Totals[1], 6.60, 1e-9);
  EXPECT_NEAR(CashInfo.Cash, 48.61, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Models, SalesGuiTest, ::testing::ValuesIn(kModelCases),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                           return std::string("Radio") + std::to_string(info.param.radio);
                         });

class LinesFileGuiTest : public test::MainFormTest {};

// The line dialog's own rules, without a printer.
class LineDialogTest : public ::testing::Test {
 protected:
  LineDialogTest() {
    test::TestApp();
    owned = std::make_unique<dialogs::TLinijkaParagonu>();
  }
  test::SeamGuard guard;
  std::unique_ptr<dialogs::TLinijkaParagonu> owned;
};

TEST_F(LineDialogTest, GrossFollowsQuantityAndPriceAndRefusesBadText) {
  struct Row {
    const char* field;  // "Edit3" quantity, "Edit4" price
    const char* text;
    const char* gross;
    const char* message;
  };
  const Row rows[] = {
      {"Edit3", "3", "0.00", nullptr},
      {"Edit4", "0.335", "1.01", nullptr},
      {"Edit3", "2,5", "0.84", nullptr},
      {"Edit4", "abc", "0.84", "Błędna wartość Cena"},
      {"Edit3", "x", "0.84", "Błędna wartość ilość"},
      {"Edit4", "4", "10.00", nullptr},
  };
  for (const Row& r : rows) {
    guard.op.messages.clear();
    Type(owned.get(), r.field, r.text);
    EXPECT_EQ(Child<QLineEdit>(owned.get(), "Edit5")->text().toStdString(), r.gross) << r.text;
    EXPECT_EQ(guard.op.messages.size(), r.message ? 1u : 0u) << r.text;
    if (r.message && !guard.op.messages.empty()) EXPECT_EQ(guard.op.messages[0], r.message);
  }
  // The discount amount is enabled only with a discount code.
  auto* amount = Child<QLineEdit>(owned.get(), "Edit6");
  EXPECT_FALSE(amount->isEnabled());
  Child<QComboBox>(owned.get(), "ComboBox2")->setCurrentIndex(2);
  EXPECT_TRUE(amount->isEnabled());
  // A gross that does not convert stops the send with the dialog open; the comma warning
  // comes first.
  guard.op.messages.clear();
  Child<QLineEdit>(owned.get(), "Edit3")->setText("2,5");
  Child<QLineEdit>(owned.get(), "Edit5")->setText("1..0");
  owned->show();
  QTest::keyClick(owned.get(), Qt::Key_Return);
  EXPECT_EQ(guard.op.messages, (std::vector<std::string>{
                                   "UWAGA: w parametrze <ILOŚĆ> wpisano przecinek zamiast kropki.",
                                   "Błędna Wartość Brutto"}));
  EXPECT_TRUE(owned->isVisible());
  owned->reject();
}

// The grid's file buttons against the printer: the lines saved from one grid (over an existing
// file only after Yes), read into it again and sent, close with the same total as typed lines.
TEST_F(LinesFileGuiTest, ReceiptFromALinFileThroughTheGridsButtons) {
  const auto emu = PrinterOnCom1("vantel");
  ASSERT_TRUE(emu->Ready());
  Start(3);
  guard.op.on_tick = [](ModalWait&, int) { QTest::qWait(1); };
  const std::string path = dir.File("paragon.lin");
  test::TempDir::Write(path, "old");
  auto* grid_dialog = form->FindDialog("TLinijkiParagonu");
  auto* grid = Child<QTableWidget>(grid_dialog, "StringGrid1");
  const char* rows[2][6] = {{"Chleb", "2", "A", "3.50", "7.00", ""},
                            {"Mleko", "3", "B", "2.20", "6.60", ""}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 6; ++c) SetCell(grid, r + 1, c, rows[r][c]);
  }
  const auto choose = [path](QWidget* d) {
    auto* files = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(files, nullptr);
    files->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(files)->accept();
  };
  // Saved over the old file only once the question is answered Yes.
  WhenModal(choose);
  Child<QToolButton>(grid_dialog, "SpeedButton2")->click();
  EXPECT_EQ(test::TempDir::Read(path), "old");
  guard.op.answers.push_back(true);
  WhenModal(choose);
  Child<QToolButton>(grid_dialog, "SpeedButton2")->click();
  ASSERT_EQ(guard.op.questions.size(), 2u);
  EXPECT_EQ(guard.op.questions[1], "Plik " + path + " już istnieje.Kontynuować?");
  for (int r = 1; r <= 2; ++r) {
    for (int c = 0; c < 6; ++c) SetCell(grid, r, c, "");
  }
  WhenModal(choose);
  Child<QToolButton>(grid_dialog, "SpeedButton1")->click();
  EXPECT_EQ(grid->item(2, 3)->text(), "2.20");

  const auto send = [this](const char* dialog, const std::function<void(QWidget*)>& fill) {
    WhenModal([&](QWidget* d) {
      fill(d);
      Child<QPushButton>(d, "Button1")->click();
      if (d->isVisible()) static_cast<QDialog*>(d)->reject();
    });
    form->OpenDialog(dialog);
  };
  send("TPoczatekTransakcji", [](QWidget*) {});
  send("TLinijkiParagonu", [](QWidget*) {});
  send("TZatwierdzenieTransakcji", [](QWidget* d) {
    EXPECT_EQ(Child<QLineEdit>(d, "Edit2")->text(), "13.60");
    Type(d, "Edit3", "20.00");
  });
  EXPECT_TRUE(guard.op.messages.empty()) << guard.op.messages[0];
  ReadCashInfo();
  EXPECT_NEAR(CashInfo.Totals[0], 7.00, 1e-9);
  EXPECT_NEAR(CashInfo.Totals[1], 6.60, 1e-9);
  EXPECT_NEAR(CashInfo.Cash, 13.60, 1e-9);
}

TEST(ExtendedClosingDialog, WalutyFillsTheLinesFromTheCurrencyTable) {
  test::TestApp();
  test::SeamGuard guard;
  dialogs::TZatwierdzenieRozszerzone dialog;
  auto* memo = Child<QPlainTextEdit>(&dialog, "Memo1");
  EXPECT_EQ(memo->toPlainText(), "\n");
  EXPECT_FALSE(memo->isEnabled());
  // The second group is filled but not chosen; "Anuluj" would keep the table as it was.
  WhenModal([](QWidget* d) {
    Child<QCheckBox>(d, "CheckBox1")->setChecked(true);
    Child<QComboBox>(d, "ComboBox1")->setCurrentIndex(2);
    Child<QLineEdit>(d, "Edit1")->setText("4,20");
    Child<QLineEdit>(d, "Edit2")->setText("50");
    Child<QLineEdit>(d, "Edit4")->setText("7");
    Child<QPushButton>(d, "Button1")->click();
  });
  Child<QPushButton>(&dialog, "Button3")->click();
  EXPECT_EQ(memo->toPlainText().toStdString(), "$16 2.10 50.00 0.00 100 EUR 4.20 0.00\n");
  EXPECT_FALSE(Child<QCheckBox>(&dialog, "CheckBox8")->isChecked());
  // A rate that does not convert keeps the currency dialog open with the conversion message.
  bool stayed = false;
  WhenModal([&](QWidget* d) {
    Child<QLineEdit>(d, "Edit1")->setText("4,2x");
    Child<QPushButton>(d, "Button1")->click();
    stayed = d->isVisible();
    Child<QPushButton>(d, "Button2")->click();
  });
  Child<QPushButton>(&dialog, "Button3")->click();
  EXPECT_TRUE(stayed);
  EXPECT_EQ(guard.op.messages.size(), 1u);
}

}  // namespace
}  // namespace kelm
