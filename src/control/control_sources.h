// Where kelmctl takes a document's data from, instead of an operator typing it: a small
// "label: value" text file, or, for a daily report, the periodic report text of a readout.
#pragma once

#include <string>
#include <string_view>

#include "control/control_series.h"

namespace kelm {

// The labels of the fields file, one "label: value" a line (UTF-8; blank lines and lines
// starting with '#' are skipped). Repeatable labels add one grid row each.
//   receipt: date, document, line (LETTER NAME, repeatable), vat, total, receipt, cancelled (0|1),
//            nip, unique (LLL DIGITS, or DIGITS for a cancelled receipt), time, control,
//            print-all (0|1)
//   daily:   date, report, taxed (LETTER AMOUNT, repeatable), exempt (repeatable), vat, receipts,
//            invoices, running-vat, unique, control, print-all
// They return false with `error` set (in English, with the line number) on anything else.
bool ParseReceiptFields(std::string_view text, ReceiptControlData* data, std::string* error);
bool ParseDailyFields(std::string_view text, DailyControlData* data, std::string* error);

// The fields of daily report `number` from a periodic report text as the readout writes it
// (Windows-1250, CR LF): date, number, the sales lines of both kinds in the order printed,
// the VAT total, the receipt and invoice counts, the running total VAT, the unique number and
// the report's control number. False with `error` set when the report or one of its items is
// not in the text.
bool DailyFieldsFromReadout(std::string_view cp1250_text, long number, DailyControlData* data,
                            std::string* error);

// Files of these kinds are small; anything larger is refused rather than read whole.
inline constexpr size_t kFieldsFileLimit = 64 * 1024;
inline constexpr size_t kReadoutFileLimit = 64 * 1024 * 1024;

// Reads at most `limit` bytes of a file; false when it cannot be read or is larger.
bool ReadSmallFile(const std::string& path, size_t limit, std::string* contents);

}  // namespace kelm
