// The printer models: settings each gives, the titles and designations, and the choice shown.
#include <gtest/gtest.h>

#include "catalogue/model.h"
#include "link/settings.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

struct ModelCase {
  int model;
  int family, variant, copy_mode;
  const char* title;
  const char* module;
};

const ModelCase kModels[] = {
    {0, 0, 0, 0, "KLDiag ver 2.52. Drukarka: OXIL, OXIL Plus.", "OPF_VANTEL ver 2.52"},
    {1, 1, 0, 0, "KLDiag ver 2.52. Drukarka: OXIL Pro.", "OPF_VANTEL ver 2.52"},
    {2, 2, 0, 0, "KLDiag ver 2.52. Drukarka: Vantel.", "OPF_VANTEL ver 2.52"},
    {3, 1, 1, 0, "KLDiag ver 2.52. Drukarka: OXIL Pro Bus.", "OPF_VANTEL ver 2.52"},
    {4, 2, 1, 0, "KLDiag ver 2.52. Drukarka: Vantel Bus.", "OPF_VANTEL ver 2.52"},
    {5, 2, 0, 1, "KLDiag ver 2.52. Drukarka: Vantel KE.", "OPF_VANTEL ver 2.52"},
    {6, 2, 0, 2, "KLDiag ver 2.52. Drukarka: SALVO 3/PRO.", "OPF_SALVO ver 2.52"},
    {7, 2, 2, 1, "KLDiag ver 2.52. Drukarka: KELM 859.", "OPF_Kelm-D859 ver 2.52"},
};

class Models : public ::testing::TestWithParam<ModelCase> {};

TEST_P(Models, ApplySetsTheModeAndTheTitleAndRoundTrips) {
  test::SeamGuard guard;
  const ModelCase& m = GetParam();
  LinkSettings.PortNumber = 4;
  EXPECT_EQ(ApplyModel(m.model), m.title);
  EXPECT_EQ(LinkSettings.ModelFamily, m.family);
  EXPECT_EQ(LinkSettings.PrinterVariant, m.variant);
  EXPECT_EQ(LinkSettings.CopyMode, m.copy_mode);
  EXPECT_EQ(LinkSettings.PortNumber, 4);  // choosing a model leaves the link alone
  EXPECT_EQ(MainWindowTitle(), m.title);
  EXPECT_EQ(ProgramDesignation(0), "KLDiag ver 2.52");
  EXPECT_EQ(ProgramDesignation(1), m.module);
  // Showing the dialog again checks the same radio button.
  EXPECT_EQ(ModelIndexFor(LinkSettings), m.model);
}

INSTANTIATE_TEST_SUITE_P(All, Models, ::testing::ValuesIn(kModels));

TEST(Models, CombinationsNoButtonGivesLandOnAModel) {
  struct Case {
    int family, variant, copy_mode, model;
  };
  // Family 1 with an electronic copy is what a hand-edited settings file can hold.
  const Case cases[] = {{1, 0, 1, 5}, {0, 0, 2, 6}, {1, 2, 0, 7}, {0, 1, 0, 0}, {2, 1, 1, 5}};
  for (const Case& c : cases) {
    LinkSettingsRecord s;
    s.ModelFamily = c.family;
    s.PrinterVariant = c.variant;
    s.CopyMode = c.copy_mode;
    EXPECT_EQ(ModelIndexFor(s), c.model) << c.family << c.variant << c.copy_mode;
  }
}

}  // namespace
}  // namespace kelm
