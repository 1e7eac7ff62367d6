// The fiscal memory as the printer's records: the layouts of its type, the record stream of a
// periodic report readout ("#o" with 128), a daily report's control number.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/printer_state.h"

namespace kelm::emu {

// What the printer's type says about its records: family, bus variant (0, 1, the 859 model 2),
// copy mode and firmware version x 100.
struct RecordType {
  int family = 2, variant = 0, copy_mode = 0, version = 300;
};
RecordType RecordTypeOf(const PrinterState& state);

// The daily-report layout (its body length, check byte included): 90, 94, 106, 174, 278, 290
// or 296.
int DailyLayout(const RecordType& type);
// Body length of a record type, check byte included.
size_t RecordLength(int record, const RecordType& type);
// Whether a layout carries the report digest and the running totals.
bool LayoutHasDigest(int layout);

// The uses of a rate table that marks exempt and undefined letters by their special values.
std::array<int, kLetters> UsesOf(const std::array<int, kLetters>& rates);

// Appends a tax-rate record when the rates in force differ from the last one stored.
void StoreRatesIfChanged(PrinterState& state, const DateTime& when);
// Appends a currency change in force from the next daily report on.
void StoreCurrency(PrinterState& state, const std::string& name, const DateTime& when);

// The report's VAT over all letters, with the invoice VAT of printers that keep invoices.
int64_t ReportVatSum(const DailyReport& report, const RecordType& type);

// Sums from the first report of the report's currency up to and including the report.
struct RunningTotals {
  std::array<int64_t, kLetters> vat{}, invoice_vat{};
  int64_t total_vat = 0, total_due = 0;
  int first_report = 1;  // the first report the sums start from
  uint16_t letters = 0;  // bit i: letter i has running totals
};
RunningTotals RunningUpTo(const PrinterState& state, size_t index);
// The same for every report of the memory, in one go.
std::vector<RunningTotals> AllRunningTotals(const PrinterState& state);

// The control number of the daily report at `index` as the report digest of its layout: 40
// hexadecimal digits, or empty for the layouts that have none.
std::string DailyControlNumber(const PrinterState& state, size_t index);

// A periodic report readout as "#o" with 128 asks for it.
struct ReadoutRequest {
  bool by_numbers = false;
  int from = 0, to = 0;  // report numbers, or dates as yyyymmdd
  DateTime period_from, period_to;
  long flags = 0;
  long baud = 0;
};

// Misbehaviour of the next readout.
struct ReadoutFaults {
  int break_check = 0;      // the Nth record sent (1 = the first header) has a wrong check byte
  int64_t closing_off = 0;  // grosze added to the total due of the first closing record
};

// The records of every currency pass, each record its type byte and body, in sending order.
using ReadoutPasses = std::vector<std::vector<std::string>>;
ReadoutPasses BuildReadout(const PrinterState& state, const ReadoutRequest& request,
                           const DateTime& now, int64_t closing_off);

// The fiscal memory chip holds this many daily reports; a full memory goes read-only.
inline constexpr size_t kMemoryReports = 1830;
inline constexpr uint32_t kCancelledOverflow = 100000000;
// Invoices are kept by the copy-mode 2 printers, in the layouts that have room for them.
bool KeepsInvoices(const RecordType& t);
// Printers with an electronic copy send the medium records before the report that closed one.
bool SendsMedia(const RecordType& t);
// The 20 bytes of the SHA-1 of a text.
std::string Sha1Bytes(std::string_view text);

// Old state files kept reports without tax-rate records: rebuild the records from the rates the
// reports carry.
void BackfillRateRecords(PrinterState& state);

}  // namespace kelm::emu
