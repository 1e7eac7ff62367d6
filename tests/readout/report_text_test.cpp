// The periodic report text of a paper-copy printer (layout 90), whole, written out by hand from
// the printer's formats; and the readout's edge cases: empty range, two currencies, totals that
// disagree, damaged records, overflow and carry.
#include <gtest/gtest.h>

#include "readout/periodic_report.h"
#include "readout/stream.h"

namespace kelm {
namespace {

using test::Body;
using test::ExpectLines;

std::string sp(int n) {
  return std::string(size_t(n), ' ');
}
const std::string kDashes(42, '-');
const std::string kBlock = kDashes + "  ";

ReadoutModel PaperPrinter() {
  ReadoutModel m;
  m.family = 2;
  m.version = 200;
  return m;
}

test::HeadSpec Shop() {
  test::HeadSpec h;
  h.header = "\x0eSKLEP\x14\nul. Polna 1\r\n00-001 Warszawa";
  return h;
}

// Tax rates: A 22 % then 23 %, B 7 %, C exempt.
std::string Rates1() {
  return test::TaxRateBody(31, 1, 2026, 1, 1, {2200, 700}, {1, 1, 2}).Record(4);
}
std::string Rates2() {
  return test::TaxRateBody(31, 2, 2026, 12, 3, {2300, 700}, {1, 1, 2}).Record(4);
}

// Report 15: A 122,00 with 22,00 VAT, B 10,70 with 0,70, C 5,00 exempt; 12 receipts.
Body Report15() {
  Body b(90);
  b.U16(1, 15).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15).U8(9, 30).U8(10, 1);
  b.U16(19, 12).U32(21, 2200).U32(25, 70).U32(49, 12200).U32(53, 1070).U32(57, 500);
  return b.U32(77, 13770);
}

// Report 16: A 24,60 with 4,60 VAT; a RAM reset of the sales registers; one cancelled receipt.
Body Report16() {
  Body b(90);
  b.U16(1, 16).Date(3, 2026, 12, 3).U8(7, 21).U8(8, 0).U8(10, 2).U8(11, 1).U8(12, 0xAA);
  b.U16(19, 3).U32(21, 460).U32(49, 2460).U32(77, 2460);
  return b.U16(81, 1).U32(83, 999);
}

test::RangeSpec TwoReports() {
  test::RangeSpec r;
  r.count = 2;
  r.first_number = 15;
  r.last_number = 16;
  return r;
}

std::string Closing(uint16_t count, uint32_t dueLow, uint32_t vatLow, uint8_t resets = 0,
                    uint32_t dueHigh = 0) {
  test::RangeSpec c = TwoReports();
  c.count = count;
  c.dueHigh = dueHigh;
  c.dueLow = dueLow;
  c.vatLow = vatLow;
  c.resets = resets;
  return test::RangeBody(c).Record(11);
}

std::string TwoDayStream(const std::string& closing) {
  return test::HeadRecords({}, Shop()) + test::RangeBody(TwoReports()).Record(10) +
         test::CurrencyBody("PLN", 1).Record(12) + Report15().Record(5) + Rates1() +
         Report16().Record(5) + Rates2() + closing;
}

ReadoutResult Read(const std::string& stream, const ReportRequest& request, std::string* text,
                   const ReadoutModel& model = PaperPrinter()) {
  BufferRecordLink link(stream);
  StringSink sink;
  const ReadoutResult result = ReadPeriodicReport(link, model, request, sink, "09-12-2026");
  *text = sink.text;
  return result;
}

const std::vector<std::string> kTaxRates1 = {
    kBlock,
    "Zapis PTU dn.  01-01-2026",
    "PTU A  22,00%",
    "PTU B   7,00%",
    "    C  SP.ZW.PTU",
    "    D    -",
    "    E    -",
    "    F    -",
    "    G    -",
};
const std::vector<std::string> kTaxRates2 = {
    kBlock,
    "Zapis PTU dn.  03-12-2026",
    "PTU A  23,00%",
    "PTU B   7,00%",
    "    C  SP.ZW.PTU",
    "    D    -",
    "    E    -",
    "    F    -",
    "    G    -",
};
const std::vector<std::string> kCurrency = {
    "WALUTA EWIDENCYJNA" + sp(21) + "PLN",
    "Zapis waluty ewid. dn. 01-01-2026  0:00",
};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(ReportText, FullReportOfAPaperCopyPrinter) {
  std::string text;
  const ReadoutResult result = Read(TwoDayStream(Closing(2, 16230, 2730, 1)), {}, &text);
  EXPECT_EQ(result.code, kRecordGood);
  EXPECT_TRUE(result.success);
  EXPECT_EQ(result.passes, 1);
  EXPECT_EQ(result.first_number, 15u);
  EXPECT_EQ(result.last_number, 16u);
  EXPECT_EQ(result.unique_number, "ABC 12345678");
  const std::vector<std::string> head = {
      "S K L E P ",
      "ul. Polna 1",
      "00-001 Warszawa",
      sp(12) + "NIP: 525-000-00-00" + sp(12),
      "09-12-2026" + sp(31) + "1",
      kDashes,
      "",
      sp(9) + "RAPORT FISKALNY OKRESOWY" + sp(9),
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(11) + "Nr rap.  Od 15 do 16" + sp(11),
      "",
  };
  const std::vector<std::string> day15 = {
      kBlock,
      "02-12-2026                   Nr rap.    15",
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(12) + "     122,00",
      "SPRZED. OPOD. PTU B" + sp(12) + "      10,70",
      "SPRZED. ZWOL. PTU C" + sp(12) + "       5,00",
      "KWOTA PTU A" + sp(20) + "      22,00",
      "KWOTA PTU B" + sp(20) + "       0,70",
      "ŁĄCZNA KWOTA PTU" + sp(15) + "      22,70",
      "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "     137,70",
      "ILOŚĆ PARAGONÓW" + sp(22) + "   12",
      "ILOŚĆ POZYCJI" + sp(24) + "   16",  // 7 rate lines, 9 of the report
  };
  const std::vector<std::string> day16 = {
      kBlock,
      "03-12-2026                   Nr rap.    16",
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(12) + "      24,60",
      "SPRZED. OPOD. PTU B" + sp(12) + "       0,00",
      "SPRZED. ZWOL. PTU C" + sp(12) + "       0,00",
      "KWOTA PTU A" + sp(20) + "       4,60",
      "KWOTA PTU B" + sp(20) + "       0,00",
      "ŁĄCZNA KWOTA PTU" + sp(15) + "       4,60",
      "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      24,60",
      kDashes,
      "ZEROWANIE RAM  nr 1" + sp(7) + "03-12-2026 21:00",
      " - Rejestry sprzedaży",
      kDashes,
      "PARAGONÓW ANULOWANYCH 1" + sp(8) + "       9,99",
      "ILOŚĆ PARAGONÓW" + sp(22) + "    3",
      "ILOŚĆ POZYCJI" + sp(24) + "   19",
  };
  const std::vector<std::string> summary = {
      kBlock,
      "",
      sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10),
      "",
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(11) + "Nr rap.  Od 15 do 16" + sp(11),
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(9) + "        146,60",
      "SPRZED. OPOD. PTU B" + sp(9) + "         10,70",
      "SPRZED. ZWOL. PTU C" + sp(19) + "5,00",
      "KWOTA PTU A+" + sp(16) + "         26,60",  // A went from 22 % to 23 %
      "KWOTA PTU B " + sp(16) + "          0,70",
      "ŁĄCZNA KWOTA PTU" + sp(12) + "         27,30",
      "ŁĄCZNA NALEZNOSC" + sp(12) + "        162,30",
      "LICZBA ZEROWAŃ RAM" + sp(23) + "1",
      "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "0",
      "PARAGONOW ANULOWANYCH 1     " + sp(10) + "9,99",
      "ILOŚĆ PARAGONÓW" + sp(25) + "15",
  };
  const std::vector<std::string> footer = {
      kDashes, "#OPF Kasa 1" + sp(26) + "14:35", "", sp(15) + "ABC 12345678" + sp(15), "\t\t\t",
  };
  ExpectLines(text, Join({head, kTaxRates1, day15, kCurrency, kTaxRates2, day16, kCurrency, summary,
                          kCurrency, footer}));
}

