// The disc writing dialog's logic.
#include "readout/disc_writer.h"

namespace kelm {

void DiscWriter::Begin() {
  engine_.Initialise();
  drives_.clear();
  for (int i = 0; i < engine_.DriveCount(); ++i) drives_.push_back(engine_.DriveName(i));
  selected_ = drives_.empty() ? -1 : 0;
  if (selected_ == 0) engine_.SelectDrive(0);
  StopTimer();
  progress_enabled_ = false;
  state_ = DiscWriteState::kNone;
  if (drives_.empty()) {
    write_enabled_ = eject_enabled_ = false;
    ShowStatus("Nie ma dostępnych napędów do nagrywania.");
  } else {
    write_enabled_ = eject_enabled_ = true;
    status_visible_ = false;
  }
  version_ = engine_.VersionText();
}

void DiscWriter::SelectDrive(int index) {
  if (engine_.SelectDrive(index)) selected_ = index;
}

void DiscWriter::ShowStatus(const std::string& text) {
  status_ = text;
  status_visible_ = true;
}

void DiscWriter::StopTimer() {
  timer_running_ = false;
  progress_visible_ = false;
  position_ = 0;
  step_ = 10;
}

void DiscWriter::WriteClick() {
  Operator& op = TheOperator();
  if (!engine_.DriveReady()) {
    op.ShowMessage(
        "Urządzenie nagrywające jest niegotowe.\r\nSprawdź czy płyta CD/DVD jest porawnie "
        "umieszczona w napędzie.");
    return;
  }
  engine_.PrepareNewWrite();
  engine_.SetCloseDisc(close_disc);
  engine_.SetWriteSpeed(engine_.MaxWriteSpeed() > kDiscSpeedLimit - 1 ? kDiscSpeedLimit : 0);
  engine_.SetVolumeLabel(kDiscVolumeLabel);
  if (import_previous && !engine_.ImportPreviousSession() && engine_.HasPreviousSession())
    op.ShowMessage("Nie udało się importować sesji.");
  if (!engine_.AddFile(source_, name_)) {
    op.ShowMessage("Wystąpił błąd podczas nagrywania. Nie mogę dołączyć pliku.");
    return;
  }
  state_ = DiscWriteState::kNone;
  // The completion may come on the engine's thread: it only leaves the state for the timer.
  const int started = engine_.StartWrite(
      [this](bool failed) { state_ = failed ? DiscWriteState::kFailed : DiscWriteState::kDone; });
  if (started != 1) {
    op.ShowMessage("Wystąpił błąd podczas nagrywania. Błąd = " +
                   std::to_string(engine_.LastErrorCode()));
    return;
  }
  ShowStatus("Trwa nagrywanie.Czekaj...");
  progress_visible_ = progress_enabled_ = true;
  position_ = 0;
  step_ = 10;
  timer_running_ = true;
  write_enabled_ = eject_enabled_ = false;
}

bool DiscWriter::Tick() {
  if (!timer_running_) return false;
  position_ += step_;
  if (position_ <= 0 || position_ >= kProgressMax) {
    position_ = position_ <= 0 ? 0 : kProgressMax;
    step_ = -step_;
  }
  const DiscWriteState state = state_.load();
  if (state == DiscWriteState::kDone) {
    StopTimer();
    ShowStatus("Nagrywanie zakończono poprawnie.");
    write_enabled_ = eject_enabled_ = false;
    engine_.Eject();
  } else if (state == DiscWriteState::kFailed) {
    StopTimer();
    // The engine's thread may not open a message box; the timer shows what it reported.
    TheOperator().ShowMessage("Wystąpił błąd podczas nagrywania. Nr błędu = " +
                              std::to_string(engine_.LastErrorCode()));
    ShowStatus("Wystąpił błąd podczas nagrywania.");
    write_enabled_ = eject_enabled_ = true;
  }
  if (state != DiscWriteState::kNone) state_ = DiscWriteState::kNone;
  return false;
}

void DiscWriter::EjectClick() {
  engine_.Stop();
  engine_.Eject();
}

bool DiscWriter::CloseClick() {
  if (timer_running_ && !TheOperator().AskYesNo("Czy przerwać nagrywanie?")) return false;
  engine_.Stop();
  return true;
}

void DiscWriter::End() {
  engine_.Stop();
  StopTimer();
}

}  // namespace kelm
