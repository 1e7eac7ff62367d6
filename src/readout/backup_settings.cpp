// The back-up settings' captions, visibility and frames.
#include "readout/backup_settings.h"

#include "link/command_execution.h"

namespace kelm {

int SendSpareCardBackup(bool backup) {
  return RunCommand({}, kSpareCardTemplate, kEsc, backup ? 1u : 0u, kEsc, kBackslash);
}

BackupView BackupOnShow(const DetectedTypeRecord& detected, int family, int copy_mode) {
  BackupView view;
  if (detected.Version100 > 100 || detected.CopyMode > 1) {
    view.radio1_caption = "Włącz backup na komputer - nowsza wersja (domyślna).";
    view.checked = BackupChoice::kNewer;
    view.radio3_caption = "Włącz backup na komputer - starsza wersja.";
    view.radio3_enabled = view.label4_enabled = true;
  } else {
    view.radio1_caption =
        "Włącz backup na komputer - nowsza wersja - w tym modelu drukarki nieaktywna.";
    view.radio1_enabled = view.label4_enabled = false;
    view.radio3_caption = "Włącz backup na komputer (domyślnie). ";
    view.checked = BackupChoice::kOlder;
  }
  ApplyBackupVisibility(&view, detected, family, copy_mode);
  return view;
}

void ApplyBackupVisibility(BackupView* view, const DetectedTypeRecord& detected, int family,
                           int copy_mode) {
  view->older_visible = detected.CopyMode < 2;
  if (!view->older_visible && view->checked == BackupChoice::kOlder)
    view->checked = BackupChoice::kNewer;
  view->speed_visible = view->checked == BackupChoice::kNewer;
  view->port_visible = family == 2 && copy_mode == 2;
  view->other_port_note_visible =
      family == 2 && copy_mode == 1 && view->checked == BackupChoice::kNewer;
}

BackupFrame ChooseBackupFrame(const BackupView& view, const DetectedTypeRecord& detected) {
  BackupFrame frame;
  frame.tmpl = kBackupOldTemplate;
  frame.parameter = view.checked == BackupChoice::kOff ? 7 : 6;
  if (detected.BusVariant == 2) frame.tmpl = kBackupBusOffTemplate;
  if (view.checked == BackupChoice::kNewer) {
    frame.tmpl = kBackupNewTemplate;
    frame.port = view.port_index;
    frame.speed = view.speed_index;
  }
  return frame;
}

int SendBackupFrame(const BackupFrame& frame) {
  if (frame.tmpl == kBackupOldTemplate)
    return RunCommand({}, frame.tmpl, kEsc, frame.parameter, kEsc, kBackslash);
  if (frame.tmpl == kBackupBusOffTemplate)
    return RunCommand({}, frame.tmpl, kEsc, kEsc, kBackslash);
  return RunCommand({}, frame.tmpl, kEsc, frame.port, frame.speed, kEsc, kBackslash);
}

}  // namespace kelm