TEST(ReportText, ShortReportLeavesOutTheDailyReports) {
  std::string text;
  ReportRequest request;
  request.full = false;
  const ReadoutResult result = Read(TwoDayStream(Closing(2, 16230, 2730, 1)), request, &text);
  EXPECT_TRUE(result.success);
  const std::vector<std::string> head = {
      "S K L E P ",
      "ul. Polna 1",
      "00-001 Warszawa",
      sp(12) + "NIP: 525-000-00-00" + sp(12),
      "09-12-2026" + sp(31) + "1",
      kDashes,
      "              # NIEFISKALNY #  ",
      "",
      sp(9) + "SKRÓCONY RAPORT OKRESOWY" + sp(9),
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(11) + "Nr rap.  Od 15 do 16" + sp(11),
      "",
  };
  const std::vector<std::string> summary = {
      kBlock,
      "",
      sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10),
      "",
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(11) + "Nr rap.  Od 15 do 16" + sp(11),
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(9) + "        146,60",
      "SPRZED. OPOD. PTU B" + sp(9) + "         10,70",
      "SPRZED. ZWOL. PTU C" + sp(19) + "5,00",
      "KWOTA PTU A+" + sp(16) + "         26,60",
      "KWOTA PTU B " + sp(16) + "          0,70",
      "ŁĄCZNA KWOTA PTU" + sp(12) + "         27,30",
      "ŁĄCZNA NALEZNOSC" + sp(12) + "        162,30",
      "LICZBA ZEROWAŃ RAM" + sp(23) + "1",
      "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "0",
      "PARAGONOW ANULOWANYCH 1     " + sp(10) + "9,99",
      "ILOŚĆ PARAGONÓW" + sp(25) + "15",
  };
  const std::vector<std::string> footer = {
      "              # NIEFISKALNY #  ", kDashes,  "#OPF Kasa 1" + sp(26) + "14:35", "",
      sp(17) + "12345678" + sp(17),      "\t\t\t",
  };
  ExpectLines(text, Join({head, kTaxRates1, kTaxRates2, summary, kCurrency, footer}));
}

