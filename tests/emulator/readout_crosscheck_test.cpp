// The virtual printer's record stream read by the program's readout: two sides written apart
// from the same documented bytes must agree on lengths, check bytes, sums and digests.
#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>

#include "emulator/fiscal_memory.h"
#include "emulator/history.h"
#include "emulator/wire.h"
#include "readout/periodic_report.h"

namespace kelm::emu::test {
namespace {

// The printer seen through the readout's link: every ENQ goes to the printer and its answer
// is queued for reading. The printer answers the status query the program sends before each
// pass with one byte; the program then sends the ENQ that starts the pass.
class PrinterRecordLink : public RecordLink {
 public:
  explicit PrinterRecordLink(Printer& p) : p_(p) {}
  bool ReadByte(uint8_t* byte) override {
    if (aborted() || in_.empty()) return false;
    *byte = static_cast<uint8_t>(in_.front());
    in_.pop_front();
    return true;
  }
  bool SendEnq() override {
    std::string answer = p_.Handle(kEnq);
    if (answer.size() == 1) {
      status.push_back(static_cast<unsigned char>(answer[0]));
      answer = p_.Handle(kEnq);
    }
    in_.insert(in_.end(), answer.begin(), answer.end());
    ++enqs;
    return true;
  }
  void SendCan() override { p_.Handle("\x18"); }
  std::vector<unsigned char> status;
  int enqs = 0;

