// The test run's parts without a printer: the generator's first values, the grosz distribution,
// the generated frames for known draws, and every message of the settings dialog.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/diagnostics_queries.h"
#include "link/link_fixture.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/frame.h"
#include "sales/test_run.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

const std::string E = "\x1b";
const std::string End = "\x1b\\";

TEST(TestRandomTest, FirstValuesOfKnownSeeds) {
  const struct {
    uint32_t seed;
    std::vector<int> values;
  } rows[] = {
      {0, {0, 346, 130, 10982, 1090, 11656}},
      {1, {346, 130, 10982, 1090, 11656, 7117}},
      {12345, {15301, 24996, 10921, 23577, 19316, 10386}},
  };
  for (const auto& row : rows) {
    TestRandom random;
    random.Seed(row.seed);
    for (int v : row.values) EXPECT_EQ(random.Next(), v) << row.seed;
  }
  // A bound above 32767 cannot be reached: the value is taken modulo n.
  TestRandom random;
  random.Seed(1);
  EXPECT_EQ(random.Below(100000), 346);
  EXPECT_EQ(random.Below(49), 130 % 49);
  // RandomPercent: hundredths below the rounded maximum; a maximum under 0.01 gives 0.
  random.Seed(1);
  EXPECT_DOUBLE_EQ(RandomPercent(random, 99.99), 346 * 0.01);
  EXPECT_DOUBLE_EQ(RandomPercent(random, 0.004), 0);
  EXPECT_DOUBLE_EQ(RandomPercent(random, 1.0), (130 % 100) * 0.01);
}

TEST(DistributeCentsTest, DocumentedCasesAndRandomVectors) {
  const struct {
    int64_t target;
    std::vector<int64_t> before, after;
  } rows[] = {
      {151, {100, 50, 0, 0, 0, 0, 0}, {101, 50, 0, 0, 0, 0, 0}},
      {103, {40, 30, 30, 0, 0, 0, 0}, {41, 31, 31, 0, 0, 0, 0}},
      {38, {30, 10, 0, 0, 0, 0, 0}, {29, 9, 0, 0, 0, 0, 0}},
      {40, {30, 10, 0, 0, 0, 0, 0}, {30, 10, 0, 0, 0, 0, 0}},
      // Equal groups keep their index order: the earlier one gets the grosz.
      {21, {0, 10, 10, 0, 0, 0, 0}, {0, 11, 10, 0, 0, 0, 0}},
      // Nothing to take from: the walk stops instead of circling for ever.
      {0, {0, 0, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0, 0}},
      {-5, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    std::vector<int64_t> cents = row.before;
    int64_t current = 0;
    for (int64_t c : cents) current += c;
    DistributeCents(row.target, current, cents.data());
    EXPECT_EQ(cents, row.after) << row.target;
  }
  std::mt19937 gen(20261209);
  for (int round = 0; round < 5000; ++round) {
    int64_t cents[7];
    int64_t current = 0;
    for (int64_t& c : cents) {
      c = gen() % 4 == 0 ? 0 : gen() % 5000;
      current += c;
    }
    const int64_t target = current + static_cast<int64_t>(gen() % 41) - 20;
    if (target < 0) continue;
    DistributeCents(target, current, cents);
    int64_t sum = 0;
    for (int64_t c : cents) {
      EXPECT_GE(c, 0);
      sum += c;
    }
    ASSERT_EQ(sum, target) << round;
  }
}

TEST(TestItemNamesTest, FixedListOfSixHundredFortyNames) {
  const auto& names = TestItemNames();
  int polish = 0;
  for (const std::string& name : names) {
    size_t characters = 0;
    for (unsigned char c : name) characters += (c & 0xC0) != 0x80;
    EXPECT_GE(characters, 9u) << name;
    EXPECT_LE(characters, 75u) << name;
    polish += characters != name.size();
  }
  EXPECT_GT(polish, 0);
  EXPECT_EQ(names[581], "Pakiet biurowy ACME 802.11g Wireless (zestaw)");
}

class TestRunFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTestRun();
    TestRunSettings.MaxLineDiscount = -1.0;
    TestRunSettings.MaxReceiptDiscount = -1.0;
    TestReceipt.LineIndex = 1;
  }
  std::string Frame(const char* tmpl) {
    EXPECT_NE(tmpl, nullptr);
    return CommandFrame;
  }
  // A receipt of 10.00 at A and 5.55 at B, ready to close.
  void TwoGroups() {
    TestReceipt.VatSums = {10.00, 5.55, 0, 0, 0, 0, 0};
    TestReceipt.ReceiptSum = 15.55;
  }
  test::SeamGuard seams;
  TestRandom random;
};

