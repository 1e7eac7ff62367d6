// The readout request taken from the fields of the readout dialog: the dates and their checks,
// ReadoutFlags, the packed dates of the title, and the "#o" frame that starts the readout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "readout/periodic_report.h"
#include "readout/report_title.h"

namespace kelm {

// The speeds the readout dialog offers, and its default.
inline constexpr unsigned long kReadoutSpeeds[] = {
    110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 128000, 256000};
inline constexpr unsigned long kDefaultReadoutSpeed = 115200;

// The dialog's fields as the operator left them (UTF-8).
struct ReadoutFields {
  ReadoutMode mode = ReadoutMode::kMonthly;
  bool emergency = false;                 // CheckBox1 "Odczyt w trybie awaryjnym"
  bool full = true;                       // CheckBox2 "Pełny raport"
  std::string first_date;                 // MaskEdit1, day-month-year with any separators
  std::string last_date;                  // MaskEdit2
  std::string month;                      // MaskEdit3, month-year
  std::string first_number, last_number;  // Edit3, Edit4
  unsigned long speed = kDefaultReadoutSpeed;
};

// ReadoutFlags bits.
inline constexpr uint8_t kReadoutShort = 1;
inline constexpr uint8_t kReadoutEmergency = 2;
inline constexpr uint8_t kReadoutByNumbers = 4;

struct ReadoutRequest {
  ReadoutMode mode = ReadoutMode::kMonthly;
  uint8_t flags = 0;  // ReadoutFlags
  ReportRequest report;
  // As sent: two-digit years; zeros where the mode sends none.
  int first_year = 0, first_month = 0, first_day = 0;
  int last_year = 0, last_month = 0, last_day = 0;
  PackedDate first, last;  // for the title and the file name
  std::string first_number, last_number;
  unsigned long speed = kDefaultReadoutSpeed;
};

// Builds the request. Returns false with the operator's message when a year lies outside
// 1980..2079; nothing may then be sent.
bool BuildReadoutRequest(const ReadoutFields& fields, ReadoutRequest* request,
                         std::string* message);

// Formats the "#o" frame of the request into `dst` with its check value. Returns the frame's
// length, or -1 when it does not fit (dst is then empty).
int FormatReadoutFrame(const ReadoutRequest& request, char* dst, size_t capacity);

// The naming inputs of a finished readout.
ReportNaming NamingOf(const ReadoutRequest& request, const ReadoutModel& model,
                      const ReadoutResult& result);

}  // namespace kelm
