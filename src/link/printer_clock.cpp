// The clock query.
#include "link/printer_clock.h"

#include <cstdio>

#include "link/command_execution.h"
#include "link/reception.h"
#include "protocol/frame.h"

namespace kelm {

PrinterClockRecord PrinterClock;

void ResetPrinterClock() {
  PrinterClock = PrinterClockRecord{};
}

bool ParseClockAnswer(const char* answer, PrinterClockRecord* clock) {
  char esc = 0, p = 0;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  if (std::sscanf(answer, "%c%c1#C%d;%d;%d;%d;%d;0", &esc, &p, &year, &month, &day, &hour,
                  &minute) != 7) {
    return false;
  }
  clock->Century = 20;
  clock->Year = static_cast<uint8_t>(year);
  clock->Month = static_cast<uint8_t>(month);
  clock->Day = static_cast<uint8_t>(day);
  clock->Hour = static_cast<uint8_t>(hour);
  clock->Minute = static_cast<uint8_t>(minute);
  clock->Last = 0;
  return true;
}

bool ReadPrinterClock() {
  // What is already waiting on the line belongs to no one.
  if (RunCommand({AfterSend::kReceiveAnswer, false, true}, kClockQueryTemplate, kEsc, kEsc,
                 kBackslash) < 0) {
    return false;
  }
  if (AnswerReceived != 1) return false;
  ParseClockAnswer(AnswerBuffer, &PrinterClock);
  return true;
}

std::string ClockDateText() {
  char text[32];
  std::snprintf(text, sizeof text, "20%2.2d-%2.2d-%2.2d", PrinterClock.Year, PrinterClock.Month,
                PrinterClock.Day);
  return text;
}

std::string ClockTimeText() {
  char text[32];
  std::snprintf(text, sizeof text, "%2.2d:%2.2d", PrinterClock.Hour, PrinterClock.Minute);
  return text;
}

}  // namespace kelm
