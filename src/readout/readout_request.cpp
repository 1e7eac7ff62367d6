// From the readout dialog's fields to the "#o" frame.
#include "readout/readout_request.h"

#include <cstdio>

#include "protocol/frame.h"
#include "protocol/number_text.h"

namespace kelm {
namespace {

constexpr size_t kFieldLimit = 49;

// The masks put separators at fixed places; whatever the operator typed there, the date is read
// with "-". A field that does not read as numbers leaves zeros, which no year check passes.
void ParseDate(std::string text, int* day, int* month, int* year) {
  text.resize(10, ' ');
  text[2] = '-';
  text[5] = '-';
  *day = *month = *year = 0;
  std::sscanf(text.c_str(), "%2d-%2d-%4d", day, month, year);
}

void ParseMonth(std::string text, int* month, int* year) {
  text.resize(7, ' ');
  text[2] = '-';
  *month = *year = 0;
  std::sscanf(text.c_str(), "%2d-%4d", month, year);
}

bool YearInRange(int year) {
  return year >= 1980 && year <= 2079;
}

bool LeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A day of the calendar; day 0 stands for "the whole month".
bool ValidDate(int year, int month, int day, bool whole_month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return false;
  if (whole_month) return day == 0;
  return day >= 1 && day <= kDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0);
}

// The report numbers go into the frame as texts between "/" separators, so anything but a whole
// number would reach the printer as another field or as garbage.
bool ReportNumber(const std::string& text, std::string* number, std::string* message) {
  const std::string field = text.substr(0, kFieldLimit);
  const size_t first = field.find_first_not_of(' ');
  const size_t last = field.find_last_not_of(' ');
  const std::string digits =
      first == std::string::npos ? "" : field.substr(first, last - first + 1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
    *message = ConversionErrorMessage(field, true);
    return false;
  }
  *number = digits;
  return true;
}

uint8_t TwoDigits(int value) {
  return uint8_t(((value % 100) + 100) % 100);
}

}  // namespace

bool BuildReadoutRequest(const ReadoutFields& f, ReadoutRequest* r, std::string* message) {
  ReadoutRequest out;
  out.mode = f.mode;
  out.speed = f.speed;
  int first_day, first_month, first_year, last_day, last_month, last_year, month, monthYear;
  ParseDate(f.first_date, &first_day, &first_month, &first_year);
  ParseDate(f.last_date, &last_day, &last_month, &last_year);
  ParseMonth(f.month, &month, &monthYear);

  if (f.mode == ReadoutMode::kMonthly) {
    first_year = monthYear;
    first_month = month;
  }
  if (f.mode != ReadoutMode::kByNumbers && !YearInRange(first_year)) {
    *message = "     Data spoza zakresu     ";
    return false;
  }
  if (f.mode == ReadoutMode::kByDates && !YearInRange(last_year)) {
    *message = "    Data spoza zakresu     ";
    return false;
  }
  // Past the documented year checks, a month or day that no calendar has is refused the same
  // way rather than sent for the printer to reject.
  if (f.mode == ReadoutMode::kMonthly && !ValidDate(first_year, first_month, 0, true)) {
    *message = "     Data spoza zakresu     ";
    return false;
  }
  if (f.mode == ReadoutMode::kByDates && !ValidDate(first_year, first_month, first_day, false)) {
    *message = "     Data spoza zakresu     ";
    return false;
  }
  if (f.mode == ReadoutMode::kByDates && !ValidDate(last_year, last_month, last_day, false)) {
    *message = "    Data spoza zakresu     ";
    return false;
  }
  if (f.mode == ReadoutMode::kByNumbers &&
      (!ReportNumber(f.first_number, &out.first_number, message) ||
       !ReportNumber(f.last_number, &out.last_number, message))) {
    return false;
  }

  if (!f.full) out.flags |= kReadoutShort;
  if (f.emergency) out.flags |= kReadoutEmergency;
  if (f.mode == ReadoutMode::kByNumbers) out.flags |= kReadoutByNumbers;

  switch (f.mode) {
    case ReadoutMode::kByNumbers:
      break;
    case ReadoutMode::kMonthly:
      out.first_year = TwoDigits(first_year);
      out.first_month = first_month;
      break;
    case ReadoutMode::kByDates:
      out.first_year = TwoDigits(first_year);
      out.first_month = first_month;
      out.first_day = first_day;
      out.last_year = TwoDigits(last_year);
      out.last_month = last_month;
      out.last_day = last_day;
      break;
  }
  out.first =
      PackedDate{20, uint8_t(out.first_year), uint8_t(out.first_month), uint8_t(out.first_day)};
  out.last = PackedDate{20, uint8_t(out.last_year), uint8_t(out.last_month), uint8_t(out.last_day)};

  out.report.by_numbers = f.mode == ReadoutMode::kByNumbers;
  out.report.monthly = f.mode == ReadoutMode::kMonthly;
  out.report.full = f.full;
  out.report.emergency = f.emergency;
  *r = out;
  message->clear();
  return true;
}

int FormatReadoutFrame(const ReadoutRequest& r, char* dst, size_t capacity) {
  int n;
  if (r.mode == ReadoutMode::kByNumbers) {
    n = FormatFrame(dst, capacity, "%cP%d;0;0;0;0;0;0;128#o%s/%s/\r\r%lu/xx%c%c", kEsc, r.flags,
                    r.first_number.c_str(), r.last_number.c_str(), r.speed, kEsc, kBackslash);
  } else {
    n = FormatFrame(dst, capacity, "%cP%d;%d;%d;%d;%d;%d;%d;128#o\r\r%lu/xx%c%c", kEsc,
                    r.first_year, r.first_month, r.first_day, r.last_year, r.last_month, r.last_day,
                    r.flags, r.speed, kEsc, kBackslash);
  }
  if (n >= 0) ApplyChecksum(dst, capacity);
  return n;
}

ReportNaming NamingOf(const ReadoutRequest& r, const ReadoutModel& model,
                      const ReadoutResult& result) {
  ReportNaming n;
  n.model = model;
  n.mode = r.mode;
  n.emergency = r.report.emergency;
  n.first = r.first;
  n.last = r.last;
  n.first_number = result.first_number;
  n.last_number = result.last_number;
  n.unique_number = result.unique_number;
  return n;
}

}  // namespace kelm
