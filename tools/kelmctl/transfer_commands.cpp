// kelmctl's back-up, binary transfer, raw memory readout and disc commands, over the same
// engines as the dialogs: backup, sendfile, dump, drives, burn.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "disc/disc_engine.h"
#include "kelmctl/commands.h"
#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/settings.h"
#include "readout/backup_settings.h"
#include "readout/binary_transfer.h"
#include "readout/disc_writer.h"
#include "readout/memory_readout.h"

namespace kelm::ctl {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
  g_interrupted = 1;
}

// Ctrl-C and SIGTERM end a transfer the way its "&Przerwij" does, so the port is put back and
// the printer told, rather than leaving the process with the port switched.
class InterruptGuard {
 public:
  InterruptGuard() {
    g_interrupted = 0;
    struct sigaction sa {};
    sa.sa_handler = OnInterrupt;
    sigaction(SIGINT, &sa, &old_int_);
    sigaction(SIGTERM, &sa, &old_term_);
  }
  ~InterruptGuard() {
    sigaction(SIGINT, &old_int_, nullptr);
    sigaction(SIGTERM, &old_term_, nullptr);
  }
  bool interrupted() const { return g_interrupted != 0; }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

// A progress line on a terminal, rewritten in place; nothing when stderr is a file or a pipe.
void Progress(const std::string& text) {
  if (isatty(STDERR_FILENO)) std::fprintf(stderr, "\r%s\033[K", text.c_str());
}
void EndProgress() {
  if (isatty(STDERR_FILENO)) std::fputc('\n', stderr);
}

int ExitForCommand(int result) {
  if (result == kCommandExecuted) return kExitDone;
  return result == kCommandPrinterError ? kExitPrinterError : kExitLink;
}

// The copy speeds of TBackUP's ComboBox2, by index.
constexpr long kBackupSpeeds[] = {9600, 19200, 38400, 57600, 115200, 256000, 512000};
constexpr const char* kBackupChoices[] = {"newer", "off", "older", "card-on", "card-off"};

int ChoiceOf(const Invocation& in) {
  for (int i = 0; i < 5; ++i)
    if (in.words[0] == kBackupChoices[i]) return i + 1;
  return 0;
}

int IndexOfSpeed(const std::string& text) {
  for (int i = 0; i < 7; ++i)
    if (text == std::to_string(kBackupSpeeds[i])) return i;
  return -1;
}

bool BackupIsValid(const Invocation& in) {
  if (ChoiceOf(in) == 0) return false;
  if (in.Has("--copy-port")) {
    const std::string& port = in.Values("--copy-port")[0];
    if (port.size() != 1 || port[0] < '0' || port[0] > '6') return false;
  }
  return !in.Has("--copy-speed") || IndexOfSpeed(in.Values("--copy-speed")[0]) >= 0;
}

// What TBackUP's "&Wyślij" sends with the choice, port and speed given; "card-on" and "card-off"
// are TZapasowaKartaPamieci's two choices.
int Backup(const Invocation& in) {
  const int choice_word = ChoiceOf(in);
  if (choice_word > 3) return ExitForCommand(SendSpareCardBackup(choice_word == 4));
  // As the dialog on show: the printer says what it is, and the choices follow from that.
  if (!DetectPrinterType()) return kExitLink;
  BackupView view = BackupOnShow(DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  {
    const auto choice = static_cast<BackupChoice>(choice_word);
    if ((choice == BackupChoice::kNewer && !view.radio1_enabled) ||
        (choice == BackupChoice::kOlder && !view.older_visible)) {
      std::fprintf(stderr, "%s\n",
                   choice == BackupChoice::kNewer
                       ? view.radio1_caption.c_str()
                       : "Ta drukarka nie ma starszej wersji backupu na komputer.");
      return kExitUsage;
    }
    view.checked = choice;
    ApplyBackupVisibility(&view, DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  }
  if (in.Has("--copy-port")) view.port_index = in.Values("--copy-port")[0][0] - '0';
  if (in.Has("--copy-speed")) view.speed_index = IndexOfSpeed(in.Values("--copy-speed")[0]);
  const int result = SendBackupFrame(ChooseBackupFrame(view, DetectedType));
  if (result == kCommandNotSent) return kExitLink;
  return ExitForCommand(result);
}

int SendFile(const Invocation& in) {
  const std::string& file = in.words[0];
  BinaryFileTransfer transfer;
  transfer.Begin();
  transfer.ChooseSource(file);
  if (transfer.edit1() != file) return kExitLink;
  transfer.SendClick();
  InterruptGuard guard;
  while (transfer.sending() && !guard.interrupted()) {
    transfer.Tick();
    if (!transfer.label2().empty()) Progress(transfer.label2());
  }
  const bool whole = transfer.bytes_sent() == transfer.source_size();
  transfer.End();
  EndProgress();
  std::printf("%llu\n", static_cast<unsigned long long>(transfer.bytes_sent()));
  return whole && !guard.interrupted() ? kExitDone : kExitLink;
}

// A readout runs as long as the printer sends; only an explicit --timeout cuts a silence.
int Dump(const Invocation& in) {
  const unsigned timeout_ms = in.timeout_given ? in.timeout_ms : 0;
  MemoryBlockReadout readout;
  readout.Begin();
  if (in.Has("--size")) readout.edit1 = in.Values("--size")[0];
  readout.ChooseTarget(in.Values("-o")[0]);
  if (readout.edit2().empty()) return kExitLink;
  InterruptGuard guard;
  readout.ReceiveClick();
  auto last_byte = std::chrono::steady_clock::now();
  uint64_t seen = 0;
  while (readout.receiving()) {
    if (guard.interrupted()) {
      readout.ReceiveClick();
      break;
    }
    readout.Tick();
    Progress(readout.label3());
    const auto now = std::chrono::steady_clock::now();
    if (readout.bytes_received() != seen) {
      seen = readout.bytes_received();
      last_byte = now;
    } else if (timeout_ms != 0 && now - last_byte > std::chrono::milliseconds(timeout_ms)) {
      // A printer that stopped sending ends the readout as the button would.
      std::fprintf(stderr, "\nPrzekroczono czas oczekiwania na dane.\n");
      readout.ReceiveClick();
    }
  }
  EndProgress();
  std::printf("%llu\n", static_cast<unsigned long long>(readout.bytes_received()));
  if (readout.close_requested()) return kExitLink;
  return readout.block_size() != 0 && readout.bytes_received() == readout.block_size() ? kExitDone
                                                                                       : kExitLink;
}

int Drives(const Invocation&) {
  BurnEngine engine;
  if (!engine.Initialise()) {
    std::fprintf(stderr, "%s\n", engine.LastErrorText().c_str());
    return kExitLink;
  }
  if (engine.DriveCount() == 0) {
    std::fprintf(stderr, "Nie ma dostępnych napędów do nagrywania.\n");
    return kExitLink;
  }
  for (int i = 0; i < engine.DriveCount(); ++i)
    std::printf("%d\t%s\t%s\n", i, engine.DriveAddress(i).c_str(), engine.DriveName(i).c_str());
  return kExitDone;
}

int Burn(const Invocation& in) {
  const std::string& file = in.words[0];
  const std::string& drive = in.Values("--drive")[0];
  BurnEngine engine;
  DiscWriter writer(engine);
  const std::string name =
      in.Has("--name") ? in.Values("--name")[0] : std::filesystem::path(file).filename().string();
  writer.SetFile(file, name);
  writer.Begin();
  // The drive by its number or name in the list, or any address ("stdio:/path/image.iso").
  bool chosen = false;
  for (int i = 0; i < engine.DriveCount() && !chosen; ++i) {
    if (drive == std::to_string(i) || drive == engine.DriveName(i) ||
        drive == engine.DriveAddress(i)) {
      writer.SelectDrive(i);
      chosen = true;
    }
  }
  if (!chosen) engine.SelectAddress(drive);
  writer.close_disc = in.Has("--close");
  writer.WriteClick();
  InterruptGuard guard;
  while (writer.timer_running()) {
    if (guard.interrupted()) {
      engine.Stop();
      writer.Tick();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(writer.IntervalMs()));
    writer.Tick();
    if (writer.timer_running())
      Progress("Trwa nagrywanie. " + std::to_string(engine.Progress()) + "%");
  }
  EndProgress();
  if (writer.status() == "Nagrywanie zakończono poprawnie.") {
    std::printf("%s\n", writer.status().c_str());
    return kExitDone;
  }
  const int code = engine.LastErrorCode() != kDiscOk ? engine.LastErrorCode() : kDiscStopped;
  std::fprintf(stderr, "Nr błędu = %d%s%s\n", code, engine.LastErrorText().empty() ? "" : ": ",
               engine.LastErrorText().c_str());
  return kExitLink;
}

bool DumpIsValid(const Invocation& in) {
  return in.Has("-o") && !in.Values("-o")[0].empty();
}

bool NeedsDrive(const Invocation& in) {
  return in.Has("--drive") && !in.Values("--drive")[0].empty();
}

}  // namespace

const std::vector<Command>& TransferCommands() {
  static const std::vector<Command> table = {
      {"backup",
       "newer|older|off|card-on|card-off [--copy-port 0..6] [--copy-speed BPS]",
       "the electronic copy's back-up to the computer, as the\n"
       "back-up dialog sends it, or onto the spare memory card",
       Backup,
       1,
       {{"--copy-port", 1}, {"--copy-speed", 1}},
       BackupIsValid},
      {"sendfile", "FILE", "send a file to the printer unchanged", SendFile, 1},
      {"dump",
       "-o FILE [--size N]",
       "raw memory readout (\"S\" ... \"C\" at 115200), the port\n"
       "put back however it ends",
       Dump,
       0,
       {{"-o", 1}, {"--size", 1}},
       DumpIsValid},
      {"drives", "", "the drives a readout can be written to", Drives, 0, {}, nullptr, false},
      {"burn",
       "FILE --drive DRIVE [--name NAME] [--close]",
       "write FILE onto a disc as a new session; DRIVE is its\n"
       "number or name in 'drives', or stdio:/path/image.iso",
       Burn,
       1,
       {{"--drive", 1}, {"--name", 1}, {"--close"}},
       NeedsDrive,
       false},
  };
  return table;
}

}  // namespace kelm::ctl
