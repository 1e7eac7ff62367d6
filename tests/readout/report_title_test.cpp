// ReportTitle and ReportFileName for every mode and printer type.
#include "readout/report_title.h"

#include <gtest/gtest.h>

namespace kelm {
namespace {

ReportNaming Naming(ReadoutMode mode, int bus = 0, int copy = 0) {
  ReportNaming n;
  n.model.family = 2;
  n.model.bus_variant = bus;
  n.model.copy_mode = copy;
  n.mode = mode;
  n.first = PackedDate{20, 26, 12, 1};
  n.last = PackedDate{20, 26, 12, 31};
  n.first_number = 15;
  n.last_number = 240;
  n.unique_number = "ABC 12345678";
  return n;
}

TEST(ReportNaming, TitleAndFileNameOfEveryMode) {
  struct Row {
    ReportNaming naming;
    const char* title;
    const char* file;
  };
  ReportNaming emergency = Naming(ReadoutMode::kByNumbers);
  emergency.emergency = true;
  ReportNaming monthly = Naming(ReadoutMode::kMonthly, 1);
  monthly.first = PackedDate{20, 26, 2, 0};
  monthly.last = PackedDate{20, 0, 0, 0};
  ReportNaming salvo = Naming(ReadoutMode::kByDates, 0, 2);
  salvo.model.configured_copy_mode = 2;
  ReportNaming noUnique = Naming(ReadoutMode::kByNumbers, 0, 1);
  noUnique.unique_number = "";
  const Row rows[] = {
      {Naming(ReadoutMode::kByNumbers),
       "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr 15 do "
       "nr 240.",
       "VANTEL_ABC12345678_Nr_15_240.txt"},
      {emergency,
       "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr 15 do "
       "nr 240 - raport awaryjny.",
       "VANTEL_ABC12345678_Nr_15_240_Awaryjny.txt"},
      {monthly,
       "Raport okresowy z drukarki VANTEL BUS o numerze unikatowym ABC 12345678 z miesiąca "
       "02-2026.",
       "VANTEL_ABC12345678_Miesiac_02-2026.txt"},
      {salvo,
       "Raport okresowy z drukarki KELM SALVO 3 o numerze unikatowym ABC 12345678 od dnia "
       "01-12-2026 do dnia 31-12-2026.",
       "SALVO_ABC12345678_Daty_01-12-2026_31-12-2026.txt"},
      {noUnique, "Raport okresowy z drukarki KELM VANTEL 57T KE od nr 15 do nr 240.",
       "VANTEL__Nr_15_240.txt"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(MakeReportTitle(row.naming), row.title);
    EXPECT_EQ(MakeReportFileName(row.naming), row.file);
  }
}

TEST(ReportNaming, UniqueNumberCannotLeadTheFileElsewhere) {
  ReportNaming n = Naming(ReadoutMode::kByNumbers);
  n.unique_number = "../ /../x\x01";
  EXPECT_EQ(MakeReportFileName(n), "VANTEL_..__.._x__Nr_15_240.txt");
  n.unique_number = "AB";
  EXPECT_EQ(MakeReportFileName(n), "VANTEL_AB_Nr_15_240.txt");
}

}  // namespace
}  // namespace kelm
