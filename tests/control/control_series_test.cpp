// The control number series as bytes: one table of receipts and one of daily reports, each row
// the dialog's fields and the exact frames written from the stored templates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/control_series.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/letter_tables.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

// A frame body between ESC "P" and the check slot, with its check value applied.
std::string F(const std::string& body) {
  char frame[kFrameBufferSize];
  std::snprintf(frame, sizeof frame, "\x1BP%sxx\x1B\\", body.c_str());
  ApplyChecksum(frame, sizeof frame);
  return frame;
}

std::vector<std::string> Bytes(const std::vector<SeriesFrame>& frames) {
  std::vector<std::string> out;
  for (const SeriesFrame& f : frames) out.push_back(f.bytes);
  return out;
}

const std::string kCode = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";

ReceiptControlData Receipt() {
  ReceiptControlData d;
  d.date = "05-07-2024";
  d.document = "17";
  d.lines = {{"Chleb", "A"}, {"Woda", "G"}};
  d.vat_total = "0,56";
  d.total = "5,00";
  d.receipt_number = "1";
  d.unique_letters = "KLM";
  d.unique_digits = "12345678";
  d.time = "12:30:00";
  d.control_number = kCode;
  return d;
}

class ControlSeriesTest : public ::testing::Test {
 protected:
  ControlSeriesTest() { LinkSettings.LetterCoding = kMazovia; }
  test::SeamGuard seams;
};

TEST_F(ControlSeriesTest, ReceiptFrames) {
  struct Row {
    const char* name;
    void (*change)(ReceiptControlData&);
    std::vector<std::string> frames;
  };
  const std::string open0 = F("0;0$*05-07-2024\r17/PARAGONU LUB FAKTURY\r");
  const std::string open1 = F("0;1$*05-07-2024\r17/PARAGONU LUB FAKTURY\r");
  const std::string close0 = F("10;0$*" + kCode + "\r");
  const std::string close1 = F("10;1$*" + kCode + "\r");
  const std::string totals0 = F("2;0$*0,56/5,00/1/KLM 12345678\r12:30:00\r");
  const Row rows[] = {
      {"two lines",
       [](ReceiptControlData&) {},
       {open0, F("1;0$*Chleb\rA/"), F("1;0$*Woda\rG/"), totals0, close0}},
      {"an empty first row goes straight to the totals",
       [](ReceiptControlData& d) {
         d.lines = {{"", "A"}, {"Chleb", "A"}};
       },
       {open0, totals0, close0}},
      {"cancelled: the unique digits and the time, no totals and no tax number",
       [](ReceiptControlData& d) {
         d.cancelled = true;
         d.buyer_nip_given = true;
         d.buyer_nip = "5260250274";
         d.print_all = true;
       },
       {open1, F("1;1$*Chleb\rA/"), F("1;1$*Woda\rG/"), F("3;1$*12345678\r12:30:00\r"), close1}},
      {"buyer's tax number with print-all carries 2",
       [](ReceiptControlData& d) {
         d.lines.resize(1);
         d.buyer_nip_given = true;
         d.buyer_nip = "526-025-02-74";
         d.print_all = true;
       },
       {open1, F("1;1$*Chleb\rA/"), F("1;2$*526-025-02-74\rX/"),
        F("2;1$*0,56/5,00/1/KLM 12345678\r12:30:00\r"), close1}},
      {"buyer's tax number without print-all carries 0",
       [](ReceiptControlData& d) {
         d.lines.clear();
         d.buyer_nip_given = true;
         d.buyer_nip = "5260250274";
       },
       {open0, F("1;0$*5260250274\rX/"), totals0, close0}},
      {"an unticked tax number is not sent",
       [](ReceiptControlData& d) {
         d.lines.clear();
         d.buyer_nip = "5260250274";
       },
       {open0, totals0, close0}},
      {"names in the printer's letters, the letter cell as typed",
       [](ReceiptControlData& d) {
         d.lines = {{"Żółć łąka", " a "}};
       },
       {open0, F("1;0$*\xA1\xA2\x92\x8D \x92\x86ka\r a /"), totals0, close0}},
  };
  for (const Row& row : rows) {
    ReceiptControlData d = Receipt();
    row.change(d);
    EXPECT_EQ(Bytes(ReceiptSeries(d)), row.frames) << row.name;
  }
}

