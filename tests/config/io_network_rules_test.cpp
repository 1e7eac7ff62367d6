// The port configuration as a table of (state before, operator's action, state after), its write
// frame and refusals, and the network settings' frames and answers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/frames.h"
#include "config/io_config.h"
#include "config/network.h"
#include "protocol/letter_tables.h"

namespace kelm {
namespace {

using test::Framed;

// SALVO 2 with the USB pair active, shown.
IoState Shown(int model = 2, bool com = false) {
  IoState s;
  s.model = model;
  s.com_active = com;
  ApplyIoActivity(&s);
  return s;
}

struct IoRow {
  const char* name;
  IoState before;
  std::function<std::vector<std::string>(IoState&)> action;
  std::function<void(IoState&)> after;  // applied to `before` gives the expected state
  std::vector<std::string> messages = {};
};

TEST(IoConfiguration, ChoicesFollowTheirRules) {
  auto with = [](IoState s, const std::function<void(IoState&)>& f) {
    f(s);
    return s;
  };
  auto act = [](std::function<void(IoState&)> f) {
    return [f](IoState& s) {
      f(s);
      return std::vector<std::string>{};
    };
  };
  const IoState com2 = Shown(2, true), usb2 = Shown(2, false), usb1 = Shown(1, false);
  const IoRow rows[] = {
      {"copy on COM B clears its sales and sets 115200",
       with(com2,
            [](IoState& s) {
              s.sales[kComB] = 1;
              s.speed = {3, 2, 1, 1, 1, 1};
            }),
       act([](IoState& s) { ChooseIoCopy(&s, kComB); }),
       [](IoState& s) {
         s.copy = kComB;
         s.sales[kComB] = 0;
         s.speed = {0, 4, 0, 0, 0, 0};
       }},
      {"copy on the internal COM clears bluetooth sales at 9600",
       with(com2, [](IoState& s) { s.sales[kIntCom] = 1; }),
       act([](IoState& s) { ChooseIoCopy(&s, kIntCom); }),
       [](IoState& s) {
         s.copy = kIntCom;
         s.sales[kIntCom] = 0;
       }},
      {"copy on WLAN keeps its sales, resets speeds",
       with(com2,
            [](IoState& s) {
              s.sales[kWlan] = 3;
              s.speed[kComA] = 4;
            }),
       act([](IoState& s) { ChooseIoCopy(&s, kWlan); }),
       [](IoState& s) {
         s.copy = kWlan;
         s.speed[kComA] = 0;
       }},
      {"copy on COM A drops its bridge", with(com2, [](IoState& s) { s.bridge = kComA; }),
       act([](IoState& s) { ChooseIoCopy(&s, kComA); }),
       [](IoState& s) {
         s.copy = kComA;
         s.bridge = kIoNone;
         s.speed[kComA] = 4;
       }},
      {"copy on COM B drops display, bridge and monitor",
       with(com2,
            [](IoState& s) {
              s.display = kComB;
              s.bridge = kComB;
              s.monitor = kComA;
            }),
       act([](IoState& s) { ChooseIoCopy(&s, kComB); }),
       [](IoState& s) {
         s.copy = kComB;
         s.display = s.bridge = s.monitor = kIoNone;
         s.speed[kComB] = 4;
       }},
      {"no copy resets the speeds",
       with(com2,
            [](IoState& s) {
              s.copy = kUsb1;
              s.speed = {1, 1, 1, 4, 1, 1};
            }),
       act([](IoState& s) { ChooseIoCopy(&s, kIoNone); }),
       [](IoState& s) {
         s.copy = kIoNone;
         s.speed = {};
       }},
      {"sales on the copy port moves the copy away", with(usb2, [](IoState& s) { s.copy = kUsb1; }),
       act([](IoState& s) { SetIoSales(&s, kUsb1, 1); }),
       [](IoState& s) {
         s.copy = kIoNone;
         s.sales[kUsb1] = 1;
       }},
      {"bluetooth sales drops the second display there",
       with(com2, [](IoState& s) { s.display2 = kIntCom; }),
       act([](IoState& s) { SetIoSales(&s, kIntCom, 1); }),
       [](IoState& s) {
         s.display2 = kIoNone;
         s.sales[kIntCom] = 1;
       }},
      {"second display on the internal COM clears its sales",
       with(com2, [](IoState& s) { s.sales[kIntCom] = 1; }),
       act([](IoState& s) { ChooseIoDisplay2(&s, kIntCom); }),
       [](IoState& s) {
         s.display2 = kIntCom;
         s.sales[kIntCom] = 0;
       }},
      {"display on COM A drops its bridge", with(com2, [](IoState& s) { s.bridge = kComA; }),
       act([](IoState& s) { ChooseIoDisplay(&s, kComA); }),
       [](IoState& s) {
         s.display = kComA;
         s.bridge = kIoNone;
       }},
      {"display on COM B takes the port",
       with(com2,
            [](IoState& s) {
              s.copy = kComB;
              s.sales[kComB] = 1;
              s.bridge = kComB;
              s.monitor = kComA;
            }),
       act([](IoState& s) { ChooseIoDisplay(&s, kComB); }),
       [](IoState& s) {
         s.display = kComB;
         s.copy = s.bridge = s.monitor = kIoNone;
         s.sales[kComB] = 0;
       }},
      {"monitor on COM B moves a USB 1 copy and the COM B display",
       with(com2,
            [](IoState& s) {
              s.copy = kUsb1;
              s.display = kComB;
            }),
       act([](IoState& s) { ChooseIoMonitor(&s, kComB); }),
       [](IoState& s) {
         s.monitor = kComB;
         s.copy = s.display = kIoNone;
       }},
      {"bridge on COM A refused on SALVO 1 with USB active",
       usb1,
       [](IoState& s) { return ChooseIoBridge(&s, kComA); },
       [](IoState&) {},
       {"Nieaktywny interfejs RS-232C."}},
      {"bridge on COM A refused by copy and display",
       with(com2,
            [](IoState& s) {
              s.copy = kComA;
              s.display = kComA;
              s.bridge = kComB;
            }),
       [](IoState& s) { return ChooseIoBridge(&s, kComA); },
       [](IoState& s) { s.bridge = kIoNone; },
       {"Aktywna kopia elektroniczna.", "Aktywny zewnętrzny wyświetlacz."}},
      {"bridge on COM A taken on SALVO 2 with USB active", usb2,
       [](IoState& s) { return ChooseIoBridge(&s, kComA); }, [](IoState& s) { s.bridge = kComA; }},
      {"bridge on COM B refused whenever USB is active",
       usb2,
       [](IoState& s) { return ChooseIoBridge(&s, kComB); },
       [](IoState&) {},
       {"Nieaktywny interfejs RS-232C."}},
      {"COM pair takes the USB choices on SALVO 1",
       with(usb1,
            [](IoState& s) {
              s.sales[kUsb0] = 1;
              s.sales[kUsb1] = 1;
              s.copy = kUsb1;
            }),
       act([](IoState& s) { ChooseIoPair(&s, true); }),
       [](IoState& s) {
         s.com_active = true;
         s.sales = {1, 1, 0, 0, 0, 0, 0};
         s.copy = kComB;
         s.sales_enabled = {true, true, false, false, true, true, true};
         s.copy_enabled = s.sales_enabled;
       }},
      {"USB pair takes the COM choices and drops the bridge",
       with(com2,
            [](IoState& s) {
              s.sales[kComA] = 1;
              s.sales[kComB] = 1;
              s.copy = kComA;
              s.bridge = kComB;
            }),
       act([](IoState& s) { ChooseIoPair(&s, false); }),
       [](IoState& s) {
         s.com_active = false;
         s.sales = {0, 0, 1, 1, 0, 0, 0};
         s.bridge = kIoNone;
         s.usb0_copy_visible = false;
         s.sales_enabled = {true, false, true, true, true, true, true};
         s.copy_enabled = s.sales_enabled;
       }},
      {"SALVO 1 clears the COM A columns and hides the second display",
       with(com2,
            [](IoState& s) {
              s.display = kComA;
              s.monitor = kComA;
              s.display2 = kComA;
              s.copy = kUsb0;
            }),
       act([](IoState& s) { ChooseIoModel(&s, 1); }),
       [](IoState& s) {
         s.model = 1;
         s.display = s.monitor = s.display2 = s.copy = kIoNone;
         s.com_a_columns_enabled = false;
         s.usb0_copy_visible = false;
         s.display2_visible = false;
         s.com_caption = "COM A,B";
         s.usb_caption = "USB 0,1";
         s.sales_enabled = {true, true, false, false, true, true, true};
         s.copy_enabled = s.sales_enabled;
       }},
  };
  for (const IoRow& row : rows) {
    IoState state = row.before;
    std::vector<std::string> messages = row.action(state);
    IoState expected = row.before;
    row.after(expected);
    EXPECT_EQ(IoStateText(state), IoStateText(expected)) << row.name;
    EXPECT_TRUE(state == expected) << row.name;
    EXPECT_EQ(messages, row.messages) << row.name;
  }
}

TEST(IoConfiguration, WriteFramesAndCopyRefusals) {
  IoState s = Shown(2, false);
  SetIoSales(&s, kComA, 1);
  SetIoSales(&s, kUsb0, 1);
  ChooseIoCopy(&s, kUsb1);
  ConfigFrame frame;
  std::string refusal;
  ASSERT_TRUE(BuildIoWriteFrame(s, &frame, &refusal));
  EXPECT_EQ(frame.bytes, Framed("0;1;0;0;0;1;0;128;4;0;0;0;0;0;1$I"));
  EXPECT_EQ(frame.after, AfterSend::kNothing);

  IoState w = Shown(2, false);
  SetIoSales(&w, kWlan, 3);
  ChooseIoCopy(&w, kWlan);
  ASSERT_TRUE(BuildIoWriteFrame(w, &frame, &refusal));
  EXPECT_EQ(frame.bytes, Framed("0;0;0;0;0;0;0;0;0;0;0;131;0;0;1$I"));

  struct {
    bool com;
    int model, copy;
    const char* port;
  } refused[] = {{false, 1, kComA, "COM A"},
                 {false, 2, kComB, "COM B"},
                 {true, 1, kUsb0, "USB 0"},
                 {true, 2, kUsb1, "USB 1"}};
  for (auto& r : refused) {
    IoState x = Shown(r.model, r.com);
    x.copy = r.copy;
    EXPECT_FALSE(BuildIoWriteFrame(x, &frame, &refusal)) << r.port;
    EXPECT_EQ(refusal, std::string("Nie jest aktywny ") + r.port +
                           " więc nie jest możliwy odczyt kopii poprzez ten port.");
  }
}

TEST(IoConfiguration, AnswersSetTheRowsAndTheirActivity) {
  IoState s = Shown();
  const std::string missing = "\x1BP2;1;0;2;4;0;0;129;4;68;0;3;1;1;0#Ixx\x1B\\";
  ASSERT_TRUE(ReadIoAnswer(missing.data(), missing.size(), &s, false));
  EXPECT_EQ(s.model, 2);
  EXPECT_FALSE(s.com_active);  // COM B carries the monitor, but USB 1 the copy, tested later
  EXPECT_EQ(s.copy, kUsb1);
  EXPECT_EQ(s.monitor, kComB);
  EXPECT_EQ(s.display2, kIntCom);
  EXPECT_EQ(s.sales[kWlan], 3);
  EXPECT_EQ(s.speed[kUsb1], 4);
  EXPECT_FALSE(s.sales_enabled[kIntCom]);
  EXPECT_FALSE(s.copy_enabled[kIntCom]);
  EXPECT_TRUE(s.sales_enabled[kWlan]);
  const std::string present = "\x1BP2;1;0;2;4;0;0;129;4;4;0;3;1;1;0#Ixx\x1B\\";
  ASSERT_TRUE(ReadIoAnswer(present.data(), present.size(), &s, true));
  EXPECT_TRUE(s.sales_enabled[kIntCom]);

  const IoState before = s;
  for (std::string bad :
       {"\x1BP2;1;0#I", "\x1BPgarbage", "", "\x1BP1;1;1;1;1;1;1;1;1;1;1;1;1;1;1"}) {
    EXPECT_FALSE(ReadIoAnswer(bad.data(), bad.size(), &s, true)) << bad;
    EXPECT_TRUE(s == before) << bad;
  }
}

TEST(NetworkSettings, FramesFromTheFields) {
  ConfigFrame frame;
  std::string refusal;
  EthernetSettings eth;
  eth.dhcp = false;
  eth.texts = {"192.168. 1. 10", "6666", "6667", "0", "0", "9999"};
  ASSERT_TRUE(BuildEthernetFrame(eth, &frame));
  EXPECT_EQ(frame.bytes, Framed("1;0$I192.168.1.10\r6666\r6667\r0\r0\r9999\r"));

  WifiSettings wifi;
  wifi.texts = {"", "", "", "Sieć", "6666", "6667", "12345678", "", "", ""};
  ASSERT_TRUE(BuildWifiFrame(wifi, &frame, &refusal));
  EXPECT_EQ(frame.bytes, Framed("7;0;2;1;0;0$o\r\r\rSie\xE6\r6666\r6667\r12345678\r\r\r\r"));
  struct {
    WifiSecurity security;
    size_t length;
    const char* refusal;
  } keys[] = {{WifiSecurity::kWpa, 7, kWifiKeyShort},
              {WifiSecurity::kWpa, 63, ""},
              {WifiSecurity::kWpa, 64, kWifiKeyLong},
              {WifiSecurity::kWpa2, 7, ""}};
  for (auto& k : keys) {
    wifi.security = k.security;
    wifi.texts[6] = std::string(k.length, 'k');
    EXPECT_EQ(BuildWifiFrame(wifi, &frame, &refusal), *k.refusal == '\0') << k.length;
    EXPECT_EQ(refusal, k.refusal) << k.length;
    if (refusal.empty()) {
      EXPECT_NE(frame.bytes.find("\r" + wifi.texts[6] + "\r"), std::string::npos) << k.length;
    }
  }

  BluetoothSettings bt;
  bt.secure = true;
  bt.connect = false;
  bt.pin = "4321";
  bt.address = "00a0c91e6b2f";
  ASSERT_TRUE(BuildBluetoothFrame(bt, &frame));
  EXPECT_EQ(frame.bytes, Framed("1;0$-4321\r00A0C91E6B2F\r"));
}

TEST(NetworkSettings, AnswersFillTheFields) {
  EthernetSettings eth;
  const std::string e = "\x1BP0#N10.0.0.5\r1\r2\r3\r4\r5\rxx\x1B\\";
  ASSERT_TRUE(ParseEthernetAnswer(e.data(), e.size(), &eth));
  EXPECT_FALSE(eth.dhcp);
  EXPECT_EQ(eth.texts[0], "10.0.0.5");
  EXPECT_EQ(eth.texts[5], "5");

  WifiSettings wifi;
  wifi.texts[8] = "stale";
  const std::string wep = "\x1BP#W0;1;1;1;1a\rb\rc\rSie" +
                          std::string(1, static_cast<char>(kPolishLetters[kMazovia][1])) +
                          "\r6\r7\rk1\rk2\rk3\rk4\rxx\x1B\\";
  ASSERT_TRUE(ParseWifiAnswer(wep.data(), wep.size(), &wifi));
  EXPECT_EQ(wifi.security, WifiSecurity::kWep);
  EXPECT_TRUE(wifi.ad_hoc);
  EXPECT_TRUE(wifi.wifi_on);
  EXPECT_EQ(wifi.texts[3], "Sieć");  // MAZOVIA ć
  EXPECT_EQ(wifi.texts[9], "k4");
  const std::string open = "\x1BP#W1;0;0;0;1a\rb\rc\rd\re\rf\rxx\x1B\\";
  ASSERT_TRUE(ParseWifiAnswer(open.data(), open.size(), &wifi));
  EXPECT_EQ(wifi.security, WifiSecurity::kOpen);
  EXPECT_TRUE(wifi.dhcp);
  for (int i = 6; i < 10; ++i) EXPECT_EQ(wifi.texts[i], "");
  const WifiSettings kept = wifi;
  const std::string shortw = "\x1BP#W1xx\x1B\\";
  EXPECT_FALSE(ParseWifiAnswer(shortw.data(), shortw.size(), &wifi));
  EXPECT_TRUE(wifi == kept);

  BluetoothSettings bt;
  bt.address = "OLD";
  const std::string b0 = "\x1BP0#B1234\rxx\x1B\\";
  ASSERT_TRUE(ParseBluetoothAnswer(b0.data(), b0.size(), &bt));
  EXPECT_FALSE(bt.secure);
  EXPECT_EQ(bt.pin, "1234");
  EXPECT_EQ(bt.address, "");
  const std::string b1 = "\x1BP1#B99\rABCDEF012345\rxx\x1B\\";
  ASSERT_TRUE(ParseBluetoothAnswer(b1.data(), b1.size(), &bt));
  EXPECT_TRUE(bt.secure);
  EXPECT_EQ(bt.address, "ABCDEF012345");
}

}  // namespace
}  // namespace kelm
