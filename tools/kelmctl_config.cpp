// kelmctl's configuration and report commands, over the same routines as their dialogs.
#include "kelmctl_config.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "config/nip_clock.h"
#include "config/options.h"
#include "config/printer_settings.h"
#include "config/reports.h"
#include "config/vat_rates.h"
#include "link/settings.h"
#include "protocol/error_table.h"
#include "protocol/number_text.h"

namespace kelm {

const char* const kConfigUsage =
    "  vat [--rates T,T,T,T,T,T,T] [--states S,S,S,S,S,S,S]\n"
    "      [--at YYYY-MM-DD HH:MM | --cancel-scheduled] [--foreign-tickets]\n"
    "                                  program the rates A..G (states: 1 taxed, 2 exempt,\n"
    "                                  0 inactive; an empty item keeps the dialog's default)\n"
    "  nip TEXT                        program the tax number in training mode (the format and\n"
    "                                  check-digit questions are answered by --yes/--no)\n"
    "  set-clock [YYYY-MM-DD HH:MM:SS] set the printer's clock (default: now)\n"
    "  settings [-o FILE.ust]          the printer's settings as \"label: value\" lines\n"
    "  report daily [--date YYYY-MM-DD] [--confirm]\n"
    "                                  print the daily report (--confirm: on the printer's keys)\n"
    "  report periodic (--monthly MM-YYYY | --dates DD-MM-YYYY DD-MM-YYYY | --numbers FIRST LAST)\n"
    "          [--short] [--emergency] [--non-fiscal]\n"
    "                                  print a periodic report\n"
    "  option NAME VALUE | option --list\n"
    "                                  set one printer option (the list names them and their\n"
    "                                  values)\n"
    "  defaults                        send the run of default values\n";

namespace {

constexpr int kExitDone = 0;
constexpr int kExitLink = 1;
constexpr int kExitPrinterError = 2;
constexpr int kExitUsage = 64;

int Usage(const std::string& why) {
  std::fprintf(stderr, "kelmctl: %s\n", why.c_str());
  return kExitUsage;
}

// The exit status of a dialog's send.
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

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> items;
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) items.push_back(item);
  if (!text.empty() && text.back() == ',') items.push_back("");
  return items;
}

bool ParseDate(const std::string& text, int* y, int* m, int* d) {
  char extra;
  return std::sscanf(text.c_str(), "%4d-%2d-%2d%c", y, m, d, &extra) == 3 && *m >= 1 && *m <= 12 &&
         *d >= 1 && *d <= 31 && *y >= 2000 && *y <= 2099;
}

int Vat(const std::vector<std::string>& a) {
  VatRatesRequest r;
  r.bus = LinkSettings.PrinterVariant != 0;
  bool at = false;
  std::string when_date, when_hour;
  for (size_t i = 0; i < a.size(); ++i) {
    const bool has_value = i + 1 < a.size();
    if (a[i] == "--rates" && has_value) {
      const std::vector<std::string> items = SplitCommas(a[++i]);
      if (items.size() > kRateCount) return Usage("at most seven rates (A..G)");
      for (size_t k = 0; k < items.size(); ++k) {
        if (!items[k].empty()) r.texts[k] = items[k];
      }
    } else if (a[i] == "--states" && has_value) {
      const std::vector<std::string> items = SplitCommas(a[++i]);
      if (items.size() > kRateCount) return Usage("at most seven states (A..G)");
      for (size_t k = 0; k < items.size(); ++k) {
        if (items[k].empty()) continue;
        if (items[k] != "0" && items[k] != "1" && items[k] != "2") {
          return Usage("a state is 1 (taxed), 2 (exempt) or 0 (inactive)");
        }
        r.states[k] = items[k][0] - '0';
      }
    } else if (a[i] == "--at" && i + 2 < a.size()) {
      at = true;
      when_date = a[++i];
      when_hour = a[++i];
      r.mode = RateChangeMode::kScheduled;
    } else if (a[i] == "--cancel-scheduled") {
      r.mode = RateChangeMode::kCancelScheduled;
    } else if (a[i] == "--foreign-tickets") {
      if (!r.bus) return Usage("--foreign-tickets needs a bus model (--model oxil-bus, ...)");
      r.foreign_tickets = true;
    } else {
      return Usage("vat: unexpected '" + a[i] + "'");
    }
  }
  if (at && r.mode == RateChangeMode::kCancelScheduled) {
    return Usage("--at and --cancel-scheduled exclude each other");
  }
  const ReportDate today = Today();
  r.year = today.year, r.month = today.month, r.day = today.day;
  if (at) {
    int h, m;
    char extra;
    if (!ParseDate(when_date, &r.year, &r.month, &r.day) ||
        std::sscanf(when_hour.c_str(), "%2d:%2d%c", &h, &m, &extra) != 2 || h > 23 || m > 59 ||
        h < 0 || m < 0) {
      return Usage("--at takes YYYY-MM-DD HH:MM");
    }
    char hour[8];
    std::snprintf(hour, sizeof hour, "%2.2d:%2.2d", h, m);
    r.hour_field = hour;
  }
  if (r.mode != RateChangeMode::kNow) {
    if (r.bus) return Usage("a bus printer has no scheduled change");
    // The dialog offers these modes only when the printer has them.
    if (!DetectScheduleAvailable()) {
      std::fprintf(stderr, "kelmctl: this printer offers no scheduled change of rates\n");
      return kExitLink;
    }
  }
  ApplyRateFamilyRules(&r, LinkSettings.ModelFamily);
  return ExitOf(SendVatRates(r));
}

