// The disc writing dialog without its window (TNagrywanieCD_DVD): the drive list, "&Nagraj"
// with its checks and messages, the 250 ms timer that moves the bar and reads the state the
// engine's completion leaves, "&Wysuń płytę" and "&Zakończ".
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "disc/disc_engine.h"
#include "protocol/operator.h"

namespace kelm {

inline constexpr char kDiscVolumeLabel[] = "KELM VANTEL 57T";
// Writing is held to 20x CD; a drive that cannot go faster is left at its own speed.
inline constexpr int kDiscSpeedLimit = 3528;

// The one byte the completion leaves for the timer.
enum class DiscWriteState : uint8_t { kNone, kDone, kFailed };

class DiscWriter : public ModalWait {
 public:
  explicit DiscWriter(DiscEngine& engine) : engine_(engine) {}
  ~DiscWriter() override { engine_.Stop(); }

  // What the dialog writes: the file on this computer and its name on the disc (UTF-8).
  void SetFile(const std::string& source, const std::string& name) {
    source_ = source;
    name_ = name;
  }

  const char* DialogName() const override { return "TNagrywanieCD_DVD"; }
  int IntervalMs() const override { return 250; }
  // On show: the engine started, the drives listed with the first selected.
  void Begin() override;
  // Timer1: only while writing; never closes the dialog by itself.
  bool Tick() override;
  // The window closed by its frame while writing: the write is stopped.
  void Abort() override { engine_.Stop(); }
  // Esc closes as "&Zakończ" does, asking first while writing.
  bool Escape() override { return CloseClick(); }
  void End() override;

  void SelectDrive(int index);
  // "&Nagraj".
  void WriteClick();
  // "&Wysuń płytę".
  void EjectClick();
  // "&Zakończ": true when the dialog closes.
  bool CloseClick();

  // CheckBox1 "Zamknij płytę po nagraniu tego pliku"; CheckBox2 stays checked and hidden.
  bool close_disc = false;
  bool import_previous = true;

  // What the dialog shows (UTF-8).
  const std::vector<std::string>& drives() const { return drives_; }
  int selected() const { return selected_; }
  const std::string& edit1() const { return name_; }
  std::string Label5() const { return "Bibl. użyta do nagrania CD/DVD: " + version_; }
  const std::string& status() const { return status_; }
  bool status_visible() const { return status_visible_; }
  bool progress_visible() const { return progress_visible_; }
  bool progress_enabled() const { return progress_enabled_; }
  int progress_position() const { return position_; }
  static constexpr int kProgressMax = 100;
  bool write_enabled() const { return write_enabled_; }
  bool eject_enabled() const { return eject_enabled_; }
  bool timer_running() const { return timer_running_; }
  DiscWriteState state() const { return state_.load(); }

 private:
  void ShowStatus(const std::string& text);
  void StopTimer();

  DiscEngine& engine_;
  std::string source_, name_, version_, status_;
  std::vector<std::string> drives_;
  int selected_ = -1;
  bool status_visible_ = false;
  bool progress_visible_ = false, progress_enabled_ = false;
  int position_ = 0, step_ = 10;
  bool write_enabled_ = false, eject_enabled_ = false;
  bool timer_running_ = false;
  std::atomic<DiscWriteState> state_{DiscWriteState::kNone};
};

}  // namespace kelm
