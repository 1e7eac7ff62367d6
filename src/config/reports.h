// The fiscal report commands: daily report, periodic report with its range modes and date
// checks, cash/shift report, cashier log-in and log-out, error table, and the service
// inspection reminder.
#pragma once

#include <string>

#include "config/config_frame.h"

namespace kelm {

struct ReportDate {
  int year = 2000, month = 1, day = 1;
};

// TWydrukRaportuDobowego: with `no_confirmation` the date goes with the command.
bool BuildDailyReportFrame(bool no_confirmation, const ReportDate& date, ConfigFrame* out);
// The picker's date when the dialog is shown: the printer's clock with a ServiceLevel (when it
// answers), else today.
ReportDate DailyReportStartDate();
ReportDate Today();
// Today plus `days`.
ReportDate TodayPlusDays(int days);

enum class PeriodicMode { kMonthly = 0, kByDates = 1, kByNumbers = 2 };

struct PeriodicReportRequest {
  PeriodicMode mode = PeriodicMode::kMonthly;
  std::string month_text;          // "mm-rrrr"
  std::string from_date, to_date;  // "dd-mm-rrrr"
  std::string first_number, last_number;
  bool emergency = false;
  bool full = true;
  bool non_fiscal = false;  // only with PrinterVariant 1
};

// The mode rules of the dialog: which modes are enabled, and the mode they force.
struct PeriodicModeState {
  bool enabled[3] = {true, true, true};
  PeriodicMode mode = PeriodicMode::kMonthly;
};
PeriodicModeState PeriodicModeRules(PeriodicMode chosen, bool emergency, int family);

inline constexpr const char* kFromDateMessage = "     Data spoza zakresu     ";
inline constexpr const char* kToDateMessage = "    Data spoza zakresu     ";

// Validates the dates (message for the operator) and builds the frame for a model.
bool BuildPeriodicReportFrame(const PeriodicReportRequest& request, int family, int variant,
                              ConfigFrame* out, std::string* message);

// TRaportKasyZmiany, TLogowanieKasjera, TWylogowanieKasjera: texts as typed (UTF-8).
bool BuildShiftReportFrame(bool zeroing, const std::string& shift, const std::string& cashier,
                           ConfigFrame* out);
bool BuildCashierFrame(bool log_in, const std::string& cashier, const std::string& till,
                       ConfigFrame* out);
bool BuildErrorTableFrame(ConfigFrame* out);
// TPrzegladySerwisowe.
bool BuildServiceReminderFrame(bool active, const ReportDate& next, const std::string& phone,
                               ConfigFrame* out);

// Builds with the rules of LinkSettings, shows a validation message, sends.
SendOutcome SendPeriodicReport(const PeriodicReportRequest& request);

}  // namespace kelm
