// The serial parameters dialog without its widgets: the list items, the choice the dialog
// shows for the settings, and applying a choice with the restore of a port that failed to open.
#pragma once

#include <cstdint>

#include "link/settings.h"

namespace kelm {

inline constexpr int kPortItemCount = 65;  // "COM 1" .. "COM 64", then "Brak"
inline constexpr int kNoPortItem = 64;
inline constexpr int kSpeedItemCount = 15;
extern const char* const kSpeedItems[kSpeedItemCount];
extern const char* const kDataBitsItems[4];
extern const char* const kParityItems[5];  // the first with its trailing space, as shown
extern const char* const kStopBitsItems[3];

struct SerialChoice {
  int port_item = 0;   // 0..63 for COM1..COM64, kNoPortItem for "Brak"
  int speed_item = 6;  // -1: no item matches, the list keeps its selection
  int data_bits_item = 3;
  int parity_item = 0;
  int stop_bits_item = 0;
  bool xon_xoff = false;
  bool rts_cts = false;
};

// "&Wartości domyślne": 9600, 8, "Brak ", "1", no flow control; the port is kept.
SerialChoice DefaultSerialChoice(int port_item);
// What the dialog shows for the settings.
SerialChoice ChoiceFromSettings(const LinkSettingsRecord& settings);

// "&Zastosuj": closes the port, takes the choice and opens the port with messages. When the
// port does not open, the remembered settings come back and their port is opened again; the
// dialog then stays open (false). True when the dialog closes.
bool ApplySerialChoice(const SerialChoice& choice, const LinkSettingsRecord& remembered);

}  // namespace kelm
