// kelmctl's configuration and report commands: VAT rates, tax number, clock, settings readout,
// fiscal reports, the option commands and the default values, over the same routines as their
// dialogs and with the dialogs' defaults and rules for the model.
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "config/nip_clock.h"
#include "config/options.h"
#include "config/printer_settings.h"
#include "config/reports.h"
#include "config/vat_rates.h"
#include "kelmctl/commands.h"
#include "link/settings.h"

namespace kelm::ctl {
namespace {

int Refuse(const std::string& why) {
  std::fprintf(stderr, "kelmctl: %s\n", why.c_str());
  return kExitUsage;
}

// The exit status of a dialog's send: refused input is a usage error, a printer error is 2.
int ExitOf(SendOutcome outcome) {
  if (outcome == SendOutcome::kRefused) return kExitUsage;
  if (outcome == SendOutcome::kNotSent) return kExitLink;
  switch (LastSendResult()) {
    case kCommandExecuted:
      return kExitDone;
    case kCommandPrinterError:
      return kExitPrinterError;
    default:
      return kExitLink;
  }
}

// Up to seven comma-separated items for the rates A..G; an empty item keeps the dialog's
// default. False when there are more, or `apply` refuses one.
bool EachRate(const std::string& list,
              const std::function<bool(size_t, const std::string&)>& apply) {
  std::vector<std::string> items;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) items.push_back(item);
  if (items.size() > static_cast<size_t>(kRateCount)) return false;
  for (size_t k = 0; k < items.size(); ++k) {
    if (!items[k].empty() && !apply(k, items[k])) return false;
  }
  return true;
}

bool ParseDate(const std::string& text, int* y, int* m, int* d) {
  char extra;
  return std::sscanf(text.c_str(), "%4d-%2d-%2d%c", y, m, d, &extra) == 3 && *m >= 1 && *m <= 12 &&
         *d >= 1 && *d <= 31 && *y >= 2000 && *y <= 2099;
}

int Vat(const Invocation& in) {
  VatRatesRequest r;
  r.bus = LinkSettings.PrinterVariant != 0;
  if (in.Has("--rates") &&
      !EachRate(in.Values("--rates")[0], [&](size_t k, const std::string& text) {
        r.texts[k] = text;
        return true;
      })) {
    return Refuse("--rates takes at most seven rates (A..G)");
  }
  if (in.Has("--states") &&
      !EachRate(in.Values("--states")[0], [&](size_t k, const std::string& state) {
        if (state != "0" && state != "1" && state != "2") return false;
        r.states[k] = state[0] - '0';
        return true;
      })) {
    return Refuse("--states takes at most seven of 1 (taxed), 2 (exempt), 0 (inactive)");
  }
  if (in.Has("--foreign-tickets")) {
    if (!r.bus) return Refuse("--foreign-tickets needs a bus model (--model oxil-bus, ...)");
    r.foreign_tickets = true;
  }
  const ReportDate today = Today();
  r.year = today.year, r.month = today.month, r.day = today.day;
  if (in.Has("--at")) {
    r.mode = RateChangeMode::kScheduled;
    int h = -1, m = -1;
    char extra;
    const std::vector<std::string>& at = in.Values("--at");
    if (!ParseDate(at[0], &r.year, &r.month, &r.day) ||
        std::sscanf(at[1].c_str(), "%2d:%2d%c", &h, &m, &extra) != 2 || h < 0 || h > 23 || m < 0 ||
        m > 59) {
      return Refuse("--at takes YYYY-MM-DD HH:MM");
    }
    char hour[8];
    std::snprintf(hour, sizeof hour, "%2.2d:%2.2d", h, m);
    r.hour_field = hour;
  }
  if (in.Has("--cancel-scheduled")) r.mode = RateChangeMode::kCancelScheduled;
  if (r.mode != RateChangeMode::kNow) {
    if (r.bus) return Refuse("a bus printer has no scheduled change of rates");
    // The dialog offers these modes only when the printer has them.
    if (!DetectScheduleAvailable()) {
      std::fprintf(stderr, "kelmctl: this printer offers no scheduled change of rates\n");
      return kExitLink;
    }
  }
  ApplyRateFamilyRules(&r, LinkSettings.ModelFamily);
  return ExitOf(SendVatRates(r));
}

bool VatIsValid(const Invocation& in) {
  return !(in.Has("--at") && in.Has("--cancel-scheduled"));
}

int Nip(const Invocation& in) {
  return ExitOf(ProgramNip(in.words[0]));
}

int SetClock(const Invocation& in) {
  ClockSetting c = ComputerClock();
  if (!in.words.empty()) {
    char extra;
    if (!ParseDate(in.words[0], &c.year, &c.month, &c.day) ||
        std::sscanf(in.words[1].c_str(), "%2d:%2d:%2d%c", &c.hour, &c.minute, &c.second, &extra) !=
            3 ||
        c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
        c.second > 59) {
      return Refuse("set-clock takes YYYY-MM-DD HH:MM:SS");
    }
  }
  return ExitOf(CorrectClock(c));
}

bool NoneOrTwoWords(const Invocation& in) {
  return in.words.empty() || in.words.size() == 2;
}

int Settings(const Invocation& in) {
  if (!ReadPrinterSettings(&PrinterSettings)) return kExitLink;
  for (const SettingsRow& row : SettingsRows(PrinterSettings)) {
    if (!row.visible) continue;
    std::printf("%s: %s%s%s\n", row.label, row.value.c_str(), *row.unit ? " " : "", row.unit);
  }
  if (in.Has("-o") && !SaveSettingsFile(in.Values("-o")[0], PrinterSettings)) {
    std::fprintf(stderr, "%s\n", CannotOpenMessage(in.Values("-o")[0]).c_str());
    return kExitLink;
  }
  return kExitDone;
}

int DailyReport(const Invocation& in) {
  ReportDate date = DailyReportStartDate();
  if (in.Has("--date") && !ParseDate(in.Values("--date")[0], &date.year, &date.month, &date.day)) {
    return Refuse("--date takes YYYY-MM-DD");
  }
  ConfigFrame frame;
  return ExitOf(SendBuiltFrame(BuildDailyReportFrame(!in.Has("--confirm"), date, &frame), frame));
}

int PeriodicReport(const Invocation& in) {
  PeriodicReportRequest r;
  if (in.Has("--monthly")) {
    r.mode = PeriodicMode::kMonthly;
    r.month_text = in.Values("--monthly")[0];
  } else if (in.Has("--dates")) {
    r.mode = PeriodicMode::kByDates;
    r.from_date = in.Values("--dates")[0];
    r.to_date = in.Values("--dates")[1];
  } else {
    r.mode = PeriodicMode::kByNumbers;
    r.first_number = in.Values("--numbers")[0];
    r.last_number = in.Values("--numbers")[1];
  }
  r.full = !in.Has("--short");
  r.emergency = in.Has("--emergency");
  r.non_fiscal = in.Has("--non-fiscal");
  // The dialog's mode rules decide what a model prints; say so rather than print another range.
  const PeriodicModeState s = PeriodicModeRules(r.mode, r.emergency, LinkSettings.ModelFamily);
  if (s.mode != r.mode) {
    return Refuse(
        "this range is not offered for this model (family 0: --dates, or --numbers "
        "with --emergency; --emergency: --numbers)");
  }
  return ExitOf(SendPeriodicReport(r));
}

int Report(const Invocation& in) {
  return in.words[0] == "daily" ? DailyReport(in) : PeriodicReport(in);
}

bool ReportIsValid(const Invocation& in) {
  const int ranges = in.Has("--monthly") + in.Has("--dates") + in.Has("--numbers");
  const bool periodic_flags =
      ranges != 0 || in.Has("--short") || in.Has("--emergency") || in.Has("--non-fiscal");
  if (in.words[0] == "daily") return !periodic_flags;
  return in.words[0] == "periodic" && ranges == 1 && !in.Has("--date") && !in.Has("--confirm");
}

int Option(const Invocation& in) {
  if (in.Has("--list")) {
    for (const OptionCommandInfo& info : OptionCommands()) {
      std::printf("%-18s %-28s %s\n", info.name.c_str(), info.values.c_str(), info.caption.c_str());
    }
    return kExitDone;
  }
  std::string error;
  const SendOutcome outcome = SetOptionByName(in.words[0], in.words[1], &error);
  if (!error.empty()) return Refuse(error);
  return ExitOf(outcome);
}

bool OptionIsValid(const Invocation& in) {
  return in.Has("--list") ? in.words.empty() : in.words.size() == 2;
}

int Defaults(const Invocation&) {
  const int sent = RunDefaultValues();
  std::printf("%d/16\n", sent);
  return sent == 16 ? kExitDone : kExitLink;
}

}  // namespace

