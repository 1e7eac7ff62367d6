// The number formats and line shapes of the report, one table each.
#include "readout/report_format.h"

#include <gtest/gtest.h>

namespace kelm {
namespace {

TEST(ReportFormat, Amounts) {
  EXPECT_EQ(ShortAmount(0), "       0,00");
  EXPECT_EQ(ShortAmount(123), "       1,23");
  EXPECT_EQ(ShortAmount(4294967295u), "42949672,95");
  EXPECT_EQ(CompactAmount(5), "0,05");
  EXPECT_EQ(CompactAmount(100000000), "1000000,00");
  const struct {
    AmountPair pair;
    const char* full;
    const char* compact;
  } pairs[] = {
      {{0, 0}, "          0,00", "0,00"},
      {{0, 999999999}, "    9999999,99", "9999999,99"},
      {{1, 0}, "   10000000,00", "10000000,00"},
      {{12, 345678901}, "  123456789,01", "123456789,01"},
      {{1234, 5}, "12340000000,05", "12340000000,05"},
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(LongAmount(p.pair), p.full);
    EXPECT_EQ(CompactLongAmount(p.pair), p.compact);
  }
}

TEST(ReportFormat, DatesTimesRates) {
  EXPECT_EQ(DateText(PackedDate{20, 26, 1, 9}), "09-01-2026");
  EXPECT_EQ(DateText(PackedDate{20, 5, 12, 31}), "31-12-2005");
  EXPECT_EQ(TimeText(7, 5), " 7:05");
  EXPECT_EQ(TimeText(23, 59), "23:59");
  EXPECT_EQ(RateText(2300), "23,00");
  EXPECT_EQ(RateText(5), "0,05");
}

TEST(ReportFormat, LineShapes) {
  EXPECT_EQ(Centred("AB"), std::string(20, ' ') + "AB" + std::string(20, ' '));
  EXPECT_EQ(Centred("ABC"), std::string(19, ' ') + "ABC" + std::string(20, ' '));
  EXPECT_EQ(Centred(""), std::string(42, ' '));
  EXPECT_EQ(Centred(std::string(45, 'x')), std::string(45, 'x')) << "a longer text is kept whole";
  EXPECT_EQ(TwoColumn("ILOSC", "12"), "ILOSC" + std::string(35, ' ') + "12");
  // Where they meet, the label wins.
  EXPECT_EQ(TwoColumn(std::string(40, 'L'), "VVVV"), std::string(40, 'L') + "VV");
  EXPECT_EQ(TwoColumn(std::string(44, 'L'), "V"), std::string(44, 'L'));
  EXPECT_EQ(Separator(), std::string(42, '-'));
  EXPECT_EQ(BlockSeparator(), std::string(42, '-') + "  ");
  StringSink sink;
  WriteReportLine(sink, "a");
  WriteReportLine(sink, "");
  EXPECT_EQ(sink.text, "a\r\n\r\n");
}

}  // namespace
}  // namespace kelm
