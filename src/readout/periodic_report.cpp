// The order of the records in a pass and what each does to the sums and the text.
#include "readout/periodic_report.h"

#include <cstring>
#include <utility>

namespace kelm {

PeriodicReport::PeriodicReport(const ReadoutModel& model, const ReportRequest& request,
                               LineSink& sink, std::string today)
    : model_(model),
      request_(request),
      monthlyRequested_(request.monthly),
      sink_(sink),
      today_(std::move(today)) {}

bool PeriodicReport::Invoices() const {
  return model_.copyMode == 2 && (model_.busVariant != 2 || flags_.first);
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
  memoryFiscal_ = r.body[0];
  memoryWritable_ = r.body[1];
  readOnlySince_ = DecodeStamp(r.body.data() + 2);
  if ((code = Fetch(link, kTaxNumberRecord, &r)) != kRecordGood) return code;
  taxNumber_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kClockRecord, &r)) != kRecordGood) return code;
  clock_ = DecodeStamp(r.body.data());
  if ((code = Fetch(link, kFooterSecondRecord, &r)) != kRecordGood) return code;
  footerSecond_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kFooterFirstRecord, &r)) != kRecordGood) return code;
  footerFirst_ = FieldText(r.body.data(), r.length - 1);
  if ((code = Fetch(link, kRangeRecord, &r)) != kRecordGood) return code;
  range_ = DecodeRangeRecord(r);
  currency_ = CurrencyRecord{};
  if (range_.reportCount >= 1) {
    if ((code = Fetch(link, kCurrencyRecord, &r)) != kRecordGood) return code;
    currency_ = DecodeCurrencyRecord(r);
  }

  totals_ = PeriodTotals{};
  rates_ = RateSet{};
  previousRateSet_ = 0;
  firstReport_ = range_.firstReport;
  lastReport_ = range_.lastReport;
  reportsRead_ = 0;
  closingResets_ = 0;
  passSucceeded_ = false;
  pendingPositions_ = 0;

  WriteHead();
  if (range_.reportCount == 0) WriteEmptyRange();
  // A month that spans a currency change is reported as periods of dates, one per currency.
  if (moreCurrencies() && request_.monthly) {
    request_.monthly = false;
    request_.byNumbers = false;
  }
  return kRecordGood;
}

int PeriodicReport::ReadDailyReport(RecordLink& link) {
  MemoryRecord r;
  int code;
  haveMedium_ = false;
  const bool copyWithMedia =
      ((model_.copyMode == 1 || model_.copyMode == 2) && model_.busVariant == 0) ||
      model_.busVariant == 2;
  if (copyWithMedia) {
    code = Fetch(link, kAnyRecord, &r);
    if (r.type == kMediumStartRecord) {
      if (code != kRecordGood) return code == kRecordDamaged ? kMemoryError : code;
      medium_ = MediumRecords{};
      medium_.number = r.body[1];
      medium_.firstReport = Le16(r.body.data() + 2);
      medium_.firstDate = DecodePackedDate(r.body.data() + 4);
      if ((code = Fetch(link, kMediumEndRecord, &r)) != kRecordGood) return code;
      std::memcpy(medium_.digest.data(), r.body.data() + 12, medium_.digest.size());
      haveMedium_ = true;
      code = Fetch(link, kDailyReportRecord, &r);
    } else if (code == kRecordGood || code == kRecordDamaged) {
      if (r.type != kDailyReportRecord) return kTransmissionError;
    }
  } else {
    code = Fetch(link, kDailyReportRecord, &r);
  }
  if (code != kRecordGood && code != kRecordDamaged) return code;

  ++reportsRead_;
  if (code == kRecordDamaged) {
    if (!request_.emergency) return kMemoryError;
    WriteDamagedSection("RAPORT DOBOWY", Le16(r.body.data() + 1));
    return kRecordGood;
  }

  DailyReport report;
  if (!DecodeDailyReport(r.body.data(), r.length, DailyReportLength(model_), &report)) {
    return kTransmissionError;
  }
  lastReport_ = report.ReportStamp();
  if (!firstReport_.IsSet()) firstReport_ = lastReport_;

  pendingPositions_ = 0;
  if (report.rateSet != previousRateSet_) {
    previousRateSet_ = report.rateSet;
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
      MarkRateChanges(before, rates_, model_.busVariant != 0, &totals_);
    }
  }

  const bool invoiceFields = model_.copyMode == 2;
  AccumulateDailyReport(report, rates_, model_.busVariant != 0, invoiceFields, &totals_);
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
    if (model_.copyMode == 1 || model_.copyMode == 2) {
      WriteCopyDigest(report);
      if (model_.busVariant == 0 && haveMedium_) WriteMediumLabel(report);
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
  if (closing.reportCount != reportsRead_ || !(closing.totalDue == totals_.totalDue) ||
      !(closing.totalVat == totals_.totalVat)) {
    return kTransmissionError;
  }
  closingResets_ = closing.ramResets;
  if (closing.reportCount != 0) {
    WriteSummary();
    passSucceeded_ = true;
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
      if (result.firstNumber == 0) result.firstNumber = report.range().firstNumber;
      result.lastNumber = report.range().lastNumber;
      result.uniqueNumber = report.uniqueNumber();
      while (code == kRecordGood && report.reportsRead() < report.announced()) {
        code = report.ReadDailyReport(link);
      }
      if (code == kRecordGood) code = report.ReadClosing(link);
    }
    result.code = code;
    ++result.passes;
    result.success = report.passSucceeded();
    if (code != kRecordGood || !report.passSucceeded() || !report.moreCurrencies()) break;
    WriteCurrencySeparator(sink);
  }
  WriteEndOfText(sink);
  return result;
}

}  // namespace kelm
