// Test-transaction runs: an unattended series of generated receipts. The settings the operator
// accepts, the receipt being generated, the generator, the frames of a generated receipt, the
// grosz distribution of a receipt discount, and the timer-driven engine of the run dialog.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "protocol/operator.h"

namespace kelm {

struct TestRunSettingsRecord {
  int32_t ReceiptLimit = -1;    // -1: without limit
  int32_t FixedLineCount = -1;  // -1: random between LineMin and LineMax
  int32_t LineMin = 0;
  int32_t LineMax = 48;
  double MaxLineDiscount = 99.99;  // -1.0: no line discounts
  double MaxReceiptDiscount = 99.99;
  uint8_t OnLine = 0;
  uint8_t DiscountMethod = 2;
  uint8_t OpenDrawer = 1;
  uint8_t TotalsCheck = 0;
  uint8_t UniqueNames = 0;
  uint8_t RunRequested = 0;
  double GrandTotal = 0;
  uint32_t ReceiptCounter = 0;
  double TotalsBefore = 0;
  double TotalsAfter = 0;
};
extern TestRunSettingsRecord TestRunSettings;

struct TestReceiptRecord {
  std::array<double, 7> VatSums{};
  int32_t LineIndex = 0;
  int32_t LineCount = 0;
  double ReceiptSum = 0;
  uint32_t NameCounter = 1;
  uint32_t TickMode = 0;  // 0 ENQ byte, 1 status frame, 255 pause after a refusal
};
extern TestReceiptRecord TestReceipt;

// Both records back to their start values.
void ResetTestRun();

// The fixed list of item names (UTF-8); a name's VAT letter is "A" + (position mod 3).
inline constexpr int kTestItemNameCount = 640;
const std::array<std::string, kTestItemNameCount>& TestItemNames();

// The classic linear congruential generator: values 0 to 32767.
class TestRandom {
 public:
  void Seed(uint32_t seed) { seed_ = seed; }
  int Next() {
    seed_ = seed_ * 22695477u + 1u;
    return static_cast<int>((seed_ >> 16) & 0x7FFF);
  }
  // A value modulo n (n above 0), so never above 32767.
  int Below(int64_t n) { return static_cast<int>(Next() % n); }

 private:
  uint32_t seed_ = 1;
};

// A percentage from 0 to just below `max`, in steps of 0.01.
double RandomPercent(TestRandom& random, double max);

// Makes the seven groups of grosze sum to `target` (from `current`), as a receipt discount's
// rest is spread over the VAT groups.
void DistributeCents(int64_t target, int64_t current, int64_t cents[7]);

// The fields of the settings dialog, as texts and choices.
struct TestRunForm {
  bool limited = false;  // "Określona liczba paragonów"
  std::string receipt_count = "0";
  bool fixed_lines = false;  // "Ustalona"
  std::string fixed_count = "0";
  std::string line_min = "0";
  std::string line_max = "48";
  bool line_discount = true;  // "Generowany losowo"
  std::string line_discount_max = "99,99";
  bool receipt_discount = true;
  std::string receipt_discount_max = "99,99";
  bool method1 = true;  // "Metoda 1"
  bool on_line = false;
  bool open_drawer = true;
  bool totals_check = false;
  bool unique_names = false;
};

// "&Rozpocznij": the fiscal-mode check, every field with its message, then TestRunSettings.
// Returns true when the settings were accepted (RunRequested 1); false leaves the dialog open.
bool AcceptTestRunSettings(const TestRunForm& form);

// The frames of a generated receipt, formatted into CommandFrame; each advances TestReceipt and
// returns its template (nullptr when the frame did not fit).
const char* BuildTestOpen(TestRandom& random);
const char* BuildTestLine(TestRandom& random);
// The closing of LinkSettings.ModelFamily; adds the receipt to GrandTotal.
const char* BuildTestClosing(TestRandom& random);

// Reads the cash information and gives the seven VAT totals; installed by the program (the cash
// information is read by a room the sales room does not reach). Returns false when no answer came.
using CashTotalsReader = bool (*)(double totals[7]);
void InstallCashTotalsReader(CashTotalsReader reader);
// The cash information, its command check and the sum of the seven totals. False on failure.
bool ReadTotals(double* sum);

// The slider tables of the run dialog, in milliseconds, by position 0 to 5.
int ShortInterval(int position);
int LongInterval(int position);

// The engine of the run dialog TDrukTransTest: one command per tick.
class TestRunEngine : public ModalWait {
 public:
  static constexpr const char* kCaption = "Druowanie transakcji testowych";
  static constexpr const char* kHeading = "Drukowanie transakcji testowych";
  static constexpr const char* kWaitText = "Czekam na odpowiedź od drukarki ....";
  static constexpr const char* kQuestion = "Przerwać drukowanie transakcji testowych?";

  // How the run ended.
  enum class Outcome {
    kRunning,
    kLimitReached,
    kPrinterError,
    kStatusFailed,
    kTotalsReadFailed,
    kTotalsMismatch,
    kInterrupted,
    kNoAnswer,
    kSendFailed
  };

  const char* DialogName() const override { return "TDrukTransTest"; }
  int IntervalMs() const override { return fixed_interval_ms >= 0 ? fixed_interval_ms : interval_; }
  void Begin() override;
  bool Tick() override;
  // "&Przerwij" and Esc: asks; No lets the run go on.
  bool Escape() override;
  // The window closed without the question.
  void Abort() override;
  void End() override;

  void SetLineSlider(int position);
  void SetReceiptSlider(int position);
  int line_slider() const { return line_slider_; }
  int receipt_slider() const { return receipt_slider_; }

  // Options before Begin: the seed (the time in seconds when not set) and one interval for every
  // tick instead of the tables (kelmctl --interval).
  bool seed_given = false;
  uint32_t seed = 0;
  int fixed_interval_ms = -1;

  // Visible state for the dialog.
  std::string receipt_text, line_text, receipt_sum_text, grand_total_text;
  bool wait_visible = false;
  int progress_position = 0;
  bool progress_up = true;
  bool timer_running = false;
  Outcome outcome = Outcome::kRunning;
  uint32_t lines_sent = 0;

 private:
  bool Close(Outcome why);
  void ShowFields();
  void CancelOpenTransaction();
  TestRandom random_;
  int interval_ = 1;
  int line_slider_ = 0;
  int receipt_slider_ = 0;
  bool active_ = false;
};

// The entry from the transaction tree for LinkSettings.ModelFamily: the settings dialog, the
// family's discount-method command, the totals before, the run dialog, the totals after.
void EnterTestRun(const std::function<void()>& show_settings,
                  const std::function<void()>& show_run);

// Drives a run without a window until it ends: ticks, sleeps the interval through the clock, and
// asks `interrupt` before every tick whether the operator wants to stop (then the interrupt path
// runs without the question). `progress` runs after every tick.
void DriveTestRun(TestRunEngine& engine, const std::function<bool()>& interrupt,
                  const std::function<void()>& progress);

}  // namespace kelm
