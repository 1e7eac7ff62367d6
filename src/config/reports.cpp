// The fiscal report commands.
#include "config/reports.h"

#include <cstdio>
#include <ctime>

#include "link/printer_clock.h"
#include "link/settings.h"
#include "protocol/operator.h"

namespace kelm {

bool BuildDailyReportFrame(bool no_confirmation, const ReportDate& d, ConfigFrame* out) {
  if (!no_confirmation) return BuildFrame(out, false, "%cP0#rxx%c%c", kEsc, kEsc, kBackslash);
  return BuildFrame(out, false, "%cP1;%d;%d;%d#rxx%c%c", kEsc, d.year - 2000, d.month, d.day, kEsc,
                    kBackslash);
}

ReportDate TodayPlusDays(int days) {
  std::time_t now = std::time(nullptr) + static_cast<std::time_t>(days) * 86400;
  std::tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday};
}

ReportDate Today() {
  return TodayPlusDays(0);
}

ReportDate DailyReportStartDate() {
  if (LinkSettings.ServiceLevel != 0 && ReadPrinterClock()) {
    // The clock's date as the dialog converts it: "DD-MM-20YY".
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d-%2.2d-20%2.2d", PrinterClock.Day, PrinterClock.Month,
                  PrinterClock.Year);
    ReportDate d;
    if (std::sscanf(text, "%2d-%2d-%4d", &d.day, &d.month, &d.year) == 3 && d.month >= 1 &&
        d.month <= 12 && d.day >= 1 && d.day <= 31) {
      return d;
    }
  }
  return Today();
}

PeriodicModeState PeriodicModeRules(PeriodicMode chosen, bool emergency, int family) {
  PeriodicModeState s;
  s.mode = chosen;
  if (emergency) {
    s.enabled[0] = s.enabled[1] = false;
    s.mode = PeriodicMode::kByNumbers;
  }
  if (family == 0) {
    s.enabled[0] = false;
    if (emergency) {
      s.enabled[1] = false;
    } else {
      s.enabled[1] = true;
      s.enabled[2] = false;
      s.mode = PeriodicMode::kByDates;
    }
  }
  return s;
}

namespace {

// Any separator is accepted: the characters at the separators' places become "-".
bool ParseDateText(std::string text, bool month_only, int* day, int* month, int* year) {
  if (text.size() >= 3) text[2] = '-';
  if (!month_only && text.size() >= 6) text[5] = '-';
  if (month_only) {
    *day = 0;
    if (std::sscanf(text.c_str(), "%2d-%4d", month, year) != 2) return false;
  } else if (std::sscanf(text.c_str(), "%2d-%2d-%4d", day, month, year) != 3) {
    return false;
  }
  return *year >= 1980 && *year <= 2079;
}

}  // namespace

bool BuildPeriodicReportFrame(const PeriodicReportRequest& r, int family, int variant,
                              ConfigFrame* out, std::string* message) {
  const PeriodicMode mode = PeriodicModeRules(r.mode, r.emergency, family).mode;
  int flags = 0;
  if (r.emergency) flags += 2;
  if (!r.full) flags += 1;
  if (mode == PeriodicMode::kByNumbers) flags += 4;
  if (r.non_fiscal && variant == 1) flags += 16;
  if (mode == PeriodicMode::kByNumbers) {
    const std::string first = FieldText(r.first_number), last = FieldText(r.last_number);
    if (family == 0) {
      return BuildFrame(out, false, "%cP0;0;%s;0;0;%s;%d#oxx%c%c", kEsc, first.c_str(),
                        last.c_str(), r.full ? 2 : 3, kEsc, kBackslash);
    }
    return BuildFrame(out, false, "%cP%d#o%s/%s/xx%c%c", kEsc, flags, first.c_str(), last.c_str(),
                      kEsc, kBackslash);
  }
  int d1 = 0, m1 = 0, y1 = 0, d2 = 0, m2 = 0, y2 = 0;
  const bool monthly = mode == PeriodicMode::kMonthly;
  if (!ParseDateText(FieldText(monthly ? r.month_text : r.from_date), monthly, &d1, &m1, &y1)) {
    *message = kFromDateMessage;
    return false;
  }
  if (!monthly && !ParseDateText(FieldText(r.to_date), false, &d2, &m2, &y2)) {
    *message = kToDateMessage;
    return false;
  }
  if (!monthly) y2 %= 100;
  return BuildFrame(out, false, "%cP%d;%d;%d;%d;%d;%d;%d#oxx%c%c", kEsc, y1 % 100, m1, d1, y2, m2,
                    d2, flags, kEsc, kBackslash);
}

SendOutcome SendPeriodicReport(const PeriodicReportRequest& request) {
  ConfigFrame frame;
  std::string message;
  const bool built = BuildPeriodicReportFrame(request, LinkSettings.ModelFamily,
                                              LinkSettings.PrinterVariant, &frame, &message);
  return SendBuiltFrame(built, frame, message);
}

bool BuildShiftReportFrame(bool zeroing, const std::string& shift, const std::string& cashier,
                           ConfigFrame* out) {
  return BuildFrame(out, true, "%cP%d#k%s\r%s\rxx%c%c", kEsc, zeroing ? 0 : 23,
                    FieldText(shift).c_str(), FieldText(cashier).c_str(), kEsc, kBackslash);
}

bool BuildCashierFrame(bool log_in, const std::string& cashier, const std::string& till,
                       ConfigFrame* out) {
  return BuildFrame(out, true, log_in ? "%cP#p%s\r%s\rcc%c%c" : "%cP#q%s\r%s\rcc%c%c", kEsc,
                    FieldText(cashier).c_str(), FieldText(till).c_str(), kEsc, kBackslash);
}

bool BuildErrorTableFrame(ConfigFrame* out) {
  return BuildFrame(out, false, "%cP$4cc%c%c", kEsc, kEsc, kBackslash);
}

bool BuildServiceReminderFrame(bool active, const ReportDate& next, const std::string& phone,
                               ConfigFrame* out) {
  return BuildFrame(out, true, "%cP0;%u;%u;%u;%u$o%s\rxx%c%c", kEsc, active ? 1u : 0u,
                    static_cast<unsigned>(next.year - 2000), static_cast<unsigned>(next.month),
                    static_cast<unsigned>(next.day), FieldText(phone).c_str(), kEsc, kBackslash);
}

}  // namespace kelm
