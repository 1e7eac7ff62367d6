// Tree contents per printer model and the dispatch rules of the hooks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "catalogue/model.h"
#include "catalogue/trees.h"
#include "link/settings.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

struct ModelCounts {
  int model;
  int basic, configuration, transaction, diagnostics, programming;
};

// Entry counts (headings included) for each of the eight models, in the dialog's order.
const ModelCounts kCounts[] = {
    {0, 4, 1, 6, 5, 3},   {1, 5, 1, 10, 5, 3},   {2, 6, 21, 10, 8, 6},  {3, 5, 1, 10, 5, 3},
    {4, 6, 15, 10, 8, 6}, {5, 6, 23, 10, 10, 7}, {6, 6, 34, 10, 10, 7}, {7, 6, 23, 10, 10, 7},
};

class TreeCounts : public ::testing::TestWithParam<ModelCounts> {};

TEST_P(TreeCounts, EveryTreeHoldsTheModelsEntries) {
  test::SeamGuard guard;
  const ModelCounts& c = GetParam();
  ApplyModel(c.model);
  EXPECT_EQ(BuildTree(kBasicTree, LinkSettings).size(), size_t(c.basic));
  EXPECT_EQ(BuildTree(kConfigurationTree, LinkSettings).size(), size_t(c.configuration));
  EXPECT_EQ(BuildTree(kTransactionTree, LinkSettings).size(), size_t(c.transaction));
  EXPECT_EQ(BuildTree(kDiagnosticsTree, LinkSettings).size(), size_t(c.diagnostics));
  EXPECT_EQ(BuildTree(kProgrammingTree, LinkSettings).size(), size_t(c.programming));
  // The additional and bus trees are the same for every model.
  EXPECT_EQ(BuildTree(kAdditionalTree, LinkSettings).size(), 20u);
  EXPECT_EQ(BuildTree(kBusTree, LinkSettings).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AllModels, TreeCounts, ::testing::ValuesIn(kCounts));

std::vector<std::string> Captions(TreeId tree) {
  std::vector<std::string> out;
  for (const TreeEntry& e : BuildTree(tree, LinkSettings)) {
    out.push_back(std::string(e.level, ' ') + e.caption);
  }
  return out;
}

TEST(Trees, BusVantelConfigurationEndsAtTheDefaults) {
  test::SeamGuard guard;
  ApplyModel(4);
  const auto c = Captions(kConfigurationTree);
  ASSERT_EQ(c.size(), 15u);
  EXPECT_EQ(c.front(), "Sposób obsługi błędów");
  EXPECT_EQ(c[1], " Sposób obsługi błędów");
  EXPECT_EQ(c[2], " Auto-potwierdzanie");
  EXPECT_EQ(c.back(), "Ustaw wartości domyślne");
}

TEST(Trees, SalvoConfigurationEndsWithTheGraphicsGroup) {
  test::SeamGuard guard;
  ApplyModel(6);
  const auto entries = BuildTree(kConfigurationTree, LinkSettings);
  const auto& last = entries.back();
  EXPECT_EQ(last.caption, "Ekran pożegnalny");
  EXPECT_EQ(last.level, 1);
  EXPECT_STREQ(last.row->dialog, "TEkranPozegnalny");
  const auto& heading = entries[entries.size() - 4];
  EXPECT_EQ(heading.caption, "Grafiki reklamowo-informacyjne");
  EXPECT_EQ(heading.row->dialog, nullptr);
}

TEST(Trees, FamilyZeroHasTheSingleErrorHandlingEntryAndTheOldTypeQuery) {
  test::SeamGuard guard;
  ApplyModel(0);
  const auto config = BuildTree(kConfigurationTree, LinkSettings);
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(config[0].level, 0);
  EXPECT_STREQ(config[0].row->dialog, "TSposobBledow");
  const auto diag = Captions(kDiagnosticsTree);
  EXPECT_EQ(diag.back(), "Typ i wersja");
  EXPECT_EQ(Captions(kBasicTree).front(), "Paragon za 1 grosik");
}

TEST(Trees, AdditionalTreeEndsWithTheDisplayControl) {
  test::SeamGuard guard;
  const auto c = Captions(kAdditionalTree);
  EXPECT_EQ(c.back(), "Sterowanie wyświetlaczem/szufladą");
  EXPECT_EQ(c[c.size() - 2], "Korekta zegara");
  EXPECT_EQ(c[4], "Kasa");
  EXPECT_EQ(c[5], " Wpłata do kasy");
}

const TreeEntry* Find(const std::vector<TreeEntry>& entries, const char* caption) {
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const TreeEntry& e) { return e.caption == caption; });
  return it == entries.end() ? nullptr : &*it;
}

