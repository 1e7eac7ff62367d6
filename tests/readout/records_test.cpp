// Record lengths, reading records off a stream, field offsets of the seven layouts, and the
// period sums.
#include "readout/records.h"

#include <gtest/gtest.h>

#include "readout/accumulators.h"
#include "readout/stream.h"

namespace kelm {
namespace {

using test::Body;

ReadoutModel Model(int family, int bus, int copy, int version, int cfgFamily = 2, int cfgCopy = 0) {
  ReadoutModel m;
  m.family = family;
  m.bus_variant = bus;
  m.copy_mode = copy;
  m.version = version;
  m.configured_family = cfgFamily;
  m.configured_copy_mode = cfgCopy;
  return m;
}

struct LengthRow {
  ReadoutModel model;
  int daily;
  size_t header, unique, taxRate;
};

TEST(RecordLengths, FollowTheDetectedType) {
  const LengthRow rows[] = {
      {Model(2, 0, 0, 200), 90, 252, 14, 31},
      {Model(1, 0, 0, 100), 90, 252, 14, 31},
      {Model(2, 1, 0, 299), 94, 252, 14, 32},
      {Model(2, 1, 0, 300), 106, 252, 16, 32},
      {Model(1, 1, 0, 300), 94, 252, 14, 32},  // the bus layouts of family 2 only
      {Model(2, 0, 1, 200), 174, 252, 14, 31},
      {Model(2, 1, 1, 200), 94, 252, 14, 32},  // bus variant is checked after copy mode 1
      {Model(2, 0, 2, 100), 278, 252, 14, 31},
      {Model(2, 0, 2, 100, 2, 2), 278, 252, 16, 31},  // the configured model lengthens type 1
      {Model(2, 0, 2, 200), 290, 458, 14, 31},
      {Model(2, 2, 2, 100), 296, 252, 16, 32},
      {Model(2, 2, 2, 200), 290, 458, 16, 32},  // copy mode 2 with 2.00 is checked last
  };
  for (const LengthRow& row : rows) {
    const ReadoutModel& m = row.model;
    SCOPED_TRACE(testing::Message() << "family " << m.family << " bus " << m.bus_variant << " copy "
                                    << m.copy_mode << " version " << m.version);
    EXPECT_EQ(DailyReportLength(m), row.daily);
    EXPECT_EQ(RecordBodyLength(kDailyReportRecord, m), size_t(row.daily));
    EXPECT_EQ(RecordBodyLength(kHeaderRecord, m), row.header);
    EXPECT_EQ(RecordBodyLength(kUniqueNumberRecord, m), row.unique);
    EXPECT_EQ(RecordBodyLength(kTaxRateRecord, m), row.taxRate);
  }
  const ReadoutModel m = Model(2, 0, 0, 200);
  const std::pair<int, size_t> fixed[] = {{2, 10},  {3, 18},  {6, 8},   {7, 34},  {8, 10}, {10, 58},
                                          {11, 58}, {12, 16}, {13, 12}, {14, 33}, {9, 0},  {15, 0}};
  for (auto [type, length] : fixed) EXPECT_EQ(RecordBodyLength(type, m), length) << type;
}

class FailingEnqLink : public BufferRecordLink {
 public:
  using BufferRecordLink::BufferRecordLink;
  bool SendEnq() override { return false; }
};

struct ReadRow {
  const char* name;
  std::string stream;
  int expected;
  int code;
  int enqs;
};

TEST(ReadMemoryRecord, ResultCodesAndTheEnqAfterEachRecord) {
  const ReadoutModel m = Model(2, 0, 0, 200);
  Body nip(18);
  nip.Text(0, "123");
  const std::string good = nip.Record(3);
  const ReadRow rows[] = {
      {"good record", good, kTaxNumberRecord, kRecordGood, 1},
      {"any type accepted", good, kAnyRecord, kRecordGood, 1},
      {"another type than expected", good, kClockRecord, kTransmissionError, 0},
      {"check byte off by one", nip.Record(3, false, true), kTaxNumberRecord, kTransmissionError,
       0},
      {"damaged record is kept and the next asked for", nip.Record(3, true), kTaxNumberRecord,
       kRecordDamaged, 1},
      {"closing record asks for nothing more", Body(58).Record(11), kClosingRecord, kRecordGood, 0},
      {"stream ends inside the body", good.substr(0, 10), kTaxNumberRecord, kReadoutAborted, 0},
      {"stream ends before the type", "", kAnyRecord, kReadoutAborted, 0},
      {"type the stream never holds", std::string(1, '\x09') + std::string(20, '\0'), kAnyRecord,
       kTransmissionError, 0},
  };
  for (const ReadRow& row : rows) {
    BufferRecordLink link(row.stream);
    MemoryRecord record;
    EXPECT_EQ(ReadMemoryRecord(link, m, row.expected, &record, nullptr), row.code) << row.name;
    EXPECT_EQ(link.enqs(), row.enqs) << row.name;
  }
  BufferRecordLink damaged(nip.Record(3, true));
  MemoryRecord record;
  ReadMemoryRecord(damaged, m, kAnyRecord, &record, nullptr);
  EXPECT_EQ(record.type, 3);
  EXPECT_TRUE(record.damaged);
  EXPECT_EQ(FieldText(record.body.data(), 17), "123");

  FailingEnqLink noEnq(good);
  EXPECT_EQ(ReadMemoryRecord(noEnq, m, kTaxNumberRecord, &record, nullptr), kEnqFailed);
}

TEST(ReadMemoryRecord, The859ModelHidesTwoFlagsInTheRangeRecord) {
  const std::string stream = Body(58).U8(1, 0xC1).Record(10);
  MemoryRecord record;
  RangeFlags flags;
  BufferRecordLink d859(stream);
  ASSERT_EQ(ReadMemoryRecord(d859, Model(2, 2, 2, 100), kRangeRecord, &record, &flags),
            kRecordGood);
  EXPECT_TRUE(flags.first);
  EXPECT_TRUE(flags.second);
  EXPECT_EQ(record.body[1], 1) << "more-currencies byte without the flags";

  RangeFlags untouched;
  BufferRecordLink other(stream);
  ASSERT_EQ(ReadMemoryRecord(other, Model(2, 1, 0, 300), kRangeRecord, &record, &untouched),
            kRecordGood);
  EXPECT_FALSE(untouched.first);
  EXPECT_EQ(record.body[1], 0xC1);
}

// The field offsets of every layout, typed in once more from the printer's documentation.
struct OffsetRow {
  int layout;
  int first_sale, rate_set, receipts, invoices, vat, vatInv, sales, salesInv, due;
  int runVat, runVatInv, runTotalVat, runTotalDue, digest, letters, goods, cancelCount, cancelSum;
};

TEST(DailyReport, FieldsOfEveryLayoutLandInTheNormalisedReport) {
  const OffsetRow rows[] = {
      {90, -1, 10, 19, -1, 21, -1, 49, -1, 77, -1, -1, -1, -1, -1, -1, -1, 81, 83},
      {94, -1, 10, 19, -1, 21, -1, 49, -1, 81, -1, -1, -1, -1, -1, -1, -1, 85, 87},
      {106, 10, 20, 29, -1, 31, -1, 59, -1, 91, -1, -1, -1, -1, -1, -1, 95, 97, 99},
      {174, -1, 10, 21, -1, 23, -1, 55, -1, 83, 87, -1, 129, 135, 141, 161, -1, 165, 167},
      {278, -1, 10, 21, 27, 29, 57, 89, 117, 145, 149, 191, 233, 239, 245, 265, -1, 269, 271},
      {290, 10, 20, 31, 37, 39, 67, 99, 127, 155, 159, 201, 243, 249, 255, 275, 279, 281, 283},
      {296, 10, 20, 31, 195, 33, 197, 65, 225, 97, 101, 253, 143, 149, 155, 175, 179, 181, 183},
  };
  for (const OffsetRow& o : rows) {
    SCOPED_TRACE(o.layout);
    Body b(size_t(o.layout));
    b.U16(1, 4321).Date(3, 2026, 12, 9).U8(7, 23).U8(8, 59).U8(9, 58);
    if (o.first_sale >= 0) {
      b.Raw(size_t(o.first_sale), "\x1a\x0c\x09\x08\x05");
      b.Raw(size_t(o.first_sale) + 5, "\x1a\x0c\x09\x16\x2d");
    }
    b.U8(o.rate_set, 3).U8(o.rate_set + 1, 7).U8(o.rate_set + 2, 0xCC);
    b.U16(o.receipts, 501);
    if (o.invoices >= 0) b.U16(o.invoices, 502);
    for (int i = 0; i < 7; ++i) {
      b.U32(o.vat + 4 * i, 1000 + i);
      b.U32(o.sales + 4 * i, 2000 + i);
      if (o.vatInv >= 0) b.U32(o.vatInv + 4 * i, 3000 + i);
      if (o.salesInv >= 0) b.U32(o.salesInv + 4 * i, 4000 + i);
      if (o.runVat >= 0) b.Six(o.runVat + 6 * i, uint16_t(i), 5000 + i);
      if (o.runVatInv >= 0) b.Six(o.runVatInv + 6 * i, uint16_t(i + 1), 6000 + i);
    }
    b.U32(o.due, 123456789);
    if (o.runTotalVat >= 0) b.Six(o.runTotalVat, 2, 999999999);
    if (o.runTotalDue >= 0) b.Six(o.runTotalDue, 3, 7);
    if (o.digest >= 0) {
      for (int i = 0; i < 20; ++i) b.U8(o.digest + i, uint8_t(0xA0 + i));
    }
    if (o.letters >= 0) b.U16(o.letters, 0x45);
    if (o.goods >= 0) b.U16(o.goods, 77);
    b.U16(o.cancelCount, 9).U32(o.cancelSum, 100000000);

    const std::string record = b.Record(5);
    const auto* body = reinterpret_cast<const uint8_t*>(record.data() + 1);
    DailyReport r;
    ASSERT_TRUE(DecodeDailyReport(body, b.size(), o.layout, &r));
    EXPECT_EQ(r.number, 4321);
    EXPECT_EQ(r.date.day, 9);
    EXPECT_EQ(r.date.year, 26);
    EXPECT_EQ(r.hour, 23);
    EXPECT_EQ(r.second, 58);
    EXPECT_EQ(r.rate_set, 3);
    EXPECT_EQ(r.ram_reset_number, 7);
    EXPECT_EQ(r.ram_reset_kind, 0xCC);
    EXPECT_EQ(r.receipts, 501);
    EXPECT_EQ(r.invoices, o.invoices >= 0 ? 502 : 0);
    EXPECT_EQ(r.vat[6], 1006u);
    EXPECT_EQ(r.sales[0], 2000u);
    EXPECT_EQ(r.vat_invoices[3], o.vatInv >= 0 ? 3003u : 0u);
    EXPECT_EQ(r.sales_invoices[6], o.salesInv >= 0 ? 4006u : 0u);
    EXPECT_EQ(r.total_due, 123456789u);
    EXPECT_EQ(r.running_vat[6].value, (o.runVat >= 0 ? AmountPair{6, 5006} : AmountPair{}));
    EXPECT_EQ(r.running_vat_invoices[0].value,
              (o.runVatInv >= 0 ? AmountPair{1, 6000} : AmountPair{}));
    EXPECT_EQ(r.running_total_vat.value,
              (o.runTotalVat >= 0 ? AmountPair{2, 999999999} : AmountPair{}));
    EXPECT_EQ(r.running_total_due.value, (o.runTotalDue >= 0 ? AmountPair{3, 7} : AmountPair{}));
    EXPECT_EQ(r.copy_digest[19], o.digest >= 0 ? 0xB3 : 0);
    EXPECT_EQ(r.running_letters, o.letters >= 0 ? 0x45 : 0);
    EXPECT_EQ(r.goods_changes, o.goods >= 0 ? 77 : 0);
    EXPECT_EQ(r.cancelled_count, 9);
    EXPECT_EQ(r.cancelled_amount, 100000000u);
    EXPECT_EQ(r.first_sale[3], o.first_sale >= 0 ? 8 : 0);
    EXPECT_EQ(r.last_sale[4], o.first_sale >= 0 ? 45 : 0);
  }
  DailyReport r;
  uint8_t body[300] = {};
  EXPECT_FALSE(DecodeDailyReport(body, sizeof body, 100, &r)) << "no such layout";
  EXPECT_FALSE(DecodeDailyReport(body, 89, 90, &r)) << "body shorter than its layout";
}

TEST(PeriodSums, PairsCarryAtOneBillionGrosze) {
  struct Row {
    AmountPair start;
    uint32_t add;
    AmountPair result;
  } rows[] = {
      {{0, 999999999}, 1, {1, 0}},
      {{0, 0}, 999999999, {0, 999999999}},
      {{0, 999999999}, 4294967295u, {5, 294967294}},
      {{7, 500000000}, 500000000, {8, 0}},
  };
  for (const Row& row : rows) {
    AmountPair p = row.start;
    AddToPair(&p, row.add);
    EXPECT_EQ(p, row.result) << row.start.high << "/" << row.start.low << " + " << row.add;
  }
}

DailyReport Day(uint32_t salesA, uint32_t vatA, uint32_t cancelled, uint8_t reset_kind) {
  DailyReport r;
  r.sales[0] = salesA;
  r.vat[0] = vatA;
  r.sales[2] = 500;
  r.vat[2] = 20;
  r.sales_invoices[0] = 11;
  r.vat_invoices[0] = 3;
  r.sales_invoices[2] = 13;
  r.total_due = salesA + 520;
  r.receipts = 4;
  r.invoices = 2;
  r.cancelled_count = 1;
  r.cancelled_amount = cancelled;
  r.ram_reset_kind = reset_kind;
  r.goods_changes = 5;
  return r;
}

TEST(PeriodSums, OneGoodDailyReport) {
  RateSet rates;
  rates.use[0] = kTaxed;
  rates.rate[0] = 2300;
  rates.use[1] = kTaxed;  // rate 0: sales count, VAT does not
  rates.use[2] = kExempt;
  PeriodTotals t;
  DailyReport day = Day(12300, 2300, 150, 0);
  day.sales[1] = 40;
  day.vat[1] = 9;
  AccumulateDailyReport(day, rates, false, true, &t);
  EXPECT_EQ(t.sales[0], (AmountPair{0, 12300}));
  EXPECT_EQ(t.vat[0], (AmountPair{0, 2300}));
  EXPECT_EQ(t.sales_invoices[0], (AmountPair{0, 11}));
  EXPECT_EQ(t.vat_invoices[0], (AmountPair{0, 3}));
  EXPECT_EQ(t.taxed_use[0], 2);
  EXPECT_EQ(t.sales[1], (AmountPair{0, 40}));
  EXPECT_EQ(t.vat[1], (AmountPair{}));
  EXPECT_EQ(t.taxed_use[1], 1);
  EXPECT_EQ(t.exempt, (AmountPair{0, 520})) << "exempt sales with their VAT";
  EXPECT_EQ(t.exempt_invoices, (AmountPair{0, 13}));
  EXPECT_TRUE(t.exempt_use[2]);
  EXPECT_EQ(t.total_due, (AmountPair{0, 12820}));
  EXPECT_EQ(t.total_vat, (AmountPair{0, 2300 + 9 + 20 + 3})) << "VAT of every letter and invoice";
  EXPECT_EQ(t.receipts, 4u);
  EXPECT_EQ(t.invoices, 2u);
  EXPECT_EQ(t.cancelled_amount, (AmountPair{0, 150}));
  EXPECT_EQ(t.goods_changes, 5u);
  EXPECT_EQ(t.ram_resets, 0);

  PeriodTotals paper;
  AccumulateDailyReport(day, rates, false, false, &paper);
  EXPECT_EQ(paper.invoices, 0u);
  EXPECT_EQ(paper.sales_invoices[0], (AmountPair{}));
  EXPECT_EQ(paper.total_vat, (AmountPair{0, 2300 + 9 + 20}));
}

TEST(PeriodSums, SurchargeUsesCountOnlyOnBusPrinters) {
  RateSet rates;
  rates.use[0] = kTaxedSurcharge;
  rates.rate[0] = 800;
  rates.use[2] = kExemptSurcharge;
  PeriodTotals bus, plain;
  AccumulateDailyReport(Day(1000, 80, 0, 0), rates, true, false, &bus);
  AccumulateDailyReport(Day(1000, 80, 0, 0), rates, false, false, &plain);
  EXPECT_EQ(bus.sales_surcharge[0], (AmountPair{0, 1000}));
  EXPECT_EQ(bus.vat_surcharge[0], (AmountPair{0, 80}));
  EXPECT_EQ(bus.surcharge_use[0], 2);
  EXPECT_EQ(bus.exempt_surcharge[2], (AmountPair{0, 520}));
  EXPECT_TRUE(bus.exempt_surcharge_use[2]);
  EXPECT_EQ(plain.surcharge_use[0], 0);
  EXPECT_FALSE(plain.exempt_surcharge_use[2]);
  EXPECT_EQ(plain.total_due, bus.total_due);
}

TEST(PeriodSums, CancelledOverflowStaysAndResetsAreCounted) {
  RateSet rates;
  PeriodTotals t;
  AccumulateDailyReport(Day(0, 0, 500, 0), rates, false, false, &t);
  AccumulateDailyReport(Day(0, 0, kCancelledOverflow, kResetSalesAndCache), rates, false, false,
                        &t);
  AccumulateDailyReport(Day(0, 0, 700, kResetSales), rates, false, false, &t);
  AccumulateDailyReport(Day(0, 0, 0, 0), rates, false, false, &t);
  EXPECT_TRUE(t.CancelledOverflow());
  EXPECT_EQ(t.cancelled_amount, (AmountPair{0, kCancelledOverflow}));
  EXPECT_EQ(t.cancelled, 4u);
  EXPECT_EQ(t.ram_resets, 2);
}

TEST(PeriodSums, RateChangesMarkTheirLetters) {
  RateSet before, after;
  // A: taxed both times, new rate. B: taxed, same rate. C: taxed, then surcharge.
  // D: surcharge both times, new rate. E: unused before.
  before.use[0] = kTaxed, before.rate[0] = 2200, after.use[0] = kTaxed, after.rate[0] = 2300;
  before.use[1] = kTaxed, before.rate[1] = 700, after.use[1] = kTaxed, after.rate[1] = 700;
  before.use[2] = kTaxed, before.rate[2] = 700, after.use[2] = kTaxedSurcharge, after.rate[2] = 700;
  before.use[3] = kTaxedSurcharge, before.rate[3] = 500;
  after.use[3] = kTaxedSurcharge, after.rate[3] = 800;
  after.use[4] = kTaxed, after.rate[4] = 500;
  PeriodTotals bus, plain;
  MarkRateChanges(before, after, true, &bus);
  MarkRateChanges(before, after, false, &plain);
  const bool busTaxed[7] = {true, false, true, false, false, false, false};
  const bool busSurcharge[7] = {false, false, true, true, false, false, false};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(bus.rate_changed[i], busTaxed[i]) << char('A' + i);
    EXPECT_EQ(bus.surcharge_rate_changed[i], busSurcharge[i]) << char('A' + i);
    EXPECT_EQ(plain.rate_changed[i], i == 0) << char('A' + i);
    EXPECT_FALSE(plain.surcharge_rate_changed[i]);
  }
}

}  // namespace
}  // namespace kelm
