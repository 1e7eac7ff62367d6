// The input/output configuration rules.
#include "config/io_config.h"

#include <cstdio>
#include <cstring>

#include "link/reception.h"
#include "protocol/operator.h"

namespace kelm {

namespace {

constexpr unsigned kSalesBits = 0x0F;
constexpr unsigned kMonitorBit = 2, kDisplay2Bit = 4, kBridgeBit = 16, kDisplayBit = 32,
                   kMissingBit = 64, kCopyBit = 128;

const char* const kPortNames[kIoPortCount] = {"COM A",          "COM B", "USB 0",   "USB 1",
                                              "COM wewnętrzny", "WLAN",  "Ethernet"};

void DropIf(int* column, int port) {
  if (*column == port) *column = kIoNone;
}

}  // namespace

const char* IoPortName(int port) {
  return port >= 0 && port < kIoPortCount ? kPortNames[port] : "Brak";
}

bool ReadIoAnswer(const char* answer, size_t capacity, IoState* state, bool on_show) {
  if (capacity <= 2) return false;
  size_t end = 2;
  while (end < capacity && answer[end] != '\0' && end < 2 + 256) ++end;
  std::string text(answer + 2, end - 2);
  int v[15];
  char hash = 0;
  if (sscanf(text.c_str(), "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d%c", &v[0], &v[1], &v[2],
             &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &v[13],
             &v[14], &hash) != 16 ||
      hash != '#')
    return false;
  // Each number is kept as one byte, as the printer's record holds it.
  unsigned byte[kIoPortCount];
  int speed[kIoSpeedCount];
  for (int p = 0; p < kIoSpeedCount; ++p) {
    byte[p] = static_cast<unsigned char>(v[1 + 2 * p]);
    speed[p] = static_cast<unsigned char>(v[2 + 2 * p]);
  }
  byte[kEthernet] = static_cast<unsigned char>(v[13]);
  IoState& s = *state;
  int model = static_cast<unsigned char>(v[0]);
  if (model == 1 || model == 2) s.model = model;
  auto has = [&](int p, unsigned bits) { return (byte[p] & bits) != 0; };
  if (s.model == 1) {
    if (has(kComA, kSalesBits | kCopyBit) || has(kComB, kSalesBits | kCopyBit)) s.com_active = true;
    if (has(kUsb0, kSalesBits | kCopyBit) || has(kUsb1, kSalesBits | kCopyBit))
      s.com_active = false;
  } else {
    if (has(kComB, kSalesBits | kCopyBit | kBridgeBit | kMonitorBit)) s.com_active = true;
    if (has(kUsb1, kSalesBits | kCopyBit)) s.com_active = false;
  }
  for (int p = 0; p < kIoPortCount; ++p)
    s.sales[p] = static_cast<int>(p < kWlan ? byte[p] & 1 : byte[p] & kSalesBits);
  // The WLAN list has six items; a larger number shows no selection.
  if (s.sales[kWlan] > 5) s.sales[kWlan] = 0;
  if (s.sales[kEthernet] > 1) s.sales[kEthernet] = 0;
  s.copy = kIoNone;
  for (int p = 0; p < kIoPortCount; ++p)
    if (has(p, kCopyBit)) s.copy = p;
  for (int p = 0; p < kIoSpeedCount; ++p) s.speed[p] = speed[p];
  s.sales_enabled[kIntCom] = s.copy_enabled[kIntCom] = !has(kIntCom, kMissingBit);
  s.sales_enabled[kWlan] = s.copy_enabled[kWlan] = !has(kWlan, kMissingBit);
  s.display = has(kComA, kDisplayBit) ? kComA : has(kComB, kDisplayBit) ? kComB : kIoNone;
  s.bridge = kIoNone;
  if (has(kComA, kBridgeBit)) s.bridge = kComA;
  if (has(kComB, kBridgeBit) && s.com_active) s.bridge = kComB;
  s.monitor = has(kComA, kMonitorBit) ? kComA : has(kComB, kMonitorBit) ? kComB : kIoNone;
  s.display2 = kIoNone;
  for (int p : {kComA, kComB, kUsb1, kIntCom})
    if (has(p, kDisplay2Bit)) s.display2 = p;
  if (on_show) ApplyIoActivity(&s);
  return true;
}

void ApplyIoActivity(IoState* state) {
  IoState& s = *state;
  if (s.model == 1) {
    DropIf(&s.display, kComA);
    DropIf(&s.display2, kComA);
    DropIf(&s.monitor, kComA);
    DropIf(&s.copy, kComA);
    s.com_a_columns_enabled = false;
    s.copy_enabled[kComA] = false;
    DropIf(&s.copy, kUsb0);
    s.usb0_copy_visible = false;
    s.com_caption = "COM A,B";
    s.usb_caption = "USB 0,1";
    s.display2_visible = false;
    s.display = kIoNone;
  } else {
    s.com_a_columns_enabled = true;
    s.copy_enabled[kComA] = true;
    s.usb0_copy_visible = s.com_active;
    if (!s.com_active) DropIf(&s.copy, kUsb0);
    s.com_caption = "COM B";
    s.usb_caption = "USB 1";
    s.display2_visible = true;
  }
  bool a = s.com_active || s.model == 2, b = s.com_active;
  bool u0 = !s.com_active || s.model == 2, u1 = !s.com_active;
  s.sales_enabled[kComA] = s.copy_enabled[kComA] = a;
  s.sales_enabled[kComB] = s.copy_enabled[kComB] = b;
  s.sales_enabled[kUsb0] = s.copy_enabled[kUsb0] = u0;
  s.sales_enabled[kUsb1] = s.copy_enabled[kUsb1] = u1;
}

void ChooseIoCopy(IoState* state, int port) {
  IoState& s = *state;
  s.copy = port;
  if (port >= kComA && port <= kIntCom && s.sales[port] == 1) s.sales[port] = 0;
  s.speed.fill(kSpeed9600);
  if (port >= kComA && port <= kUsb1) s.speed[port] = kSpeed115200;
  if (port == kComA) DropIf(&s.bridge, kComA);
  if (port == kComB) {
    DropIf(&s.display, kComB);
    DropIf(&s.bridge, kComB);
    s.monitor = kIoNone;
  }
}

void SetIoSales(IoState* state, int port, int item) {
  IoState& s = *state;
  s.sales[port] = item;
  if (item == 1) {
    DropIf(&s.copy, port);
    if (port == kIntCom) DropIf(&s.display2, kIntCom);
  }
}

void ChooseIoDisplay(IoState* state, int port) {
  IoState& s = *state;
  s.display = port;
  if (port == kComA) DropIf(&s.bridge, kComA);
  if (port == kComB) {
    DropIf(&s.copy, kComB);
    s.sales[kComB] = 0;
    DropIf(&s.bridge, kComB);
    s.monitor = kIoNone;
  }
}

void ChooseIoDisplay2(IoState* state, int port) {
  state->display2 = port;
  if (port == kIntCom) state->sales[kIntCom] = 0;
}

void ChooseIoMonitor(IoState* state, int port) {
  IoState& s = *state;
  s.monitor = port;
  if (port == kComB) {
    if (s.copy == kComB || s.copy == kUsb1) s.copy = kIoNone;
    DropIf(&s.display, kComB);
  }
}

std::vector<std::string> ChooseIoBridge(IoState* state, int port) {
  IoState& s = *state;
  std::vector<std::string> refusals;
  if (port == kComA || port == kComB) {
    bool inactive = port == kComA ? (!s.com_active && s.model == 1) : !s.com_active;
    if (inactive) refusals.push_back("Nieaktywny interfejs RS-232C.");
    if (s.copy == port) refusals.push_back("Aktywna kopia elektroniczna.");
    if (s.display == port) refusals.push_back("Aktywny zewnętrzny wyświetlacz.");
  }
  s.bridge = refusals.empty() ? port : kIoNone;
  return refusals;
}

void ChooseIoPair(IoState* state, bool com) {
  IoState& s = *state;
  s.com_active = com;
  if (com) {
    if (s.copy == kUsb0) s.copy = kComA;
    if (s.copy == kUsb1) s.copy = kComB;
    if (s.model == 1) s.sales[kComA] = s.sales[kUsb0];
    s.sales[kComB] = s.sales[kUsb1];
    s.sales[kUsb0] = s.sales[kUsb1] = 0;
  } else {
    s.bridge = kIoNone;
    if (s.copy == kComA && s.model == 1) s.copy = kUsb0;
    if (s.copy == kComB) s.copy = kUsb1;
    s.sales[kUsb0] = s.sales[kComA];
    s.sales[kUsb1] = s.sales[kComB];
    s.sales[kComA] = s.sales[kComB] = 0;
  }
  ApplyIoActivity(&s);
}

void ChooseIoModel(IoState* state, int model) {
  state->model = model;
  ApplyIoActivity(state);
}

unsigned IoPortByte(const IoState& s, int port) {
  unsigned byte = static_cast<unsigned>(s.sales[port]);
  if (s.monitor == port) byte += kMonitorBit;
  if (s.display2 == port) byte += kDisplay2Bit;
  if (s.bridge == port) byte += kBridgeBit;
  if (s.display == port) byte += kDisplayBit;
  if (s.copy == port) byte += kCopyBit;
  return byte;
}

bool BuildIoWriteFrame(const IoState& s, ConfigFrame* out, std::string* refusal) {
  for (int p : {kComA, kComB, kUsb0, kUsb1}) {
    if (s.copy == p && !s.sales_enabled[p]) {
      *refusal = std::string("Nie jest aktywny ") + kPortNames[p] +
                 " więc nie jest możliwy odczyt kopii poprzez ten port.";
      return false;
    }
  }
  refusal->clear();
  out->after = AfterSend::kNothing;
  auto b = [&](int p) { return IoPortByte(s, p); };
  auto v = [&](int p) { return static_cast<unsigned>(s.speed[p]); };
  return BuildFrame(out, false, "%cP%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u$Ixx%c%c", kEsc, 0u,
                    b(kComA), v(kComA), b(kComB), v(kComB), b(kUsb0), v(kUsb0), b(kUsb1), v(kUsb1),
                    b(kIntCom), v(kIntCom), b(kWlan), v(kWlan), b(kEthernet), 1u, kEsc, kBackslash);
}

bool ReadIoConfiguration(IoState* state, bool on_show) {
  if (RunCommand({AfterSend::kReceiveAnswer, false, true}, kIoQueryTemplate, kEsc, kEsc,
                 kBackslash) < 0)
    return false;
  if (AnswerReceived != 1 || AnswerFailed) return false;
  return ReadIoAnswer(AnswerBuffer, kFrameBufferSize, state, on_show);
}

SendOutcome WriteIoConfiguration(const IoState& state) {
  ConfigFrame frame;
  std::string refusal;
  bool built = BuildIoWriteFrame(state, &frame, &refusal);
  return SendBuiltFrame(built, frame, refusal);
}

std::string IoStateText(const IoState& s) {
  static const char* const kSpeeds[] = {"9600 kb/s",  "19200 kb/s",  "38400 kb/s",
                                        "57600 kb/s", "115200 kb/s", "256000 kb/s"};
  static const char* const kWlanSales[] = {"Brak",         "Sprzedaż",     "2 x Sprzedaż",
                                           "3 x Sprzedaż", "4 x Sprzedaż", "5 x Sprzedaż"};
  std::string out;
  out += std::string("Model: ") + (s.model == 2 ? "SALVO 2" : "SALVO 1") + "\n";
  out += std::string("Aktywne: ") + (s.com_active ? s.com_caption : s.usb_caption) + "\n";
  for (int p = 0; p < kIoPortCount; ++p) {
    const char* sales = p == kWlan        ? kWlanSales[s.sales[p] % 6]
                        : s.sales[p] == 0 ? "Brak"
                        : p == kIntCom    ? "Sprzedaż bluetooth"
                                          : "Sprzedaż";
    out += std::string(kPortNames[p]) + ": " + sales;
    if (p < kIoSpeedCount && p != kWlan) {
      int sp = s.speed[p];
      out += std::string(", ") + (sp >= 0 && sp < 6 ? kSpeeds[sp] : "");
    }
    if (!s.sales_enabled[p]) out += " (nieaktywny)";
    out += "\n";
  }
  out += std::string("Kopia elektroniczna: ") +
         (s.copy == kIoNone ? "Brak kopii" : kPortNames[s.copy]) + "\n";
  out += std::string("Zewnętrzny wyświetlacz: ") + IoPortName(s.display) + "\n";
  if (s.display2_visible)
    out += std::string("Zewnętrzny wyświetlacz 2: ") + IoPortName(s.display2) + "\n";
  out += std::string("COM <-> Ethernet: ") +
         (s.bridge == kIoNone ? "Brak" : std::string(kPortNames[s.bridge]) + " <-> Ethernet") +
         "\n";
  out += std::string("Podgląd (monitor transakcji) na COM: ") + IoPortName(s.monitor) + "\n";
  return out;
}

}  // namespace kelm
