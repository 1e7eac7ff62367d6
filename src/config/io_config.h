// The input/output configuration of the printer's ports: what the dialog shows as a small state
// machine (reading "$8" with 2, the activity, choice and refusal rules) and the write "$I".
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "config/config_frame.h"

namespace kelm {

inline constexpr char kIoQueryTemplate[] = "%cP2$8xx%c%c";

enum IoPort : int { kComA = 0, kComB, kUsb0, kUsb1, kIntCom, kWlan, kEthernet };
inline constexpr int kIoPortCount = 7;
inline constexpr int kIoSpeedCount = 6;  // Ethernet has no speed
inline constexpr int kIoNone = -1;       // "Brak" / "Brak kopii"
inline constexpr int kSpeed9600 = 0;
inline constexpr int kSpeed115200 = 4;

struct IoState {
  int model = 1;            // 1 "SALVO 1", 2 "SALVO 2"
  bool com_active = false;  // the active pair: COM (true) or USB (false, the default)
  std::array<int, kIoPortCount> sales{};
  std::array<int, kIoSpeedCount> speed{};
  int copy = kIoNone;      // a port
  int display = kIoNone;   // kComA, kComB
  int display2 = kIoNone;  // kComA, kComB, kUsb1, kIntCom
  int bridge = kIoNone;    // kComA, kComB
  int monitor = kIoNone;   // kComA, kComB

  // What the dialog mirrors.
  std::array<bool, kIoPortCount> sales_enabled{true, true, true, true, true, true, true};
  std::array<bool, kIoPortCount> copy_enabled{true, true, true, true, true, true, true};
  bool usb0_copy_visible = true;
  bool com_a_columns_enabled = true;  // COM A in display, second display and monitor
  bool display2_visible = true;
  std::string com_caption = "COM A,B";
  std::string usb_caption = "USB 0,1";

  bool operator==(const IoState&) const = default;
};

// The names of the ports as the messages and the command line show them.
const char* IoPortName(int port);

// The answer to "%cP2$8xx%c%c" (at most `capacity` bytes) read into the state: false, and the
// state unchanged, unless fifteen numbers and "#" stand from its third byte. `on_show` applies
// the activity rules afterwards, as showing the dialog does.
bool ReadIoAnswer(const char* answer, size_t capacity, IoState* state, bool on_show);

void ApplyIoActivity(IoState* state);
void ChooseIoCopy(IoState* state, int port);
void SetIoSales(IoState* state, int port, int item);
void ChooseIoDisplay(IoState* state, int port);
void ChooseIoDisplay2(IoState* state, int port);
void ChooseIoMonitor(IoState* state, int port);
// Refusals fall back to "Brak"; the messages of every failed test are returned, in order.
std::vector<std::string> ChooseIoBridge(IoState* state, int port);
void ChooseIoPair(IoState* state, bool com);
void ChooseIoModel(IoState* state, int model);

// The port byte of `port` from the state.
unsigned IoPortByte(const IoState& state, int port);

// The write frame, or false with `refusal` set when the copy sits on a port whose sales list
// is disabled.
bool BuildIoWriteFrame(const IoState& state, ConfigFrame* out, std::string* refusal);

// Reads the configuration from the printer into `state` (input drained first).
bool ReadIoConfiguration(IoState* state, bool on_show);
// "Wyślij ustawienia": refuses with its message or sends; nothing is awaited.
SendOutcome WriteIoConfiguration(const IoState& state);

// The state as "label: value" lines, as the dialog shows it.
std::string IoStateText(const IoState& state);

}  // namespace kelm