TEST(ReportText, EmptyRangeHasNoCurrencyRecordAndNoSummary) {
  test::RangeSpec range;
  range.first_day[1] = 11;
  range.first_day[2] = 1;
  range.last_day[0] = 0;
  test::HeadSpec h;
  h.header = "";
  h.taxNumber = "";
  const std::string stream = test::HeadRecords({}, h) + test::RangeBody(range).Record(10) +
                             test::RangeBody(range).Record(11);
  std::string text;
  ReportRequest request;
  request.monthly = true;
  const ReadoutResult result = Read(stream, request, &text);
  EXPECT_EQ(result.code, kRecordGood);
  EXPECT_FALSE(result.success) << "nothing to show";
  ExpectLines(text, {
                        "            NIP:",
                        "09-12-2026" + sp(31) + "1",
                        kDashes,
                        "",
                        sp(3) + "RAPORT FISKALNY OKRESOWY MIESIĘCZNY" + sp(4),
                        sp(13) + "Miesiąc: 11-2026" + sp(13),
                        "",
                        "",
                        sp(15) + "BRAK ZAPISÓW" + sp(15),
                        "",
                        kDashes,
                        "#OPF Kasa 1" + sp(26) + "14:35",
                        "",
                        sp(15) + "ABC 12345678" + sp(15),
                        "\t\t\t",
                    });
}

TEST(ReportText, ClosingTotalsOffByOneEndTheReadoutWithoutSummary) {
  const struct {
    const char* name;
    std::string closing;
  } rows[] = {
      {"total due", Closing(2, 16231, 2730)},
      {"total VAT", Closing(2, 16230, 2729)},
      {"report count", Closing(1, 16230, 2730)},
  };
  for (const auto& row : rows) {
    std::string text;
    const ReadoutResult result = Read(TwoDayStream(row.closing), {}, &text);
    EXPECT_EQ(result.code, kTransmissionError) << row.name;
    EXPECT_FALSE(result.success) << row.name;
    EXPECT_EQ(text.find(Cp("ŁĄCZNY RAPORT OKRESOWY")), std::string::npos) << row.name;
    EXPECT_EQ(text.substr(text.size() - 5), "\t\t\t\r\n") << row.name;
  }
  std::string text;
  test::RangeSpec unreadable = TwoReports();
  unreadable.error = 1;
  EXPECT_EQ(Read(TwoDayStream(test::RangeBody(unreadable).Record(11)), {}, &text).code,
            kMemoryError);
  EXPECT_EQ(ReadoutCodeMessage(kTransmissionError), "Wystąpił błąd trasmisji.");
  EXPECT_EQ(ReadoutCodeMessage(kMemoryError), "Wystąpił błąd pamieci fiskalnej.");
  EXPECT_EQ(ReadoutCodeMessage(kReadoutAborted), "");
}

