// The order of the records in a pass and what each does to the sums and the text.
#include "readout/periodic_report.h"

#include <cstring>
#include <utility>

namespace kelm {

PeriodicReport::PeriodicReport(const ReadoutModel& model, const ReportRequest& request,
                               LineSink& sink, std::string today)
    : model_(model),
      request_(request),
      monthly_requested_(request.monthly),
      sink_(sink),
      today_(std::move(today)) {}

bool PeriodicReport::Invoices() const {
  return model_.copy_mode == 2 && (model_.bus_variant != 2 || flags_.first);
}

int PeriodicReport::Fetch(RecordLink& link, int expected, MemoryRecord* record) {
  const int code = ReadMemoryRecord(link, model_, expected, record, &flags_);
  // Only daily reports and tax-rate records have a damaged form in the text; any other damaged
  // record leaves the report without a part it needs.
  if (code == kRecordDamaged && expected != kDailyReportRecord && expected != kTaxRateRecord &&
      expected != kAnyRecord) {
    return kMemoryError;
  }
  return code;
}

int PeriodicReport::ReadPassHead(RecordLink& link) {
  if (!link.SendEnq()) return kEnqFailed;
  MemoryRecord r;
  int code;
  if ((code = Fetch(link, kHeaderRecord, &r)) != kRecordGood) return code;
  header_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kUniqueNumberRecord, &r)) != kRecordGood) return code;
  unique_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kMemoryStateRecord, &r)) != kRecordGood) return code;
  memory_fiscal_ = r.body[0];
  memory_writable_ = r.body[1];
  read_only_since_ = DecodeStamp(r.body.data() + 2);
  if ((code = Fetch(link, kTaxNumberRecord, &r)) != kRecordGood) return code;
  tax_number_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kClockRecord, &r)) != kRecordGood) return code;
  clock_ = DecodeStamp(r.body.data());
  if ((code = Fetch(link, kFooterSecondRecord, &r)) != kRecordGood) return code;
  footer_second_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kFooterFirstRecord, &r)) != kRecordGood) return code;
  footer_first_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kRangeRecord, &r)) != kRecordGood) return code;
  range_ = DecodeRangeRecord(r);
  currency_ = CurrencyRecord{};
  if (range_.report_count >= 1) {
    if ((code = Fetch(link, kCurrencyRecord, &r)) != kRecordGood) return code;
    currency_ = DecodeCurrencyRecord(r);
  }

  totals_ = PeriodTotals{};
  rates_ = RateSet{};
  previous_rate_set_ = 0;
  first_report_ = range_.first_report;
  last_report_ = range_.last_report;
  reports_read_ = 0;
  closing_resets_ = 0;
  pass_succeeded_ = false;
  pending_positions_ = 0;

  WriteHead();
  if (range_.report_count == 0) WriteEmptyRange();
  // A month that spans a currency change is reported as periods of dates, one per currency.
  if (more_currencies() && request_.monthly) {
    request_.monthly = false;
    request_.by_numbers = false;
  }
  return kRecordGood;
}

