// The network settings dialogs' rules.
#include "config/network.h"

#include <cctype>
#include <vector>

#include "link/reception.h"
#include "protocol/letter_tables.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {

namespace {

// The answer from `from` up to the first ESC or NUL within `capacity`.
std::string AnswerText(const char* answer, size_t capacity, size_t from) {
  size_t end = from;
  while (end < capacity && answer[end] != '\0' && answer[end] != kEsc) ++end;
  return from < end ? std::string(answer + from, end - from) : std::string();
}

// The printer's texts in Windows letters, split at CR (an LF after a CR belongs to no text).
std::vector<std::string> SplitTexts(std::string text, size_t max_length) {
  RecodeLetters(text.data(), kMazovia, kWindows);
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t cr = text.find('\r', start);
    if (cr == std::string::npos) break;  // an unterminated tail is no text
    std::string t = text.substr(start, cr - start);
    while (!t.empty() && t.front() == '\n') t.erase(0, 1);
    out.push_back(Cp1250ToUtf8(t.substr(0, max_length)));
    start = cr + 1;
  }
  return out;
}

std::string NoSpaces(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

const char* YesNo(bool b) {
  return b ? "TAK" : "NIE";
}

}  // namespace

int WifiKeyCount(WifiSecurity security) {
  switch (security) {
    case WifiSecurity::kOpen:
      return 0;
    case WifiSecurity::kWep:
      return 4;
    default:
      return 1;
  }
}

bool BuildEthernetFrame(const EthernetSettings& s, ConfigFrame* out) {
  std::string t[6];
  t[0] = FieldText(NoSpaces(s.texts[0]));
  for (int i = 1; i < 6; ++i) t[i] = FieldText(s.texts[i]);
  out->after = AfterSend::kCheckLastCommand;
  return BuildFrame(out, false, "%cP1;%u$I%s\r%s\r%s\r%s\r%s\r%s\rxx%c%c", kEsc, s.dhcp ? 1u : 0u,
                    t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str(), t[4].c_str(),
                    t[5].c_str(), kEsc, kBackslash);
}

bool BuildWifiFrame(const WifiSettings& s, ConfigFrame* out, std::string* refusal) {
  refusal->clear();
  if (s.security == WifiSecurity::kWpa) {
    size_t length = Utf8ToCp1250(s.texts[6]).size();
    if (length < 8) *refusal = kWifiKeyShort;
    if (length > 63) *refusal = kWifiKeyLong;
    if (!refusal->empty()) return false;
  }
  std::string t[10];
  for (int i = 0; i < 10; ++i) t[i] = FieldText(s.texts[i]);
  // A WPA key may be 63 characters long: the field slot of 49 would cut it.
  if (s.security != WifiSecurity::kOpen) t[6] = Utf8ToCp1250(s.texts[6]).substr(0, 63);
  out->after = AfterSend::kCheckLastCommand;
  return BuildFrame(
      out, false, "%cP7;%u;%u;%u;%u;%u$o%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\rxx%c%c", kEsc,
      s.dhcp ? 1u : 0u, static_cast<unsigned>(s.security), s.connect ? 1u : 0u, s.ad_hoc ? 1u : 0u,
      s.wifi_on ? 1u : 0u, t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str(), t[4].c_str(),
      t[5].c_str(), t[6].c_str(), t[7].c_str(), t[8].c_str(), t[9].c_str(), kEsc, kBackslash);
}

bool BuildBluetoothFrame(const BluetoothSettings& s, ConfigFrame* out) {
  std::string address = FieldText(s.address);
  for (char& c : address) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  out->after = AfterSend::kCheckLastCommand;
  return BuildFrame(out, false, "%cP%u;%u$-%s\r%s\rxx%c%c", kEsc, s.secure ? 1u : 0u,
                    s.connect ? 1u : 0u, FieldText(s.pin).c_str(), address.c_str(), kEsc,
                    kBackslash);
}

bool ParseEthernetAnswer(const char* answer, size_t capacity, EthernetSettings* s) {
  // Past the ESC that opens the answer, to the ESC that closes it.
  std::string text = capacity > 1 ? AnswerText(answer, capacity, 1) : std::string();
  if (text.size() < 4) return false;
  s->dhcp = text[1] != '0';
  std::vector<std::string> texts = SplitTexts(text.substr(4), 32);
  for (size_t i = 0; i < s->texts.size(); ++i) s->texts[i] = i < texts.size() ? texts[i] : "";
  return true;
}

