// kelmctl's back-up, binary transfer, raw memory readout and disc commands, over the same
// engines as the dialogs: backup, sendfile, dump, drives, burn.
#include "kelmctl_transfer.h"

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "disc/disc_engine.h"
#include "disc/disc_writer.h"
#include "link/settings.h"
#include "protocol/command_execution.h"
#include "readout/backup_settings.h"
#include "readout/binary_transfer.h"
#include "readout/memory_readout.h"

namespace kelm {
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
  if (result == kCommandExecuted) return kCtlDone;
  return result == kCommandPrinterError ? kCtlPrinterError : kCtlLink;
}

}  // namespace

const int kBackupSpeeds[7] = {9600, 19200, 38400, 57600, 115200, 256000, 512000};

int BackupCommand(const BackupRequest& request) {
  if (request.card != 0) return ExitForCommand(SendSpareCardBackup(request.card > 0));
  // As the dialog on show: the printer says what it is, and the choices follow from that.
  if (!DetectPrinterType()) return kCtlLink;
  BackupView view = BackupOnShow(DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  if (request.choice != 0) {
    const auto choice = static_cast<BackupChoice>(request.choice);
    if ((choice == BackupChoice::kNewer && !view.radio1_enabled) ||
        (choice == BackupChoice::kOlder && !view.older_visible)) {
      std::fprintf(stderr, "%s\n",
                   choice == BackupChoice::kNewer
                       ? view.radio1_caption.c_str()
                       : "Ta drukarka nie ma starszej wersji backupu na komputer.");
      return kCtlUsage;
    }
    view.checked = choice;
    ApplyBackupVisibility(&view, DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  }
  view.port_index = request.port;
  view.speed_index = request.speed_index;
  const int result = SendBackupFrame(ChooseBackupFrame(view, DetectedType));
  if (result == kCommandNotSent) return kCtlLink;
  return ExitForCommand(result);
}

int SendFileCommand(const std::string& file) {
  BinaryFileTransfer transfer;
  transfer.Begin();
  transfer.ChooseSource(file);
  if (transfer.edit1() != file) return kCtlLink;
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
  return whole && !guard.interrupted() ? kCtlDone : kCtlLink;
}

int DumpCommand(const std::string& output, const std::string& size, unsigned timeout_ms) {
  MemoryBlockReadout readout;
  readout.Begin();
  readout.edit1 = size;
  readout.ChooseTarget(output);
  if (readout.edit2().empty()) return kCtlLink;
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
  if (readout.close_requested()) return kCtlLink;
  return readout.block_size() != 0 && readout.bytes_received() == readout.block_size() ? kCtlDone
                                                                                       : kCtlLink;
}

int DrivesCommand() {
  BurnEngine engine;
  if (!engine.Initialise()) {
    std::fprintf(stderr, "%s\n", engine.LastErrorText().c_str());
    return kCtlLink;
  }
  if (engine.DriveCount() == 0) {
    std::fprintf(stderr, "Nie ma dostępnych napędów do nagrywania.\n");
    return kCtlLink;
  }
  for (int i = 0; i < engine.DriveCount(); ++i)
    std::printf("%d\t%s\t%s\n", i, engine.DriveAddress(i).c_str(), engine.DriveName(i).c_str());
  return kCtlDone;
}

int BurnCommand(const BurnRequest& request) {
  BurnEngine engine;
  DiscWriter writer(engine);
  const std::string name =
      request.name.empty() ? std::filesystem::path(request.file).filename().string() : request.name;
  writer.SetFile(request.file, name);
  writer.Begin();
  // The drive by its number or name in the list, or any address ("stdio:/path/image.iso").
  bool chosen = false;
  for (int i = 0; i < engine.DriveCount() && !chosen; ++i) {
    if (request.drive == std::to_string(i) || request.drive == engine.DriveName(i) ||
        request.drive == engine.DriveAddress(i)) {
      writer.SelectDrive(i);
      chosen = true;
    }
  }
  if (!chosen) engine.SelectAddress(request.drive);
  writer.close_disc = request.close;
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
    return kCtlDone;
  }
  const int code = engine.LastErrorCode() != kDiscOk ? engine.LastErrorCode() : kDiscStopped;
  std::fprintf(stderr, "Nr błędu = %d%s%s\n", code, engine.LastErrorText().empty() ? "" : ": ",
               engine.LastErrorText().c_str());
  return kCtlLink;
}

}  // namespace kelm