TEST_F(ControlSeriesTest, ReceiptGridEndsAfterRow255) {
  ReceiptControlData d = Receipt();
  d.lines.assign(300, SaleRow{"X", "A"});
  const std::vector<SeriesFrame> frames = ReceiptSeries(d);
  ASSERT_EQ(frames.size(), 1u + 255u + 2u);
  EXPECT_EQ(frames[255].bytes, F("1;0$*X\rA/"));
  EXPECT_EQ(frames[256].bytes, F("2;0$*0,56/5,00/1/KLM 12345678\r12:30:00\r"));
}

DailyControlData Daily() {
  DailyControlData d;
  d.date = "05-07-2024";
  d.report_number = "3";
  d.taxed = {{"A", "1,23"}, {"B", "10,00"}};
  d.exempt = {{"G", "2,00"}};
  d.vat_total = "0,23";
  d.receipt_count = "2";
  d.invoice_count = "0";
  d.running_vat = "1234,56";
  d.unique_letters = "KLM";
  d.unique_digits = "12345678";
  d.control_number = kCode;
  return d;
}

TEST_F(ControlSeriesTest, DailyReportFrames) {
  const std::string vat0 =
      F("5;0$*0,23/\x9C\x8F"
        "CZNA KWOTA PTU:\r");
  const std::string receipts0 = F("5;0$*2/ILO\x98\x95 PARAGON\xA3W:\r");
  const std::string running0 =
      F("6;0$*0/1234.56/OD RAP. 1 DO N \x9C\x8F"
        "CZNA KWOTA PTU:\r");
  const std::string unique0 = F("7;0$*KLM 12345678\r00:00:00\r");
  const std::string open0 = F("0;0$*05-07-2024\r3/RAPORTU DOBOWEGO\r");
  const std::string close0 = F("10;0$*" + kCode + "\r");
  const std::string rates0[] = {F("4;0$*A\r1,23/"), F("4;0$*B\r10,00/"), F("4;0$*G\r2,00/")};
  InvoiceSetting plain, salvo, d859, d859_without;
  salvo.copy_mode = 2;
  d859.bus_variant = 2;
  d859.invoice_digit = 1;
  d859_without.bus_variant = 2;
  d859_without.invoice_digit = 0;
  struct Row {
    const char* name;
    void (*change)(DailyControlData&);
    InvoiceSetting setting;
    std::vector<std::string> frames;
  };
  const Row rows[] = {
      {"invoice count 0 is not sent",
       [](DailyControlData&) {},
       salvo,
       {open0, rates0[0], rates0[1], rates0[2], vat0, receipts0, running0, unique0, close0}},
      {"invoice count 0 is sent when the 859 keeps invoices",
       [](DailyControlData&) {},
       d859,
       {open0, rates0[0], rates0[1], rates0[2], vat0, receipts0, F("5;0$*0/ILO\x98\x95 FAKTUR::\r"),
        running0, unique0, close0}},
      {"an invoice count above 0 is sent",
       [](DailyControlData& d) { d.invoice_count = "2"; },
       d859_without,
       {open0, rates0[0], rates0[1], rates0[2], vat0, receipts0, F("5;0$*2/ILO\x98\x95 FAKTUR::\r"),
        running0, unique0, close0}},
      {"12345678,90 splits into 1 and 2345678.90",
       [](DailyControlData& d) {
         d.running_vat = "12345678,90";
         d.taxed.clear();
         d.exempt.clear();
       },
       plain,
       {open0, vat0, receipts0,
        F("6;0$*1/2345678.90/OD RAP. 1 DO N \x9C\x8F"
          "CZNA KWOTA PTU:\r"),
        unique0, close0}},
      {"a dot reads as the decimal comma; 20000000 is two whole units",
       [](DailyControlData& d) {
         d.running_vat = " 20000000.00 ";
         d.taxed.clear();
         d.exempt.clear();
       },
       plain,
       {open0, vat0, receipts0,
        F("6;0$*2/0.00/OD RAP. 1 DO N \x9C\x8F"
          "CZNA KWOTA PTU:\r"),
        unique0, close0}},
      {"a grid stops at its first row without a letter or an amount; letters lose spaces",
       [](DailyControlData& d) {
         d.taxed = {{"  A", "1,23"}, {"B", ""}, {"C", "5,00"}};
         d.exempt = {{"", "2,00"}, {"G", "2,00"}};
       },
       plain,
       {open0, rates0[0], vat0, receipts0, running0, unique0, close0}},
      {"print-all: 1 in 0, 5, 6, 7 and 10; 1 for taxed and 2 for exempt rates",
       [](DailyControlData& d) {
         d.print_all = true;
         d.taxed.resize(1);
         d.invoice_count = "1";
       },
       plain,
       {F("0;1$*05-07-2024\r3/RAPORTU DOBOWEGO\r"), F("4;1$*A\r1,23/"), F("4;2$*G\r2,00/"),
        F("5;1$*0,23/\x9C\x8F"
          "CZNA KWOTA PTU:\r"),
        F("5;1$*2/ILO\x98\x95 PARAGON\xA3W:\r"), F("5;1$*1/ILO\x98\x95 FAKTUR::\r"),
        F("6;1$*0/1234.56/OD RAP. 1 DO N \x9C\x8F"
          "CZNA KWOTA PTU:\r"),
        F("7;1$*KLM 12345678\r00:00:00\r"), F("10;1$*" + kCode + "\r")}},
  };
  for (const Row& row : rows) {
    DailyControlData d = Daily();
    row.change(d);
    const DailySeriesResult r = DailySeries(d, row.setting);
    EXPECT_FALSE(r.running_total_bad) << row.name;
    EXPECT_EQ(Bytes(r.frames), row.frames) << row.name;
  }
}