TEST(ReportText, DamagedDailyReportOutsideAndInEmergencyMode) {
  const std::string stream = test::HeadRecords({}, Shop()) +
                             test::RangeBody(TwoReports()).Record(10) +
                             test::CurrencyBody("PLN", 1).Record(12) + Report15().Record(5, true) +
                             Report16().Record(5) + Rates2() + Closing(2, 2460, 460, 1);
  std::string text;
  EXPECT_EQ(Read(stream, {}, &text).code, kMemoryError);
  EXPECT_EQ(text.find(Cp("BŁĘDNY REKORD")), std::string::npos);

  ReportRequest emergency;
  emergency.by_numbers = true;
  emergency.emergency = true;
  const ReadoutResult result = Read(stream, emergency, &text);
  EXPECT_EQ(result.code, kRecordGood);
  EXPECT_TRUE(result.success) << "the damaged report is left out of the sums";
  const std::vector<std::string> lines = test::ReportLines(text);
  const std::vector<std::string> damaged = {
      kBlock, "", sp(14) + "RAPORT DOBOWY" + sp(15), sp(11) + "BŁĘDNY REKORD Nr 15" + sp(12), "",
  };
  auto at = std::find(lines.begin(), lines.end(), sp(14) + "RAPORT DOBOWY" + sp(15));
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(std::vector<std::string>(at - 2, at + 3), damaged);
  EXPECT_NE(std::find(lines.begin(), lines.end(), sp(13) + "Wydruk awaryjny" + sp(14)),
            lines.end());
}

TEST(ReportText, DamagedTaxRateRecordKeepsTheOldRatesInEmergencyMode) {
  const std::string stream =
      test::HeadRecords({}, Shop()) + test::RangeBody(TwoReports()).Record(10) +
      test::CurrencyBody("PLN", 1).Record(12) + Report15().Record(5) + Rates1() +
      Report16().Record(5) +
      test::TaxRateBody(31, 2, 2026, 12, 3, {2300, 700}, {1, 1, 2}).Record(4, true) +
      Closing(2, 16230, 2730, 1);
  std::string text;
  EXPECT_EQ(Read(stream, {}, &text).code, kMemoryError);
  ReportRequest emergency;
  emergency.emergency = true;
  EXPECT_TRUE(Read(stream, emergency, &text).success);
  const std::vector<std::string> lines = test::ReportLines(text);
  auto at = std::find(lines.begin(), lines.end(), sp(14) + "Zapis PTU dn. " + sp(14));
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], sp(12) + "BŁĘDNY REKORD Nr 2" + sp(12));
  // The old rates stay in force: no change of A, and report 16 counts no rate lines.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "KWOTA PTU A " + sp(16) + "         26,60"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ILOŚĆ POZYCJI" + sp(24) + "   12"), lines.end());
}

TEST(ReportText, CancelledOverflowAndTheCarryOfLongAmounts) {
  // Report 15 sells 9 999 999,99 zł of A (rate 0); report 16 one grosz more, and overflows its
  // cancelled receipts.
  Body day15 = Report15();
  day15.U32(21, 0).U32(25, 0).U32(49, 999999999).U32(53, 0).U32(57, 0).U32(77, 999999999);
  Body day16 = Report16();
  day16.U32(21, 0).U32(49, 1).U32(77, 1).U32(83, 100000000);
  const std::string rates = test::TaxRateBody(31, 1, 2026, 1, 1, {0}, {1}).Record(4);
  const std::string rates2 = test::TaxRateBody(31, 2, 2026, 1, 1, {0}, {1}).Record(4);
  const std::string stream = test::HeadRecords({}, Shop()) +
                             test::RangeBody(TwoReports()).Record(10) +
                             test::CurrencyBody("PLN", 1).Record(12) + day15.Record(5) + rates +
                             day16.Record(5) + rates2 + Closing(2, 0, 0, 1, 1);
  std::string text;
  ASSERT_TRUE(Read(stream, {}, &text).success);
  const std::vector<std::string> lines = test::ReportLines(text);
  auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("SPRZED. OPOD. PTU A" + sp(9) + "   10000000,00"));
  EXPECT_TRUE(has("ŁĄCZNA NALEZNOSC" + sp(12) + "   10000000,00"));
  EXPECT_TRUE(has("PARAGONÓW ANULOWANYCH 1" + sp(6) + "PRZEPEŁNIENIE"));
  EXPECT_TRUE(has("PARAGONOW ANULOWANYCH 1      PRZEPEŁNIENIE"));
}