TEST(Dispatch, ClockCorrectionOpensInEveryFamily) {
  for (int model = 0; model < kModelCount; ++model) {
    test::SeamGuard guard;
    ApplyModel(model);
    const auto entries = BuildTree(kAdditionalTree, LinkSettings);
    const TreeEntry* e = Find(entries, "Korekta zegara");
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(DispatchEntry(kAdditionalTree, *e), "TKorektaZegara") << model;
  }
}

TEST(Dispatch, HeadingsOpenNothing) {
  test::SeamGuard guard;
  ApplyModel(6);
  for (TreeId tree : {kConfigurationTree, kAdditionalTree}) {
    for (const TreeEntry& e : BuildTree(tree, LinkSettings)) {
      const bool heading = e.row->dialog == nullptr;
      EXPECT_EQ(DispatchEntry(tree, e) == nullptr, heading) << e.caption;
    }
  }
  EXPECT_TRUE(guard.op.messages.empty());
}

TEST(Dispatch, DiagnosticsNeedASerialPortExceptTheErrorTablePrintout) {
  for (int model : {0, 1, 6}) {
    test::SeamGuard guard;
    ApplyModel(model);
    LinkSettings.TcpActive = 1;  // the TCP/IP link does not count here
    int opened = 0;
    const auto entries = BuildTree(kDiagnosticsTree, LinkSettings);
    for (const TreeEntry& e : entries) {
      if (const char* dialog = DispatchEntry(kDiagnosticsTree, e)) {
        EXPECT_STREQ(dialog, "TDrukujTabliceBledow");
        ++opened;
      }
    }
    EXPECT_EQ(opened, model == 6 ? 1 : 0);
    ASSERT_EQ(guard.op.messages.size(), entries.size() - opened);
    for (const auto& m : guard.op.messages) EXPECT_EQ(m, "Nie wybramo portu komunikacyjnego.");
  }
}

TEST(Dispatch, DiagnosticsOpenWithAPort) {
  test::SeamGuard guard;
  ApplyModel(6);
  LinkSettings.PortNumber = 3;
  const auto entries = BuildTree(kDiagnosticsTree, LinkSettings);
  EXPECT_STREQ(DispatchEntry(kDiagnosticsTree, entries[3]), "TStatusDrukarki");
  EXPECT_STREQ(DispatchEntry(kDiagnosticsTree, entries[4]), "TTypIWersja");
  EXPECT_TRUE(guard.op.messages.empty());
}

TEST(Dispatch, VatRatesChooseTheirDialogWhenActivated) {
  test::SeamGuard guard;
  ApplyModel(2);
  const auto entries = BuildTree(kProgrammingTree, LinkSettings);
  const TreeEntry* vat = Find(entries, "Programowanie stawek PTU");
  ASSERT_NE(vat, nullptr);
  EXPECT_STREQ(DispatchEntry(kProgrammingTree, *vat), "TProgramowanieStawek");
  // The tree is not rebuilt; the choice follows the settings of the moment.
  LinkSettings.PrinterVariant = 1;
  EXPECT_STREQ(DispatchEntry(kProgrammingTree, *vat), "TProgramowanieStawekPTUBus");
  LinkSettings.PrinterVariant = 2;
  EXPECT_STREQ(DispatchEntry(kProgrammingTree, *vat), "TProgramowanieStawekPTUBus");
}

TEST(Trees, EveryRowNamesADialogClassOrIsAHeading) {
  for (int t = 0; t < kTreeCount; ++t) {
    const TreeTable& table = TreeTableOf(static_cast<TreeId>(t));
    for (int i = 0; i < table.count; ++i) {
      const TreeRow& row = table.rows[i];
      if (row.dialog != nullptr) {
        EXPECT_EQ(row.dialog[0], 'T') << row.caption;
      }
      // A child always follows a heading or another child.
      if (row.level == 1) {
        ASSERT_GT(i, 0);
        const TreeRow& before = table.rows[i - 1];
        EXPECT_TRUE(before.level == 1 || before.dialog == nullptr) << row.caption;
      }
    }
  }
}

}  // namespace
}  // namespace kelm
