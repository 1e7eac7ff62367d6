// The daily-report sections of the six other layouts, written out by hand from the printer's
// formats, with the report digests computed here from their blocks by the system's sha1sum.
#include <gtest/gtest.h>

#include "readout/periodic_report.h"
#include "readout/stream.h"

namespace kelm {
using namespace std::string_literals;
namespace {

using test::Body;

std::string sp(int n) {
  return std::string(size_t(n), ' ');
}
const std::string kDashes(42, '-');
const std::string kBlock = kDashes + "  ";
const std::vector<std::string> kCurrency = {
    "WALUTA EWIDENCYJNA" + sp(21) + "PLN",
    "Zapis waluty ewid. dn. 01-01-2026  0:00",
};
const std::string kFooterLine = "#OPF Kasa 1" + sp(26) + "14:35";
const std::string kZeroCopyDigest = "#" + std::string(40, '0') + "#";

ReadoutModel Model(int bus, int copy, int version, int cfgCopy = 0) {
  ReadoutModel m;
  m.family = 2;
  m.bus_variant = bus;
  m.copy_mode = copy;
  m.version = version;
  m.configured_copy_mode = cfgCopy;
  return m;
}

// One pass of one report: head, range, currency, the report's records, closing record.
std::string Pass(const test::Lengths& lengths, const std::string& records, uint32_t due,
                 uint32_t vat, uint8_t rangeFlags = 0, const test::HeadSpec& head = {}) {
  test::RangeSpec range;
  range.count = 1;
  range.more = rangeFlags;
  range.first_number = 7;
  range.last_number = 7;
  test::RangeSpec closing = range;
  closing.dueLow = due;
  closing.vatLow = vat;
  return test::HeadRecords(lengths, head) + test::RangeBody(range).Record(10) +
         test::CurrencyBody("PLN", 1).Record(12) + records + test::RangeBody(closing).Record(11);
}

// The lines from the first block separator up to the summary's.
std::vector<std::string> Sections(const std::string& text) {
  const std::vector<std::string> lines = test::ReportLines(text);
  auto first = std::find(lines.begin(), lines.end(), kBlock);
  auto summary = std::find(lines.begin(), lines.end(), sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10));
  if (first == lines.end() || summary == lines.end() || summary - first < 2) return {};
  return std::vector<std::string>(first, summary - 2);
}

// The lines from the summary's block separator to the end.
std::vector<std::string> Summary(const std::string& text) {
  const std::vector<std::string> lines = test::ReportLines(text);
  auto summary = std::find(lines.begin(), lines.end(), sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10));
  if (summary == lines.end()) return {};
  return std::vector<std::string>(summary - 2, lines.end());
}

std::string Read(const std::string& stream, const ReadoutModel& model, bool* success) {
  BufferRecordLink link(stream);
  StringSink sink;
  const ReadoutResult result = ReadPeriodicReport(link, model, {}, sink, "09-12-2026");
  *success = result.success && result.code == kRecordGood;
  return sink.text;
}

void ExpectSame(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  const size_t n = std::min(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    ASSERT_EQ(actual[i], expected[i]) << "line " << i + 1;
  }
  EXPECT_EQ(actual.size(), expected.size());
}

