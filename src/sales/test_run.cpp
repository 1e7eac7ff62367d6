// Test-transaction runs: settings, generated frames, the grosz distribution and the run engine.
#include "sales/test_run.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "protocol/command_templates.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"
#include "sales/receipt.h"
#include "sales/receipt_commands.h"

namespace kelm {

TestRunSettingsRecord TestRunSettings;
TestReceiptRecord TestReceipt;

void ResetTestRun() {
  TestRunSettings = TestRunSettingsRecord();
  TestReceipt = TestReceiptRecord();
}

namespace {

constexpr const char* kOpenOnLine = kOpenReceiptTemplate;
constexpr const char* kOpenCounted = "%cP%s$hxx%c%c";
constexpr const char* kLine = "%cP%d$l%s\r%.2f\r%c/%.2f/%.2f/xx%c%c";
constexpr const char* kLineDiscount = "%cP%d;2$l%s\r%.2f\r%c/%.2f/%.2f/%.2f/xx%c%c";
constexpr const char* kClose = "%cP1$e00A\r%.2f/%.2f/xx%c%c";
constexpr const char* kClosePercent = "%cP1;0;0;0;1$e00A\r%.2f/%.2f/%.2f/xx%c%c";
constexpr const char* kCloseAmount = "%cP1;0;0;0;3$e00A\r%.2f/%.2f/%.2f/xx%c%c";
constexpr const char* kDrawer = kDrawerTemplate;
constexpr const char* kCancel = kCancelTransactionTemplate;
constexpr const char* kDiscountMethod = kDiscountMethodTemplate;
constexpr const char* kSharedOption = kErrorHandlingTemplate;

constexpr int kShortTable[6] = {1, 300, 600, 900, 1200, 5000};
constexpr int kLongTable[6] = {25, 7500, 15000, 30000, 60000, 861000};

constexpr CommandSteps kSendOnly{AfterSend::kNothing, false, false};
constexpr CommandSteps kSendAndCheck{AfterSend::kCheckLastCommand, false, false};

CashTotalsReader cash_totals_reader = nullptr;

// A field that must convert to an integer of 32 bits and not below `min`.
bool ReadCount(const std::string& text, long min, int32_t* out) {
  long value = 0;
  if (!ParseInteger(text, &value) || value < min || value > INT32_MAX) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

bool Refuse(const char* message) {
  TheOperator().ShowMessage(message);
  return false;
}

template <class... Args>
const char* Format(const char* tmpl, Args... args) {
  return FormatCommand(tmpl, args...) < 0 ? nullptr : tmpl;
}

}  // namespace

double RandomPercent(TestRandom& random, double max) {
  const int64_t n = static_cast<int64_t>(RoundToCents(max) * 100);
  if (n <= 0) return 0;
  return random.Below(n) * 0.01;
}

void DistributeCents(int64_t target, int64_t current, int64_t cents[7]) {
  if (target == current) return;
  int64_t k = target > current ? target - current : current - target;
  int order[7];
  if (target > current) {
    for (int i = 0; i < 7; ++i) order[i] = i;
    for (bool swapped = true; swapped;) {
      swapped = false;
      for (int i = 0; i < 6; ++i) {
        if (cents[order[i + 1]] > cents[order[i]]) {
          std::swap(order[i], order[i + 1]);
          swapped = true;
        }
      }
    }
    for (int p = 0; k > 0; p = (p + 1) % 7) {
      int64_t& c = cents[order[p]];
      if (p < 6 && c != 0 && c == 2 * cents[order[p + 1]]) {
        ++c;
        --k;
      }
      if (k > 0) {
        ++c;
        --k;
      }
    }
    return;
  }
  for (int i = 0; i < 7; ++i) order[i] = 6 - i;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int i = 0; i < 6; ++i) {
      if (cents[order[i]] > cents[order[i + 1]]) {
        std::swap(order[i], order[i + 1]);
        swapped = true;
      }
    }
  }
  // The walk only takes from groups above zero; with nothing left to take it would never end.
  int64_t available = 0;
  for (int i = 0; i < 7; ++i) available += cents[i] > 0 ? cents[i] : 0;
  if (k > available) k = available;
  for (int p = 0; k > 0; p = (p + 1) % 7) {
    int64_t& c = cents[order[p]];
    if (p < 6 && c > 0 && c >= 2 * cents[order[p + 1]]) {
      --c;
      --k;
    }
    if (k > 0 && c > 0) {
      --c;
      --k;
    }
  }
}

