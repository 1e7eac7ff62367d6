// The network settings of the printer: Ethernet ("$8" 6, "$I"), Wi-Fi ("$8" 1, "$o") and
// Bluetooth ("$8" 4, "$-"), each read into a record and written from it.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "config/config_frame.h"

namespace kelm {

inline constexpr char kEthernetQueryTemplate[] = "%cP6$8xx%c%c";
inline constexpr char kWifiQueryTemplate[] = "%cP1$8xx%c%c";
inline constexpr char kBluetoothQueryTemplate[] = "%cP4$8xx%c%c";

// Texts are operator text (UTF-8) throughout.
struct EthernetSettings {
  bool dhcp = true;
  // Address, then the ports "Sprzedaż", "BackUP", "Tunel A", "Tunel B", "Szpieg".
  std::array<std::string, 6> texts;
  bool operator==(const EthernetSettings&) const = default;
};

enum class WifiSecurity : int { kOpen = 0, kWep = 1, kWpa = 2, kWpa2 = 3 };

struct WifiSettings {
  bool dhcp = false;
  WifiSecurity security = WifiSecurity::kWpa;
  bool connect = true;  // "Zapisz ustawienia i połącz."
  bool ad_hoc = false;
  bool wifi_on = false;
  // IP, mask, gateway, network name, sales port, electronic-copy port, keys 1..4.
  std::array<std::string, 10> texts;
  bool operator==(const WifiSettings&) const = default;
};
// How many key fields a security shows: OPEN none, WEP four, WPA and WPA2 one.
int WifiKeyCount(WifiSecurity security);

struct BluetoothSettings {
  bool secure = false;
  bool connect = true;
  std::string pin, address;
  bool operator==(const BluetoothSettings&) const = default;
};

inline constexpr const char* kWifiKeyShort =
    "Hasło jest zbyt krótkie. Powinno zawierać conajmniej 8 znaków.";
inline constexpr const char* kWifiKeyLong =
    "Hasło jest zbyt długie. Może zawierać conajwyżej 63 znaki.";

bool BuildEthernetFrame(const EthernetSettings& s, ConfigFrame* out);
// False with `refusal` set for a WPA key outside 8..63 characters.
bool BuildWifiFrame(const WifiSettings& s, ConfigFrame* out, std::string* refusal);
bool BuildBluetoothFrame(const BluetoothSettings& s, ConfigFrame* out);

// The answers, each of at most `capacity` bytes; false (record unchanged) when too short.
bool ParseEthernetAnswer(const char* answer, size_t capacity, EthernetSettings* s);
bool ParseWifiAnswer(const char* answer, size_t capacity, WifiSettings* s);
bool ParseBluetoothAnswer(const char* answer, size_t capacity, BluetoothSettings* s);

bool ReadEthernet(EthernetSettings* s);
bool ReadWifi(WifiSettings* s);
bool ReadBluetooth(BluetoothSettings* s);
SendOutcome WriteEthernet(const EthernetSettings& s);
SendOutcome WriteWifi(const WifiSettings& s);
SendOutcome WriteBluetooth(const BluetoothSettings& s);

// "label: value" lines as the dialogs label their fields.
std::string EthernetText(const EthernetSettings& s);
std::string WifiText(const WifiSettings& s);
std::string BluetoothText(const BluetoothSettings& s);

}  // namespace kelm