TEST_F(ControlSeriesTest, DailyGridsTakeFifteenRowsEach) {
  DailyControlData d = Daily();
  d.taxed.assign(20, RateRow{"A", "1,00"});
  d.exempt.assign(20, RateRow{"G", "1,00"});
  const DailySeriesResult r = DailySeries(d, InvoiceSetting());
  EXPECT_EQ(r.frames.size(), 1u + 30u + 2u + 3u);
}

// A running total that is no number stops the series before its frame: what was built so far
// still goes out, the rest never does. A huge number would never finish splitting.
TEST_F(ControlSeriesTest, BadRunningTotalStopsBeforeItsFrame) {
  for (const char* text : {"", "abc", "1.234,56", "12,34,5", "1e5", "700000000000", "-"}) {
    DailyControlData d = Daily();
    d.running_vat = text;
    const DailySeriesResult r = DailySeries(d, InvoiceSetting());
    EXPECT_TRUE(r.running_total_bad) << text;
    ASSERT_EQ(r.frames.size(), 6u) << text;
    EXPECT_EQ(r.frames.back().bytes, F("5;0$*2/ILO\x98\x95 PARAGON\xA3W:\r")) << text;
  }
  // The largest running total a printer keeps still splits to the grosz.
  DailyControlData d = Daily();
  d.running_vat = "655359999999,99";
  const DailySeriesResult r = DailySeries(d, InvoiceSetting());
  ASSERT_FALSE(r.running_total_bad);
  EXPECT_EQ(r.frames[r.frames.size() - 3].bytes, F("6;0$*65535/9999999.99/OD RAP. 1 DO N \x9C\x8F"
                                                   "CZNA KWOTA PTU:\r"));
}

TEST_F(ControlSeriesTest, InvoiceSettingFromTheAnswerAndTheDetectedType) {
  EXPECT_EQ(InvoiceDigitFromAnswer("\x1BP1#V1;0xx\x1B\\", kFrameBufferSize), 1);
  EXPECT_EQ(InvoiceDigitFromAnswer("\x1BP1#V0;0xx\x1B\\", kFrameBufferSize), 0);
  EXPECT_EQ(InvoiceDigitFromAnswer("\x1BP1#V", kFrameBufferSize), -1);
  // Bounded by the capacity even without a NUL.
  const char unterminated[4] = {'\x1B', 'P', '1', '#'};
  EXPECT_EQ(InvoiceDigitFromAnswer(unterminated, sizeof unterminated), -1);

  struct Row {
    int bus, copy, digit;
    bool shown, always;
  } rows[] = {
      {2, 2, 1, true, true},   {2, 2, 0, false, false},  {2, 2, -1, false, false},
      {0, 2, -1, true, false}, {0, 1, -1, false, false}, {1, 2, -1, false, false},
  };
  for (const Row& row : rows) {
    InvoiceSetting s;
    s.bus_variant = row.bus;
    s.copy_mode = row.copy;
    s.invoice_digit = row.digit;
    EXPECT_EQ(s.InvoiceFieldShown(), row.shown) << row.bus << row.copy << row.digit;
    EXPECT_EQ(s.AlwaysSendsInvoiceCount(), row.always) << row.bus << row.copy << row.digit;
  }
}

}  // namespace
}  // namespace kelm
