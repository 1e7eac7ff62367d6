// The diagnostic answers parsed from real byte streams of both answer families, and what the
// parsers do with truncated and garbage answers.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/diagnostics.h"
#include "link/printer_identity.h"

namespace kelm {
namespace {

const std::string kFamily2 =
    "\x1bP2#X143;1;0;1;0;2;26;12;9/23.00/8.00/5.00/0.00/100.00/101.00/101.00/15/"
    "100.00/20.50/0.00/0.00/0.00/0.00/0.00/350.25/ABC12345678"
    "4F\x1b\\";
const std::string kFamily0 =
    "\x1bP1#X0;0;0;0;0;0;0;0;0/22.00/7.00/3.00/0.00/100.00/101.00/101.00/3/"
    "1.10/2.20/3.30/0.00/0.00/0.00/0.00/6.60/0.00/12.34/           "
    "1A\x1b\\";

TEST(CashInfoAnswer, FamilyTwoFillsEveryFieldInOrder) {
  CashInfoRecord info;
  info.TotZ = 77;
  ParseCashInfoAnswer(kFamily2.c_str(), 2, &info);
  EXPECT_EQ(info.LastError, 143);
  EXPECT_EQ(info.Mode, 1);
  EXPECT_EQ(info.TrfFlag, 1);
  EXPECT_EQ(info.RamResets, 2);
  EXPECT_EQ(LastRecordDateText(info), "09-12-2026");
  const char* shown[] = {"23.00", "8.00", "5.00", "0.00", "ZWOLN", "BRAK", "BRAK"};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(RateTextForFamily(info.Rates[k], 2), shown[k]);
  EXPECT_EQ(info.ReceiptCount, 15);
  EXPECT_DOUBLE_EQ(info.Totals[1], 20.5);
  EXPECT_DOUBLE_EQ(info.Cash, 350.25);
  EXPECT_DOUBLE_EQ(info.TotZ, 77);  // family 2 sends no TOT_Z
  EXPECT_EQ(info.UniqueNumber, "ABC12345678");
}

TEST(CashInfoAnswer, FamilyZeroHasTotZAndASkippedValueBeforeTheCash) {
  CashInfoRecord info;
  ParseCashInfoAnswer(kFamily0.c_str(), 0, &info);
  EXPECT_DOUBLE_EQ(info.TotZ, 6.6);
  EXPECT_DOUBLE_EQ(info.Cash, 12.34);
  EXPECT_EQ(info.UniqueNumber, "BRAK");  // eleven spaces
  EXPECT_EQ(LastRecordDateText(info), "Brak");
  const char* shown[] = {"22.00", "7.00", "3.00", "0.00", "100.00", "101.00", "101.00"};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(RateTextForFamily(info.Rates[k], 0), shown[k]);
}

TEST(CashInfoAnswer, ScanningStopsAtTheFirstMismatchAndKeepsLaterFields) {
  CashInfoRecord info;
  info.ReceiptCount = 99;
  info.Cash = 5;
  info.Rates[3] = 42;
  // Cut inside the fourth rate: rates 0-2 change, the rest stays.
  const std::string cut = kFamily2.substr(0, kFamily2.find("0.00/100.00"));
  ParseCashInfoAnswer((cut + "x").c_str(), 2, &info);
  EXPECT_EQ(info.LastError, 143);
  EXPECT_DOUBLE_EQ(info.Rates[2], 5);
  EXPECT_DOUBLE_EQ(info.Rates[3], 42);
  EXPECT_EQ(info.ReceiptCount, 99);
  EXPECT_DOUBLE_EQ(info.Cash, 5);
}

TEST(CashInfoAnswer, WrongFamilyOrGarbageChangesNothingButTheUniqueNumberSearch) {
  CashInfoRecord info;
  info.LastError = 7;
  ParseCashInfoAnswer(kFamily2.c_str(), 0, &info);  // "P2#X" does not match "P1#X"
  EXPECT_EQ(info.LastError, 7);
  for (const char* garbage : {"", "\x1b", "/", "//", "\x1bP", "\x1b\\", "////\x1b"}) {
    CashInfoRecord g;
    g.UniqueNumber = "keep";
    ParseCashInfoAnswer(garbage, 2, &g);
    EXPECT_EQ(g.LastError, 0) << garbage;
  }
}

TEST(CashInfoAnswer, UniqueNumberIsBoundedTo23Characters) {
  CashInfoRecord info;
  ParseCashInfoAnswer(("\x1bP2#X1/" + std::string(40, 'N') + "CC\x1b\\").c_str(), 2, &info);
  EXPECT_EQ(info.UniqueNumber, std::string(23, 'N'));
}

TEST(RateText, EdgesOfTheTable) {
  EXPECT_EQ(RateText(99.99), "99.99");
  EXPECT_EQ(RateText(100), "ZWOLN");
  EXPECT_EQ(RateText(101), "BRAK");
  EXPECT_EQ(RateText(102), "");
  EXPECT_EQ(AmountText(1234.5), "1234.50");
}

struct TypeCase {
  const char* answer;
  const char* name;
  const char* version;
  int family, bus, copy, version100;
};

class TypeAnswer : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeAnswer, NameVersionAndDerivedFields) {
  const TypeCase& c = GetParam();
  DetectedTypeRecord t;
  ParseTypeAnswer(c.answer, &t);
  EXPECT_EQ(t.TypeName, c.name);
  EXPECT_EQ(t.VersionText, c.version);
  EXPECT_EQ(t.Family, c.family);
  EXPECT_EQ(t.BusVariant, c.bus);
  EXPECT_EQ(t.CopyMode, c.copy);
  EXPECT_EQ(t.Version100, c.version100);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTypeName, TypeAnswer,
    ::testing::Values(
        TypeCase{"\x1bP1#RKELM VANTEL 57TE/2.00\x1b\\", "KELM VANTEL 57TE", "2.00", 2, 0, 1, 200},
        TypeCase{"\x1bP1#ROXIL Pro/1.15/x\x1b\\", "OXIL Pro", "1.15", 1, 0, 0, 115},
        TypeCase{"\x1bP1#RKELM VANTEL 57T/3.01\x1b\\", "KELM VANTEL 57T", "3.01", 2, 0, 0, 301},
        TypeCase{"\x1bP1#RKELM VANTEL BUS/2.10\x1b\\", "KELM VANTEL BUS", "2.10", 2, 1, 0, 210},
        TypeCase{"\x1bP1#RKELM SALVO 3/2.00\x1b\\", "KELM SALVO 3", "2.00", 2, 0, 2, 200},
        TypeCase{"\x1bP1#RKelm-D859/1.02\x1b\\", "Kelm-D859", "1.02", 2, 2, 2, 102},
        TypeCase{"\x1bP1#RKELM VANTEL 57t/2.00\x1b\\", "KELM VANTEL 57t", "2.00", 0, 0, 0, 200},
        TypeCase{"\x1bP1#RKELM VANTEL 57T/wersja\x1b\\", "KELM VANTEL 57T", "wersja", 2, 0, 0, 200},
        TypeCase{"\x1bP1#R", "", "", 0, 0, 0, 200},
        TypeCase{"\x1bP1#RABCDEFGHIJKLMNOPQRSTUVWXYZ/12345678901234567890123\x1b\\",
                 "ABCDEFGHIJKLMNOPQRS", "1234567890123456789", 0, 0, 0, 200}));

TEST(DetectedTypeDiffers, FamilyVariantAndCopyModeUnlessThe859) {
  DetectedTypeRecord t;
  ParseTypeAnswer("\x1bP1#RKELM VANTEL 57TE/2.00\x1b\\", &t);
  EXPECT_TRUE(DetectedTypeDiffers(t, 2, 0, 0));
  EXPECT_FALSE(DetectedTypeDiffers(t, 2, 0, 1));
  EXPECT_TRUE(DetectedTypeDiffers(t, 1, 0, 1));
  ParseTypeAnswer("\x1bP1#RKelm-D859/1.00\x1b\\", &t);
  EXPECT_FALSE(DetectedTypeDiffers(t, 2, 2, 0));  // copy mode not compared for the 859
  EXPECT_TRUE(DetectedTypeDiffers(t, 2, 0, 2));
}

TEST(ClockAnswer, ParsesAndRefusesOtherShapes) {
  PrinterClockRecord clock;
  ASSERT_TRUE(ParseClockAnswer("\x1bP1#C26;12;9;14;5;0A1\x1b\\", &clock));
  EXPECT_EQ(clock.Century, 20);
  EXPECT_EQ(clock.Year, 26);
  EXPECT_EQ(clock.Day, 9);
  EXPECT_EQ(clock.Minute, 5);
  PrinterClockRecord kept = clock;
  EXPECT_FALSE(ParseClockAnswer("\x1bP1#C26;12", &clock));
  EXPECT_FALSE(ParseClockAnswer("", &clock));
  EXPECT_EQ(clock.Year, kept.Year);
}

TEST(CheckCodeAnswer, LimitsOfBothFields) {
  bool ok = false;
  const std::string code(40, 'F');
  EXPECT_EQ(ParseCheckCodeAnswer(("\x1bP1#Z" + code + "\r12\x1b\\").c_str(), &ok), code);
  EXPECT_TRUE(ok);
  // A second field after the first CR, up to 32 characters.
  EXPECT_EQ(ParseCheckCodeAnswer(
                ("\x1bP1#Z" + code + "\r" + std::string(32, 'S') + "\r12\x1b\\").c_str(), &ok),
            code);
  EXPECT_TRUE(ok);
  const std::string bad[] = {
      "\x1bP1#Z" + std::string(41, 'F') + "\r12\x1b\\",                // first too long
      "\x1bP1#Z" + code + "\r" + std::string(33, 'S') + "\r12\x1b\\",  // second too long
      "\x1bP1#Z" + code + "\r" + std::string(20, 'S'),                 // second unended
      "\x1bP1#Z" + code,                                               // first unended
      std::string(51, 'x') + "#Z" + code + "\r12\x1b\\",               // mark too late
      "",
      "#",
  };
  for (const std::string& answer : bad) {
    EXPECT_EQ(ParseCheckCodeAnswer(answer.c_str(), &ok), "") << answer;
    EXPECT_FALSE(ok) << answer;
  }
}

TEST(ReceiveBuffer, LinesOfAtMost51CharactersFromTheFifthByte) {
  const std::string data(120, 'd');
  const std::string answer = "\x1bP1#" + data + "\x1b\\";
  auto lines = ReceiveBufferLines(answer.c_str(), answer.size() + 1);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 51u);
  EXPECT_EQ(lines[1].size(), 51u);
  EXPECT_EQ(lines[2].size(), 18u);

  const std::string mixed = "\x1bP1#ab\r\ncd\nef\x1b\\";
  lines = ReceiveBufferLines(mixed.c_str(), mixed.size() + 1);
  EXPECT_EQ(lines, (std::vector<std::string>{"ab", "cd", "ef"}));
  EXPECT_TRUE(ReceiveBufferLines("", 1).empty());
  EXPECT_TRUE(ReceiveBufferLines("\\", 2).empty());
}

}  // namespace
}  // namespace kelm
