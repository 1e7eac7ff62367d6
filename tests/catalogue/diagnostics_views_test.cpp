// The diagnostic dialogs' results against a scripted printer (error code, status, type with its
// check code) and the receive buffer's files.
#include <chrono>
#include <thread>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_views.h"
#include "link/link_fixture.h"
#include "link/reception.h"
#include "protocol/error_table.h"

namespace kelm::test {
namespace {

class DiagnosticViews : public BothLinks {
 protected:
  void SetUp() override {
    BothLinks::SetUp();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
};

TEST_P(DiagnosticViews, ErrorCodeShowsTheNumberAndItsText) {
  struct Case {
    int number;
    std::string code;
    std::string description;
  } cases[] = {{3, "3", PrinterErrorText(3)}, {0, "0", ""}, {143, "143", PrinterErrorText(143)}};
  for (const Case& c : cases) {
    printer->On("\x1bP0#n\x1b\\", "\x1bP1#E" + std::to_string(c.number) + "\x1b\\", 0, 1);
    CashInfoState = 1;
    const ErrorCodeView view = FetchLastErrorCode();
    EXPECT_TRUE(view.answered);
    EXPECT_EQ(view.code, c.code);
    EXPECT_EQ(view.description, c.description);
    EXPECT_EQ(CashInfoState, 1);
  }
  EXPECT_FALSE(std::string(PrinterErrorText(3)).empty());
}

TEST_P(DiagnosticViews, ErrorCodeWithoutAnswerMarksTheCashDataMissing) {
  CashInfoState = 1;
  seams.op.abort_after_ticks = 2;
  const ErrorCodeView view = FetchLastErrorCode();
  EXPECT_FALSE(view.answered);
  EXPECT_EQ(view.code, "???");
  EXPECT_EQ(view.description, "Brak odpowiedzi od drukarki.");
  EXPECT_EQ(CashInfoState, 0);
}

TEST_P(DiagnosticViews, StatusAsksOnlyTheTickedBytes) {
  printer->AnswerStatus(0x0D, 0x76);
  EXPECT_TRUE(QueryTickedStatus(true, false));
  EXPECT_EQ(EnqStatus, 0x0D);
  EXPECT_EQ(printer->Received(), "\x05");
  EXPECT_TRUE(QueryTickedStatus(false, true));
  EXPECT_EQ(DleStatus, 0x76);
  EXPECT_EQ(printer->Received(), "\x05\x10");
}

TEST_P(DiagnosticViews, StatusWithoutEnqAnswerEndsBeforeDle) {
  seams.op.abort_after_ticks = 2;
  EXPECT_FALSE(QueryTickedStatus(true, true));
  EXPECT_EQ(printer->Received(), "\x05");
}

TEST_P(DiagnosticViews, TypeWithCheckCodeOnlyInFamilyTwo) {
  printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM SALVO 3/2.00/\x1b\\");
  printer->On("#v0/262144/", "\x1bP1#K" + std::string(40, 'D') + "\r00\x1b\\");
  TypeView view;
  LinkSettings.ModelFamily = 2;
  ReadTypeAndVersion(true, "0", "262143", &view);
  EXPECT_EQ(view.type, "KELM SALVO PRO");
  EXPECT_EQ(view.version, "2.00");
  EXPECT_EQ(view.code, std::string(40, 'D'));
  // A refused range does not leave the code of another range on screen.
  ReadTypeAndVersion(true, "9", "1", &view);
  EXPECT_EQ(view.code, "");
  ReadTypeAndVersion(true, "0", "262143", &view);
  ReadTypeAndVersion(true, "0", "x", &view);
  EXPECT_EQ(view.code, "");
  LinkSettings.ModelFamily = 1;
  ReadTypeAndVersion(true, "0", "262143", &view);
  EXPECT_EQ(view.code, kNotRead);
}

TEST_P(DiagnosticViews, TypeWithoutAnswerIsNotRead) {
  seams.op.abort_after_ticks = 2;
  TypeView view{"a", "b", "c"};
  ReadTypeAndVersion(true, "0", "1", &view);
  EXPECT_EQ(view.type, kNotRead);
  EXPECT_EQ(view.version, kNotRead);
  EXPECT_EQ(view.code, kNotRead);
}

INSTANTIATE_TEST_SUITE_P(OverBothLinks, DiagnosticViews, ::testing::Bool(), LinkName);

TEST(BufferFiles, LinesOfEveryEndingAndAnUnfinishedLast) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitTextLines("").empty());
}

TEST(BufferFiles, SaveAsksBeforeOverwritingAndLoadReadsItBack) {
  SeamGuard seams;
  TempDir dir;
  const std::string file = dir.File("bufor.txt");
  const std::vector<std::string> lines = {"P1#\xb9\xea", "", "koniec"};
  ASSERT_TRUE(SaveBufferFile(file, lines));
  EXPECT_EQ(TempDir::Read(file), "P1#\xb9\xea\r\n\r\nkoniec\r\n");
  EXPECT_TRUE(seams.op.questions.empty());

  seams.op.answers = {false};
  EXPECT_FALSE(SaveBufferFile(file, {"inne"}));
  EXPECT_EQ(seams.op.questions,
            std::vector<std::string>{"Plik " + file + " już istnieje.Kontynuować? "});
  EXPECT_EQ(TempDir::Read(file), "P1#\xb9\xea\r\n\r\nkoniec\r\n");
  seams.op.answers = {true};
  EXPECT_TRUE(SaveBufferFile(file, {"inne"}));
  EXPECT_EQ(TempDir::Read(file), "inne\r\n");

  std::vector<std::string> loaded;
  ASSERT_TRUE(LoadBufferFile(file, &loaded));
  EXPECT_EQ(loaded, std::vector<std::string>{"inne"});
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST(BufferFiles, FailuresNameTheFile) {
  SeamGuard seams;
  TempDir dir;
  std::vector<std::string> lines = {"kept"};
  EXPECT_FALSE(LoadBufferFile(dir.File("brak.txt"), &lines));
  EXPECT_EQ(lines, std::vector<std::string>{"kept"});
  EXPECT_FALSE(SaveBufferFile(dir.File("brak/x.txt"), lines));
  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{"Nie mogę otworzyc pliku" + dir.File("brak.txt") + ".",
                                      "Nie mogę zapisa do pliku" + dir.File("brak/x.txt") + "."}));
}

}  // namespace
}  // namespace kelm::test
