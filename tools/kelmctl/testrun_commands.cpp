// kelmctl's test-transaction run: the run dialog's engine without a window, with a progress line
// on a terminal and a summary at the end.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/diagnostics_queries.h"
#include "kelmctl/commands.h"
#include "link/command_execution.h"
#include "link/reception.h"
#include "protocol/number_text.h"
#include "sales/test_run.h"

namespace kelm::ctl {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
}

bool Count(const std::string& text, long min, long* out) {
  return ParseInteger(text, out) && *out >= min && *out <= INT32_MAX;
}

const char* Verdict(TestRunEngine::Outcome outcome) {
  switch (outcome) {
    case TestRunEngine::Outcome::kLimitReached:
      return "all receipts printed";
    case TestRunEngine::Outcome::kPrinterError:
      return "the printer refused a command";
    case TestRunEngine::Outcome::kStatusFailed:
      return "no status from the printer";
    case TestRunEngine::Outcome::kTotalsReadFailed:
      return "the printer's totals could not be read";
    case TestRunEngine::Outcome::kTotalsMismatch:
      return "the printer's totals differ from the run's";
    case TestRunEngine::Outcome::kInterrupted:
      return "interrupted";
    case TestRunEngine::Outcome::kNoAnswer:
      return "the printer stopped answering";
    case TestRunEngine::Outcome::kSendFailed:
      return "a frame could not be sent";
    case TestRunEngine::Outcome::kRunning:
      break;
  }
  return "not started";
}

int TestRun(const Invocation& in) {
  TestRunForm form;
  form.limited = true;
  form.receipt_count = in.Values("--receipts")[0];
  const std::vector<std::string>& lines = in.Values("--lines");
  if (!lines.empty()) {
    form.line_min = lines[0];
    form.line_max = lines[1];
    if (lines[0] == lines[1]) {
      form.fixed_lines = true;
      form.fixed_count = lines[0];
    }
  } else {
    form.line_min = "1";
    form.line_max = "5";
  }
  form.line_discount = form.receipt_discount = in.Has("--discounts");
  form.line_discount_max = form.receipt_discount_max = "99.99";
  form.totals_check = in.Has("--check-totals");
  form.open_drawer = false;
  TestRunEngine engine;
  if (in.Has("--seed")) {
    long seed = 0;
    Count(in.Values("--seed")[0], 0, &seed);
    engine.seed_given = true;
    engine.seed = static_cast<uint32_t>(seed);
  }
  if (in.Has("--interval")) {
    long ms = 0;
    Count(in.Values("--interval")[0], 0, &ms);
    engine.fixed_interval_ms = static_cast<int>(ms);
  }
  InstallCashTotalsReader(ReadCashTotals);
  bool accepted = false;
  const bool terminal = isatty(STDOUT_FILENO) != 0;
  std::signal(SIGINT, OnInterrupt);
  EnterTestRun([&] { accepted = AcceptTestRunSettings(form); },
               [&] {
                 DriveTestRun(
                     engine, [] { return interrupted != 0; },
                     [&] {
                       if (!terminal) return;
                       std::printf("\rreceipt %s, line %s, receipt sum %s, grand total %s   ",
                                   engine.receipt_text.c_str(), engine.line_text.c_str(),
                                   engine.receipt_sum_text.c_str(),
                                   engine.grand_total_text.c_str());
                       std::fflush(stdout);
                     });
               });
  std::signal(SIGINT, SIG_DFL);
  if (terminal && engine.outcome != TestRunEngine::Outcome::kRunning) std::printf("\n");
  if (!accepted) {
    // The status query could not go out (the link said why), the printer is in fiscal mode
    // (said so), or the settings were refused.
    if (AnswerReceived == 255) return kExitLink;
    return (EnqStatus & kEnqFiscalMode) != 0 ? kExitPrinterError : kExitUsage;
  }
  // The run never started: the printer's totals before it could not be read.
  if (engine.outcome == TestRunEngine::Outcome::kRunning) return NoAnswer();
  // The totals after the run, whether or not every receipt was checked.
  double after = 0;
  const bool read = ReadTotals(&after);
  const double difference = after - TestRunSettings.TotalsBefore - TestRunSettings.GrandTotal;
  const bool matches = read && difference <= 0.005 && difference >= -0.005;
  std::printf("receipts: %u\nlines: %u\ngrand total: %.2f\n", TestRunSettings.ReceiptCounter,
              engine.lines_sent, TestRunSettings.GrandTotal);
  std::printf("printer totals before: %.2f\n", TestRunSettings.TotalsBefore);
  if (read) {
    std::printf("printer totals after: %.2f\n", after);
  } else {
    std::printf("printer totals after: not read\n");
  }
  std::printf("end: %s\n", Verdict(engine.outcome));
  if (form.totals_check) std::printf("totals check: %s\n", matches ? "passed" : "failed");
  switch (engine.outcome) {
    case TestRunEngine::Outcome::kLimitReached:
      return form.totals_check && !matches ? kExitPrinterError : kExitDone;
    case TestRunEngine::Outcome::kPrinterError:
    case TestRunEngine::Outcome::kTotalsMismatch:
    case TestRunEngine::Outcome::kTotalsReadFailed:
      return kExitPrinterError;
    case TestRunEngine::Outcome::kInterrupted:
      return kExitDone;
    default:
      return kExitLink;
  }
}

bool ValidTestRun(const Invocation& in) {
  long value = 0;
  if (!Count(in.Values("--receipts").empty() ? "" : in.Values("--receipts")[0], 1, &value)) {
    return false;
  }
  const std::vector<std::string>& lines = in.Values("--lines");
  long min = 0, max = 0;
  if (!lines.empty() && (!Count(lines[0], 1, &min) || !Count(lines[1], 1, &max) || max < min)) {
    return false;
  }
  if (in.Has("--seed") && !ParseInteger(in.Values("--seed")[0], &value)) return false;
  if (in.Has("--seed") && (value < 0 || value > UINT32_MAX)) return false;
  return !in.Has("--interval") || Count(in.Values("--interval")[0], 0, &value);
}

}  // namespace

const std::vector<Command>& TestRunCommands() {
  static const std::vector<Command> table = {
      {"testrun",
       "--receipts N [--seed S] [--lines MIN MAX]\n[--discounts] [--check-totals] [--interval MS]",
       "generated test receipts (lines 1 to 5 unless given; random\n"
       "line and receipt discounts with --discounts); the totals check\n"
       "compares the printer's totals after every receipt; exit 2 when\n"
       "it fails or the printer refuses",
       TestRun,
       0,
       {{"--receipts", 1},
        {"--seed", 1},
        {"--lines", 2},
        {"--discounts"},
        {"--check-totals"},
        {"--interval", 1}},
       ValidTestRun},
  };
  return table;
}

}  // namespace kelm::ctl
