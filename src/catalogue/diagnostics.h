// The printer's state as the diagnostic queries read it: cash information, type and version,
// clock, program check code and receive buffer; the records they fill and the parsing of their
// answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/printer_clock.h"

namespace kelm {

struct CashInfoRecord {
  int LastError = 0;
  int Mode = 0;  // non-zero: fiscal mode
  int Third = 0;
  int TrfFlag = 0;
  int Fifth = 0;
  int RamResets = 0;
  int Year = 0, Month = 0, Day = 0;  // date of the last fiscal-memory record
  double Rates[7] = {};              // 100 exempt, 101 not defined
  int ReceiptCount = 0;
  double Totals[7] = {};
  double TotZ = 0;  // families 0 and 1 only
  double Cash = 0;
  std::string UniqueNumber;  // up to 23 characters; "BRAK" when the printer sends 11 spaces
};
extern CashInfoRecord CashInfo;

void ResetDiagnostics();

// "ZWOLN" for 100, "BRAK" for 101, "%3.2f" below 100, empty otherwise.
std::string RateText(double rate);
// A rate as the main window and the cash dialog show it for a model family.
std::string RateTextForFamily(double rate, int family);
// "%3.2f" of an amount (always with "." whatever the locale).
std::string AmountText(double amount);
// "DD-MM-20YY", or "Brak" when day, month and year are all 0.
std::string LastRecordDateText(const CashInfoRecord& info);

// The cash information as the cash dialog shows it, field by field, in its order: the label
// and the text of the value.
struct LabelledValue {
  std::string label;
  std::string value;
};
std::vector<LabelledValue> CashInfoFields(const CashInfoRecord& info, int family);

// Parses a cash-information answer (NUL-terminated, as received) into `info`: first the unique
// number from the end, then the family's scan template. Scanning stops at the first item that
// does not match; the fields after it keep their earlier values. True when every item matched.
bool ParseCashInfoAnswer(const char* answer, int family, CashInfoRecord* info);

// The first field of a program-check-code answer, or "" with `ok` false when a limit is broken.
std::string ParseCheckCodeAnswer(const char* answer, bool* ok);

// The receive-buffer answer as memo lines (at most 51 characters each, from the fifth byte on,
// ending before the closing ESC 5Ch).
std::vector<std::string> ReceiveBufferLines(const char* answer, size_t size);

}  // namespace kelm
