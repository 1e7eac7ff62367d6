// The printer's daily-report control number against the one the readout computes.
#include <gtest/gtest.h>

#include "emulator/daily_digest.h"
#include "readout/report_digest.h"

namespace kelm::emu::test {
namespace {

TEST(DigestCrossCheck, PrinterAndReadoutAgree) {
  struct Row {
    int day, month, year;
    uint32_t number;
    std::vector<std::pair<int, uint32_t>> sales;
    uint32_t vat, receipts, invoices;
    uint16_t high;
    uint32_t low;
  } rows[] = {
      {5, 7, 24, 1, {{0, 123}}, 23, 1, 0, 0, 23},
      {31, 12, 99, 1830, {{0, 999999}, {1, 5}, {6, 70000}}, 187000, 4567, 12, 3, 999999999},
  };
  for (const Row& row : rows) {
    char date[16];
    snprintf(date, sizeof date, "%02d-%02d-20%02d", row.day, row.month, row.year);
    DailyDigest printer;
    ReportDigest readout;
    printer.Start(date, row.number);
    readout.Start(PackedDate{20, static_cast<uint8_t>(row.year), static_cast<uint8_t>(row.month),
                             static_cast<uint8_t>(row.day)},
                  row.number);
    for (auto [letter, amount] : row.sales) {
      printer.Sale(letter, amount);
      readout.AddSale(letter, amount);
    }
    for (uint32_t v : {row.vat, row.receipts}) {
      printer.Value(v);
      readout.AddValue(v);
    }
    if (row.invoices) {
      printer.Value(row.invoices);
      readout.AddValue(row.invoices);
    }
    printer.RunningTotal(row.high, row.low);
    SixByteAmount six;
    six.raw = {static_cast<uint8_t>(row.high),      static_cast<uint8_t>(row.high >> 8),
               static_cast<uint8_t>(row.low),       static_cast<uint8_t>(row.low >> 8),
               static_cast<uint8_t>(row.low >> 16), static_cast<uint8_t>(row.low >> 24)};
    readout.AddSixBytes(six);
    EXPECT_EQ(printer.Finish("KLM 12345678", "00:00:00"), readout.Finish("KLM 12345678"))
        << row.number;
  }
}

}  // namespace
}  // namespace kelm::emu::test
