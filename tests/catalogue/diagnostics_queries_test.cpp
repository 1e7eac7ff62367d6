// The diagnostic queries against a scripted printer over a pseudo-terminal and loopback TCP:
// the frames sent byte for byte, what lands in the records, and what a silent printer leaves.
#include <chrono>
#include <thread>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "link/link_fixture.h"
#include "link/printer_identity.h"
#include "link/reception.h"

namespace kelm::test {
namespace {

const std::string kCashAnswer =
    "\x1bP2#X0;1;0;0;0;1;26;12;9/23.00/8.00/5.00/0.00/100.00/101.00/101.00/4/"
    "12.30/0.00/0.00/0.00/0.00/0.00/0.00/100.00/ABC12345678"
    "4F\x1b\\";

class Diagnostics : public BothLinks {
 protected:
  void SetUp() override {
    BothLinks::SetUp();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
};

TEST_P(Diagnostics, CashInformationIsAskedWithTheFamilyFrameAndParsed) {
  printer->On("\x1bP23#s\x1b\\", kCashAnswer);
  CashInfoState = 2;
  ReadCashInfo();
  EXPECT_EQ(printer->Received(), "\x1bP23#s\x1b\\");
  EXPECT_EQ(CashInfoState, 1);
  EXPECT_EQ(CashInfo.ReceiptCount, 4);
  EXPECT_DOUBLE_EQ(CashInfo.Totals[0], 12.3);
  EXPECT_EQ(CashInfo.UniqueNumber, "ABC12345678");
}

TEST_P(Diagnostics, FamiliesZeroAndOneAskWithParameterSeven) {
  LinkSettings.ModelFamily = 1;
  printer->On("\x1bP7#s\x1b\\",
              "\x1bP1#X1;1;0;0;0;0;0;0;0/"
              "AA\x1b\\");
  ReadCashInfo();
  EXPECT_EQ(printer->Received(), "\x1bP7#s\x1b\\");
  EXPECT_EQ(CashInfoState, 1);
  EXPECT_EQ(CashInfo.LastError, 1);
}

TEST_P(Diagnostics, CancelledCashReceptionMarksTheDataMissing) {
  CashInfoState = 1;
  CashInfo.Cash = 5;
  seams.op.abort_after_ticks = 2;
  ReadCashInfo();
  EXPECT_EQ(CashInfoState, 0);
  EXPECT_DOUBLE_EQ(CashInfo.Cash, 5);
}

TEST_P(Diagnostics, TypeDetectionWarnsAboutAnotherModel) {
  printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM VANTEL 57TE/2.00/\x1b\\");
  CheckDetectedType();
  EXPECT_EQ(DetectedType.CopyMode, 1);
  EXPECT_EQ(DetectedType.Version100, 200);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{kOtherTypeWarning});

  seams.op.messages.clear();
  LinkSettings.CopyMode = 1;
  CheckDetectedType();
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_P(Diagnostics, ClockQueryCarriesItsCheckValue) {
  printer->On("\x1bP0#c",
              "\x1bP1#C26;12;9;7;45;0"
              "00\x1b\\");
  ASSERT_TRUE(ReadPrinterClock());
  // FFh ^ 30h ^ 23h ^ 63h = 8Fh
  EXPECT_EQ(printer->Received(), "\x1bP0#c8F\x1b\\");
  EXPECT_EQ(ClockDateText(), "2026-12-09");
  EXPECT_EQ(ClockTimeText(), "07:45");
}

TEST_P(Diagnostics, CheckCodeRequestCoversTheWholeRange) {
  printer->On("#v0/262144/", "\x1bP1#Z" + std::string(40, 'C') +
                                 "\r"
                                 "00\x1b\\");
  EXPECT_EQ(ReadProgramCheckCode("0", DefaultCheckCodeEnd(0, 0)), std::string(40, 'C'));
  const std::string sent = printer->Received();
  ASSERT_GE(sent.size(), 4u);
  const std::string body = "1;170#v0/262144/";
  EXPECT_EQ(sent.substr(0, 2 + body.size()), "\x1bP" + body);
  // Reply that breaks a limit.
  printer->On("#v5/", "\x1bP1#Z" + std::string(41, 'C') +
                          "\r"
                          "00\x1b\\");
  EXPECT_EQ(ReadProgramCheckCode("5", "10"), "Błąd odczytu.");
}

TEST_P(Diagnostics, ReceiveBufferOfThe859WithSwappedCom) {
  LinkSettings.PrinterVariant = 2;
  printer->On("$0", "\x1bP1#" + std::string(120, 'b') + "\x1b\\");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadReceiveBuffer(true, &lines));
  EXPECT_EQ(printer->Received().substr(0, 8), "\x1bP0;170$");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].size(), 18u);
}

INSTANTIATE_TEST_SUITE_P(OverBothLinks, Diagnostics, ::testing::Bool(), LinkName);

TEST(DiagnosticsValidation, CheckCodeFieldsAreCheckedBeforeAnythingIsSent) {
  SeamGuard seams;
  EXPECT_EQ(ReadProgramCheckCode("x", "10"), "");
  EXPECT_EQ(ReadProgramCheckCode("0", "1y"), "");
  EXPECT_EQ(ReadProgramCheckCode("20", "10"), "");
  // Wider than 32 bits: refused, not a length that overflows.
  EXPECT_EQ(ReadProgramCheckCode("-9223372036854775807", "9223372036854775807"), "");
  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{
                "Błędna wartość pola \"Od adresu\"", "Błędna wartość pola \"Do adresu\"",
                "Błąd: \"Od adresu\">\"Do adresu\"", "Błędna wartość pola \"Od adresu\""}));
  EXPECT_EQ(DefaultCheckCodeEnd(1, 0), "524287");
  EXPECT_EQ(DefaultCheckCodeEnd(2, 0), "1572863");
  EXPECT_EQ(DefaultCheckCodeEnd(1, 2), "1572863");
  EXPECT_EQ(DefaultCheckCodeEnd(2, 1), "524287");
}

TEST(DiagnosticsValidation, NoLinkShowsTheMessageAndKeepsTheState) {
  SeamGuard seams;
  CashInfoState = 2;
  ReadCashInfo();
  EXPECT_EQ(CashInfoState, 2);
  EXPECT_FALSE(DetectPrinterType());
  EXPECT_EQ(seams.op.messages.size(), 2u);
  EXPECT_EQ(seams.op.messages[0], "Nie wybrano portu komunikacyjnego.");
}

}  // namespace
}  // namespace kelm::test
