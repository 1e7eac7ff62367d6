// Error messages, FieldTexts and the number-text helpers.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "protocol/error_table.h"
#include "protocol/field_texts.h"
#include "protocol/number_text.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

TEST(PrinterErrorMessage, NumbersTextsGapsAndTheUnknownCommandRule) {
  EXPECT_EQ(PrinterErrorMessage(3), "Wystąpił bład nr: 3: Zła ilość parametrów.");
  EXPECT_EQ(PrinterErrorMessage(60), "Wystąpił bład nr: 60: ");
  EXPECT_EQ(PrinterErrorMessage(255), "Wystąpił bład nr: 0: Rozkaz nierozpoznany.");
  EXPECT_EQ(PrinterErrorMessage(165), "Wystąpił bład nr: 165: Zmiana grafik raz na raport dobowy.");
  EXPECT_EQ(PrinterErrorMessage(166), "Wystąpił bład nr: 166: ");
  EXPECT_EQ(PrinterErrorMessage(-1), "Wystąpił bład nr: -1: ");
}

TEST(PrinterErrorTable, KeepsLineBreaksAndQuotesOfTheTexts) {
  EXPECT_STREQ(PrinterErrorText(25),
               "Błąd kodu terminala/kasjera, linii tekstu informacyjnego,\r\nnazwy karty, czeku "
               "lub bonu.");
  EXPECT_STREQ(
      PrinterErrorText(149),
      "Wykonanie operacji niemożliwe\r\n- pamięć fiskalna znajduje się w stanie \"tylko do "
      "odczytu\".");
  EXPECT_STREQ(PrinterErrorText(123),
               "Została zaprogramowana zmiana waluty w określonym terminie.\nJeśli chcesz wykonać "
               "tę opercję należy anulować zminę waluty.");
  int with_text = 0;
  for (int n = 0; n < kPrinterErrorCount; ++n) with_text += PrinterErrorText(n)[0] != '\0';
  EXPECT_EQ(with_text, 109);
}

TEST(FieldTexts, TakeAtMostFortyNineBytesAndConvertOperatorText) {
  test::SeamGuard seams;
  SetFieldText(0, std::string(60, 'x'));
  EXPECT_EQ(std::string(FieldTexts[0]), std::string(49, 'x'));
  SetFieldTextUtf8(19, "Łódź");
  EXPECT_STREQ(FieldTexts[19], "\xA3\xF3\x64\x9F");
  SetFieldText(20, "ignored");
  SetFieldText(-1, "ignored");
  // 49 two-byte UTF-8 letters are 49 Windows-1250 bytes: the cut counts characters.
  std::string letters;
  for (int i = 0; i < 60; ++i) letters += "ą";
  SetFieldTextUtf8(1, letters);
  EXPECT_EQ(std::string(FieldTexts[1]).size(), 49u);
}

TEST(NumberText, CommaAndDot) {
  std::string s = "1.234.5";
  DotToComma(s);
  EXPECT_EQ(s, "1,234,5");
  EXPECT_TRUE(HasComma(s));
  CommaToDot(s);
  EXPECT_EQ(s, "1.234.5");
  EXPECT_FALSE(HasComma(s));
  char buf[] = "0,01";
  CommaToDot(buf);
  EXPECT_STREQ(buf, "0.01");
}

TEST(NumberText, RoundToCentsHalfUpAndSymmetricForNegatives) {
  struct Case {
    double in, out;
  } cases[] = {{0, 0},        {1.005, 1.01},          {1.004999, 1},   {2.675, 2.68},
               {0.125, 0.13}, {19.999, 20},           {-1.005, -1.01}, {-2.675, -2.68},
               {-0.004, 0},   {123456.785, 123456.79}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RoundToCents(c.in), c.out) << c.in;
}

TEST(NumberText, ParseDecimalAcceptsCommaOrDotAndRefusesTheRest) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {{"1,23", true, 1.23}, {"1.23", true, 1.23}, {" -0,5 ", true, -0.5},
               {"+7", true, 7},      {",5", true, 0.5},    {"5,", true, 5},
               {"", false, 0},       {",", false, 0},      {"1,2,3", false, 0},
               {"1.2,3", false, 0},  {"1e3", false, 0},    {"12 34", false, 0},
               {"abc", false, 0},    {"--1", false, 0}};
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseDecimal(c.text, &v), c.ok) << c.text;
    EXPECT_DOUBLE_EQ(v, c.ok ? c.value : -99) << c.text;
  }
}

TEST(NumberText, ParseDecimalIgnoresAPolishNumericLocale) {
  if (std::setlocale(LC_ALL, "pl_PL.UTF-8") == nullptr) GTEST_SKIP() << "pl_PL.UTF-8 missing";
  double v = 0;
  const bool dot = ParseDecimal("0.01", &v);
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(dot);
  EXPECT_DOUBLE_EQ(v, 0.01);
}

TEST(NumberText, ParseIntegerAndItsMessage) {
  long v = 0;
  EXPECT_TRUE(ParseInteger(" 50001 ", &v));
  EXPECT_EQ(v, 50001);
  EXPECT_TRUE(ParseInteger("-3", &v));
  EXPECT_EQ(v, -3);
  EXPECT_FALSE(ParseInteger("5000x", &v));
  EXPECT_FALSE(ParseInteger("", &v));
  EXPECT_FALSE(ParseInteger("99999999999999999999", &v));
  EXPECT_EQ(ConversionErrorMessage("abc", true), "'abc' nie jest poprawną liczbą całkowitą.");
}

}  // namespace
}  // namespace kelm
