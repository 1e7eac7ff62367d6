// kelmctl's readout: a periodic report out of the fiscal memory into a text file.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>

#include "kelmctl/commands.h"
#include "link/program_folder.h"
#include "protocol/operator.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"

namespace kelm::ctl {
namespace {

constexpr const char* kPeriods[] = {"--monthly", "--dates", "--numbers"};

bool ParseSpeed(const std::string& text, unsigned long* speed) {
  unsigned long value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  if (value < 1 || value > 4000000) return false;
  *speed = value;
  return true;
}

bool ReadoutIsValid(const Invocation& in) {
  int periods = 0;
  for (const char* period : kPeriods) periods += in.Has(period) ? 1 : 0;
  unsigned long speed = 0;
  if (in.Has("--speed") && !ParseSpeed(in.Values("--speed")[0], &speed)) return false;
  if (in.Has("-o") && in.Values("-o")[0].empty()) return false;
  return periods == 1;
}

// The same readout as the dialog's "&Odczytaj"; the text goes from the work file to -o FILE or
// to the report's own file name in the current directory.
int Readout(const Invocation& in) {
  // A readout runs as long as the printer sends records; only an explicit --timeout cuts it.
  ConsoleOperator console(in.answer_yes, in.timeout_given ? in.timeout_ms : 0);
  InstallOperator(&console);
  ReadoutFields fields;
  fields.full = !in.Has("--short");
  fields.emergency = in.Has("--emergency");
  if (in.Has("--speed")) ParseSpeed(in.Values("--speed")[0], &fields.speed);
  if (in.Has("--monthly")) {
    fields.mode = ReadoutMode::kMonthly;
    fields.month = in.Values("--monthly")[0];
  } else if (in.Has("--dates")) {
    fields.mode = ReadoutMode::kByDates;
    fields.first_date = in.Values("--dates")[0];
    fields.last_date = in.Values("--dates")[1];
  } else {
    fields.mode = ReadoutMode::kByNumbers;
    fields.first_number = in.Values("--numbers")[0];
    fields.last_number = in.Values("--numbers")[1];
  }
  const ReadoutOutcome outcome = ReadPeriodicReportToFile(fields);
  InstallOperator(nullptr);
  if (outcome.end != ReadoutEnd::kShowEndDialog) return kExitLink;
  const std::string work = InProgramFolder(kReadoutWorkFile);
  const std::string target = in.Has("-o") ? in.Values("-o")[0] : outcome.file_name;
  std::error_code error;
  std::filesystem::copy_file(work, target, std::filesystem::copy_options::overwrite_existing,
                             error);
  std::filesystem::remove(work);
  if (error) {
    std::fprintf(stderr, "Nie mogę zapisać pliku %s.\n", target.c_str());
    return kExitLink;
  }
  std::printf("%s\n%s\n", outcome.title.c_str(), target.c_str());
  return kExitDone;
}

}  // namespace

const std::vector<Command>& ReadoutCommands() {
  static const std::vector<Command> table = {
      {"readout",
       "(--monthly MM-YYYY | --dates DD-MM-YYYY DD-MM-YYYY | --numbers FIRST LAST)\n"
       "[--short] [--emergency] [--speed BPS] [-o FILE]",
       "read a periodic report out of the fiscal memory into a\n"
       "text file (default name: the report's file name); after\n"
       "'readout', --speed is the readout speed",
       Readout,
       0,
       {{"--monthly", 1},
        {"--dates", 2},
        {"--numbers", 2},
        {"--short"},
        {"--emergency"},
        {"--speed", 1},
        {"-o", 1}},
       ReadoutIsValid},
  };
  return table;
}

}  // namespace kelm::ctl
