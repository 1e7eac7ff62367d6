// The sources kelmctl takes a document's data from: the "label: value" fields file and the
// periodic report text of a readout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/control_sources.h"
#include "protocol/win1250.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

const std::string kCode = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
const std::string kSep(42, '-');

TEST(FieldsFile, ReceiptFieldsAsTheDialogHoldsThem) {
  ReceiptControlData d;
  std::string error;
  ASSERT_TRUE(
      ParseReceiptFields("# a receipt\r\n"
                         "date: 05-07-2024\n"
                         "document: 17\n"
                         "line: A Chleb żytni\n"
                         "line: G Woda\n"
                         "vat: 0,56\n"
                         "total: 5,00\n"
                         "receipt: 1\n"
                         "nip: 526-025-02-74\n"
                         "unique: klm 12345678\n"
                         "time: 12:30:00\n"
                         "\n"
                         "control: " +
                             std::string("0123456789abcdefghijklmnopqrstuvwxyz0123") +
                             "\n"
                             "print-all: 1\n",
                         &d, &error))
      << error;
  EXPECT_EQ(d.date, "05-07-2024");
  EXPECT_EQ(d.document, "17");
  ASSERT_EQ(d.lines.size(), 2u);
  EXPECT_EQ(d.lines[0].letter, "A");
  EXPECT_EQ(d.lines[0].name, "Chleb żytni");
  EXPECT_EQ(d.lines[1].name, "Woda");
  EXPECT_EQ(d.vat_total, "0,56");
  EXPECT_EQ(d.total, "5,00");
  EXPECT_EQ(d.receipt_number, "1");
  EXPECT_TRUE(d.buyer_nip_given);
  EXPECT_EQ(d.buyer_nip, "526-025-02-74");
  EXPECT_EQ(d.unique_letters, "KLM");
  EXPECT_EQ(d.unique_digits, "12345678");
  EXPECT_EQ(d.time, "12:30:00");
  EXPECT_EQ(d.control_number, kCode);  // the mask makes the letters capitals
  EXPECT_TRUE(d.print_all);
  EXPECT_FALSE(d.cancelled);
}

// Each mistake is named with its line, and nothing is half taken.
TEST(FieldsFile, MistakesAreNamed) {
  const std::string good = "date: 05-07-2024\ncontrol: " + kCode + "\n";
  struct Row {
    std::string text;
    const char* error;
  } rows[] = {
      {good + "colour: red\n", "line 3: unknown label \"colour\""},
      {good + "just text\n", "line 3: no \"label: value\""},
      {good + "date: 06-07-2024\n", "line 3: \"date\" given twice"},
      {"date: 5-7-2024\n", "line 1: \"date\" must be a date dd-mm-yyyy"},
      {"control: SHORT\n", "line 1: \"control\" must be 40 letters and digits"},
      {good + "unique: KL 123\n",
       "line 3: \"unique\" must be three letters, a space and digits (or the digits alone)"},
      {good + "taxed: A\n", "line 3: \"taxed\" must be a letter and an amount (at most 15 rows)"},
      {good + "print-all: yes\n", "line 3: \"print-all\" must be 0 or 1"},
      {good + "vat: " + std::string(300, '9') + "\n", "line 3: \"vat\" must be text"},
      {"date: 05-07-2024\n", "no \"control\""},
  };
  for (const Row& row : rows) {
    DailyControlData d;
    std::string error;
    EXPECT_FALSE(ParseDailyFields(row.text, &d, &error)) << row.text;
    EXPECT_EQ(error, row.error) << row.text;
  }
  std::string sixteen = good;
  for (int i = 0; i < 16; ++i) sixteen += "exempt: G 1,00\n";
  DailyControlData d;
  std::string error;
  EXPECT_FALSE(ParseDailyFields(sixteen, &d, &error));
  EXPECT_EQ(error.rfind("line 18: ", 0), 0u) << error;

  ReceiptControlData r;
  EXPECT_FALSE(ParseReceiptFields(good + "time: 12:30\n", &r, &error));
  EXPECT_EQ(error, "line 3: \"time\" must be a time hh:mm:ss");
  EXPECT_FALSE(ParseReceiptFields(good + "cancelled: 2\n", &r, &error));
}