TEST_F(TestRunFrames, OpeningsAndLinesForKnownDraws) {
  TestRunSettings.FixedLineCount = 3;
  EXPECT_EQ(Frame(BuildTestOpen(random)), E + "P3$hxx" + End);
  EXPECT_EQ(TestReceipt.LineIndex, 1);
  TestRunSettings.OnLine = 1;
  EXPECT_EQ(Frame(BuildTestOpen(random)), E + "P0$hxx" + End);
  // Seed 0 draws 0 first: a random count of 0 is drawn again (346 mod 49 = 3).
  TestRunSettings = TestRunSettingsRecord();
  TestRunSettings.LineMin = 0;
  TestRunSettings.LineMax = 48;
  random.Seed(0);
  EXPECT_EQ(Frame(BuildTestOpen(random)), E + "P3$hxx" + End);

  // Seed 1: quantity 346 mod 10 = 6, price 130 grosze; unique names are numbers at "A".
  TestRunSettings.MaxLineDiscount = -1.0;
  TestRunSettings.UniqueNames = 1;
  random.Seed(1);
  EXPECT_EQ(Frame(BuildTestLine(random)), E + "P1$l1\r6.00\rA/1.30/7.80/xx" + End);
  EXPECT_EQ(TestReceipt.NameCounter, 2u);
  // With a line discount the next draw is the percentage: 10982 mod 9999 = 9.83 %.
  TestRunSettings.MaxLineDiscount = 99.99;
  TestRunSettings.DiscountMethod = 2;
  TestReceipt.LineIndex = 2;
  random.Seed(1);
  EXPECT_EQ(Frame(BuildTestLine(random)), E + "P2;2$l2\r6.00\rA/1.30/7.80/9.83/xx" + End);
  EXPECT_NEAR(TestReceipt.ReceiptSum, 7.80 + 7.03, 1e-9);
  EXPECT_NEAR(TestReceipt.VatSums[0], 7.80 + 7.03, 1e-9);

  // Seed 12345 from the list: 15301 mod 640 = 581, letter "A" + 581 mod 3; cut to 40 bytes.
  TestRunSettings.UniqueNames = 0;
  TestRunSettings.MaxLineDiscount = -1.0;
  TestReceipt.LineIndex = 1;
  random.Seed(12345);
  EXPECT_EQ(Frame(BuildTestLine(random)),
            E + "P1$lPakiet biurowy ACME 802.11g Wireless (ze\r6.00\rC/109.21/655.26/xx" + End);
  EXPECT_NEAR(TestReceipt.VatSums[2], 655.26, 1e-9);
}