// Digest blocks: 64 bytes of ':' carrying their content from byte 0.
std::string Block(const std::string& content) {
  std::string b = content;
  b.resize(64, ':');
  return b;
}
std::string Be(uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
std::string Sale(int letter, uint32_t amount) {
  return Block(char(letter) + Be(amount));
}
std::string EndBlock() {
  return Block("ABC 1234567800:00:00");
}
std::string DigestLine(const std::string& blocks) {
  return "#" + test::ExternalSha1(blocks) + "#";
}

const std::vector<std::string> kBusRates = {
    kBlock,
    "Zapis PTU dn.  01-01-2026",
    "PTU A  23,00%",
    "PTU B   8,00% Dp.",
    "    C  SP.ZW.PTU",
    "    D  DP.ZW.PTU",
    "    E    -",
    "    F    -",
    "    G    -",
};

TEST(ReportLayouts, Layout94BusPrinterWithSurchargeUses) {
  const std::string rates =
      test::TaxRateBody(32, 1, 2026, 1, 1, {2300, 800}, {1, 5, 2, 6}).Record(4);
  Body day(94);
  day.U16(1, 7).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15).U8(10, 1).U16(19, 5);
  day.U32(21, 230).U32(25, 80).U32(49, 1230).U32(53, 1080).U32(57, 300).U32(61, 400);
  day.U32(81, 3010);
  bool ok;
  const std::string text =
      Read(Pass({252, 14, 32, 94}, day.Record(5) + rates, 3010, 310), Model(1, 0, 200), &ok);
  ASSERT_TRUE(ok);
  std::vector<std::string> expected = kBusRates;
  expected.push_back("Rej. bil. zagr.: NIE");
  for (const std::string& line : {
           kBlock,
           "02-12-2026                   Nr rap.     7"s,
           kDashes,
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU B Dp." + sp(8) + "      10,80",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "SPRZED. ZWOL. PTU D Dp." + sp(8) + "       4,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU B Dp." + sp(16) + "       0,80",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       3,10",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      30,10",
           "ILOŚĆ PARAGONÓW" + sp(22) + "    5",
           "ILOŚĆ POZYCJI" + sp(24) + "   17",
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  ExpectSame(Sections(text), expected);

  std::vector<std::string> summary = {
      kBlock,
      "",
      sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10),
      "",
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(12) + "Nr rap.  Od 7 do 7" + sp(12),
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(9) + "         12,30",
      "SPRZED. OPOD. PTU B Dp." + sp(5) + "         10,80",
      "SPRZED. ZWOL. PTU C" + sp(19) + "3,00",
      "SPRZED. ZWOL. PTU D Dp." + sp(5) + "          4,00",
      "KWOTA PTU A " + sp(16) + "          2,30",
      "KWOTA PTU B Dp. " + sp(12) + "          0,80",
      "ŁĄCZNA KWOTA PTU" + sp(12) + "          3,10",
      "ŁĄCZNA NALEZNOSC" + sp(12) + "         30,10",
      "LICZBA ZEROWAŃ RAM" + sp(23) + "0",
      "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "0",
      "PARAGONOW ANULOWANYCH 0     " + sp(10) + "0,00",
      "ILOŚĆ PARAGONÓW" + sp(26) + "5",
  };
  summary.insert(summary.end(), kCurrency.begin(), kCurrency.end());
  for (const std::string& line :
       {kDashes, kFooterLine, ""s, sp(15) + "ABC 12345678" + sp(15), "\t\t\t"s}) {
    summary.push_back(line);
  }
  ExpectSame(Summary(text), summary);
}

TEST(ReportLayouts, Layout106BusPrinterWithSaleTimes) {
  const std::string rates =
      test::TaxRateBody(32, 1, 2026, 1, 1, {2300, 800}, {1, 5, 2, 6}).U8(30, 1).Record(4);
  Body day(106);
  day.U16(1, 8).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15);
  day.Raw(10, "\x1a\x0c\x02\x08\x05").Raw(15, "\x1a\x0c\x02\x14\x0a");
  day.U8(20, 1).U8(21, 2).U8(22, 0xCC).U16(29, 5);
  day.U32(31, 230).U32(35, 80).U32(59, 1230).U32(63, 1080).U32(67, 300).U32(71, 400);
  day.U32(91, 3010).U16(95, 4).U16(97, 2).U32(99, 100000000);
  bool ok;
  const std::string text =
      Read(Pass({252, 16, 32, 106}, day.Record(5) + rates, 3010, 310), Model(1, 0, 300), &ok);
  ASSERT_TRUE(ok);
  std::vector<std::string> expected = kBusRates;
  expected.push_back("Rej. bil. zagr.: TAK");
  for (const std::string& line : {
           kBlock,
           "02-12-2026 20:15             Nr rap.     8"s,
           kDashes,
           "Rozpoczęcie sprzedaży:" + sp(4) + "02-12-2026  8:05",
           "Zakończenie sprzedaży:" + sp(4) + "02-12-2026 20:10",
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU B Dp." + sp(8) + "      10,80",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "SPRZED. ZWOL. PTU D Dp." + sp(8) + "       4,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU B Dp." + sp(16) + "       0,80",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       3,10",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      30,10",
           "LICZBA ZEROWAŃ RAM" + sp(23) + "1",
           kDashes,
           "ZEROWANIE RAM \"Z\" nr 2" + sp(4) + "02-12-2026 20:15",
           " - Rejestry wydruków"s,
           kDashes,
           "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "4",
           "PARAGONÓW ANULOWANYCH 2" + sp(6) + "PRZEPEŁNIENIE",
           "ILOŚĆ PARAGONÓW" + sp(22) + "    5",
           "ILOŚĆ POZYCJI" + sp(24) + "   24",
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  ExpectSame(Sections(text), expected);
}

const std::vector<std::string> kCopyRates = {
    kBlock,
    "Zapis PTU dn.  01-01-2026",
    "PTU A  23,00%",
    "PTU B   8,00%",
    "    C  SP.ZW.PTU",
    "    D    -",
    "    E    -",
    "    F    -",
    "    G    -",
};

TEST(ReportLayouts, Layout174ElectronicCopyWithMediumAndDigest) {
  const std::string rates = test::TaxRateBody(31, 1, 2026, 1, 1, {2300, 800}, {1, 1, 2}).Record(4);
  const std::string medium = Body(12).U8(1, 2).U16(2, 5).Date(4, 2026, 11, 28).Record(13);
  Body mediumEnd(33);
  for (int i = 0; i < 20; ++i) mediumEnd.U8(12 + i, uint8_t(0xF0 + i % 16));
  Body day(174);
  day.U16(1, 9).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15).U8(10, 1).U8(11, 3).U8(12, 0xDD);
  day.U16(21, 4).U32(23, 230).U32(27, 80).U32(55, 1230).U32(59, 1080).U32(63, 300);
  day.U32(83, 2610).Six(87, 0, 5230).Six(93, 0, 880).Six(129, 0, 6110).Six(135, 1, 5);
  for (int i = 0; i < 20; ++i) day.U8(141 + i, uint8_t(i + 1));
  day.U16(161, 0x03);
  bool ok;
  const std::string text = Read(
      Pass({252, 14, 31, 174}, medium + mediumEnd.Record(14) + day.Record(5) + rates, 2610, 310),
      Model(0, 1, 200), &ok);
  ASSERT_TRUE(ok);
  const std::string digest = DigestLine(
      Block("02-12-2026" + Be(9)) + Sale(0, 1230) + Sale(1, 1080) + Sale(2, 300) + Block(Be(310)) +
      Block(Be(4)) + Block(std::string("\0\0\xDE\x17\0\0", 6)) + EndBlock());
  std::vector<std::string> expected = kCopyRates;
  for (const std::string& line : {
           kBlock,
           "02-12-2026                   Nr rap.     9"s,
           kDashes,
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU B" + sp(12) + "      10,80",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU B" + sp(20) + "       0,80",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       3,10",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      26,10",
           "ILOŚĆ PARAGONÓW" + sp(22) + "    4",
           kDashes,
           "ZEROWANIE RAM  nr 3" + sp(7) + "02-12-2026 20:15",
           " - Rejestry sprzedaży"s,
           " - Pamięć podręczna"s,
           kDashes,
           kDashes,
           sp(3) + "KWOTY ŁĄCZNE OD RAP. NR    1 DO    9" + sp(3),
           kDashes,
           "KWOTA PTU A" + sp(17) + "         52,30",
           "KWOTA PTU B" + sp(17) + "          8,80",
           "ŁĄCZNA KWOTA PTU" + sp(12) + "         61,10",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(12) + "   10000000,05",
           kDashes,
           "ILOŚĆ POZYCJI" + sp(24) + "   23",  // DDh writes two kind lines
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  for (const std::string& line : {
           kDashes,
           digest,
           "#0102030405060708090A0B0C0D0E0F1011121314#"s,
           kDashes,
           sp(2) + "ETYKIETA NOŚNIKA KOPII ELEKTRONICZNEJ" + sp(3),
           "Numer nośnika: 002"s,
           "Zawiera dane z kasy: ABC 12345678"s,
           "Od dnia 28-11-2026 do 02-12-2026"s,
           "Od rap. nr 0005 do 0009"s,
           "#F0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFFF0F1F2F3#"s,
       }) {
    expected.push_back(line);
  }
  ExpectSame(Sections(text), expected);
}

TEST(ReportLayouts, Layout278InvoicesWithTheirOwnLines) {
  const std::string rates = test::TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1, 0, 2}).Record(4);
  Body day(278);
  day.U16(1, 10).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15).U8(10, 1);
  day.U16(21, 6).U16(27, 2).U32(29, 230).U32(57, 46).U32(89, 1230).U32(97, 300);
  day.U32(117, 246).U32(125, 100).U32(145, 1876);
  day.Six(149, 0, 230).Six(191, 0, 46).Six(233, 0, 276).Six(239, 0, 1876).U16(265, 0x01);
  day.U16(269, 1).U32(271, 500);
  bool ok;
  const std::string text =
      Read(Pass({252, 14, 31, 278}, day.Record(5) + rates, 1876, 276), Model(0, 2, 100), &ok);
  ASSERT_TRUE(ok);
  const std::string digest =
      DigestLine(Block("02-12-2026" + Be(10)) + Sale(0, 1230) + Sale(0, 246) + Sale(2, 300) +
                 Sale(2, 100) + Block(Be(276)) + Block(Be(6)) + Block(Be(2)) +
                 Block(std::string("\0\0\x14\x01\0\0", 6)) + EndBlock());
  std::vector<std::string> expected = {
      kBlock,
      "Zapis PTU dn.  01-01-2026",
      "PTU A  23,00%",
      "    B    -",
      "    C  SP.ZW.PTU",
      "    D    -",
      "    E    -",
      "    F    -",
      "    G    -",
  };
  for (const std::string& line : {
           kBlock,
           "02-12-2026                   Nr rap.    10"s,
           kDashes,
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU AVF" + sp(10) + "       2,46",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "SPRZED. ZWOL. PTU CVF" + sp(10) + "       1,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU AVF" + sp(18) + "       0,46",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       2,76",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      18,76",
           "PARAGONÓW ANULOWANYCH 1" + sp(8) + "       5,00",
           "ILOŚĆ PARAGONÓW" + sp(22) + "    6",
           "ILOŚĆ FAKTUR" + sp(25) + "    2",
           kDashes,
           sp(3) + "KWOTY ŁĄCZNE OD RAP. NR    1 DO   10" + sp(3),
           kDashes,
           "KWOTA PTU A" + sp(17) + "          2,30",
           "KWOTA PTU AVF" + sp(15) + "          0,46",
           "ŁĄCZNA KWOTA PTU" + sp(12) + "          2,76",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(12) + "         18,76",
           kDashes,
           "ILOŚĆ POZYCJI" + sp(24) + "   23",
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  expected.push_back(kDashes);
  expected.push_back(digest);
  expected.push_back(kZeroCopyDigest);
  ExpectSame(Sections(text), expected);

  std::vector<std::string> summary = {
      kBlock,
      "",
      sp(10) + "ŁĄCZNY RAPORT OKRESOWY" + sp(10),
      "",
      sp(7) + "Od 01-12-2026 do 31-12-2026" + sp(8),
      sp(12) + "Nr rap.  Od 7 do 7" + sp(12),
      kDashes,
      "SPRZED. OPOD. PTU A" + sp(9) + "         12,30",
      "SPRZED. OPOD. PTU AVF" + sp(7) + "          2,46",
      "SPRZED. ZWOL. PTU C" + sp(19) + "3,00",
      "SPRZED. ZWOL. PTU CVF" + sp(17) + "1,00",
      "KWOTA PTU A " + sp(16) + "          2,30",
      "KWOTA PTU AVF " + sp(14) + "          0,46",
      "ŁĄCZNA KWOTA PTU" + sp(12) + "          2,76",
      "ŁĄCZNA NALEZNOSC" + sp(12) + "         18,76",
      "LICZBA ZEROWAŃ RAM" + sp(23) + "0",
      "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "0",
      "PARAGONOW ANULOWANYCH 1     " + sp(10) + "5,00",
      "ILOŚĆ PARAGONÓW" + sp(26) + "6",
      "ILOŚĆ FAKTUR" + sp(29) + "2",
  };
  summary.insert(summary.end(), kCurrency.begin(), kCurrency.end());
  for (const std::string& line :
       {kDashes, kFooterLine, ""s, sp(15) + "ABC 12345678" + sp(15), "\t\t\t"s}) {
    summary.push_back(line);
  }
  ExpectSame(Summary(text), summary);
}

TEST(ReportLayouts, Layout290InvoicePrinterInTwoColumns) {
  const std::string rates = test::TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1, 0, 2}).Record(4);
  Body day(290);
  day.U16(1, 11).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15);
  day.Raw(10, "\x1a\x0c\x02\x08\x05").U8(15, 255);
  day.U8(20, 1).U8(21, 4).U8(22, 0xBB).U16(31, 6).U32(39, 230).U32(99, 1230).U32(107, 300);
  day.U32(155, 1530).Six(159, 0, 230).Six(243, 0, 230).Six(249, 0, 1530).U16(275, 0x01);
  day.U16(279, 3);
  test::HeadSpec head;
  head.header = "  SKLEP\n   ul. Polna 1\n";
  test::Lengths lengths{458, 16, 31, 290};
  bool ok;
  const std::string text =
      Read(Pass(lengths, day.Record(5) + rates, 1530, 230, 0, head), Model(0, 2, 200, 2), &ok);
  ASSERT_TRUE(ok);
  const std::vector<std::string> lines = test::ReportLines(text);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "SKLEP") << "the invoice printer's header is printed from the left";
  EXPECT_EQ(lines[1], "ul. Polna 1");
  const std::string digest = DigestLine(Block("02-12-2026" + Be(11)) + Sale(0, 1230) + Sale(0, 0) +
                                        Sale(2, 300) + Sale(2, 0) + Block(Be(230)) + Block(Be(6)) +
                                        Block(std::string("\0\0\xE6\0\0\0", 6)) + EndBlock());
  std::vector<std::string> expected = {
      kBlock,
      "Zapis PTU dn.  01-01-2026",
      "PTU A  23,00%",
      "    B    -",
      "    C  SP.ZW.PTU",
      "    D    -",
      "    E    -",
      "    F    -",
      "    G    -",
  };
  for (const std::string& line : {
           kBlock,
           "02-12-2026 20:15" + sp(13) + "Nr rap.    11",
           kDashes,
           "Rozpoczęcie sprzedaży:" + sp(4) + "02-12-2026  8:05",
           "Zakończenie sprzedaży:" + sp(6) + "Brak sprzedaży",
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU AFV" + sp(10) + "       0,00",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "SPRZED. ZWOL. PTU CFV" + sp(10) + "       0,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU AFV" + sp(18) + "       0,00",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       2,30",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      15,30",
           "LICZBA ZEROWAŃ RAM" + sp(23) + "1",
           kDashes,
           "ZEROWANIE RAM \"Z\" nr 4" + sp(4) + "02-12-2026 20:15",
           " - Inform. o przyporządkowaniu stawek PTU"s,
           kDashes,
           "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "3",
           "PARAGONÓW ANULOWANYCH 0" + sp(8) + "       0,00",
           "ILOŚĆ PARAGONÓW" + sp(26) + "6",
           "ILOŚĆ FAKTUR" + sp(29) + "0",
           "ILOŚĆ POZYCJI" + sp(27) + "26",  // one more for the rate record of this printer
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  for (const std::string& line : {
           kDashes,
           sp(3) + "KWOTY ŁĄCZNE OD RAP. NR    1 DO   11" + sp(3),
           kDashes,
           "KWOTA PTU A" + sp(17) + "          2,30",
           "KWOTA PTU AVF" + sp(15) + "          0,00",
           "ŁĄCZNA KWOTA PTU" + sp(12) + "          2,30",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(12) + "         15,30",
           kDashes,
           digest,
           kZeroCopyDigest,
       }) {
    expected.push_back(line);
  }
  ExpectSame(Sections(text), expected);
}

TEST(ReportLayouts, Layout296The859ModelWithInvoices) {
  const std::string rates =
      test::TaxRateBody(32, 1, 2026, 1, 1, {2300, 800}, {1, 5, 2}).U8(30, 1).Record(4);
  Body day(296);
  day.U16(1, 12).Date(3, 2026, 12, 2).U8(7, 20).U8(8, 15);
  day.Raw(10, "\x1a\x0c\x02\x08\x05").Raw(15, "\x1a\x0c\x02\x14\x0a");
  day.U8(20, 1).U8(21, 5).U8(22, 0xCC).U16(31, 6).U32(33, 230).U32(37, 80);
  day.U32(65, 1230).U32(69, 1080).U32(73, 300).U32(97, 3000);
  day.Six(101, 0, 230).Six(107, 0, 80).Six(143, 0, 356).Six(149, 0, 3000).U16(175, 0x03);
  day.U16(195, 1).U32(197, 46).U32(225, 246).Six(253, 0, 46);
  bool ok;
  const std::string text =
      Read(Pass({252, 16, 32, 296}, day.Record(5) + rates, 3000, 356, 0xC0), Model(2, 2, 100), &ok);
  ASSERT_TRUE(ok);
  const std::string digest =
      DigestLine(Block("02-12-2026" + Be(12)) + Sale(0, 1230) + Sale(1, 1080) + Sale(0, 246) +
                 Sale(2, 300) + Sale(2, 0) + Block(Be(356)) + Block(Be(6)) + Block(Be(1)) +
                 Block(std::string("\0\0\x64\x01\0\0", 6)) + EndBlock());
  std::vector<std::string> expected = {
      kBlock,
      "Zapis PTU dn.  01-01-2026",
      "PTU A  23,00%",
      "PTU B   8,00% Dp.",
      "    C  SP.ZW.PTU",
      "    D    -",
      "    E    -",
      "    F    -",
      "    G    -",
      "Rej. bil. zagr.: TAK",
  };
  for (const std::string& line : {
           kBlock,
           "02-12-2026 20:15             Nr rap.    12"s,
           kDashes,
           "Rozpoczęcie sprzedaży:" + sp(7) + "Zerowanie RAM",
           "Zakończenie sprzedaży:" + sp(7) + "Zerowanie RAM",
           "SPRZED. OPOD. PTU A" + sp(12) + "      12,30",
           "SPRZED. OPOD. PTU B Dp." + sp(8) + "      10,80",
           "SPRZED. OPOD. PTU AVF" + sp(10) + "       2,46",
           "SPRZED. ZWOL. PTU C" + sp(12) + "       3,00",
           "SPRZED. ZWOL. PTU CVF" + sp(10) + "       0,00",
           "KWOTA PTU A" + sp(20) + "       2,30",
           "KWOTA PTU B Dp." + sp(16) + "       0,80",
           "KWOTA PTU AVF" + sp(18) + "       0,46",
           "ŁĄCZNA KWOTA PTU" + sp(15) + "       3,56",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(15) + "      30,00",
           "LICZBA ZEROWAŃ RAM" + sp(23) + "1",
           kDashes,
           "ZEROWANIE RAM \"Z\" nr 5" + sp(4) + "02-12-2026 20:15",
           " - Rejestry wydruków"s,
           kDashes,
           "WYKONANO ZMIANY W BAZIE TOWAROWEJ" + sp(8) + "0",
           "PARAGONÓW ANULOWANYCH 0" + sp(8) + "       0,00",
           "ILOŚĆ PARAGONÓW" + sp(22) + "    6",
           "ILOŚĆ FAKTUR" + sp(25) + "    1",
           "ILOŚĆ POZYCJI" + sp(24) + "   27",
       }) {
    expected.push_back(line);
  }
  expected.insert(expected.end(), kCurrency.begin(), kCurrency.end());
  for (const std::string& line : {
           kDashes,
           sp(3) + "KWOTY ŁĄCZNE OD RAP. NR    1 DO   12" + sp(3),
           kDashes,
           "KWOTA PTU A" + sp(17) + "          2,30",
           "KWOTA PTU B" + sp(17) + "          0,80",
           "KWOTA PTU AVF" + sp(15) + "          0,46",
           "KWOTA PTU BVF" + sp(15) + "          0,00",
           "ŁĄCZNA KWOTA PTU" + sp(12) + "          3,56",
           "ŁĄCZNA NALEŻNOŚĆ" + sp(12) + "         30,00",
           kDashes,
           digest,
           kZeroCopyDigest,
       }) {
    expected.push_back(line);
  }
  ExpectSame(Sections(text), expected);
}

// A report whose only sale is letter A for 1,23 zł, its digest built here block by block.
TEST(ReportLayouts, DigestOfAOneSaleReport) {
  const std::string rates = test::TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1}).Record(4);
  Body day(174);
  day.U16(1, 1).Date(3, 2026, 12, 9).U8(7, 21).U8(10, 1).U16(21, 1).U32(23, 23).U32(55, 123);
  day.U32(83, 123).Six(87, 0, 23).Six(129, 0, 23).Six(135, 0, 123).U16(161, 0x01);
  bool ok;
  const std::string text =
      Read(Pass({252, 14, 31, 174}, day.Record(5) + rates, 123, 23), Model(0, 1, 200), &ok);
  ASSERT_TRUE(ok);
  std::string blocks = "09-12-2026" + std::string("\0\0\0\x01", 4);
  blocks.resize(64, ':');
  std::string sale("\0\0\0\0\x7B", 5);
  sale.resize(64, ':');
  std::string vat("\0\0\0\x17", 4), receipts("\0\0\0\x01", 4), running("\0\0\x17\0\0\0", 6);
  std::string end = "ABC 12345678" + std::string("00:00:00");
  for (std::string* b : {&vat, &receipts, &running, &end}) b->resize(64, ':');
  blocks += sale + vat + receipts + running + end;
  ASSERT_EQ(blocks.size(), 6u * 64);
  const std::string line = "#" + test::ExternalSha1(blocks) + "#";
  ASSERT_EQ(line.size(), 42u);
  const std::vector<std::string> lines = test::ReportLines(text);
  EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end());
}

}  // namespace
}  // namespace kelm
