// The electronic copy's back-up settings: the spare memory card (TZapasowaKartaPamieci) and the
// back-up to the computer (TBackUP) with its captions by detected firmware and copy mode, its
// visibility rules and its three frames.
#pragma once

#include <string>

#include "link/printer_identity.h"

namespace kelm {

inline constexpr char kSpareCardTemplate[] = "%cP4;%u$oxx%c%c";
inline constexpr char kBackupOldTemplate[] = "%cP%d$6cc%c%c";
inline constexpr char kBackupBusOffTemplate[] = "%cP0$Scc%c%c";
inline constexpr char kBackupNewTemplate[] = "%cP1;%d;%d;1$Scc%c%c";

// Where the two archiving programs' installation packages are downloaded from.
inline constexpr char kKelmKopiaAddress[] = "https://pobierz.kelm.example/KelmKopia/setup.exe";
inline constexpr char kKLKopiaSDAddress[] = "https://pobierz.kelm.example/KLKopiaSD/setup.exe";

// "&Wyślij" of TZapasowaKartaPamieci: back-up onto the spare card on (true) or off. Returns
// kCommandNotSent (the dialog stays open) or CheckLastCommand's result.
int SendSpareCardBackup(bool backup);

// TBackUP's three choices (RadioButton1..3).
enum class BackupChoice { kNewer = 1, kOff = 2, kOlder = 3 };

struct BackupView {
  std::string radio1_caption, radio3_caption;
  bool radio1_enabled = true, radio3_enabled = true, label4_enabled = true;
  BackupChoice checked = BackupChoice::kNewer;
  // RadioButton3 with Label5, Label8 and the link "KLKopiaSD.".
  bool older_visible = true;
  // ComboBox2, its label and the two lines of the RS-232C note.
  bool speed_visible = true;
  // ComboBox1 and its label.
  bool port_visible = false;
  // The two lines of the other-port note.
  bool other_port_note_visible = false;
  int port_index = 0;   // ComboBox1, "PORT 0".."PORT 6"
  int speed_index = 5;  // ComboBox2, 256000
};

// The captions and the checked choice on show, for the printer `DetectPrinterType` described,
// with the visibility rules applied.
BackupView BackupOnShow(const DetectedTypeRecord& detected, int family, int copy_mode);
// The visibility rules, applied again on every click of a choice.
void ApplyBackupVisibility(BackupView* view, const DetectedTypeRecord& detected, int family,
                           int copy_mode);

// The frame "&Wyślij" sends, formatted into CommandFrame (check value applied by the caller's
// RunCommand path): the template and its numbers. `parameter` is the "$6" number (6 or 7).
struct BackupFrame {
  const char* tmpl = kBackupOldTemplate;
  int parameter = 6;
  int port = 0, speed = 0;
};
BackupFrame ChooseBackupFrame(const BackupView& view, const DetectedTypeRecord& detected);
// Sends the frame; returns kCommandNotSent or CheckLastCommand's result.
int SendBackupFrame(const BackupFrame& frame);

}  // namespace kelm