bool AcceptTestRunSettings(const TestRunForm& f) {
  if (SharedPrinterMode == 0) {
    if (QueryEnqStatus() != 0) return false;
    if ((EnqStatus & kEnqFiscalMode) != 0) {
      if (LinkSettings.ServiceMode == 0) {
        return Refuse(
            "Funkcja drukowania transakcji testowych\r\njest dostępna jedynie dla trybu "
            "szkoleniowego drukarki.");
      }
      if (TheOperator().AskYesNo("UWAGA!!!!Drukarka jest w trybie fiskalnym!!!\r\nWydrukowane "
                                 "paragony zostaną zafiskalizowane.\r\nAnulować operację?")) {
        return false;
      }
    }
  }
  TestRunSettingsRecord s = TestRunSettings;
  int32_t count = 0;
  if (!ReadCount(f.receipt_count, f.limited ? 0 : INT32_MIN, &count)) {
    return Refuse("Błędna Wartość : Liczba paragonów -> Oreślona liczba paragonów");
  }
  if (count == 0 && f.limited) return false;
  s.ReceiptLimit = f.limited ? count : -1;
  // A fixed count of 0 would open and close empty receipts that nobody counts.
  int32_t fixed = 0;
  if (!ReadCount(f.fixed_count, f.fixed_lines ? 1 : INT32_MIN, &fixed)) {
    return Refuse("Błędna Wartość : Liczba pozycji paragonu -> Ustalona");
  }
  s.FixedLineCount = f.fixed_lines ? fixed : -1;
  if (!ReadCount(f.line_min, f.fixed_lines ? INT32_MIN : 0, &s.LineMin)) {
    return Refuse("Błędna Wartość : Liczba pozycji paragonu -> Od");
  }
  // With "Do" 0 a random count could only be 0, which is drawn again for ever.
  if (!ReadCount(f.line_max, f.fixed_lines ? INT32_MIN : 1, &s.LineMax)) {
    return Refuse("Błędna Wartość : Liczba pozycji paragonu -> Do");
  }
  if (s.LineMax < s.LineMin) return Refuse("Błędna Wartość : Liczba pozycji paragonu: Do < Od ");
  double line_max = 0, receipt_max = 0;
  // A negative maximum would give surcharges the printer refuses; it is no percentage either.
  if (!ParseDecimal(f.line_discount_max, &line_max) ||
      (f.line_discount && (line_max > 99.99 || line_max < 0))) {
    return Refuse("Błędna Wartość : Rabat do pozycji -> Wartość maks. [%]");
  }
  s.MaxLineDiscount = f.line_discount ? line_max : -1.0;
  if (!ParseDecimal(f.receipt_discount_max, &receipt_max) ||
      (f.receipt_discount && (receipt_max > 99.99 || receipt_max < 0))) {
    return Refuse("Błędna Wartość : Rabat do całej transakcji -> Wartość maks. [%]");
  }
  s.MaxReceiptDiscount = f.receipt_discount ? receipt_max : -1.0;
  s.OnLine = f.on_line ? 1 : 0;
  s.DiscountMethod = LinkSettings.ModelFamily == 2 && f.method1 ? 1 : 2;
  s.OpenDrawer = f.open_drawer ? 1 : 0;
  s.TotalsCheck = f.totals_check ? 1 : 0;
  s.UniqueNames = f.unique_names ? 1 : 0;
  s.RunRequested = 1;
  s.GrandTotal = 0;
  s.ReceiptCounter = 0;
  TestRunSettings = s;
  return true;
}

const char* BuildTestOpen(TestRandom& random) {
  TestReceiptRecord& r = TestReceipt;
  r.LineCount = TestRunSettings.FixedLineCount;
  if (r.LineCount == -1) {
    const int64_t span = int64_t{TestRunSettings.LineMax} - TestRunSettings.LineMin + 1;
    do {
      r.LineCount = TestRunSettings.LineMin + random.Below(span);
    } while (r.LineCount == 0);
  }
  const char* tmpl = nullptr;
  if (TestRunSettings.OnLine != 0) {
    tmpl = Format(kOpenOnLine, kEsc, kEsc, kBackslash);
  } else {
    tmpl = Format(kOpenCounted, kEsc, std::to_string(r.LineCount).c_str(), kEsc, kBackslash);
  }
  r.VatSums.fill(0);
  r.ReceiptSum = 0;
  r.LineIndex = 1;
  return tmpl;
}