TEST_F(TestRunFrames, ClosingsPerFamily) {
  const struct {
    const char* what;
    int family;
    uint32_t seed;
    bool discount;
    std::string frame;
    std::array<double, 7> sums_after;
  } rows[] = {
      {"families 0 and 1 without discount",
       0,
       1,
       false,
       E + "P1$e00A\r15.55/15.55/xx" + End,
       {10.00, 5.55}},
      // 3.46 % of each group, rounded on its own: 0.35 and 0.19.
      {"families 0 and 1, percentage",
       1,
       1,
       true,
       E + "P1;0;0;0;1$e00A\r15.55/15.55/3.46/xx" + End,
       {9.65, 5.36}},
      {"family 2 without discount",
       2,
       1,
       false,
       E + "P1$e00A\r15.55/15.55/xx" + End,
       {10.00, 5.55}},
      // 3.46 % of 15.55 is the amount 0.54, spread over the groups to leave 15.01.
      {"family 2, amount",
       2,
       1,
       true,
       E + "P1;0;0;0;3$e00A\r15.55/15.55/0.54/xx" + End,
       {9.65, 5.36}},
  };
  for (const auto& row : rows) {
    SetUp();
    TwoGroups();
    LinkSettings.ModelFamily = static_cast<uint8_t>(row.family);
    TestRunSettings.DiscountMethod = 2;
    TestRunSettings.MaxReceiptDiscount = row.discount ? 99.99 : -1.0;
    TestRunSettings.GrandTotal = 100;
    random.Seed(row.seed);
    EXPECT_EQ(Frame(BuildTestClosing(random)), row.frame) << row.what;
    for (size_t i = 0; i < 7; ++i) {
      EXPECT_NEAR(TestReceipt.VatSums[i], row.sums_after[i], 1e-9) << row.what << " " << i;
    }
    const double sum = row.sums_after[0] + row.sums_after[1];
    EXPECT_NEAR(TestReceipt.ReceiptSum, sum, 1e-9) << row.what;
    EXPECT_NEAR(TestRunSettings.GrandTotal, 100 + sum, 1e-9) << row.what;
    EXPECT_EQ(TestReceipt.LineIndex, 0) << row.what;
  }
  // Family 2, a receipt of 0.01: 53.02 % would leave nothing, so the discount is dropped.
  SetUp();
  LinkSettings.ModelFamily = 2;
  TestRunSettings.MaxReceiptDiscount = 99.99;
  TestReceipt.VatSums = {0.01};
  TestReceipt.ReceiptSum = 0.01;
  random.Seed(12345);
  EXPECT_EQ(Frame(BuildTestClosing(random)), E + "P1;0;0;0;3$e00A\r0.01/0.01/0.00/xx" + End);
  EXPECT_NEAR(TestRunSettings.GrandTotal, 0.01, 1e-9);
}

struct FormRow {
  const char* what;
  void (*edit)(TestRunForm*);
  const char* message;  // nullptr: accepted, or refused silently when `accepted` is false
  bool accepted;
};

