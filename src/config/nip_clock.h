// The tax number command "$n" (training mode) with its two warnings, and the clock correction
// "$c".
#pragma once

#include <string>

#include "config/config_frame.h"

namespace kelm {

inline constexpr const char* kNipFormatQuestion =
    "Błędny format numeru NIP!\r\nPrzykładowe formaty NIP to:\r\n000-000-00-00\r\n000-00-00-000\r\n"
    "PL 000-000-00-00\r\n0000000000\r\n\r\n Czy przerwać?";
inline constexpr const char* kNipCheckQuestion =
    "Błędna suma kontrolna numeru NIP!\r\nCzy przerwać?\r\n";

// The field as used (Windows-1250 bytes): at most 49 characters, trailing spaces removed (never the
// first character).
std::string TrimNip(const std::string& field);
// "PL " prefix allowed; the rest only digits and "-", 10 to 13 characters.
bool NipFormatOk(const std::string& nip);
// The weighted sum of the first nine digits, modulo 11 and then 10, equals the tenth digit.
bool NipCheckDigitOk(const std::string& nip);

bool BuildNipFrame(const std::string& nip, ConfigFrame* out);

// "&Dalej" with the field as typed (UTF-8): trims it, asks the two questions where a test fails
// (Yes stops), sends.
SendOutcome ProgramNip(const std::string& field);

struct ClockSetting {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The computer's local date and time now.
ClockSetting ComputerClock();

bool BuildClockFrame(const ClockSetting& when, ConfigFrame* out);
SendOutcome CorrectClock(const ClockSetting& when);

}  // namespace kelm