TEST(ReportText, SummaryCancelledLineTooWideTakesTwoLines) {
  const std::string stream =
      test::HeadRecords({}, Shop()) + test::RangeBody(TwoReports()).Record(10) +
      test::CurrencyBody("PLN", 1).Record(12) + Report15().U16(81, 65535).Record(5) + Rates1() +
      Report16().U16(81, 65535).Record(5) + Rates2() + Closing(2, 16230, 2730, 1);
  std::string text;
  ASSERT_TRUE(Read(stream, {}, &text).success);
  const std::vector<std::string> lines = test::ReportLines(text);
  auto at = std::find(lines.begin(), lines.end(), "PARAGONOW ANULOWANYCH 131070");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], sp(28) + "          9,99");
}

TEST(ReportText, TwoCurrenciesMakeTwoReportsOfAMonth) {
  test::RangeSpec first = TwoReports();
  first.count = 1;
  first.more = 1;
  first.last_number = 15;
  test::RangeSpec second = TwoReports();
  second.count = 1;
  second.first_number = 16;
  const std::string pass1 = test::HeadRecords({}, Shop()) + test::RangeBody(first).Record(10) +
                            test::CurrencyBody("PLN", 1).Record(12) + Report15().Record(5) +
                            Rates1() + Closing(1, 13770, 2270);
  const std::string pass2 = test::HeadRecords({}, Shop()) + test::RangeBody(second).Record(10) +
                            test::CurrencyBody("EUR", 16).Record(12) + Report16().Record(5) +
                            Rates2() + Closing(1, 2460, 460, 1);
  std::string text;
  ReportRequest monthly;
  monthly.monthly = true;
  const ReadoutResult result = Read(pass1 + pass2, monthly, &text);
  EXPECT_EQ(result.code, kRecordGood);
  EXPECT_EQ(result.passes, 2);
  EXPECT_TRUE(result.success);
  EXPECT_EQ(result.first_number, 15u);
  EXPECT_EQ(result.last_number, 16u);
  const std::vector<std::string> lines = test::ReportLines(text);
  auto count = [&](const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
  };
  EXPECT_EQ(count("\t\t"), 5);
  EXPECT_EQ(count("\t\t\t"), 1);
  EXPECT_EQ(lines.back(), "\t\t\t");
  // The first head still says which month; both summaries say the month was split.
  EXPECT_EQ(count(sp(13) + "Miesiąc: 12-2026" + sp(13)), 1);
  EXPECT_EQ(count(sp(16) + "MIESIĘCZNY" + sp(16)), 2);
  EXPECT_EQ(count("WALUTA EWIDENCYJNA" + sp(21) + "EUR"), 2);
  auto separator = std::find(lines.begin(), lines.end(), "\t\t");
  ASSERT_NE(separator, lines.end());
  EXPECT_EQ(separator[-1], sp(15) + "ABC 12345678" + sp(15)) << "the first report ends whole";
  EXPECT_EQ(separator[5], "S K L E P ") << "the second report starts with its head";
}

TEST(ReportText, StreamThatStopsShortEndsTheReadoutAsAborted) {
  const std::string whole = TwoDayStream(Closing(2, 16230, 2730, 1));
  for (size_t cut : {size_t(0), size_t(100), size_t(600), whole.size() - 1}) {
    std::string text;
    const ReadoutResult result = Read(whole.substr(0, cut), {}, &text);
    EXPECT_EQ(result.code, kReadoutAborted) << cut;
    EXPECT_FALSE(result.success) << cut;
  }
}

}  // namespace
}  // namespace kelm
