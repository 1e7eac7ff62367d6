// One periodic report read from the record stream: the head of each currency pass, the daily
// reports with their tax-rate and medium records, the closing record, and the report text they
// make. The readout engine drives it a slice at a time; ReadPeriodicReport runs it whole.
#pragma once

#include <cstdint>
#include <string>

#include "readout/accumulators.h"
#include "readout/records.h"
#include "readout/report_digest.h"
#include "readout/report_format.h"

namespace kelm {

// The report-level choices of the readout request.
struct ReportRequest {
  bool by_numbers = false;
  bool monthly = false;
  bool full = true;
  bool emergency = false;
};

class PeriodicReport {
 public:
  // `today` is the computer's date as the head of each pass shows it.
  PeriodicReport(const ReadoutModel& model, const ReportRequest& request, LineSink& sink,
                 std::string today);

  // Sends the ENQ that starts a pass, reads the head records and writes the head of the pass
  // (with the empty-range section when the pass announces no report). Returns a ReadoutCode.
  int ReadPassHead(RecordLink& link);
  // Reads the records of one daily report, adds it up and writes its sections.
  int ReadDailyReport(RecordLink& link);
  // Reads and verifies the closing record; writes the summary when the pass had reports.
  int ReadClosing(RecordLink& link);

  uint16_t announced() const { return range_.report_count; }
  uint16_t reportsRead() const { return reports_read_; }
  bool more_currencies() const { return range_.more_currencies != 0; }
  // The closing record agreed with the sums of a pass that had reports.
  bool passSucceeded() const { return pass_succeeded_; }
  const RangeRecord& range() const { return range_; }
  const std::string& unique_number() const { return unique_; }
  const std::string& currencyName() const { return currency_.name; }
  const PeriodTotals& totals() const { return totals_; }

 private:
  int Fetch(RecordLink& link, int expected, MemoryRecord* record);
  void Line(std::string_view text) { WriteReportLine(sink_, text); }
  void Item(std::string_view text) {
    Line(text);
    ++positions_;
  }
  bool Invoices() const;
  bool Fiscal() const { return memory_fiscal_ == 0; }

  // Sections (report_text.cpp).
  void WriteHead();
  void WriteHeaderText();
  void WritePeriodLines(bool head);
  void WriteEmptyRange();
  void WriteFooter();
  void WriteTaxRateSection(const TaxRateRecord& record);
  void WriteDamagedSection(const char* what, unsigned number);
  void WriteClassicSection(const DailyReport& r, uint32_t vatSum);
  void WriteSaleSection(const DailyReport& r, uint32_t vatSum);
  void WriteInvoiceSection(const DailyReport& r, uint32_t vatSum);
  void WriteSalesLines(const DailyReport& r, bool twoColumn, const char* invoiceMark);
  void WriteSaleTimeLines(const DailyReport& r);
  void WriteResetKindLines(uint8_t kind, bool bothForDD);
  void WriteCancelledLine(const DailyReport& r, bool overflowForm);
  void WriteRunningTotals(const DailyReport& r);
  void WriteCurrencyLines();
  void WriteDigestLine();
  void WriteCopyDigest(const DailyReport& r);
  void WriteMediumLabel(const DailyReport& r);
  void WriteSummary();

  const ReadoutModel model_;
  ReportRequest request_;
  const bool monthly_requested_;
  LineSink& sink_;
  const std::string today_;

  // The head of the pass.
  std::string header_, unique_, tax_number_, footer_first_, footer_second_;
  uint8_t memory_fiscal_ = 0, memory_writable_ = 1;
  Stamp read_only_since_, clock_;
  RangeRecord range_;
  RangeFlags flags_;
  CurrencyRecord currency_;

  // The pass so far.
  PeriodTotals totals_;
  RateSet rates_;
  uint8_t previous_rate_set_ = 0;
  Stamp first_report_, last_report_;
  uint16_t reports_read_ = 0;
  uint8_t closing_resets_ = 0;
  bool pass_succeeded_ = false;

  // The daily report being written.
  unsigned positions_ = 0;
  unsigned pending_positions_ = 0;
  bool have_medium_ = false;
  MediumRecords medium_;
  ReportDigest digest_;
};

struct ReadoutResult {
  int code = kRecordGood;  // of the pass that ended the readout
  int passes = 0;
  bool success = false;
  uint32_t first_number = 0, last_number = 0;
  std::string unique_number;
};

// Lines of the text file that tell printing where a currency's report ends and where the text
// ends.
void WriteCurrencySeparator(LineSink& sink);
void WriteEndOfText(LineSink& sink);

// Reads a whole readout from a stream that holds its passes one after another (each pass
// starts with the ENQ of its head), writing the text with the currency separators and the end
// line.
ReadoutResult ReadPeriodicReport(RecordLink& link, const ReadoutModel& model,
                                 const ReportRequest& request, LineSink& sink,
                                 const std::string& today);

}  // namespace kelm