bool ParseWifiAnswer(const char* answer, size_t capacity, WifiSettings* s) {
  // The answer's frame begins with ESC: the text runs from the fifth byte to the closing ESC.
  std::string text = capacity > 4 ? AnswerText(answer, capacity, 4) : std::string();
  if (text.size() < 2) return false;
  text.resize(text.size() - 2);  // the check digits
  if (text.size() < 7) return false;
  auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : 0; };
  WifiSettings r = *s;
  r.dhcp = digit(0) != 0;
  int security = digit(2);
  r.security = security <= 3 ? static_cast<WifiSecurity>(security) : WifiSecurity::kWpa;
  r.ad_hoc = digit(4) == 1;
  r.wifi_on = digit(6) == 1;
  std::vector<std::string> texts =
      text.size() > 9 ? SplitTexts(text.substr(9), 63) : std::vector<std::string>{};
  size_t wanted = 6 + static_cast<size_t>(WifiKeyCount(r.security));
  for (size_t i = 0; i < r.texts.size(); ++i)
    r.texts[i] = i < wanted && i < texts.size() ? texts[i] : "";
  *s = r;
  return true;
}

bool ParseBluetoothAnswer(const char* answer, size_t capacity, BluetoothSettings* s) {
  std::string text = capacity > 2 ? AnswerText(answer, capacity, 2) : std::string();
  if (text.size() < 2) return false;
  text.resize(text.size() - 2);
  if (text.empty()) return false;
  s->secure = text[0] != '0';
  std::vector<std::string> texts =
      text.size() > 3 ? SplitTexts(text.substr(3), 49) : std::vector<std::string>{};
  s->pin = texts.empty() ? "" : texts[0];
  s->address = s->secure && texts.size() > 1 ? texts[1] : "";
  return true;
}

namespace {

bool Query(const char* tmpl) {
  if (RunCommand({AfterSend::kReceiveAnswer, false, false}, tmpl, kEsc, kEsc, kBackslash) < 0)
    return false;
  return AnswerReceived == 1 && !AnswerFailed;
}

}  // namespace

bool ReadEthernet(EthernetSettings* s) {
  return Query(kEthernetQueryTemplate) && ParseEthernetAnswer(AnswerBuffer, kFrameBufferSize, s);
}
bool ReadWifi(WifiSettings* s) {
  return Query(kWifiQueryTemplate) && ParseWifiAnswer(AnswerBuffer, kFrameBufferSize, s);
}
bool ReadBluetooth(BluetoothSettings* s) {
  return Query(kBluetoothQueryTemplate) && ParseBluetoothAnswer(AnswerBuffer, kFrameBufferSize, s);
}

SendOutcome WriteEthernet(const EthernetSettings& s) {
  ConfigFrame frame;
  return SendBuiltFrame(BuildEthernetFrame(s, &frame), frame);
}
SendOutcome WriteWifi(const WifiSettings& s) {
  ConfigFrame frame;
  std::string refusal;
  bool built = BuildWifiFrame(s, &frame, &refusal);
  return SendBuiltFrame(built, frame, refusal);
}
SendOutcome WriteBluetooth(const BluetoothSettings& s) {
  ConfigFrame frame;
  return SendBuiltFrame(BuildBluetoothFrame(s, &frame), frame);
}

std::string EthernetText(const EthernetSettings& s) {
  static const char* const kLabels[] = {"IP drukarki", "Sprzedaż", "BackUP",
                                        "Tunel A",     "Tunel B",  "Szpieg"};
  std::string out = std::string("DHCP: ") + (s.dhcp ? "Włączone" : "Wyłączone") + "\n";
  for (int i = 0; i < 6; ++i) out += std::string(kLabels[i]) + ": " + s.texts[i] + "\n";
  return out;
}

std::string WifiText(const WifiSettings& s) {
  static const char* const kLabels[] = {"IP",
                                        "MASKA",
                                        "BRAMA",
                                        "Nazwa sieci",
                                        "Port dla programu sprzedażowego",
                                        "Port dla kopii elektronicznej",
                                        "Hasło 1",
                                        "Hasło 2",
                                        "Hasło 3",
                                        "Hasło 4"};
  static const char* const kSecurity[] = {"OPEN", "WEP", "WPA", "WPA2"};
  std::string out = std::string("Aktywne DHCP: ") + YesNo(s.dhcp) + "\n";
  out += std::string("Typ zabezpieczeń: ") + kSecurity[static_cast<int>(s.security) & 3] + "\n";
  out += std::string("Rodzaj sieci: ") + (s.ad_hoc ? "AD_HOC" : "INFRASTRUCTURE") + "\n";
  out += std::string("WIFI: ") + (s.wifi_on ? "włączone" : "wyłączone") + "\n";
  int texts = 6 + WifiKeyCount(s.security);
  for (int i = 0; i < texts; ++i) out += std::string(kLabels[i]) + ": " + s.texts[i] + "\n";
  return out;
}

std::string BluetoothText(const BluetoothSettings& s) {
  std::string out = "PIN: " + s.pin + "\n";
  out += std::string("Bezpieczne połączenie: ") + YesNo(s.secure) + "\n";
  out += "Adres bezpiecznego połączenia: " + s.address + "\n";
  return out;
}

}  // namespace kelm