 private:
  Printer& p_;
  std::deque<char> in_;
};

struct ModelRow {
  const char* model;
  const char* firmware;
  int layout;
  ReadoutModel readout;  // the type as the program detects it
};

// Written from the table of layouts, not from the printer's code.
const ModelRow kModels[] = {
    {"vantel", "3.00", 90, {2, 0, 0, 300, 2, 0}},
    {"vantel-bus", "2.00", 94, {2, 1, 0, 200, 2, 0}},
    {"vantel-bus", "3.10", 106, {2, 1, 0, 310, 2, 0}},
    {"vantel-ke", "2.00", 174, {2, 0, 1, 200, 2, 1}},
    {"salvo", "1.00", 278, {2, 0, 2, 100, 2, 2}},
    {"salvo", "2.00", 290, {2, 0, 2, 200, 2, 2}},
    {"859", "1.02", 296, {2, 2, 2, 102, 2, 2}},
};

void PrintTo(const ModelRow& row, std::ostream* os) {
  *os << "layout " << row.layout;
}

struct Readout {
  ReadoutResult result;
  std::string text;  // Windows-1250
  int enqs = 0;
};

std::string NumbersFrame(int flags, int first, int last) {
  return Frame(std::to_string(flags) + ";0;0;0;0;0;0;128#o" + std::to_string(first) + "/" +
               std::to_string(last) + "/\r\r115200/");
}

Readout ReadOut(Bench& b, const ReadoutModel& model, const std::string& frame,
                ReportRequest request = {}) {
  Readout out;
  EXPECT_EQ(b.Send(frame), "");
  EXPECT_EQ(b.printer.last_error(), 0);
  PrinterRecordLink link(b.printer);
  StringSink sink;
  out.result = ReadPeriodicReport(link, model, request, sink, "05.07.2024");
  out.text = sink.text;
  out.enqs = link.enqs;
  for (unsigned char s : link.status) EXPECT_EQ(s & 0x64, 0x64);
  return out;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The digest lines of a report text, "#" and 40 digits and "#", in order.
std::vector<std::string> DigestLines(const std::string& text) {
  std::vector<std::string> out;
  for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) {
    if (at + 41 < text.size() && text[at + 41] == '#' &&
        text.substr(at + 1, 40).find_first_not_of("0123456789ABCDEF") == std::string::npos) {
      out.push_back(text.substr(at + 1, 40));
      at += 41;
    }
  }
  return out;
}

class EveryLayout : public ::testing::TestWithParam<ModelRow> {};

// A generated history of 130 days holds a rate change, a RAM reset, a cancelled-amount
// overflow, invoices and media where the type keeps them: the whole memory must read back with
// a closing record that agrees.
TEST_P(EveryLayout, GeneratedHistoryReadsBackWithAgreeingSums) {
  const ModelRow& row = GetParam();
  Bench b(row.model);
  b.printer.state().firmware = row.firmware;
  b.printer.state().fiscal = true;
  ASSERT_EQ(DailyLayout(RecordTypeOf(b.printer.state())), row.layout);
  ASSERT_TRUE(b.printer.GenerateHistory(130));
  Readout r = ReadOut(b, row.readout, NumbersFrame(4, 1, 130), {true, false, true, false});
  EXPECT_EQ(r.result.code, kRecordGood) << row.layout;
  EXPECT_TRUE(r.result.success) << row.layout;
  EXPECT_EQ(r.result.passes, 1);
  EXPECT_EQ(r.result.first_number, 1u);
  EXPECT_EQ(r.result.last_number, 130u);
  EXPECT_EQ(r.result.unique_number, "KLM 12345678");
  EXPECT_FALSE(b.printer.ReadoutActive());
  EXPECT_TRUE(Has(r.text, "RAPORT FISKALNY OKRESOWY"));
  EXPECT_TRUE(Has(r.text, "WALUTA EWIDENCYJNA                     PLN"));
  // The rate change of day 121 marks B in the summary.
  EXPECT_TRUE(Has(r.text, "KWOTA PTU B+")) << row.layout;
  EXPECT_TRUE(Has(r.text, "KWOTA PTU A ")) << row.layout;
  EXPECT_TRUE(Has(r.text, " PRZEPE\xA3NIENIE"));  // day 18 overflowed its cancelled amount
  const bool digest =
      row.layout == 174 || row.layout == 278 || row.layout == 290 || row.layout == 296;
  // Report digests, copy digests and, without a bus, the medium labels of days 60 and 120.
  const size_t labels = row.layout == 296 ? 0 : 2;
  EXPECT_EQ(DigestLines(r.text).size(), digest ? 2u * 130 + labels : 0u) << row.layout;
}

// A daily report made live by "#r" prints as its control number the digest the readout
// computes for it from the record stream.
TEST_P(EveryLayout, LiveDailyReportControlNumberEqualsReadoutDigest) {
  const ModelRow& row = GetParam();
  Bench b(row.model);
  b.printer.state().firmware = row.firmware;
  ASSERT_TRUE(b.printer.GenerateHistory(3));
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lKawa\r1\rA/1.23/1.23/"), 0);
  ASSERT_EQ(b.Run("2$lWoda\r2\rG/2.00/4.00/"), 0);
  ASSERT_EQ(b.Run("1$e\r5.23/5.23/"), 0);
  // A cancelled receipt and a sale on an invoice where the printer keeps invoices.
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lKawa\r1\rA/7.00/7.00/"), 0);
  ASSERT_EQ(b.Run("0$e"), 0);
  b.printer.RamReset(0xCC);
  b.Paper();
  ASSERT_EQ(b.Run("0#r"), 0);
  std::string paper = b.Paper();
  ASSERT_TRUE(b.printer.CloseMedium());
  EXPECT_FALSE(b.printer.CloseMedium());  // nothing new to put on another one
  Readout r = ReadOut(b, row.readout, NumbersFrame(4, 4, 4), {true, false, true, false});
  ASSERT_TRUE(r.result.success) << row.layout << " code " << r.result.code;
  EXPECT_TRUE(Has(r.text, "ILO\x8C\xC6 PARAGON\xD3W                          1")) << r.text;
  std::vector<std::string> digests = DigestLines(r.text);
  if (row.layout == 90 || row.layout == 94 || row.layout == 106) {
    EXPECT_TRUE(digests.empty());
    return;
  }
  // The report digest, the copy digest, and the label of the medium closed with the report
  // where the printer labels its media.
  ASSERT_EQ(digests.size(), row.layout == 296 ? 2u : 3u) << r.text;
  if (row.layout != 296) {
    EXPECT_TRUE(Has(r.text, "Od rap. nr 0001 do 0004"));
  }
  EXPECT_TRUE(Has(paper, "#" + digests[0] + "#")) << row.layout << "\n" << paper;
  EXPECT_EQ(digests[0], DailyControlNumber(b.printer.state(), 3));
}

// Every field of every daily report as the program's decoder reads it from the printer's
// record, against what the printer stored: offsets the closing sums cannot see.
TEST_P(EveryLayout, DecoderReadsEveryFieldTheMemoryHolds) {
  const ModelRow& row = GetParam();
  PrinterState s;
  s.model = row.model;
  s.firmware = row.firmware;
  ASSERT_TRUE(GenerateHistory(s, 130, DateTime{2024, 7, 5, 12, 0, 0}));
  ReadoutRequest q;
  q.by_numbers = true;
  q.from = 1;
  q.to = 130;
  const std::vector<RunningTotals> running = AllRunningTotals(s);
  const bool sales_times = row.layout == 106 || row.layout == 290 || row.layout == 296;
  const bool invoices = row.layout == 278 || row.layout == 290 || row.layout == 296;
  const bool copy = row.layout >= 174;
  int seen = 0;
  const ReadoutPasses passes = BuildReadout(s, q, DateTime{2024, 7, 5, 12, 0, 0}, 0);
  for (const std::string& record : passes[0]) {
    if ((record[0] & 0x7F) != 5) continue;
    ASSERT_EQ(record.size(), 1u + row.layout);
    kelm::DailyReport r;
    ASSERT_TRUE(DecodeDailyReport(reinterpret_cast<const uint8_t*>(record.data()) + 1, row.layout,
                                  row.layout, &r));
    const emu::DailyReport& d = s.fiscal_memory[static_cast<size_t>(seen++)];
    const std::string at = std::to_string(row.layout) + " report " + std::to_string(d.number);
    EXPECT_EQ(r.number, d.number) << at;
    EXPECT_EQ(r.date.year, d.when.year % 100) << at;
    EXPECT_EQ(r.date.month, d.when.month) << at;
    EXPECT_EQ(r.date.day, d.when.day) << at;
    EXPECT_EQ(r.hour * 3600 + r.minute * 60 + r.second,
              d.when.hour * 3600 + d.when.minute * 60 + d.when.second)
        << at;
    EXPECT_EQ(r.rate_set, d.rate_set) << at;
    EXPECT_EQ(r.ram_reset_number, d.ram_reset_number) << at;
    EXPECT_EQ(r.ram_reset_kind, d.ram_reset_kind) << at;
    EXPECT_EQ(r.receipts, d.receipts) << at;
    EXPECT_EQ(r.cancelled_count, d.cancelled) << at;
    EXPECT_EQ(r.cancelled_amount, d.cancelled_amount) << at;
    uint32_t due = 0;
    for (int i = 0; i < kLetters; ++i) {
      EXPECT_EQ(r.sales[i], d.sales[i]) << at << " letter " << i;
      EXPECT_EQ(r.vat[i], d.vat[i]) << at << " letter " << i;
      due += static_cast<uint32_t>(d.sales[i] + (invoices ? d.invoice_sales[i] : 0));
      if (invoices) {
        EXPECT_EQ(r.sales_invoices[i], d.invoice_sales[i]) << at << " letter " << i;
        EXPECT_EQ(r.vat_invoices[i], d.invoice_vat[i]) << at << " letter " << i;
      }
      if (copy) {
        const RunningTotals& t = running[static_cast<size_t>(seen - 1)];
        const kelm::AmountPair vat = r.running_vat[i].value;
        EXPECT_EQ(int64_t{vat.high} * 1000000000 + vat.low, t.vat[i]) << at;
      }
    }
    EXPECT_EQ(r.total_due, due) << at;
    if (invoices) {
      EXPECT_EQ(r.invoices, d.invoices) << at;
    }
    if (sales_times) {
      EXPECT_EQ(r.goods_changes, d.goods_changes) << at;
      EXPECT_EQ(r.first_sale[0], d.first_sale ? FromEpoch(d.first_sale).year % 100 : 255) << at;
      EXPECT_EQ(r.last_sale[4], d.last_sale ? FromEpoch(d.last_sale).minute : 0) << at;
    }
    if (copy) {
      const RunningTotals& t = running[static_cast<size_t>(seen - 1)];
      EXPECT_EQ(
          int64_t{r.running_total_vat.value.high} * 1000000000 + r.running_total_vat.value.low,
          t.total_vat)
          << at;
      EXPECT_EQ(
          int64_t{r.running_total_due.value.high} * 1000000000 + r.running_total_due.value.low,
          t.total_due)
          << at;
      EXPECT_EQ(r.running_letters, t.letters) << at;
      EXPECT_EQ(std::string(r.copy_digest.begin(), r.copy_digest.end()), d.copy_digest) << at;
    }
  }
  EXPECT_EQ(seen, 130);
}

// The other records through the program's decoder: tax rates, the range and the currency.
TEST_P(EveryLayout, DecoderReadsTheRecordsAroundTheReports) {
  const ModelRow& row = GetParam();
  PrinterState s;
  s.model = row.model;
  s.firmware = row.firmware;
  s.ram_resets = 3;
  ASSERT_TRUE(GenerateHistory(s, 130, DateTime{2024, 7, 5, 12, 0, 0}));
  ReadoutRequest q;
  q.period_from = {2024, 3, 1, 0, 0, 0};
  q.period_to = {2024, 6, 30, 0, 0, 0};
  q.from = 20240301;
  q.to = 20240630;
  const ReadoutPasses passes = BuildReadout(s, q, DateTime{2024, 7, 5, 12, 0, 0}, 0);
  ASSERT_EQ(passes.size(), 1u);
  int rates = 0;
  for (const std::string& bytes : passes[0]) {
    MemoryRecord m;
    m.type = bytes[0] & 0x7F;
    m.length = bytes.size() - 1;
    ASSERT_LE(m.length, m.body.size());
    std::copy(bytes.begin() + 1, bytes.end(), m.body.begin());
    if (m.type == 4) {
      const TaxRateRecord t = DecodeTaxRateRecord(m);
      ASSERT_GE(t.number, 1);
      const TaxRateEntry& e = s.tax_rates.at(t.number - 1u);
      EXPECT_EQ(t.entered.date.day, e.when.day);
      for (int i = 0; i < kLetters; ++i) {
        EXPECT_EQ(t.use[i], e.uses[i]) << row.layout << " letter " << i;
        if (e.uses[i] == kUseTaxed || e.uses[i] == kUseSurcharge) {
          EXPECT_EQ(t.rate[i], e.rates[i]) << row.layout << " letter " << i;
        }
      }
      if (row.readout.bus_variant != 0) {
        EXPECT_EQ(t.foreign_tickets != 0, e.foreign_tickets);
      }
      ++rates;
    } else if (m.type == 10 || m.type == 11) {
      const RangeRecord r = DecodeRangeRecord(m);
      EXPECT_EQ(r.error, 0);
      EXPECT_EQ(r.more_currencies & 0x0F, 0);
      // The generated history starts on 2024-02-26: March 1 has report 5, June 30 report 126.
      EXPECT_EQ(r.report_count, 122);
      EXPECT_EQ(r.first_number, 5u);
      EXPECT_EQ(r.last_number, 126u);
      EXPECT_EQ(r.period_first.date.month, 3);
      EXPECT_EQ(r.period_last.date.day, 30);
      EXPECT_EQ(r.first_report.date.day, 1);
      EXPECT_EQ(r.last_report.date.month, 6);
      EXPECT_EQ(r.ram_resets, s.ram_resets);
    } else if (m.type == 12) {
      const CurrencyRecord c = DecodeCurrencyRecord(m);
      EXPECT_EQ(c.state, 0);
      EXPECT_EQ(c.name, "PLN");
      EXPECT_EQ(c.first_report, 1);
    }
  }
  EXPECT_EQ(rates, 2);  // the first rates, then the change of day 121
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelRow>& info) {
                           return "L" + std::to_string(info.param.layout);
                         });

struct FaultRow {
  const char* name;
  std::function<void(Printer&)> fault;
  bool emergency;
  int code;
  bool success;
  const char* text;  // a line the text must hold, Windows-1250
};

TEST(ReadoutFaults, EachFaultGivesTheReadoutsVerdict) {
  const FaultRow rows[] = {
      {"broken check byte", [](Printer& p) { p.faults().break_check_record = 14; }, false,
       kTransmissionError, false, nullptr},
      {"closing total due one grosz off", [](Printer& p) { p.faults().closing_off = 1; }, false,
       kTransmissionError, false, nullptr},
      {"damaged daily report", [](Printer& p) { EXPECT_TRUE(p.DamageReport(5)); }, false,
       kMemoryError, false, nullptr},
      {"damaged daily report, emergency", [](Printer& p) { EXPECT_TRUE(p.DamageReport(5)); }, true,
       kRecordGood, true,
       "B\xA3\xCA"
       "DNY REKORD Nr 5"},
      {"damaged tax-rate record", [](Printer& p) { EXPECT_TRUE(p.DamageRateRecord(2)); }, false,
       kMemoryError, false, nullptr},
      {"damaged tax-rate record, emergency", [](Printer& p) { EXPECT_TRUE(p.DamageRateRecord(2)); },
       true, kRecordGood, true,
       "B\xA3\xCA"
       "DNY REKORD Nr 2"},
      {"damaged currency record", [](Printer& p) { EXPECT_TRUE(p.DamageCurrency(1)); }, false,
       kRecordGood, true,
       "Waluta: B\xA3\xCA"
       "DNY REKORD"},
      {"no fault", [](Printer&) {}, false, kRecordGood, true, nullptr},
  };
  for (const FaultRow& row : rows) {
    Bench b("vantel-ke");
    ASSERT_TRUE(b.printer.GenerateHistory(130));
    row.fault(b.printer);
    const int flags = 4 | (row.emergency ? 2 : 0);
    Readout r = ReadOut(b, kModels[3].readout, NumbersFrame(flags, 1, 130),
                        {true, false, true, row.emergency});
    EXPECT_EQ(r.result.code, row.code) << row.name;
    EXPECT_EQ(r.result.success, row.success) << row.name;
    if (row.text) {
      EXPECT_TRUE(Has(r.text, row.text)) << row.name;
    }
    // Faults of the stream hit one readout only; the damaged memory stays damaged.
    b.Send("\x18");
    Readout again = ReadOut(b, kModels[3].readout, NumbersFrame(flags, 1, 130),
                            {true, false, true, row.emergency});
    EXPECT_EQ(again.result.code, row.code == kTransmissionError ? kRecordGood : row.code)
        << row.name;
  }
}

TEST(ReadoutStream, TwoCurrenciesMakeTwoPasses) {
  Bench b("vantel");
  ASSERT_TRUE(b.printer.GenerateHistory(40));
  b.printer.state().currencies.push_back({"EUR", b.printer.state().fiscal_memory[19].when, 21});
  Readout r = ReadOut(b, kModels[0].readout, NumbersFrame(4, 1, 40), {true, false, true, false});
  EXPECT_TRUE(r.result.success);
  EXPECT_EQ(r.result.passes, 2);
  EXPECT_EQ(r.result.first_number, 1u);
  EXPECT_EQ(r.result.last_number, 40u);
  EXPECT_TRUE(Has(r.text, "WALUTA EWIDENCYJNA                     PLN"));
  EXPECT_TRUE(Has(r.text, "WALUTA EWIDENCYJNA                     EUR"));
  EXPECT_TRUE(Has(r.text, "Nr rap.  Od 1 do 20"));
  EXPECT_TRUE(Has(r.text, "Nr rap.  Od 21 do 40"));
  EXPECT_TRUE(Has(r.text, "\t\t\r\n\t\t\r\n\t\t\r\n\t\t\r\n\t\t\r\n"));
}

TEST(ReadoutStream, EmptyRangeHasHeadEmptySectionAndAZeroClosing) {
  Bench b("vantel");
  ASSERT_TRUE(b.printer.GenerateHistory(10));
  Readout r = ReadOut(b, kModels[0].readout, NumbersFrame(4, 50, 60), {true, false, true, false});
  EXPECT_EQ(r.result.code, kRecordGood);
  EXPECT_FALSE(r.result.success);  // a pass without reports has no summary
  EXPECT_TRUE(Has(r.text, "BRAK ZAPIS\xD3W"));
  EXPECT_FALSE(b.printer.ReadoutActive());
}

TEST(ReadoutStream, DatesAndMonthsChooseTheirReports) {
  struct Row {
    const char* body;
    bool monthly;
    uint32_t first, last;
  } rows[] = {
      // The 40 generated days run from 2024-05-26 to 2024-07-04.
      {"24;6;1;24;6;10;0;128#o\r\r115200/", false, 7, 16},
      {"24;6;0;0;0;0;0;128#o\r\r115200/", true, 7, 36},
  };
  for (const Row& row : rows) {
    Bench b("vantel");
    ASSERT_TRUE(b.printer.GenerateHistory(40));
    Readout r = ReadOut(b, kModels[0].readout, Frame(row.body), {false, row.monthly, true, false});
    EXPECT_TRUE(r.result.success) << row.body;
    EXPECT_EQ(r.result.first_number, row.first) << row.body;
    EXPECT_EQ(r.result.last_number, row.last) << row.body;
  }
}

TEST(ReadoutStream, RefusedRequestsArmNothing) {
  const char* bodies[] = {
      "24;7;0;0;0;0;0;128#o\r\r115200/",     // the month is not over
      "24;2;30;24;3;1;0;128#o\r\r115200/",   // no such day
      "4;0;0;0;0;0;0;128#o9/3/\r\r115200/",  // numbers the wrong way round
      "4;0;0;0;0;0;0;128#oX/3/\r\r115200/",
  };
  for (const char* body : bodies) {
    Bench b("vantel");
    ASSERT_TRUE(b.printer.GenerateHistory(10));
    b.Send(Frame(body));
    EXPECT_NE(b.printer.last_error(), 0) << body;
    EXPECT_FALSE(b.printer.ReadoutActive()) << body;
    EXPECT_EQ(b.Send(kEnq).size(), 1u);
  }
}

TEST(ReadoutStream, CanEndsAPassAndTheNextEnqIsAStatusQueryAgain) {
  Bench b("vantel");
  ASSERT_TRUE(b.printer.GenerateHistory(10));
  b.Send(NumbersFrame(4, 1, 10));
  EXPECT_EQ(b.Send(kEnq).size(), 1u);    // status
  EXPECT_EQ(b.Send(kEnq).size(), 253u);  // type byte and the 252-byte header record
  EXPECT_EQ(b.Send(kDle).size(), 1u);    // DLE keeps its meaning during a readout
  EXPECT_EQ(b.Send(kEnq).size(), 15u);   // the unique number
  EXPECT_FALSE(b.printer.TakeReadoutCancelled());
  b.Send("\x18");
  EXPECT_FALSE(b.printer.ReadoutActive());
  // The transports drop the records still waiting to go out.
  EXPECT_TRUE(b.printer.TakeReadoutCancelled());
  EXPECT_FALSE(b.printer.TakeReadoutCancelled());
  EXPECT_EQ(b.Send(kEnq).size(), 1u);
  // A command in the middle of a readout also ends it.
  b.Send(NumbersFrame(4, 1, 10));
  b.Send(kEnq);
  b.Send(kEnq);
  b.Send(Frame("0#n", false));
  EXPECT_FALSE(b.printer.ReadoutActive());
}

TEST(ReadoutStream, StateFileKeepsTheWholeMemory) {
  for (const ModelRow& row : kModels) {
    PrinterState s;
    s.model = row.model;
    s.firmware = row.firmware;
    ASSERT_TRUE(GenerateHistory(s, 130, DateTime{2024, 7, 5, 12, 0, 0}));
    s.fiscal_memory[9].damaged = true;
    s.currencies[0].damaged = true;
    PrinterState back;
    ASSERT_TRUE(ParseState(SerializeState(s), &back));
    ReadoutRequest q;
    q.by_numbers = true;
    q.from = 1;
    q.to = 130;
    DateTime now{2024, 7, 5, 12, 0, 0};
    EXPECT_EQ(BuildReadout(s, q, now, 0), BuildReadout(back, q, now, 0)) << row.layout;
  }
}

TEST(ReadoutStream, OldStateFileReportsGetTaxRateRecords) {
  // A report line as the first state files wrote it, before the tax-rate records.
  const char* file =
      "kelmemu-state 1\n"
      "report 1 2024-7-4-21-0-0 2 0 2300 1000 187 800 0 0 0 0 0 500 0 0 10100 0 0 10100 0 0 "
      "10000 200 0\n";
  PrinterState s;
  ASSERT_TRUE(ParseState(file, &s));
  ASSERT_EQ(s.tax_rates.size(), 1u);
  EXPECT_EQ(s.fiscal_memory[0].rate_set, 1);
  EXPECT_EQ(s.tax_rates[0].uses[6], kUseExempt);
  Bench b;
  b.printer.state() = s;
  Readout r = ReadOut(b, kModels[0].readout, NumbersFrame(4, 1, 1), {true, false, true, false});
  EXPECT_TRUE(r.result.success);
  EXPECT_TRUE(Has(r.text, "SPRZED. OPOD. PTU A" + std::string(18, ' ') + "10,00"));
}

// A printer's own life: a report, a rate change, a currency change, another report. The
// readout makes one pass per currency, the second with its own running totals, and the second
// report's printed control number is the digest the readout computes.
TEST(ReadoutStream, LiveRateAndCurrencyChangesReachTheRecords) {
  Bench b("vantel-ke");
  auto sell = [&b](const char* gross) {
    ASSERT_EQ(b.Run("0$h"), 0);
    ASSERT_EQ(b.Run(std::string("1$lKawa\r1\rA/") + gross + "/" + gross + "/"), 0);
    ASSERT_EQ(b.Run(std::string("1$e\r") + gross + "/" + gross + "/"), 0);
  };
  sell("12.30");
  ASSERT_EQ(b.Run("0#r"), 0);
  ASSERT_EQ(b.Run("135;1;1;1;1;0;0;2;24;7;5;13;0$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"), 0);
  b.now += 86400;
  ASSERT_EQ(b.Run("0;24;7;6;0;0##EUR\r"), 0);
  sell("4.00");
  b.Paper();
  ASSERT_EQ(b.Run("0#r"), 0);
  const std::string paper = b.Paper();
  const PrinterState& st = b.printer.state();
  ASSERT_EQ(st.tax_rates.size(), 2u);
  EXPECT_EQ(st.tax_rates[1].rates[0], 2200);
  EXPECT_EQ(st.fiscal_memory[1].rate_set, 2);
  ASSERT_EQ(st.currencies.size(), 1u);
  EXPECT_EQ(st.currencies[0].first_report, 2);

  Readout r = ReadOut(b, kModels[3].readout, NumbersFrame(4, 1, 2), {true, false, true, false});
  EXPECT_TRUE(r.result.success) << r.result.code;
  EXPECT_EQ(r.result.passes, 2);
  EXPECT_TRUE(Has(r.text, "Waluta ewidencyjna: NIEZAPISANA"));
  EXPECT_TRUE(Has(r.text, "WALUTA EWIDENCYJNA                     EUR"));
  EXPECT_TRUE(Has(r.text, "PTU A  22,00%"));
  EXPECT_TRUE(Has(r.text,
                  "KWOTY \xA3\xA5"
                  "CZNE OD RAP. NR    2 DO    2"));
  std::vector<std::string> digests = DigestLines(r.text);
  ASSERT_EQ(digests.size(), 4u);
  EXPECT_TRUE(Has(paper, "#" + digests[2] + "#")) << paper;
  EXPECT_TRUE(Has(paper, "KWOTY ŁĄCZNE OD RAP. NR    2 DO    2"));
}

TEST(ReadoutStream, HistoryFileFillsAnEmptyMemoryOnly) {
  PrinterState made;
  made.model = "salvo";
  ASSERT_TRUE(GenerateHistory(made, 30, DateTime{2024, 7, 5, 12, 0, 0}));
  char path[] = "/tmp/kelmemu-history-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  // A bare list of memory lines, without the state file's first line.
  std::string text = SerializeState(made);
  text = text.substr(text.find('\n') + 1);
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  PrinterState empty;
  EXPECT_TRUE(LoadHistoryFile(path, &empty));
  EXPECT_EQ(empty.fiscal_memory.size(), 30u);
  EXPECT_EQ(empty.tax_rates.size(), made.tax_rates.size());
  EXPECT_EQ(empty.currencies.size(), 1u);
  EXPECT_FALSE(LoadHistoryFile(path, &empty));  // the memory is no longer empty
  PrinterState other;
  EXPECT_FALSE(LoadHistoryFile(std::string(path) + ".missing", &other));
  unlink(path);
}

// A full fiscal memory has gone read-only with its last report; the head of the readout says so
// and the whole memory still adds up.
TEST(ReadoutStream, FullMemoryReadsBackAsReadOnly) {
  Bench b("vantel");
  b.printer.state().fiscal = true;
  ASSERT_TRUE(b.printer.GenerateHistory(1830));
  EXPECT_EQ(b.Run("0#r"), 6);  // no room for another report
  Readout r = ReadOut(b, kModels[0].readout, NumbersFrame(4, 1, 1830), {true, false, true, false});
  EXPECT_TRUE(r.result.success);
  EXPECT_TRUE(Has(r.text,
                  "# Pami\xEA\xE6 fiskalna przesz\xB3"
                  "a w stan"));
  EXPECT_TRUE(Has(r.text, "# tylko do odczytu  04-07-2024"));
  EXPECT_TRUE(Has(r.text, "PRZEKROCZONO LIMIT ZEROWA\xD1 RAM"));  // 19 resets in five years
}

}  // namespace
}  // namespace kelm::emu::test