// A readout of two daily reports of an invoice printer, written line by line as the readout
// writes them (UTF-8 here, Windows-1250 on disc).
std::string Readout(bool with_medium, bool fiscal) {
  std::vector<std::string> lines = {
      "          SKLEP TESTOWY",
      "             NIP: 526-025-02-74",
      kSep,
      "             RAPORT FISKALNY OKRESOWY",
      "           Nr rap.  Od 2 do 3",
      kSep + "  ",
      "Zapis PTU dn.  01-07-2024",
      "PTU A  23,00%",
      kSep + "  ",
      "04-07-2024                   Nr rap.     2",
      kSep,
      "SPRZED. OPOD. PTU A                   9,99",
      "ŁĄCZNA KWOTA PTU                      1,87",
      "ILOŚĆ PARAGONÓW                          1",
      kSep,
      "        KWOTY ŁĄCZNE OD RAP. NR    1 DO    2",
      kSep,
      "ŁĄCZNA KWOTA PTU                      5,00",
      kSep,
      " #FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF#",
      kSep + "  ",
      "05-07-2024                   Nr rap.     3",
      kSep,
      "SPRZED. OPOD. PTU A                   1,23",
      "SPRZED. OPOD. PTU B                  10,00",
      "SPRZED. OPOD. PTU AVF                 4,00",
      "SPRZED. ZWOL. PTU G                   2,00",
      "SPRZED. ZWOL. PTU GVF                 0,00",
      "KWOTA PTU A                           0,23",
      "ŁĄCZNA KWOTA PTU                      0,23",
      "ŁĄCZNA NALEŻNOŚĆ                     17,23",
      "ILOŚĆ PARAGONÓW                          2",
      "ILOŚĆ FAKTUR                             1",
      kSep,
      "        KWOTY ŁĄCZNE OD RAP. NR    1 DO    3",
      kSep,
      "KWOTA PTU A                    12345678,90",
      "ŁĄCZNA KWOTA PTU               12345678,90",
      "ŁĄCZNA NALEŻNOŚĆ               99999999,00",
      kSep,
      "ILOŚĆ POZYCJI                           11",
      "Waluta ewidencyjna: NIEZAPISANA",
      kSep,
      " #" + kCode + "#",
      " #AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA#",
  };
  if (with_medium) {
    lines.insert(lines.end(), {kSep, "   ETYKIETA NOŚNIKA KOPII ELEKTRONICZNEJ",
                               "Numer nośnika: 001", "Zawiera dane z kasy: ABC 00000042"});
  }
  lines.insert(lines.end(), {kSep + "  ", "", "         ŁĄCZNY RAPORT OKRESOWY", "",
                             "SPRZED. OPOD. PTU A              12345,00", kSep,
                             "#PL KLM 12345678                     12:30"});
  if (fiscal) lines.insert(lines.end(), {"", "               KLM 12345678"});
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return Utf8ToCp1250(text);
}

TEST(ReadoutSource, DailyReportItemsInPrintedOrder) {
  DailyControlData d;
  std::string error;
  ASSERT_TRUE(DailyFieldsFromReadout(Readout(false, true), 3, &d, &error)) << error;
  EXPECT_EQ(d.date, "05-07-2024");
  EXPECT_EQ(d.report_number, "3");
  ASSERT_EQ(d.taxed.size(), 3u);
  EXPECT_EQ(d.taxed[0].letter + d.taxed[0].amount, "A1,23");
  EXPECT_EQ(d.taxed[1].letter + d.taxed[1].amount, "B10,00");
  EXPECT_EQ(d.taxed[2].letter + d.taxed[2].amount, "A4,00");  // the invoice line, where it stands
  ASSERT_EQ(d.exempt.size(), 2u);
  EXPECT_EQ(d.exempt[1].letter + d.exempt[1].amount, "G0,00");
  EXPECT_EQ(d.vat_total, "0,23");
  EXPECT_EQ(d.receipt_count, "2");
  EXPECT_EQ(d.invoice_count, "1");
  EXPECT_EQ(d.running_vat, "12345678,90");
  EXPECT_EQ(d.control_number, kCode);  // the report digest, not the copy digest after it
  EXPECT_EQ(d.unique_letters + " " + d.unique_digits, "KLM 12345678");

  ASSERT_TRUE(DailyFieldsFromReadout(Readout(true, false), 2, &d, &error)) << error;
  EXPECT_EQ(d.control_number, std::string(40, 'F'));
  EXPECT_EQ(d.running_vat, "5,00");
  EXPECT_EQ(d.invoice_count, "");
  EXPECT_EQ(d.unique_letters + " " + d.unique_digits, "ABC 00000042");
}

TEST(ReadoutSource, WhatIsMissingIsSaid) {
  DailyControlData d;
  std::string error;
  EXPECT_FALSE(DailyFieldsFromReadout(Readout(false, true), 4, &d, &error));
  EXPECT_EQ(error, "no daily report 4 in the readout");
  EXPECT_FALSE(DailyFieldsFromReadout(Readout(false, false), 3, &d, &error));
  EXPECT_EQ(error, "no unique number in the readout (a non-fiscal memory does not print it)");
  // A report of a printer without an electronic copy has no digest.
  const std::string plain =
      Utf8ToCp1250(kSep + "  \r\n05-07-2024                   Nr rap.     3\r\n" +
                   "ŁĄCZNA KWOTA PTU                      0,23\r\n" +
                   "ILOŚĆ PARAGONÓW                          2\r\n");
  EXPECT_FALSE(DailyFieldsFromReadout(plain, 3, &d, &error));
  EXPECT_EQ(error,
            "daily report 3 has no control number in the readout (its printer keeps no "
            "electronic copy)");
  // Garbage and cut texts are refused, never overrun.
  for (std::string text :
       {std::string(), std::string("\r\n\r\n"), std::string(5000, '#'),
        Readout(false, true).substr(0, 700), std::string("05-07-2024 Nr rap.")}) {
    EXPECT_FALSE(DailyFieldsFromReadout(text, 3, &d, &error));
  }
}

TEST(ReadoutSource, FilesAreReadWithinTheirLimit) {
  test::TempDir dir;
  const std::string path = dir.File("r.txt");
  test::TempDir::Write(path, std::string(100, 'x'));
  std::string contents;
  EXPECT_TRUE(ReadSmallFile(path, 100, &contents));
  EXPECT_EQ(contents.size(), 100u);
  EXPECT_FALSE(ReadSmallFile(path, 99, &contents));
  EXPECT_FALSE(ReadSmallFile(dir.File("missing.txt"), 100, &contents));
}

}  // namespace
}  // namespace kelm