TEST(TestRunSettingsTest, EveryMessageOfTheSettingsDialog) {
  const FormRow rows[] = {
      {"defaults", [](TestRunForm*) {}, nullptr, true},
      {"limit 0", [](TestRunForm* f) { f->limited = true; }, nullptr, false},
      {"count not a number, even unchosen", [](TestRunForm* f) { f->receipt_count = "1a"; },
       "Błędna Wartość : Liczba paragonów -> Oreślona liczba paragonów", false},
      {"negative limit",
       [](TestRunForm* f) {
         f->limited = true;
         f->receipt_count = "-3";
       },
       "Błędna Wartość : Liczba paragonów -> Oreślona liczba paragonów", false},
      {"fixed count not a number", [](TestRunForm* f) { f->fixed_count = ""; },
       "Błędna Wartość : Liczba pozycji paragonu -> Ustalona", false},
      {"fixed count 0 chosen", [](TestRunForm* f) { f->fixed_lines = true; },
       "Błędna Wartość : Liczba pozycji paragonu -> Ustalona", false},
      {"from", [](TestRunForm* f) { f->line_min = "x"; },
       "Błędna Wartość : Liczba pozycji paragonu -> Od", false},
      {"to", [](TestRunForm* f) { f->line_max = "4.5"; },
       "Błędna Wartość : Liczba pozycji paragonu -> Do", false},
      {"random up to 0", [](TestRunForm* f) { f->line_max = "0"; },
       "Błędna Wartość : Liczba pozycji paragonu -> Do", false},
      {"to below from, even with a fixed count",
       [](TestRunForm* f) {
         f->fixed_lines = true;
         f->fixed_count = "2";
         f->line_min = "5";
         f->line_max = "3";
       },
       "Błędna Wartość : Liczba pozycji paragonu: Do < Od ", false},
      {"line discount 100", [](TestRunForm* f) { f->line_discount_max = "100"; },
       "Błędna Wartość : Rabat do pozycji -> Wartość maks. [%]", false},
      {"line discount negative", [](TestRunForm* f) { f->line_discount_max = "-1"; },
       "Błędna Wartość : Rabat do pozycji -> Wartość maks. [%]", false},
      {"line discount not a number with Brak",
       [](TestRunForm* f) {
         f->line_discount = false;
         f->line_discount_max = "dużo";
       },
       "Błędna Wartość : Rabat do pozycji -> Wartość maks. [%]", false},
      {"line discount 100 with Brak",
       [](TestRunForm* f) {
         f->line_discount = false;
         f->line_discount_max = "100";
       },
       nullptr, true},
      {"line discount 99.99", [](TestRunForm* f) { f->line_discount_max = "99.99"; }, nullptr,
       true},
      {"receipt discount 100", [](TestRunForm* f) { f->receipt_discount_max = "100,00"; },
       "Błędna Wartość : Rabat do całej transakcji -> Wartość maks. [%]", false},
  };
  for (const FormRow& row : rows) {
    test::SeamGuard seams;
    SharedPrinterMode = 1;  // no status query: the fields alone decide
    TestRunSettings.RunRequested = 7;
    TestRunSettings.GrandTotal = 12;
    TestRunForm form;
    row.edit(&form);
    EXPECT_EQ(AcceptTestRunSettings(form), row.accepted) << row.what;
    if (row.message == nullptr) {
      EXPECT_TRUE(seams.op.messages.empty()) << row.what;
    } else {
      ASSERT_EQ(seams.op.messages.size(), 1u) << row.what;
      EXPECT_EQ(seams.op.messages[0], row.message) << row.what;
    }
    EXPECT_EQ(TestRunSettings.RunRequested, row.accepted ? 1 : 7) << row.what;
    EXPECT_EQ(TestRunSettings.GrandTotal, row.accepted ? 0 : 12) << row.what;
  }
  // What the defaults store; the discount method depends on the family.
  test::SeamGuard seams;
  SharedPrinterMode = 1;
  LinkSettings.ModelFamily = 2;
  TestRunForm form;
  form.line_discount = false;
  ASSERT_TRUE(AcceptTestRunSettings(form));
  EXPECT_EQ(TestRunSettings.ReceiptLimit, -1);
  EXPECT_EQ(TestRunSettings.FixedLineCount, -1);
  EXPECT_EQ(TestRunSettings.LineMax, 48);
  EXPECT_EQ(TestRunSettings.MaxLineDiscount, -1.0);
  EXPECT_DOUBLE_EQ(TestRunSettings.MaxReceiptDiscount, 99.99);
  EXPECT_EQ(TestRunSettings.DiscountMethod, 1);
  LinkSettings.ModelFamily = 1;
  ASSERT_TRUE(AcceptTestRunSettings(form));
  EXPECT_EQ(TestRunSettings.DiscountMethod, 2);
}

// With a shared printer every command is answered by a status frame instead of the ENQ byte; a
// refusal restarts the receipt with an opening after 2 s.
class SharedPrinterRun : public test::LinkTest {};

