// kelmctl's readout: a periodic report out of the fiscal memory into a text file.
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kelmctl/commands.h"
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

// May the text go to `target`? A file there is replaced only with --yes; --no, or neither,
// keeps it (the save action of the end dialog asks the same question).
bool MayWrite(const std::string& target, const Invocation& in) {
  struct stat st;
  if (lstat(target.c_str(), &st) != 0) return true;
  if (!in.answer_given) {
    std::fprintf(stderr, "Plik %s już istnieje; --yes zastąpi go.\n", target.c_str());
    return false;
  }
  return TheOperator().AskYesNo("Plik " + target + " już istnieje.Kontynuować? ");
}

// The folder of a file name, for a work file beside it ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The same readout as the dialog's "&Odczytaj". The records go into a work file of this run's
// own beside the target (-o FILE, or the report's own file name in the current directory), so
// that two kelmctl runs, or kelmctl and the desktop program, never share one; on success it is
// renamed into place, so an old file is replaced whole or not at all.
// The console, counting what it says, so that a readout that fails without a message of its
// own (a printer that never gave its status) still says why.
class CountingConsole : public ConsoleOperator {
 public:
  using ConsoleOperator::ConsoleOperator;
  void ShowMessage(const std::string& text) override {
    ++shown;
    ConsoleOperator::ShowMessage(text);
  }
  int shown = 0;
};

int Readout(const Invocation& in) {
  CountingConsole console(in.answer_yes, in.timeout_ms);
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
  const std::string given = in.Has("-o") ? in.Values("-o")[0] : "";
  // Asked before the printer is: a long readout must not end in a refusal it could have met
  // at once.
  if (!given.empty() && !MayWrite(given, in)) {
    InstallOperator(nullptr);
    return kExitLink;
  }
  std::string work = FolderOf(given) + "/.kelmctl-readout-XXXXXX";
  const int fd = mkstemp(work.data());
  if (fd < 0) {
    std::fprintf(stderr, "Nie mogę utworzyć pliku roboczego w %s.\n", FolderOf(given).c_str());
    InstallOperator(nullptr);
    return kExitLink;
  }
  // The report is an ordinary file once renamed into place, not a private temporary one.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  ReadoutOptions options;
  options.work_file = work;
  // Every byte wait of the record stream ends after --timeout (0: never), however long the
  // readout runs while records keep coming.
  options.byte_wait_ms = in.timeout_ms;
  ReadoutOutcome outcome = ReadPeriodicReportToFile(fields, options);
  int result = kExitLink;
  std::string target = given;
  if (outcome.end == ReadoutEnd::kShowEndDialog) {
    if (target.empty()) target = outcome.file_name;
    if (!given.empty() || MayWrite(target, in)) {
      if (std::rename(work.c_str(), target.c_str()) == 0) {
        std::printf("%s\n%s\n", outcome.title.c_str(), target.c_str());
        result = kExitDone;
      } else {
        std::fprintf(stderr, "Nie mogę zapisać pliku %s.\n", target.c_str());
      }
    }
  }
  outcome.work_file.reset();
  std::remove(work.c_str());
  InstallOperator(nullptr);
  if (result == kExitLink && console.shown == 0) return NoAnswer();
  return result;
}

}  // namespace

const std::vector<Command>& ReadoutCommands() {
  static const std::vector<Command> table = {
      {"readout",
       "(--monthly MM-YYYY | --dates DD-MM-YYYY DD-MM-YYYY | --numbers FIRST LAST)\n"
       "[--short] [--emergency] [--speed BPS] [-o FILE]",
       "read a periodic report out of the fiscal memory into a\n"
       "text file (default name: the report's file name; an\n"
       "existing file is replaced only with --yes); after\n"
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
