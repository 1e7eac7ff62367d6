// The printer search behind "Szukaj drukarki": probes COM1 to COM63 one tick at a time with the
// query of the configured model family and lists the ports where a printer answered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/settings.h"

namespace kelm {

// What a probe's answer says: 0 nothing, 1 a printer recognised, 2 present but not recognised.
struct ProbeResult {
  uint8_t result = 0;
  std::string type_name;
};
// Reads `count` received bytes by the recognition table of the family.
ProbeResult RecognisePrinter(int family, const char* bytes, size_t count);
// The probe sent to a port: the last-error query on family 0, else DLE and the type query.
std::string SearchProbe(int family);

class PrinterSearch {
 public:
  static constexpr int kLastPort = 63;
  static constexpr int kProgressMax = 64;

  struct Item {
    std::string text;  // UTF-8, "COM3 - KELM VANTEL 57T"
    int port;
  };

  // The dialog is shown: flow control off, the port closed, the search from COM1.
  void Begin();
  // One timer tick. Returns true once the search is over; `found` then holds the list, and
  // when it is empty the flow control is back and the dialog closes by itself.
  bool Tick();
  // "&Wybierz" with the list item `index` highlighted (-1: none).
  void Choose(int index);
  // "&Anuluj": everything back as it was when the search began.
  void Cancel();
  // The dialog closes, however that happens.
  void End() { found.clear(); }

  // Visible state.
  int progress = 0;
  bool finished = false;
  std::vector<Item> found;
  // How many printers the last search listed (read by the main window after the dialog).
  int listed = 0;

 private:
  void SendProbe();
  void ReceiveProbe();
  void BuildList();
  void RestoreFlowControl();

  ProbeResult candidates_[kLastPort + 1];
  int candidate_ = 1;
  bool sending_ = true;
  LinkSettingsRecord saved_;  // as the search found them
};

}  // namespace kelm
