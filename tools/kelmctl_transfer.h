// kelmctl's back-up, binary transfer, raw memory readout and disc commands.
#pragma once

#include <string>

namespace kelm {

inline constexpr int kCtlDone = 0;
inline constexpr int kCtlLink = 1;
inline constexpr int kCtlPrinterError = 2;
inline constexpr int kCtlUsage = 64;

// The copy speeds of TBackUP's ComboBox2, by index.
extern const int kBackupSpeeds[7];

struct BackupRequest {
  int choice = 0;  // 0 the dialog's default, 1 newer, 2 off, 3 older
  int card = 0;    // TZapasowaKartaPamieci instead: 1 on, -1 off
  int port = 0;
  int speed_index = 5;
};
int BackupCommand(const BackupRequest& request);
int SendFileCommand(const std::string& file);
// `size` as the operator types it into the dialog; `timeout_ms` 0 waits as long as it takes.
int DumpCommand(const std::string& output, const std::string& size, unsigned timeout_ms);
int DrivesCommand();

struct BurnRequest {
  std::string file, drive, name;
  bool close = false;
};
int BurnCommand(const BurnRequest& request);

}  // namespace kelm
