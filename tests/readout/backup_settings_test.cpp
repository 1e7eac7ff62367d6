// The back-up settings: what TBackUP shows for the detected printer and the frame "&Wyślij"
// sends, and the spare card's frame, byte for byte on a real line.
#include <gtest/gtest.h>

#include "link/command_execution.h"
#include "link/link_fixture.h"
#include "link/printer_identity.h"
#include "readout/backup_settings.h"

namespace kelm {
namespace {

struct BackupRow {
  const char* what;
  int version100, detected_copy, bus_variant;  // what DetectPrinterType found
  int family, copy_mode;                       // the configured model
  int clicked;                                 // 0: the choice made on show, else 1..3
  int port, speed;                             // ComboBox1, ComboBox2
  // On show (after the click):
  bool radio1_enabled;
  int checked;
  bool older_visible, speed_visible, port_visible, other_port_note_visible;
  const char* frame;
};

const BackupRow kBackupRows[] = {
    {"firmware 1.00, copy 1", 100, 1, 0, 2, 1, 0, 0, 5, false, 3, true, false, false, false,
     "\x1bP6$6DB\x1b\\"},
    {"copy 2, newer by default", 200, 2, 0, 2, 2, 0, 0, 5, true, 1, false, true, true, false,
     "\x1bP1;0;5;1$SB6\x1b\\"},
    {"copy 2, port 3 at 38400", 200, 2, 0, 2, 2, 1, 3, 2, true, 1, false, true, true, false,
     "\x1bP1;3;2;1$SB2\x1b\\"},
    {"bus variant 2 switched off", 200, 2, 2, 2, 2, 2, 0, 5, true, 2, false, false, true, false,
     "\x1bP0$SB8\x1b\\"},
    {"firmware 2.00, switched off", 200, 1, 0, 2, 1, 2, 0, 5, true, 2, true, false, false, false,
     "\x1bP7$6DA\x1b\\"},
    {"firmware 2.00, the older back-up", 200, 1, 0, 2, 1, 3, 0, 5, true, 3, true, false, false,
     false, "\x1bP6$6DB\x1b\\"},
    {"electronic copy 1, newer: the other-port note", 200, 1, 0, 2, 1, 1, 0, 5, true, 1, true, true,
     false, true, "\x1bP1;0;5;1$SB6\x1b\\"},
};

class BackupSettings : public test::LinkTest {
 protected:
  void SetUp() override {
    UsePty();
    printer->AnswerStatus(0x64);
  }
  // The frame the last command put on the line, before the status query that follows it.
  std::string SentFrame() {
    printer->WaitReceived(seen_ + 1);
    printer->WaitQuiet();
    const std::string all = printer->Received();
    const std::string got = all.substr(seen_);
    seen_ = all.size();
    return got.substr(0, got.find('\x05'));
  }
  size_t seen_ = 0;
};

TEST_F(BackupSettings, CaptionsVisibilityAndFrames) {
  for (const BackupRow& row : kBackupRows) {
    SCOPED_TRACE(row.what);
    DetectedType.Version100 = row.version100;
    DetectedType.CopyMode = static_cast<uint8_t>(row.detected_copy);
    DetectedType.BusVariant = static_cast<uint8_t>(row.bus_variant);
    BackupView view = BackupOnShow(DetectedType, row.family, row.copy_mode);
    if (row.clicked != 0) {
      view.checked = static_cast<BackupChoice>(row.clicked);
      ApplyBackupVisibility(&view, DetectedType, row.family, row.copy_mode);
    }
    view.port_index = row.port;
    view.speed_index = row.speed;
    EXPECT_EQ(view.radio1_enabled, row.radio1_enabled);
    EXPECT_EQ(view.label4_enabled, row.radio1_enabled);
    EXPECT_EQ(static_cast<int>(view.checked), row.checked);
    EXPECT_EQ(view.older_visible, row.older_visible);
    EXPECT_EQ(view.speed_visible, row.speed_visible);
    EXPECT_EQ(view.port_visible, row.port_visible);
    EXPECT_EQ(view.other_port_note_visible, row.other_port_note_visible);
    EXPECT_EQ(SendBackupFrame(ChooseBackupFrame(view, DetectedType)), kCommandExecuted);
    EXPECT_EQ(SentFrame(), row.frame);
  }
}

TEST_F(BackupSettings, CaptionsFollowTheFirmware) {
  DetectedType.Version100 = 100;
  DetectedType.CopyMode = 1;
  BackupView old_printer = BackupOnShow(DetectedType, 2, 1);
  EXPECT_EQ(old_printer.radio1_caption,
            "Włącz backup na komputer - nowsza wersja - w tym modelu drukarki nieaktywna.");
  EXPECT_EQ(old_printer.radio3_caption, "Włącz backup na komputer (domyślnie). ");
  DetectedType.Version100 = 101;
  BackupView new_printer = BackupOnShow(DetectedType, 2, 1);
  EXPECT_EQ(new_printer.radio1_caption, "Włącz backup na komputer - nowsza wersja (domyślna).");
  EXPECT_EQ(new_printer.radio3_caption, "Włącz backup na komputer - starsza wersja.");
  EXPECT_TRUE(new_printer.radio3_enabled);
}

TEST_F(BackupSettings, SpareCard) {
  const struct {
    bool backup;
    const char* frame;
  } rows[] = {{false, "\x1bP4;0$o8B\x1b\\"}, {true, "\x1bP4;1$o8A\x1b\\"}};
  for (const auto& row : rows) {
    EXPECT_EQ(SendSpareCardBackup(row.backup), kCommandExecuted);
    EXPECT_EQ(SentFrame(), row.frame);
  }
}

}  // namespace
}  // namespace kelm