int SetClock(const std::vector<std::string>& a) {
  ClockSetting c = ComputerClock();
  if (a.size() == 2) {
    char extra;
    if (!ParseDate(a[0], &c.year, &c.month, &c.day) ||
        std::sscanf(a[1].c_str(), "%2d:%2d:%2d%c", &c.hour, &c.minute, &c.second, &extra) != 3 ||
        c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
        c.second > 59) {
      return Usage("set-clock takes YYYY-MM-DD HH:MM:SS");
    }
  } else if (!a.empty()) {
    return Usage("set-clock takes YYYY-MM-DD HH:MM:SS");
  }
  return ExitOf(CorrectClock(c));
}

int Settings(const std::vector<std::string>& a, const std::string& output) {
  if (!a.empty()) return Usage("settings takes no arguments but -o FILE.ust");
  if (!ReadPrinterSettings(&PrinterSettings)) return kExitLink;
  for (const SettingsRow& row : SettingsRows(PrinterSettings)) {
    if (!row.visible) continue;
    std::printf("%s: %s%s%s\n", row.label, row.value.c_str(), *row.unit ? " " : "", row.unit);
  }
  if (!output.empty() && !SaveSettingsFile(output, PrinterSettings)) {
    std::fprintf(stderr, "%s\n", CannotOpenMessage(output).c_str());
    return kExitLink;
  }
  return kExitDone;
}

int Report(const std::vector<std::string>& a) {
  if (a.empty()) return Usage("report daily | report periodic ...");
  if (a[0] == "daily") {
    ReportDate date = DailyReportStartDate();
    bool confirm = false;
    for (size_t i = 1; i < a.size(); ++i) {
      if (a[i] == "--confirm") {
        confirm = true;
      } else if (a[i] == "--date" && i + 1 < a.size()) {
        if (!ParseDate(a[++i], &date.year, &date.month, &date.day)) {
          return Usage("--date takes YYYY-MM-DD");
        }
      } else {
        return Usage("report daily: unexpected '" + a[i] + "'");
      }
    }
    ConfigFrame frame;
    return ExitOf(SendBuiltFrame(BuildDailyReportFrame(!confirm, date, &frame), frame));
  }
  if (a[0] != "periodic") return Usage("report daily | report periodic ...");
  PeriodicReportRequest r;
  int ranges = 0;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "--monthly" && i + 1 < a.size()) {
      r.mode = PeriodicMode::kMonthly;
      r.month_text = a[++i];
      ++ranges;
    } else if (a[i] == "--dates" && i + 2 < a.size()) {
      r.mode = PeriodicMode::kByDates;
      r.from_date = a[++i];
      r.to_date = a[++i];
      ++ranges;
    } else if (a[i] == "--numbers" && i + 2 < a.size()) {
      r.mode = PeriodicMode::kByNumbers;
      r.first_number = a[++i];
      r.last_number = a[++i];
      ++ranges;
    } else if (a[i] == "--short") {
      r.full = false;
    } else if (a[i] == "--emergency") {
      r.emergency = true;
    } else if (a[i] == "--non-fiscal") {
      r.non_fiscal = true;
    } else {
      return Usage("report periodic: unexpected '" + a[i] + "'");
    }
  }
  if (ranges != 1) return Usage("report periodic takes one of --monthly, --dates, --numbers");
  // The dialog's mode rules decide what a model can print; say so rather than print another.
  const PeriodicModeState s = PeriodicModeRules(r.mode, r.emergency, LinkSettings.ModelFamily);
  if (s.mode != r.mode || !s.enabled[static_cast<int>(r.mode)]) {
    return Usage(
        "this range is not offered for this model (family 0: --dates, or --numbers "
        "with --emergency; --emergency: --numbers)");
  }
  return ExitOf(SendPeriodicReport(r));
}

int Option(const std::vector<std::string>& a) {
  if (a.size() == 1 && a[0] == "--list") {
    for (const OptionCommandInfo& info : OptionCommands()) {
      std::printf("%-18s %-28s %s\n", info.name.c_str(), info.values.c_str(), info.caption.c_str());
    }
    return kExitDone;
  }
  if (a.size() != 2) return Usage("option NAME VALUE (option --list names them)");
  std::string error;
  const SendOutcome outcome = SetOptionByName(a[0], a[1], &error);
  if (!error.empty()) return Usage(error);
  return ExitOf(outcome);
}

int Defaults(const std::vector<std::string>& a) {
  if (!a.empty()) return Usage("defaults takes no arguments");
  const int sent = RunDefaultValues();
  std::printf("%d/16\n", sent);
  return sent == 16 ? kExitDone : kExitLink;
}

}  // namespace

bool IsConfigCommand(const std::string& name) {
  for (const char* c : {"vat", "nip", "set-clock", "settings", "report", "option", "defaults"}) {
    if (name == c) return true;
  }
  return false;
}

int RunConfigCommand(const std::string& name, const std::vector<std::string>& args,
                     const std::string& output) {
  if (name != "settings" && !output.empty()) return Usage("-o belongs to 'settings'");
  if (name == "vat") return Vat(args);
  if (name == "nip") {
    if (args.size() != 1) return Usage("nip TEXT");
    return ExitOf(ProgramNip(args[0]));
  }
  if (name == "set-clock") return SetClock(args);
  if (name == "settings") return Settings(args, output);
  if (name == "report") return Report(args);
  if (name == "option") return Option(args);
  return Defaults(args);
}

}  // namespace kelm