const char* BuildTestLine(TestRandom& random) {
  TestReceiptRecord& r = TestReceipt;
  std::string name;
  int letter = 0;
  if (TestRunSettings.UniqueNames != 0) {
    name = std::to_string(r.NameCounter++);
  } else {
    const int p = random.Below(kTestItemNameCount);
    name = FrameText(TestItemNames()[static_cast<size_t>(p)], 40, true);
    letter = p % 3;
  }
  int q = 0;
  while (q == 0) q = random.Below(10);
  int cents = 0;
  while (cents == 0) cents = random.Below(100000);
  const double quantity = RoundToCents(q);
  const double price = RoundToCents(cents * 0.01);
  const double value = RoundToCents(quantity * price);
  const char vat = static_cast<char>('A' + letter);
  double contribution = RoundToCents(value);
  const char* tmpl = nullptr;
  if (TestRunSettings.MaxLineDiscount != -1.0) {
    double d = 0, w = 0;
    do {
      d = RandomPercent(random, TestRunSettings.MaxLineDiscount);
      w = TestRunSettings.DiscountMethod == 2 ? RoundToCents(value - RoundToCents(value * d * 0.01))
                                              : RoundToCents(value * (1 - d * 0.01));
    } while (w <= 0);
    contribution = w;
    tmpl = Format(kLineDiscount, kEsc, r.LineIndex, name.c_str(), quantity, vat, price, value, d,
                  kEsc, kBackslash);
  } else {
    tmpl = Format(kLine, kEsc, r.LineIndex, name.c_str(), quantity, vat, price, value, kEsc,
                  kBackslash);
  }
  r.ReceiptSum += contribution;
  r.VatSums[static_cast<size_t>(letter)] += contribution;
  return tmpl;
}

const char* BuildTestClosing(TestRandom& random) {
  TestReceiptRecord& r = TestReceipt;
  const bool discount = TestRunSettings.MaxReceiptDiscount != -1.0;
  const double d = discount ? RandomPercent(random, TestRunSettings.MaxReceiptDiscount) : 0;
  const char* tmpl = nullptr;
  if (LinkSettings.ModelFamily != 2) {
    if (discount) {
      tmpl = Format(kClosePercent, kEsc, r.ReceiptSum, r.ReceiptSum, d, kEsc, kBackslash);
      for (double& v : r.VatSums) {
        v = TestRunSettings.DiscountMethod == 2 ? RoundToCents(v - RoundToCents(d * 0.01 * v))
                                                : RoundToCents((1 - d * 0.01) * v);
      }
    } else {
      tmpl = Format(kClose, kEsc, r.ReceiptSum, r.ReceiptSum, kEsc, kBackslash);
    }
  } else if (discount) {
    double a = RoundToCents(r.ReceiptSum * d * 0.01);
    double rest = r.ReceiptSum - a;
    if (rest < 0.01) {
      a = 0;
      rest = r.ReceiptSum;
    }
    tmpl = Format(kCloseAmount, kEsc, r.ReceiptSum, r.ReceiptSum, a, kEsc, kBackslash);
    if (r.ReceiptSum > 0) {
      int64_t cents[7];
      int64_t current = 0;
      for (size_t i = 0; i < 7; ++i) {
        cents[i] = std::llround(100 * RoundToCents(r.VatSums[i] * (1 - a / r.ReceiptSum)));
        current += cents[i];
      }
      DistributeCents(std::llround(rest * 100), current, cents);
      for (size_t i = 0; i < 7; ++i) r.VatSums[i] = cents[i] * 0.01;
    }
  } else {
    tmpl = Format(kClose, kEsc, r.ReceiptSum, r.ReceiptSum, kEsc, kBackslash);
  }
  r.ReceiptSum = 0;
  for (double v : r.VatSums) r.ReceiptSum += v;
  TestRunSettings.GrandTotal += r.ReceiptSum;
  r.LineIndex = 0;
  return tmpl;
}

void InstallCashTotalsReader(CashTotalsReader reader) {
  cash_totals_reader = reader;
}

