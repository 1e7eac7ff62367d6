// The readout dialog's choices by model, its labels, and the saved copy of the work file.
#include "readout/readout_controls.h"

#include <gtest/gtest.h>

#include "readout/readout_session.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using M = ReadoutMode;

TEST(ReadoutControls, ModesOpenByFamilyAndEmergency) {
  struct Row {
    int family;
    bool emergency;
    M before;
    bool r1, r2, r3;
    M after;
  } rows[] = {
      {2, false, M::kMonthly, true, true, true, M::kMonthly},
      {2, false, M::kByDates, true, true, true, M::kByDates},
      {1, false, M::kByNumbers, true, true, true, M::kByNumbers},
      {2, true, M::kMonthly, false, false, true, M::kByNumbers},
      {1, true, M::kByDates, false, false, true, M::kByNumbers},
      {0, false, M::kMonthly, false, true, false, M::kByDates},
      {0, false, M::kByNumbers, false, true, false, M::kByDates},
      {0, true, M::kByDates, false, false, true, M::kByNumbers},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "family " << r.family << " emergency " << r.emergency
                                    << " mode " << int(r.before));
    const ReadoutControls c = ApplyReadoutControls(r.family, r.emergency, r.before);
    EXPECT_EQ(c.radio_enabled[0], r.r1);
    EXPECT_EQ(c.radio_enabled[1], r.r2);
    EXPECT_EQ(c.radio_enabled[2], r.r3);
    EXPECT_EQ(c.checked, r.after);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(c.group_enabled[i], i == int(r.after)) << i;
  }
}

TEST(ReadoutControls, LabelsNameTheReadingModuleForSalvoAnd859) {
  struct Row {
    int family, copy_mode, variant;
    bool ownDesignation;
  } rows[] = {
      {2, 0, 0, false}, {2, 1, 0, false}, {2, 0, 1, false}, {1, 2, 2, false},
      {2, 2, 0, true},  {2, 1, 2, true},  {2, 0, 2, true},
  };
  for (const Row& r : rows) {
    const ReadoutLabels l = ReadoutDialogLabels(r.family, r.copy_mode, r.variant, "OPF_X ver 2.52");
    if (r.ownDesignation) {
      EXPECT_EQ(l.label1, "Odczyt pamięci fiskalnej OPF_X ver 2.52");
      EXPECT_EQ(l.label1_left, 80);
      EXPECT_FALSE(l.label10_visible);
      EXPECT_EQ(l.label11, "Oznaczenie programu odczytującego pamięć fiskalną.: OPF_X ver 2.52");
    } else {
      EXPECT_EQ(l.label1, "Odczyt pamięci fiskalnej OPF_VANTEL");
      EXPECT_EQ(l.label1_left, 100);
      EXPECT_TRUE(l.label10_visible);
      EXPECT_EQ(l.label11, "Oznaczenie programu odczytującego pamięć fiskalną.: OPF_VANTEL");
    }
  }
}

class SaveCopy : public testing::Test {
 protected:
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder folder{dir.path()};
  void SetUp() override { test::TempDir::Write(dir.File(kReadoutWorkFile), "report\r\n"); }
};

TEST_F(SaveCopy, CopiesTheWorkFileAndKeepsIt) {
  const std::string target = dir.File("VANTEL_ABC12345678_Nr_1_3.txt");
  EXPECT_TRUE(SaveReadoutCopy(target));
  EXPECT_EQ(test::TempDir::Read(target), "report\r\n");
  EXPECT_EQ(test::TempDir::Read(dir.File(kReadoutWorkFile)), "report\r\n");
  EXPECT_TRUE(seams.op.questions.empty());
}

TEST_F(SaveCopy, AnExistingFileIsReplacedOnlyAfterYes) {
  const std::string target = dir.File("old.txt");
  test::TempDir::Write(target, "old");
  seams.op.answers = {false};
  EXPECT_FALSE(SaveReadoutCopy(target));
  EXPECT_EQ(test::TempDir::Read(target), "old");
  EXPECT_EQ(seams.op.questions,
            std::vector<std::string>{"Plik " + target + " już istnieje.Kontynuować? "});
  seams.op.answers = {true};
  EXPECT_TRUE(SaveReadoutCopy(target));
  EXPECT_EQ(test::TempDir::Read(target), "report\r\n");
}

TEST_F(SaveCopy, NothingToCopy) {
  std::remove(dir.File(kReadoutWorkFile).c_str());
  EXPECT_FALSE(SaveReadoutCopy(dir.File("x.txt")));
  EXPECT_EQ(test::TempDir::Read(dir.File("x.txt")), "");
}

}  // namespace
}  // namespace kelm