TEST_F(SharedPrinterRun, StatusFramesDriveTheRunAndARefusalReopens) {
  UseTcp();
  seams.op.on_tick = [](ModalWait&, int) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  const std::string ok = "\x1bP0#\x1b\\";
  printer->On("$h", ok);
  printer->On("$l", "\x1bP5#\x1b\\", 0, 1);
  printer->On("$l", ok);
  printer->On("$e", ok);
  printer->AnswerStatus(0x64);
  SharedPrinterMode = 1;
  LinkSettings.ModelFamily = 2;
  TestRunSettings.ReceiptLimit = 1;
  TestRunSettings.FixedLineCount = 1;
  TestRunSettings.MaxLineDiscount = -1.0;
  TestRunSettings.MaxReceiptDiscount = -1.0;
  TestRunSettings.OpenDrawer = 0;
  TestRunSettings.UniqueNames = 1;
  TestRunSettings.RunRequested = 1;
  TestRunEngine engine;
  engine.seed_given = true;
  engine.Begin();
  const auto tick = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return engine.Tick();
  };
  EXPECT_FALSE(tick());  // the ENQ byte of the opening of the dialog, then the receipt's opening
  EXPECT_EQ(TestReceipt.TickMode, 1u);
  EXPECT_FALSE(tick());  // "$h" accepted, the line sent
  EXPECT_FALSE(tick());  // the line refused: the receipt starts again after 2 s
  EXPECT_EQ(TestReceipt.TickMode, 255u);
  EXPECT_EQ(TestReceipt.LineIndex, 0);
  EXPECT_EQ(engine.IntervalMs(), 2000);
  EXPECT_FALSE(tick());  // the opening again
  EXPECT_EQ(TestReceipt.LineIndex, 1);
  EXPECT_FALSE(tick());  // the line
  EXPECT_TRUE(tick());   // the closing, and with it the limit
  EXPECT_EQ(TestReceipt.LineIndex, 0);
  engine.End();
  EXPECT_EQ(engine.outcome, TestRunEngine::Outcome::kLimitReached);
  EXPECT_EQ(TestRunSettings.RunRequested, 0);
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages.front();
  const std::string sent = printer->Received();
  size_t openings = 0;
  for (size_t at = sent.find("$h"); at != std::string::npos; at = sent.find("$h", at + 1)) {
    ++openings;
  }
  EXPECT_EQ(openings, 2u) << sent;
}

// The family's entry: what goes to the printer between the settings dialog and the run dialog,
// and after it. The cash query's ENQ is CheckLastCommand's.
class TestRunEntry : public test::LinkTest {
 protected:
  TestRunEntry() { InstallCashTotalsReader(ReadCashTotals); }
  ~TestRunEntry() override { InstallCashTotalsReader(nullptr); }
};

TEST_F(TestRunEntry, FamilyCommandsAroundTheRun) {
  const auto checked = [](std::string frame) {
    frame.resize(kFrameBufferSize);
    ApplyChecksum(frame.data());
    return std::string(frame.c_str());
  };
  const std::string enq = "\x05";
  const std::string cash7 = E + "P7#s" + End + enq, cash23 = E + "P23#s" + End + enq;
  const struct {
    uint8_t family, shared, method;
    std::string before, after;
  } rows[] = {
      {0, 0, 2, cash7, ""},
      {1, 1, 2, cash7, ""},
      {2, 0, 1, checked(E + "P1$rcc" + End) + cash23, cash23},
      {2, 0, 2, checked(E + "P0$rcc" + End) + cash23, cash23},
      // A shared printer is told to answer every command with its status first, and checked.
      {2, 1, 1, checked(E + "P3#ecc" + End) + enq + cash23, cash23},
  };
  for (const auto& row : rows) {
    UseTcp();
    printer->On("#s", E + "P1#X0;0;0;0;0;0;0;0;0/" + End);
    printer->AnswerStatus(0x64);
    LinkSettings.ModelFamily = row.family;
    SharedPrinterMode = row.shared;
    std::string at_run;
    EnterTestRun(
        [&] {
          TestRunSettings.RunRequested = 1;
          TestRunSettings.DiscountMethod = row.method;
        },
        [&] {
          printer->WaitQuiet(20);
          at_run = printer->Received();
        });
    printer->WaitQuiet(20);
    const std::string what = "family " + std::to_string(row.family) + " shared " +
                             std::to_string(row.shared) + " method " + std::to_string(row.method);
    EXPECT_EQ(at_run, row.before) << what;
    EXPECT_EQ(printer->Received(), row.before + row.after) << what;
    EXPECT_TRUE(seams.op.messages.empty()) << what;
  }
}

}  // namespace
}  // namespace kelm