int PeriodicReport::ReadDailyReport(RecordLink& link) {
  MemoryRecord r;
  int code;
  have_medium_ = false;
  const bool copyWithMedia =
      ((model_.copy_mode == 1 || model_.copy_mode == 2) && model_.bus_variant == 0) ||
      model_.bus_variant == 2;
  if (copyWithMedia) {
    code = Fetch(link, kAnyRecord, &r);
    if (r.type == kMediumStartRecord) {
      if (code != kRecordGood) return code == kRecordDamaged ? kMemoryError : code;
      medium_ = MediumRecords{};
      medium_.number = r.body[1];
      medium_.first_report = Le16(r.body.data() + 2);
      medium_.first_date = DecodePackedDate(r.body.data() + 4);
      if ((code = Fetch(link, kMediumEndRecord, &r)) != kRecordGood) return code;
      std::memcpy(medium_.digest.data(), r.body.data() + 12, medium_.digest.size());
      have_medium_ = true;
      code = Fetch(link, kDailyReportRecord, &r);
    } else if (code == kRecordGood || code == kRecordDamaged) {
      if (r.type != kDailyReportRecord) return kTransmissionError;
    }
  } else {
    code = Fetch(link, kDailyReportRecord, &r);
  }
  if (code != kRecordGood && code != kRecordDamaged) return code;

  ++reports_read_;
  if (code == kRecordDamaged) {
    if (!request_.emergency) return kMemoryError;
    WriteDamagedSection("RAPORT DOBOWY", Le16(r.body.data() + 1));
    return kRecordGood;
  }

  DailyReport report;
  if (!DecodeDailyReport(r.body.data(), r.length, DailyReportLength(model_), &report)) {
    return kTransmissionError;
  }
  last_report_ = report.ReportStamp();
  if (!first_report_.IsSet()) first_report_ = last_report_;

  pending_positions_ = 0;
  if (report.rate_set != previous_rate_set_) {
    previous_rate_set_ = report.rate_set;
    RateSet before;
    for (int i = 0; i < kLetters; ++i) {
      if (rates_.use[i] == kTaxed || rates_.use[i] == kTaxedSurcharge) {
        before.use[i] = rates_.use[i];
        before.rate[i] = rates_.rate[i];
      }
    }
    MemoryRecord t;
    code = Fetch(link, kTaxRateRecord, &t);
    if (code == kRecordDamaged) {
      if (!request_.emergency) return kMemoryError;
      WriteDamagedSection("Zapis PTU dn. ", t.body[1]);
    } else if (code != kRecordGood) {
      return code;
    } else {
      const TaxRateRecord tax = DecodeTaxRateRecord(t);
      for (int i = 0; i < kLetters; ++i) {
        rates_.use[i] = tax.use[i];
        rates_.rate[i] = tax.rate[i];
      }
      WriteTaxRateSection(tax);
      MarkRateChanges(before, rates_, model_.bus_variant != 0, &totals_);
    }
  }

  const bool invoiceFields = model_.copy_mode == 2;
  AccumulateDailyReport(report, rates_, model_.bus_variant != 0, invoiceFields, &totals_);
  const uint32_t vatSum = ReportVatSum(report, invoiceFields);

  if (request_.full) {
    switch (report.layout) {
      case 106:
      case 296:
        WriteSaleSection(report, vatSum);
        break;
      case 290:
        WriteInvoiceSection(report, vatSum);
        break;
      default:
        WriteClassicSection(report, vatSum);
        break;
    }
    if (model_.copy_mode == 1 || model_.copy_mode == 2) {
      WriteCopyDigest(report);
      if (model_.bus_variant == 0 && have_medium_) WriteMediumLabel(report);
    }
  }
  return kRecordGood;
}

int PeriodicReport::ReadClosing(RecordLink& link) {
  MemoryRecord r;
  const int code = Fetch(link, kClosingRecord, &r);
  if (code != kRecordGood) return code;
  const RangeRecord closing = DecodeRangeRecord(r);
  if (closing.error != 0) return kMemoryError;
  if (closing.report_count != reports_read_ || !(closing.total_due == totals_.total_due) ||
      !(closing.total_vat == totals_.total_vat)) {
    return kTransmissionError;
  }
  closing_resets_ = closing.ram_resets;
  if (closing.report_count != 0) {
    WriteSummary();
    pass_succeeded_ = true;
  }
  return kRecordGood;
}

void WriteCurrencySeparator(LineSink& sink) {
  for (int i = 0; i < 5; ++i) WriteReportLine(sink, "\t\t");
}

void WriteEndOfText(LineSink& sink) {
  WriteReportLine(sink, "\t\t\t");
}

ReadoutResult ReadPeriodicReport(RecordLink& link, const ReadoutModel& model,
                                 const ReportRequest& request, LineSink& sink,
                                 const std::string& today) {
  ReadoutResult result;
  PeriodicReport report(model, request, sink, today);
  for (;;) {
    int code = report.ReadPassHead(link);
    if (code == kRecordGood) {
      if (result.first_number == 0) result.first_number = report.range().first_number;
      result.last_number = report.range().last_number;
      result.unique_number = report.unique_number();
      while (code == kRecordGood && report.reportsRead() < report.announced()) {
        code = report.ReadDailyReport(link);
      }
      if (code == kRecordGood) code = report.ReadClosing(link);
    }
    result.code = code;
    ++result.passes;
    result.success = report.passSucceeded();
    if (code != kRecordGood || !report.passSucceeded() || !report.more_currencies()) break;
    WriteCurrencySeparator(sink);
  }
  WriteEndOfText(sink);
  return result;
}

}  // namespace kelm
