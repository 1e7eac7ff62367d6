// The program's parsers of the diagnostic answers against what the virtual printer answers.
#include <gtest/gtest.h>

#include "catalogue/diagnostics.h"
#include "emulator/wire.h"
#include "link/printer_identity.h"

namespace kelm::emu::test {
namespace {

TEST(AnswersCrossCheck, TypeAnswerGivesTheModelsFamilyVariantAndCopyMode) {
  // The bus OXIL has no row of its own in the program's type table, so it is left out here.
  const char* models[] = {"oxil", "oxil-pro", "vantel", "vantel-bus", "vantel-ke", "salvo", "859"};
  for (const char* model : models) {
    Bench b(model);
    const ModelInfo& info = b.printer.state().Model();
    DetectedTypeRecord type;
    ParseTypeAnswer(b.Send(Frame("1#v", false)).c_str(), &type);
    EXPECT_EQ(type.TypeName, info.type_name) << model;
    EXPECT_EQ(type.VersionText, info.firmware) << model;
    EXPECT_EQ(type.Family, info.family) << model;
    EXPECT_EQ(type.BusVariant, info.variant) << model;
    EXPECT_EQ(type.CopyMode, info.copy_mode) << model;
    EXPECT_FALSE(DetectedTypeDiffers(type, info.family, info.variant, info.copy_mode)) << model;
  }
}

TEST(AnswersCrossCheck, CashInformationAfterAReceiptAndADailyReport) {
  for (const char* model : {"oxil-pro", "vantel"}) {
    Bench b(model);
    int family = b.printer.state().Model().family;
    ASSERT_EQ(b.Run("0$h"), 0);
    ASSERT_EQ(b.Run("1$lX\r2\rA/1.50/3.00/"), 0);
    ASSERT_EQ(b.Run("2$lY\r1\rG/0.99/0.99/"), 0);
    ASSERT_EQ(b.Run("1$e\r5.00/3.99/"), 0);
    CashInfoRecord info;
    ParseCashInfoAnswer(b.Send(Frame(family == 2 ? "23#s" : "7#s", false)).c_str(), family, &info);
    EXPECT_EQ(info.Mode, 0) << model;
    EXPECT_DOUBLE_EQ(info.Rates[0], 23.0);
    EXPECT_DOUBLE_EQ(info.Rates[4], 101.0);
    EXPECT_DOUBLE_EQ(info.Rates[6], 100.0);
    EXPECT_EQ(info.ReceiptCount, 1);
    EXPECT_DOUBLE_EQ(info.Totals[0], 3.0);
    EXPECT_DOUBLE_EQ(info.Totals[6], 0.99);
    EXPECT_DOUBLE_EQ(info.Cash, 3.99) << model;
    EXPECT_EQ(info.UniqueNumber, "KLM 12345678");
    EXPECT_EQ(LastRecordDateText(info), "Brak");
    if (family != 2) {
      EXPECT_DOUBLE_EQ(info.TotZ, 3.99);
    }

    ASSERT_EQ(b.Run("0#r"), 0);
    EXPECT_EQ(b.Run("9;9$3"), 3);
    ParseCashInfoAnswer(b.Send(Frame(family == 2 ? "23#s" : "7#s", false)).c_str(), family, &info);
    EXPECT_EQ(info.LastError, 3);
    EXPECT_DOUBLE_EQ(info.Totals[0], 0.0);
    EXPECT_EQ(LastRecordDateText(info), "05-07-2024") << model;
  }
}

TEST(AnswersCrossCheck, ClockCheckCodeAndReceiveBuffer) {
  Bench b("salvo");
  PrinterClockRecord clock;
  ASSERT_TRUE(ParseClockAnswer(b.Send(Frame("0#c")).c_str(), &clock));
  EXPECT_EQ(clock.Year, 24);
  EXPECT_EQ(clock.Month, 7);
  EXPECT_EQ(clock.Day, 5);
  EXPECT_EQ(clock.Hour, 12);
  EXPECT_EQ(clock.Minute, 30);

  bool ok = false;
  std::string code = ParseCheckCodeAnswer(b.Send(Frame("1;170#v0/262144/")).c_str(), &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(code.size(), 40u);

  b.Run("0;1$!");
  std::string buffer = b.Send(Frame("$0"));
  std::vector<std::string> lines = ReceiveBufferLines(buffer.c_str(), buffer.size());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 5), "0;1$!");
}

}  // namespace
}  // namespace kelm::emu::test
