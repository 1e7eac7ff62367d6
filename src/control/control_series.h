// The "$*" series that hands a printed document's data to the printer, so that it checks the
// document's control number itself: the data of a receipt or invoice and of a daily report, the
// frames built from them, and the series sent frame by frame.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelm {

// The setting 204 query: whether the daily report counts invoices.
inline constexpr char kSetting204Template[] = "%cP0;204#v%c%c";

// Every text is UTF-8 as the operator typed it; the builders convert it at the edge.

struct SaleRow {
  std::string name;    // "Nazwa towaru/usługi"
  std::string letter;  // "PTU (litera A-G)", sent as typed
};

// The fields of TNrKontrolnyPar.
struct ReceiptControlData {
  std::string date;            // print date (for an invoice the issue date), "dd-mm-rrrr"
  std::string document;        // the print-out number
  std::vector<SaleRow> lines;  // grid rows 1, 2, ...
  std::string vat_total;       // "Suma PTU"
  std::string total;           // "SUMA paragonu"
  std::string receipt_number;  // "Numer paragonu" / "lub faktury"
  bool cancelled = false;      // "Paragon anulowany"
  bool buyer_nip_given = false;
  std::string buyer_nip;  // "NIP nabywcy:"
  std::string unique_letters, unique_digits;
  std::string time;  // "gg:mm:ss"
  std::string control_number;
  bool print_all = false;  // "Drukuj wszystkie dane wykorzystywane do obliczeń."
};

struct RateRow {
  std::string letter;  // "PTU (litera A-G)"
  std::string amount;  // two decimals, sent as typed
};

// The fields of TNrKontrolnyRapDobowego.
struct DailyControlData {
  std::string date;                    // "Data raportu"
  std::string report_number = "0";     // "Numer raportu"
  std::vector<RateRow> taxed, exempt;  // the two grids, rows 1 to 15
  std::string vat_total;               // "ŁĄCZNA KWOTA PTU"
  std::string receipt_count;           // "ILOŚĆ PARAGONÓW"
  std::string invoice_count;           // "ILOŚĆ FAKTUR"
  std::string running_vat;             // "KWOTY ŁĄCZNE OD RAP. 1 DO N" / "ŁĄCZNA KWOTA PTU"
  std::string unique_letters, unique_digits;
  std::string control_number;
  bool print_all = false;
};

inline constexpr int kReceiptGridRows = 255;  // data rows under the grid's title row
inline constexpr int kDailyGridRows = 15;

// One frame of a series: the stored template it was formatted from and its bytes, check value
// applied. A frame that did not fit the frame buffer has no bytes.
struct SeriesFrame {
  const char* tmpl;
  std::string bytes;
};

std::vector<SeriesFrame> ReceiptSeries(const ReceiptControlData& data);

// What the printer said about invoices: the setting-204 digits (-1 when not asked or not
// answered) and the detected bus variant.
struct InvoiceSetting {
  int invoice_digit = -1;
  int bus_variant = 0;
  int copy_mode = 0;
  // The bus-variant-2 printer that keeps invoices: its invoice count is always sent.
  bool AlwaysSendsInvoiceCount() const { return bus_variant == 2 && invoice_digit == 1; }
  // "ILOŚĆ FAKTUR" is asked for only on printers that keep invoices.
  bool InvoiceFieldShown() const {
    return AlwaysSendsInvoiceCount() || (bus_variant == 0 && copy_mode == 2);
  }
};

struct DailySeriesResult {
  std::vector<SeriesFrame> frames;
  // The running total was no number: the frames stop before it, and the operator is told so.
  bool running_total_bad = false;
};
inline constexpr const char* kBadRunningTotalMessage =
    "Błedna wartość: KWOTY ŁĄCZNE OD RAP. 1 DO N - ŁĄCZNA KWOTA PTU";

DailySeriesResult DailySeries(const DailyControlData& data, const InvoiceSetting& setting);

// Splits the total from report 1 to N at ten million złoty; false when the text is no number.
bool SplitRunningTotal(const std::string& text, double* high, double* low);

// How a series ended.
enum class SeriesEnd {
  kAccepted,  // every frame sent and executed
  kNotSent,   // a frame could not be sent (the link has said why): the dialog stays open
  kStopped,   // the printer refused a frame or gave no status: the dialog closes
  kBadValue,  // the daily report's running total was no number (shown): the dialog stays open
};

// Sends the frames one by one, each followed by CheckLastCommand, until one fails.
SeriesEnd SendSeries(const std::vector<SeriesFrame>& frames);

// What the daily-report dialog does when shown: checks the printer's type and, on the 859 model,
// asks for setting 204. The result decides whether the invoice count is asked for and sent.
InvoiceSetting ReadInvoiceSetting();

// The invoice digit of a setting-204 answer (its sixth character), -1 when there is none.
int InvoiceDigitFromAnswer(const char* answer, size_t capacity);

// The whole verification of a daily report as the dialog's "&Wyślij" does it: the series built
// and sent, the bad running total reported.
SeriesEnd VerifyDailyReport(const DailyControlData& data, const InvoiceSetting& setting);
SeriesEnd VerifyReceipt(const ReceiptControlData& data);

}  // namespace kelm