bool ReadTotals(double* sum) {
  double totals[7] = {};
  // A read that got no answer leaves the totals of an earlier read; they must not pass for new.
  const bool read = cash_totals_reader != nullptr && cash_totals_reader(totals);
  if (CheckLastCommand() != kCommandExecuted || !read) return false;
  double s = 0;
  for (double t : totals) s += t;
  *sum = s;
  return true;
}

int ShortInterval(int position) {
  return kShortTable[position < 0 ? 0 : position > 5 ? 5 : position];
}

int LongInterval(int position) {
  return kLongTable[position < 0 ? 0 : position > 5 ? 5 : position];
}

void TestRunEngine::Begin() {
  TestReceipt.ReceiptSum = 0;
  TestReceipt.LineIndex = 0;
  receipt_text = std::to_string(TestRunSettings.ReceiptCounter);
  line_text = "1";
  receipt_sum_text = "0.00";
  grand_total_text = TwoDecimals(TestRunSettings.GrandTotal);
  PurgeInput();
  char enq[2] = {kEnq, '\0'};
  SendFrame(enq);
  wait_visible = false;
  random_.Seed(seed_given ? seed : static_cast<uint32_t>(std::time(nullptr)));
  interval_ = ShortInterval(receipt_slider_);
  timer_running = true;
  active_ = true;
  outcome = Outcome::kRunning;
  lines_sent = 0;
  TestReceipt.NameCounter = 1;
  TestReceipt.TickMode = 0;
}

bool TestRunEngine::Close(Outcome why) {
  outcome = why;
  timer_running = false;
  return true;
}

void TestRunEngine::ShowFields() {
  receipt_text = std::to_string(TestRunSettings.ReceiptCounter);
  line_text =
      TestReceipt.LineIndex == 0 ? "Otwarcie par." : std::to_string(TestReceipt.LineIndex - 1);
  receipt_sum_text = TwoDecimals(TestReceipt.ReceiptSum);
  grand_total_text = TwoDecimals(TestRunSettings.GrandTotal);
}

bool TestRunEngine::Tick() {
  // A failed send stopped the timer: the run waits for the operator's interrupt.
  if (!timer_running || !active_) return false;
  timer_running = false;
  TestReceiptRecord& r = TestReceipt;
  if (r.TickMode == 0) {
    char status = 0;
    if (ReadBytes(&status, 1) == 1) {
      EnqStatus = static_cast<uint8_t>(status);
      if ((EnqStatus & kEnqLastCommandOk) == 0) {
        ReadLastErrorCode();
        if (LastErrorNumber > 0) {
          ShowPrinterError();
          return Close(Outcome::kPrinterError);
        }
      }
    } else {
      wait_visible = true;
      StepProgress(&progress_position, &progress_up);
      timer_running = true;
      return false;
    }
  } else if (r.TickMode == 1) {
    if (ReadStatusNumber() != 0) return Close(Outcome::kStatusFailed);
    if (LastErrorNumber != 0) {
      r.LineIndex = 0;
      r.TickMode = 255;
      interval_ = 2000;
      timer_running = true;
      return false;
    }
  }
  wait_visible = false;

  if (r.LineIndex == 0) {
    const char* tmpl = BuildTestOpen(random_);
    if (tmpl != nullptr) FinishCommand(tmpl, kSendOnly);
    interval_ = ShortInterval(receipt_slider_);
  } else if (r.LineIndex <= r.LineCount) {
    interval_ = ShortInterval(line_slider_);
    if (r.LineIndex == 1) ++TestRunSettings.ReceiptCounter;
    const char* tmpl = BuildTestLine(random_);
    if (tmpl != nullptr) FinishCommand(tmpl, kSendOnly);
    ++lines_sent;
    ++r.LineIndex;
  } else {
    interval_ = LongInterval(receipt_slider_);
    const char* tmpl = BuildTestClosing(random_);
    if (tmpl != nullptr) FinishCommand(tmpl, kSendOnly);
    if (TestRunSettings.OpenDrawer != 0 && LinkSettings.ModelFamily == 2) {
      if (RunCommand(kSendOnly, kDrawer, kEsc, kEsc, kBackslash) != 0) return false;
    }
    if (TestRunSettings.TotalsCheck != 0) {
      if (!ReadTotals(&TestRunSettings.TotalsAfter)) return Close(Outcome::kTotalsReadFailed);
      const double diff =
          TestRunSettings.TotalsAfter - TestRunSettings.TotalsBefore - TestRunSettings.GrandTotal;
      if (diff > 0.005 || diff < -0.005) return Close(Outcome::kTotalsMismatch);
    }
    if (TestRunSettings.ReceiptLimit != -1 &&
        TestRunSettings.ReceiptCounter >= static_cast<uint32_t>(TestRunSettings.ReceiptLimit)) {
      ShowFields();
      return Close(Outcome::kLimitReached);
    }
  }
  ShowFields();
  if (SharedPrinterMode == 0) {
    char enq[2] = {kEnq, '\0'};
    if (SendFrame(enq) != 0) return false;
  } else {
    r.TickMode = 1;
  }
  // A reception the operator cancelled means the printer no longer answers: the dialog closes.
  if (AnswerReceived == 0) return Close(Outcome::kNoAnswer);
  timer_running = true;
  return false;
}

