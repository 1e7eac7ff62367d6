// Test runs against the virtual printer over a pseudo-terminal and loopback TCP: receipts with
// the totals check through the family's entry, an interrupt in the middle of a receipt, a printer
// that refuses, a printer in fiscal mode, and kelmctl's run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "catalogue/diagnostics_queries.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "sales/test_run.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

class TestRunKelmemu : public ::testing::TestWithParam<bool> {
 protected:
  TestRunKelmemu() {
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    InstallCashTotalsReader(ReadCashTotals);
  }
  ~TestRunKelmemu() override {
    InstallCashTotalsReader(nullptr);
    TcpDisconnect();
    CloseSerialPort();
  }
  void StartPrinter(const char* model, std::vector<std::string> extra = {}) {
    TcpDisconnect();
    CloseSerialPort();
    std::vector<std::string> options{"--pty"};
    if (GetParam()) options = {"--tcp", "127.0.0.1:0"};
    options.insert(options.end(), {"--model", model});
    options.insert(options.end(), extra.begin(), extra.end());
    emu = std::make_unique<test::KelmemuProcess>(options);
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    if (GetParam()) {
      const std::string where = emu->Where();
      const size_t colon = where.rfind(':');
      ASSERT_EQ(TcpConnect(where.substr(0, colon), where.substr(colon + 1), false), kTcpConnected);
    } else {
      SetComDeviceOverride(emu->Where());
      LinkSettings.PortNumber = 1;
      ASSERT_TRUE(OpenSerialPort(1));
    }
    seams.op.messages.clear();
  }
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

  test::SeamGuard seams;
  test::TempDir dir;
  std::unique_ptr<test::KelmemuProcess> emu;
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
TEST_P(TestRunKelmemu, KelmctlRunsAndChecksTheTotals) {
  StartPrinter("vantel");
  TcpDisconnect();
  CloseSerialPort();
  const std::string link = GetParam() ? "--tcp " + emu->Where() : "--device " + emu->Where();
  const std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "' " + link +
                              " testrun --receipts 3 --seed 9 --discounts --check-totals"
                              " 2>/dev/null";
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, p) != nullptr) out += buffer;
  const int raw = pclose(p);
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0) << out;
  EXPECT_NE(out.find("receipts: 3\n"), std::string::npos) << out;
  EXPECT_NE(out.find("end: all receipts printed\ntotals check: passed\n"), std::string::npos)
      << out;
}
#endif

INSTANTIATE_TEST_SUITE_P(Links, TestRunKelmemu, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
