// kelmctl verify: a printed document's data sent for the printer to check its control number,
// taken from a fields file or, for a daily report, from a readout's report text.
#include "kelmctl_control.h"

#include <cstdio>

#include "control/control_series.h"
#include "control/control_sources.h"

namespace kelm {

namespace {

bool Fail(const std::string& text) {
  std::fprintf(stderr, "kelmctl verify: %s\n", text.c_str());
  return false;
}

// The data, before anything goes to the printer: a mistake in the file sends nothing.
bool LoadDaily(const VerifyRequest& q, DailyControlData* d) {
  std::string text, error;
  const std::string& path = q.fields.empty() ? q.readout : q.fields;
  const size_t limit = q.fields.empty() ? kReadoutFileLimit : kFieldsFileLimit;
  if (!ReadSmallFile(path, limit, &text)) return Fail("cannot read " + path);
  const bool ok = q.fields.empty() ? DailyFieldsFromReadout(text, q.report, d, &error)
                                   : ParseDailyFields(text, d, &error);
  if (!ok) return Fail(path + ": " + error);
  if (!q.unique.empty()) {
    const size_t space = q.unique.find(' ');
    if (space != 3 || q.unique.size() < 5)
      return Fail("--unique must be three letters, a space and digits");
    d->unique_letters = q.unique.substr(0, 3);
    d->unique_digits = q.unique.substr(4);
  }
  if (q.print_all) d->print_all = true;
  return true;
}

int ExitFor(SeriesEnd end) {
  switch (end) {
    case SeriesEnd::kAccepted:
      return kVerifyAccepted;
    case SeriesEnd::kStopped:
      return kVerifyRefused;
    case SeriesEnd::kBadValue:
      return kVerifyBadData;
    case SeriesEnd::kNotSent:
      break;
  }
  return kVerifyLinkFailed;
}

}  // namespace

int VerifyDocument(const VerifyRequest& q) {
  if (q.kind == "receipt") {
    ReceiptControlData d;
    std::string text, error;
    if (!ReadSmallFile(q.fields, kFieldsFileLimit, &text)) {
      Fail("cannot read " + q.fields);
      return kVerifyBadData;
    }
    if (!ParseReceiptFields(text, &d, &error)) {
      Fail(q.fields + ": " + error);
      return kVerifyBadData;
    }
    if (q.print_all) d.print_all = true;
    return ExitFor(VerifyReceipt(d));
  }
  DailyControlData d;
  if (!LoadDaily(q, &d)) return kVerifyBadData;
  // As the dialog on showing: the printer's type, and on the 859 its invoice setting, decide
  // whether the invoice count is asked for at all.
  const InvoiceSetting setting = ReadInvoiceSetting();
  if (!setting.InvoiceFieldShown()) d.invoice_count.clear();
  return ExitFor(VerifyDailyReport(d, setting));
}

}  // namespace kelm
