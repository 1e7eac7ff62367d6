// The control number series: frames formatted from the stored templates, sent one by one.
#include "control/control_series.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/letters.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

constexpr const char* kReceiptOpen = "%cP0;%d$*%s\r%s/PARAGONU LUB FAKTURY\rxx%c%c";
constexpr const char* kSaleLine = "%cP1;%d$*%s\r%s/xx%c%c";
constexpr const char* kCancelled = "%cP3;%d$*%s\r%s\rxx%c%c";
constexpr const char* kBuyerNip = "%cP1;%d$*%s\rX/xx%c%c";
constexpr const char* kReceiptTotals = "%cP2;%d$*%s/%s/%s/%s %s\r%s\rxx%c%c";
constexpr const char* kControlNumber = "%cP10;%d$*%s\rxx%c%c";
constexpr const char* kDailyOpen = "%cP0;%d$*%s\r%s/RAPORTU DOBOWEGO\rxx%c%c";
constexpr const char* kRateSales = "%cP4;%d$*%s\r%s/xx%c%c";
constexpr const char* kLabelledValue = "%cP5;%d$*%s/%s\rxx%c%c";
constexpr const char* kInvoiceCount = "%cP5;%d$*%s/%s:\rxx%c%c";
constexpr const char* kRunningTotal = "%cP6;%d$*%.0f/%.2f/%s\rxx%c%c";
constexpr const char* kDailyUnique = "%cP7;%d$*%s %s\r%s\rxx%c%c";

constexpr double kRunningUnit = 10000000.0;
// The six-byte running total reaches 65535 units of ten million złoty; anything larger was not
// printed by a printer, and splitting it would never end.
constexpr double kRunningTotalLimit = 65536.0 * kRunningUnit;

// Operator text as typed, in Windows-1250.
std::string Typed(std::string_view utf8) {
  return Utf8ToCp1250(utf8);
}

// Operator text converted into the printer's letter coding.
std::string Printer(std::string_view utf8) {
  std::string text = Utf8ToCp1250(utf8);
  text.push_back('\0');
  const size_t length = ToPrinterLetters(text.data(), LinkSettings.LetterCoding);
  text.resize(length);
  return text;
}

template <class... Args>
SeriesFrame Frame(const char* tmpl, Args... args) {
  char buffer[kFrameBufferSize];
  SeriesFrame frame{tmpl, {}};
  if (FormatFrame(buffer, sizeof buffer, tmpl, kEsc, args..., kEsc, kBackslash) < 0) return frame;
  ApplyChecksum(buffer, sizeof buffer);
  frame.bytes = buffer;
  return frame;
}

// The daily report's letter cell: its first character that is not a space.
std::string FirstLetter(const std::string& cell) {
  const size_t at = cell.find_first_not_of(' ');
  if (at == std::string::npos) return "";
  // One character of operator text, which in UTF-8 may take several bytes.
  size_t end = at + 1;
  while (end < cell.size() && (static_cast<unsigned char>(cell[end]) & 0xC0) == 0x80) ++end;
  return cell.substr(at, end - at);
}

bool AnyAboveZero(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > '0') return true;
  }
  return false;
}

}  // namespace

std::vector<SeriesFrame> ReceiptSeries(const ReceiptControlData& d) {
  const int flag = d.print_all ? 1 : 0;
  std::vector<SeriesFrame> frames;
  frames.push_back(Frame(kReceiptOpen, flag, Typed(d.date).c_str(), Typed(d.document).c_str()));
  for (size_t row = 0; row < d.lines.size() && row < kReceiptGridRows; ++row) {
    const std::string name = Printer(d.lines[row].name);
    if (name.empty()) break;
    frames.push_back(Frame(kSaleLine, flag, name.c_str(), Typed(d.lines[row].letter).c_str()));
  }
  if (d.cancelled) {
    frames.push_back(
        Frame(kCancelled, flag, Typed(d.unique_digits).c_str(), Typed(d.time).c_str()));
  } else {
    if (d.buyer_nip_given) {
      frames.push_back(Frame(kBuyerNip, flag == 1 ? 2 : 0, Printer(d.buyer_nip).c_str()));
    }
    frames.push_back(Frame(kReceiptTotals, flag, Typed(d.vat_total).c_str(), Typed(d.total).c_str(),
                           Typed(d.receipt_number).c_str(), Typed(d.unique_letters).c_str(),
                           Typed(d.unique_digits).c_str(), Typed(d.time).c_str()));
  }
  frames.push_back(Frame(kControlNumber, flag, Typed(d.control_number).c_str()));
  return frames;
}