void TestRunEngine::CancelOpenTransaction() {
  active_ = false;
  // After a printer error its message has been shown once; the status byte alone says whether
  // a receipt is still open.
  if (outcome == Outcome::kPrinterError) {
    QueryEnqStatus();
  } else {
    CheckLastCommand();
  }
  if ((EnqStatus & kEnqInTransaction) != 0)
    RunCommand(kSendAndCheck, kCancel, kEsc, kEsc, kBackslash);
}

bool TestRunEngine::Escape() {
  const bool was_running = timer_running;
  timer_running = false;
  if (!TheOperator().AskYesNo(kQuestion)) {
    timer_running = was_running;
    return false;
  }
  outcome = Outcome::kInterrupted;
  CancelOpenTransaction();
  return true;
}

void TestRunEngine::Abort() {
  if (outcome == Outcome::kRunning) outcome = Outcome::kInterrupted;
  timer_running = false;
}

// Every way out of the run leaves the printer without an open receipt: also a printer error or a
// failed check, which stop the timer before they close.
void TestRunEngine::End() {
  if (active_) CancelOpenTransaction();
  timer_running = false;
  TestRunSettings.RunRequested = 0;
}

void TestRunEngine::SetLineSlider(int position) {
  line_slider_ = position < 0 ? 0 : position > 5 ? 5 : position;
  interval_ = ShortInterval(line_slider_);
}

void TestRunEngine::SetReceiptSlider(int position) {
  receipt_slider_ = position < 0 ? 0 : position > 5 ? 5 : position;
  interval_ = ShortInterval(line_slider_);
}

void EnterTestRun(const std::function<void()>& show_settings,
                  const std::function<void()>& show_run) {
  show_settings();
  if (LinkSettings.ModelFamily == 2) {
    if (SharedPrinterMode == 0) {
      if (RunCommand(kSendOnly, kDiscountMethod, kEsc, TestRunSettings.DiscountMethod == 1 ? 1 : 0,
                     kEsc, kBackslash) != 0) {
        TestRunSettings.RunRequested = 0;
        return;
      }
    } else if (RunCommand(kSendAndCheck, kSharedOption, kEsc, 3, kEsc, kBackslash) < 0) {
      return;
    }
  }
  if (!ReadTotals(&TestRunSettings.TotalsBefore)) TestRunSettings.RunRequested = 0;
  if (TestRunSettings.RunRequested != 1) return;
  show_run();
  if (LinkSettings.ModelFamily == 2) ReadTotals(&TestRunSettings.TotalsAfter);
}

void DriveTestRun(TestRunEngine& engine, const std::function<bool()>& interrupt,
                  const std::function<void()>& progress) {
  engine.Begin();
  for (;;) {
    if (interrupt && interrupt()) {
      engine.outcome = TestRunEngine::Outcome::kInterrupted;
      break;
    }
    if (engine.Tick()) break;
    if (progress) progress();
    // Without a window nobody could interrupt a run whose ENQ or drawer frame did not go out.
    if (!engine.timer_running) {
      engine.outcome = TestRunEngine::Outcome::kSendFailed;
      break;
    }
    TheClock().Sleep(static_cast<uint32_t>(engine.IntervalMs()));
  }
  engine.End();
}

}  // namespace kelm
