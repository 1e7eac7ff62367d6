// Test runs against the virtual printer over a pseudo-terminal and loopback TCP: receipts with
// the totals check through the family's entry, an interrupt in the middle of a receipt, a printer
// that refuses, a printer in fiscal mode, and kelmctl's run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "catalogue/diagnostics_queries.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "sales/test_run.h"
#include "sales_kelmemu_fixture.h"

namespace kelm {
namespace {

class TestRunKelmemu : public test::SalesKelmemuFixture {
 protected:
  TestRunKelmemu() { InstallCashTotalsReader(ReadCashTotals); }
  ~TestRunKelmemu() override { InstallCashTotalsReader(nullptr); }
  bool TransactionOpen() {
    EXPECT_EQ(QueryEnqStatus(), 0);
    return (EnqStatus & kEnqInTransaction) != 0;
  }
  // The entry with the given form, the run driven to its end.
  TestRunEngine::Outcome Run(const TestRunForm& form, uint32_t seed) {
    TestRunEngine engine;
    engine.seed_given = true;
    engine.seed = seed;
    EnterTestRun([&] { AcceptTestRunSettings(form); },
                 [&] { DriveTestRun(engine, nullptr, nullptr); });
    return engine.outcome;
  }
};

TEST_P(TestRunKelmemu, ThreeReceiptsWithDiscountsPassTheTotalsCheckInEveryFamily) {
  const struct {
    const char* model;
    uint8_t family;
  } models[] = {{"oxil", 0}, {"oxil-pro", 1}, {"vantel", 2}};
  for (const auto& m : models) {
    StartPrinter(m.model);
    LinkSettings.ModelFamily = m.family;
    TestRunForm form;
    form.limited = true;
    form.receipt_count = "3";
    form.line_min = "1";
    form.line_max = "6";
    form.totals_check = true;
    ASSERT_EQ(Run(form, 4242), TestRunEngine::Outcome::kLimitReached) << m.model;
    EXPECT_TRUE(seams.op.messages.empty()) << m.model << ": " << seams.op.messages.front();
    EXPECT_EQ(TestRunSettings.ReceiptCounter, 3u) << m.model;
    EXPECT_EQ(TestRunSettings.RunRequested, 0) << m.model;
    EXPECT_GT(TestRunSettings.GrandTotal, 0) << m.model;
    EXPECT_NEAR(TestRunSettings.TotalsAfter - TestRunSettings.TotalsBefore,
                TestRunSettings.GrandTotal, 0.005)
        << m.model;
    EXPECT_FALSE(TransactionOpen()) << m.model;
  }
}

TEST_P(TestRunKelmemu, InterruptInTheMiddleOfAReceiptLeavesNothingOpen) {
  StartPrinter("vantel");
  TestRunForm form;
  form.fixed_lines = true;
  form.fixed_count = "5";
  ASSERT_TRUE(AcceptTestRunSettings(form));
  TestRunEngine engine;
  engine.seed_given = true;
  engine.Begin();
  for (int tick = 0; TestReceipt.LineIndex != 3 && tick < 1000; ++tick) ASSERT_FALSE(engine.Tick());
  ASSERT_EQ(TestReceipt.LineIndex, 3);
  ASSERT_TRUE(TransactionOpen());
  seams.op.answers = {false};
  EXPECT_FALSE(engine.Escape());
  EXPECT_TRUE(engine.timer_running);
  seams.op.answers = {true};
  EXPECT_TRUE(engine.Escape());
  engine.End();
  EXPECT_EQ(seams.op.questions,
            std::vector<std::string>(2, "Przerwać drukowanie transakcji testowych?"));
  EXPECT_EQ(engine.outcome, TestRunEngine::Outcome::kInterrupted);
  EXPECT_EQ(TestRunSettings.ReceiptCounter, 1u);
  EXPECT_EQ(TestRunSettings.RunRequested, 0);
  EXPECT_FALSE(TransactionOpen());
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages.front();
}

TEST_P(TestRunKelmemu, APrinterErrorEndsTheRunWithItsMessage) {
  // A printer whose VAT rates are not defined refuses the receipt's opening.
  std::ofstream state(dir.File("state.txt"));
  state << "kelmemu-state 1\n";
  for (char l = 'A'; l <= 'G'; ++l) state << "rate" << l << " 10100\n";
  state.close();
  StartPrinter("vantel", {"--state", dir.File("state.txt")});
  TestRunForm form;
  form.limited = true;
  form.receipt_count = "2";
  ASSERT_EQ(Run(form, 1), TestRunEngine::Outcome::kPrinterError);
  // The run shows the error once; family 2's reading of the totals after the run checks the
  // last command again and shows it a second time.
  ASSERT_EQ(seams.op.messages.size(), 2u);
  EXPECT_GT(LastErrorNumber, 0);
  EXPECT_EQ(seams.op.messages[0], PrinterErrorMessage(LastErrorNumber));
  EXPECT_EQ(seams.op.messages[1], seams.op.messages[0]);
  EXPECT_EQ(TestRunSettings.ReceiptCounter, 0u);
  EXPECT_EQ(TestRunSettings.RunRequested, 0);
  EXPECT_FALSE(TransactionOpen());
}

TEST_P(TestRunKelmemu, FiscalModeIsRefusedOutsideServiceMode) {
  StartPrinter("vantel", {"--fiscal"});
  EXPECT_FALSE(AcceptTestRunSettings(TestRunForm()));
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0],
            "Funkcja drukowania transakcji testowych\r\njest dostępna jedynie dla trybu "
            "szkoleniowego drukarki.");
  LinkSettings.ServiceMode = 1;
  seams.op.answers = {true};
  EXPECT_FALSE(AcceptTestRunSettings(TestRunForm()));
  seams.op.answers = {false};
  EXPECT_TRUE(AcceptTestRunSettings(TestRunForm()));
  EXPECT_EQ(seams.op.questions.size(), 2u);
}

#ifdef KELMCTL_PATH
// A hundred receipts with random discounts and the totals check in every family (over TCP; the
// pseudo-terminal's reads of the totals take some 400 ms a receipt, so three there): the
// printer's totals grow by the run's grand total to the grosz.
TEST_P(TestRunKelmemu, KelmctlRunsAndChecksTheTotalsInEveryFamily) {
  const int receipts = GetParam() ? 100 : 3;
  for (const char* model : {"oxil", "oxil-pro", "vantel"}) {
    StartPrinter(model, {}, false);
    const auto [status, out] =
        Kelmctl("--model " + std::string(model) + " testrun --receipts " +
                std::to_string(receipts) + " --seed 9 --lines 1 4 --discounts --check-totals");
    EXPECT_EQ(status, 0) << model << "\n" << out;
    EXPECT_NE(out.find("receipts: " + std::to_string(receipts) + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("end: all receipts printed\ntotals check: passed\n"), std::string::npos)
        << out;
    double grand = 0, before = 0, after = 0;
    const size_t at = out.find("grand total: ");
    ASSERT_NE(at, std::string::npos) << out;
    ASSERT_EQ(std::sscanf(out.c_str() + at,
                          "grand total: %lf\nprinter totals before: %lf\nprinter totals after: %lf",
                          &grand, &before, &after),
              3)
        << out;
    EXPECT_GT(grand, 0) << model;
    EXPECT_EQ(std::llround((after - before) * 100), std::llround(grand * 100)) << model;
  }
}
#endif

INSTANTIATE_TEST_SUITE_P(Links, TestRunKelmemu, ::testing::Values(false, true), test::LinkName);

}  // namespace
}  // namespace kelm