bool SplitRunningTotal(const std::string& text, double* high, double* low) {
  double value = 0;
  if (!ParseDecimal(text, &value) || !(std::fabs(value) < kRunningTotalLimit)) return false;
  double units = 0;
  while (value >= kRunningUnit) {
    value -= kRunningUnit;
    units += 1;
  }
  *high = units;
  *low = value;
  return true;
}

DailySeriesResult DailySeries(const DailyControlData& d, const InvoiceSetting& setting) {
  const int flag = d.print_all ? 1 : 0;
  DailySeriesResult result;
  std::vector<SeriesFrame>& frames = result.frames;
  frames.push_back(Frame(kDailyOpen, flag, Typed(d.date).c_str(), Typed(d.report_number).c_str()));
  const std::vector<RateRow>* grids[2] = {&d.taxed, &d.exempt};
  for (int grid = 0; grid < 2; ++grid) {
    const std::vector<RateRow>& rows = *grids[grid];
    for (size_t row = 0; row < rows.size() && row < kDailyGridRows; ++row) {
      if (rows[row].letter.empty() || rows[row].amount.empty()) break;
      frames.push_back(Frame(kRateSales, flag * (grid + 1),
                             Typed(FirstLetter(rows[row].letter)).c_str(),
                             Typed(rows[row].amount).c_str()));
    }
  }
  frames.push_back(Frame(kLabelledValue, flag, Typed(d.vat_total).c_str(),
                         Printer("ŁĄCZNA KWOTA PTU:").c_str()));
  frames.push_back(Frame(kLabelledValue, flag, Typed(d.receipt_count).c_str(),
                         Printer("ILOŚĆ PARAGONÓW:").c_str()));
  if (AnyAboveZero(d.invoice_count) || setting.AlwaysSendsInvoiceCount()) {
    frames.push_back(Frame(kInvoiceCount, flag, Typed(d.invoice_count).c_str(),
                           Printer("ILOŚĆ FAKTUR:").c_str()));
  }
  double high = 0, low = 0;
  if (!SplitRunningTotal(d.running_vat, &high, &low)) {
    result.running_total_bad = true;
    return result;
  }
  frames.push_back(
      Frame(kRunningTotal, flag, high, low, Printer("OD RAP. 1 DO N ŁĄCZNA KWOTA PTU:").c_str()));
  frames.push_back(Frame(kDailyUnique, flag, Typed(d.unique_letters).c_str(),
                         Typed(d.unique_digits).c_str(), "00:00:00"));
  frames.push_back(Frame(kControlNumber, flag, Typed(d.control_number).c_str()));
  return result;
}

SeriesEnd SendSeries(const std::vector<SeriesFrame>& frames) {
  for (const SeriesFrame& frame : frames) {
    // A frame too long for the buffer is not sent at all, rather than cut.
    if (frame.bytes.empty() || frame.bytes.size() >= kFrameBufferSize) return SeriesEnd::kNotSent;
    std::memcpy(CommandFrame, frame.bytes.c_str(), frame.bytes.size() + 1);
    const int r = FinishCommand(frame.tmpl, CommandSteps{});
    if (r == kCommandNotSent || r == kCommandNoLink) return SeriesEnd::kNotSent;
    if (r != kCommandExecuted) return SeriesEnd::kStopped;
  }
  return SeriesEnd::kAccepted;
}

int InvoiceDigitFromAnswer(const char* answer, size_t capacity) {
  const size_t length = strnlen(answer, capacity);
  if (length <= 5) return -1;
  return static_cast<unsigned char>(answer[5]) - '0';
}

InvoiceSetting ReadInvoiceSetting() {
  CheckDetectedType();
  InvoiceSetting setting;
  setting.bus_variant = DetectedType.BusVariant;
  setting.copy_mode = DetectedType.CopyMode;
  if (LinkSettings.PrinterVariant == 2) {
    AnswerBuffer[0] = '\0';
    if (RunCommand(CommandSteps{AfterSend::kReceiveAnswer}, kSetting204Template, kEsc, kEsc,
                   kBackslash) == 0) {
      setting.invoice_digit = InvoiceDigitFromAnswer(AnswerBuffer, kFrameBufferSize);
    }
  }
  return setting;
}

SeriesEnd VerifyDailyReport(const DailyControlData& data, const InvoiceSetting& setting) {
  const DailySeriesResult series = DailySeries(data, setting);
  const SeriesEnd end = SendSeries(series.frames);
  if (end != SeriesEnd::kAccepted || !series.running_total_bad) return end;
  TheOperator().ShowMessage(kBadRunningTotalMessage);
  return SeriesEnd::kBadValue;
}

SeriesEnd VerifyReceipt(const ReceiptControlData& data) {
  return SendSeries(ReceiptSeries(data));
}

}  // namespace kelm
