// kelmctl's control number command: a printed document's data sent for the printer to check its
// control number, taken from a fields file or, for a daily report, from a readout's report text.
#include <charconv>
#include <cstdio>
#include <string>

#include "control/control_series.h"
#include "control/control_sources.h"
#include "kelmctl/commands.h"

namespace kelm::ctl {
namespace {

bool ParseReport(const std::string& text, long* number) {
  long value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  if (value < 0 || value > 99999) return false;
  *number = value;
  return true;
}

// The fields come from exactly one source; a readout serves daily reports only.
bool VerifyIsValid(const Invocation& in) {
  const std::string& kind = in.words[0];
  const bool by_readout = in.Has("--from-readout");
  if (kind != "daily" && kind != "receipt") return false;
  if (by_readout == in.Has("--fields")) return false;
  long report = 0;
  if (by_readout) {
    return kind == "daily" && in.Has("--report") && ParseReport(in.Values("--report")[0], &report);
  }
  return !in.Has("--report") && !in.Has("--unique");
}

int Refuse(const std::string& text) {
  std::fprintf(stderr, "kelmctl verify: %s\n", text.c_str());
  return kExitUsage;
}

int ExitFor(SeriesEnd end) {
  switch (end) {
    case SeriesEnd::kAccepted:
      return kExitDone;
    case SeriesEnd::kStopped:
      return kExitPrinterError;
    case SeriesEnd::kBadValue:
      return kExitUsage;
    case SeriesEnd::kNotSent:
      break;
  }
  return kExitLink;
}

// The data is read whole before anything goes to the printer: a mistake in it sends nothing.
int Verify(const Invocation& in) {
  const bool by_readout = in.Has("--from-readout");
  const std::string path = in.Values(by_readout ? "--from-readout" : "--fields")[0];
  std::string text, error;
  if (!ReadSmallFile(path, by_readout ? kReadoutFileLimit : kFieldsFileLimit, &text)) {
    return Refuse("cannot read " + path);
  }
  const bool print_all = in.Has("--print-all");
  if (in.words[0] == "receipt") {
    ReceiptControlData d;
    if (!ParseReceiptFields(text, &d, &error)) return Refuse(path + ": " + error);
    d.print_all = d.print_all || print_all;
    return ExitFor(VerifyReceipt(d));
  }
  DailyControlData d;
  long report = -1;
  if (by_readout) ParseReport(in.Values("--report")[0], &report);
  if (!(by_readout ? DailyFieldsFromReadout(text, report, &d, &error)
                   : ParseDailyFields(text, &d, &error))) {
    return Refuse(path + ": " + error);
  }
  if (in.Has("--unique")) {
    const std::string& unique = in.Values("--unique")[0];
    if (unique.size() < 5 || unique[3] != ' ') {
      return Refuse("--unique must be three letters, a space and digits");
    }
    d.unique_letters = unique.substr(0, 3);
    d.unique_digits = unique.substr(4);
  }
  d.print_all = d.print_all || print_all;
  // As the dialog on showing: the printer's type, and on the 859 its invoice setting, decide
  // whether the invoice count is asked for at all.
  const InvoiceSetting setting = ReadInvoiceSetting();
  if (!setting.InvoiceFieldShown()) d.invoice_count.clear();
  return ExitFor(VerifyDailyReport(d, setting));
}

}  // namespace

const std::vector<Command>& ControlCommands() {
  static const std::vector<Command> table = {
      {"verify",
       "daily|receipt (--fields FILE | --from-readout FILE --report N\n"
       "[--unique 'LLL DIGITS']) [--print-all]",
       "send a printed document's data for the printer to check\n"
       "its control number (the verdict is on its paper): daily\n"
       "report N of a readout's report text, or a file of\n"
       "'label: value' lines; daily: date, report, taxed and\n"
       "exempt (LETTER AMOUNT, one per row in the order printed),\n"
       "vat, receipts, invoices, running-vat, unique (LLL DIGITS),\n"
       "control, print-all (0|1); receipt: date, document, line\n"
       "(LETTER NAME, one per sale line), vat, total, receipt,\n"
       "cancelled (0|1), nip, unique, time, control, print-all;\n"
       "exit 0 when the printer took the whole series, 64 when\n"
       "the data cannot be read (nothing is sent)",
       Verify,
       1,
       {{"--fields", 1}, {"--from-readout", 1}, {"--report", 1}, {"--unique", 1}, {"--print-all"}},
       VerifyIsValid},
  };
  return table;
}

}  // namespace kelm::ctl