const std::vector<Command>& ConfigCommands() {
  static const std::vector<Command> table = {
      {"vat",
       "[--rates T,T,T,T,T,T,T] [--states S,S,S,S,S,S,S]\n"
       "[--at YYYY-MM-DD HH:MM | --cancel-scheduled] [--foreign-tickets]",
       "program the rates A..G (states: 1 taxed, 2 exempt,\n"
       "0 inactive; an empty item keeps the dialog's default)",
       Vat,
       0,
       {{"--rates", 1},
        {"--states", 1},
        {"--at", 2},
        {"--cancel-scheduled"},
        {"--foreign-tickets"}},
       VatIsValid},
      {"nip", "TEXT",
       "program the tax number in training mode (--yes/--no\n"
       "answer the format and check-digit questions)",
       Nip, 1},
      {"set-clock",
       "[YYYY-MM-DD HH:MM:SS]",
       "set the printer's clock (default: now)",
       SetClock,
       kAnyWords,
       {},
       NoneOrTwoWords},
      {"settings",
       "[-o FILE.ust]",
       "the printer's settings as \"label: value\" lines",
       Settings,
       0,
       {{"-o", 1}}},
      {"report",
       "daily [--date YYYY-MM-DD] [--confirm] |\n"
       "periodic (--monthly MM-YYYY | --dates DD-MM-YYYY DD-MM-YYYY | --numbers FIRST LAST)\n"
       "         [--short] [--emergency] [--non-fiscal]",
       "the printer prints the daily report (--confirm: on its\n"
       "keys) or a periodic report",
       Report,
       1,
       {{"--date", 1},
        {"--confirm"},
        {"--monthly", 1},
        {"--dates", 2},
        {"--numbers", 2},
        {"--short"},
        {"--emergency"},
        {"--non-fiscal"}},
       ReportIsValid},
      {"option",
       "NAME VALUE | --list",
       "set one printer option (--list names the options and\n"
       "their values for the model)",
       Option,
       kAnyWords,
       {{"--list"}},
       OptionIsValid},
      {"defaults", "", "send the run of default values", Defaults},
  };
  return table;
}

}  // namespace kelm::ctl
