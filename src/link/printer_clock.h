// The printer's clock as the clock query reads it: the record it fills, the parsing of its
// answer and its date and time texts. Below the catalogue (the clock dialog) and the
// configuration room (the daily report's date).
#pragma once

#include <cstdint>
#include <string>

namespace kelm {

inline constexpr char kClockQueryTemplate[] = "%cP0#cxx%c%c";

struct PrinterClockRecord {
  uint8_t Century = 20, Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Last = 0;
};
extern PrinterClockRecord PrinterClock;
void ResetPrinterClock();

// Parses a clock answer; returns false (and leaves `clock` alone) when it does not match.
bool ParseClockAnswer(const char* answer, PrinterClockRecord* clock);

// Sends "#c" and fills PrinterClock when an answer came. Returns true when it did.
bool ReadPrinterClock();
// "20YY-MM-DD" and "HH:MM" of PrinterClock.
std::string ClockDateText();
std::string ClockTimeText();

}  // namespace kelm
