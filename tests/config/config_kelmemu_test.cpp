// The configuration and report routines against the virtual printer kelmemu, over a
// pseudo-terminal and over TCP: what the dialogs send is kept by the printer and shows in its
// settings answer, its clock and its paper.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "catalogue/trees.h"
#include "config/header.h"
#include "config/header_rtf.h"
#include "config/io_config.h"
#include "config/network.h"
#include "config/nip_clock.h"
#include "config/options.h"
#include "config/printer_settings.h"
#include "config/reports.h"
#include "config/vat_rates.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/letter_tables.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

class ConfigKelmemu : public ::testing::TestWithParam<bool> {
 protected:
  // kelmemu of `model` on the link of the parameter, connected.
  void Start(const char* model, int family = 2, int variant = 0) {
    std::vector<std::string> options = {"--paper", dir.File("paper.txt"), "--model", model};
    const bool tcp = GetParam();
    const std::vector<std::string> link =
        tcp ? std::vector<std::string>{"--tcp", "127.0.0.1:0"} : std::vector<std::string>{"--pty"};
    options.insert(options.begin(), link.begin(), link.end());
    emu = std::make_unique<test::KelmemuProcess>(options);
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    LinkSettings.ModelFamily = static_cast<uint8_t>(family);
    LinkSettings.PrinterVariant = static_cast<uint8_t>(variant);
    if (tcp) {
      const std::string where = emu->Where();
      const size_t colon = where.rfind(':');
      ASSERT_EQ(TcpConnect(where.substr(0, colon), where.substr(colon + 1), false), kTcpConnected);
      seams.op.messages.clear();
    } else {
      SetComDeviceOverride(emu->Where());
      LinkSettings.PortNumber = 1;
      ASSERT_TRUE(OpenSerialPort(1));
    }
  }
  std::string Paper() const { return test::TempDir::Read(dir.File("paper.txt")); }
  std::vector<uint16_t> Settings() {
    PrinterSettingsRecord r;
    EXPECT_TRUE(ReadPrinterSettings(&r));
    return {r.Fields, r.Fields + kSettingsFieldCount};
  }
  void ExpectSent(SendOutcome outcome, const char* what) {
    EXPECT_EQ(outcome, SendOutcome::kSent) << what;
    EXPECT_EQ(LastSendResult(), kCommandExecuted) << what;
  }
  void TearDown() override {
    ResetTcpLink();
    CloseSerialPort();
  }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::KelmemuProcess> emu;
};

TEST_P(ConfigKelmemu, OptionsShowInTheSettingsAnswerAndTheDefaultsPutThemBack) {
  Start("salvo");
  ExpectSent(SendOption(*FindOption("cover-sensor"), 2), "cover");
  ExpectSent(SendOption(*FindOption("TDefinicjaNrSystemowego"), 0), "system number");
  std::string error;
  ExpectSent(SetOptionByName("drawer-pulse", "5000", &error), "drawer");
  ExpectSent(SetOptionByName("rollup-pulse", "2,5", &error), "roll-up");
  ExpectSent(SetOptionByName("error-handling", "3", &error), "error mode");
  std::vector<uint16_t> s = Settings();
  EXPECT_EQ(s[5], 2);
  EXPECT_EQ(s[2], 100);
  EXPECT_EQ(s[4], 25);
  EXPECT_EQ(s[10], 3);
  EXPECT_EQ(s[12] & 2, 2);
  seams.op.messages.clear();
  EXPECT_EQ(SendKeyboardLock(true, "30"), SendOutcome::kSent);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{kSettingsChangedMessage});

  LinkSettings.LetterCoding = kWindows;
  EXPECT_EQ(RunDefaultValues(), 16);
  EXPECT_EQ(LinkSettings.LetterCoding, kMazovia);
  EXPECT_EQ(Settings(), (std::vector<uint16_t>{1, 0, 100, 2, 30, 0, 0, 0, 0, 0, 0, 0, 8}));
  // Its rows as the settings dialog shows them.
  EXPECT_EQ(
      SettingsRows(PrinterSettingsRecord{{1, 0, 100, 2, 30, 0, 0, 0, 0, 0, 0, 0, 8}})[14].value,
      "metoda 1");
}

TEST_P(ConfigKelmemu, RatesTaxNumberAndClock) {
  Start("vantel");
  VatRatesRequest same;  // the printer's own rates: it refuses them, and the dialog still closes
  EXPECT_EQ(SendVatRates(same), SendOutcome::kSent);
  EXPECT_EQ(LastSendResult(), kCommandPrinterError);
  VatRatesRequest rates;
  rates.texts[0] = "22.00";
  rates.states[5] = kRateExempt;
  ExpectSent(SendVatRates(rates), "rates");
  EXPECT_NE(Paper().find("ZMIANA STAWEK PTU"), std::string::npos);
  ReadCashInfo();
  EXPECT_DOUBLE_EQ(CashInfo.Rates[0], 22.0);
  EXPECT_DOUBLE_EQ(CashInfo.Rates[5], 100.0);  // exempt

  ExpectSent(ProgramNip("123-456-32-18   "), "nip");
  EXPECT_NE(Paper().find("NIP 123-456-32-18\n"), std::string::npos) << Paper();

  ExpectSent(CorrectClock({2031, 5, 6, 7, 8, 9}), "clock");
  ASSERT_TRUE(ReadPrinterClock());
  EXPECT_EQ(ClockDateText(), "2031-05-06");
  EXPECT_EQ(ClockTimeText(), "07:08");
  // A service technician's daily report starts at the printer's date, not the computer's.
  LinkSettings.ServiceLevel = 1;
  const ReportDate d = DailyReportStartDate();
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20310506);
}

TEST_P(ConfigKelmemu, ReportsArePrintedByThePrinter) {
  Start("vantel");
  ConfigFrame f;
  ASSERT_TRUE(BuildCashierFrame(true, "Łukasz", "3", &f));
  ExpectSent(SendOutcomeOf(f), "log-in");
  ASSERT_TRUE(BuildDailyReportFrame(true, Today(), &f));
  ExpectSent(SendOutcomeOf(f), "daily");
  PeriodicReportRequest by_numbers;
  by_numbers.mode = PeriodicMode::kByNumbers;
  by_numbers.first_number = "1";
  by_numbers.last_number = "1";
  by_numbers.full = false;
  ExpectSent(SendPeriodicReport(by_numbers), "periodic");
  ASSERT_TRUE(BuildShiftReportFrame(false, "II", "Łukasz", &f));
  ExpectSent(SendOutcomeOf(f), "shift");
  ASSERT_TRUE(BuildErrorTableFrame(&f));
  ExpectSent(SendOutcomeOf(f), "error table");
  ASSERT_TRUE(BuildServiceReminderFrame(true, {2030, 1, 2}, "600 100 200", &f));
  ExpectSent(SendOutcomeOf(f), "service");
  ASSERT_TRUE(BuildCashierFrame(false, "Łukasz", "3", &f));
  ExpectSent(SendOutcomeOf(f), "log-out");
  const std::string paper = Paper();
  for (const char* printed : {"ZALOGOWANIE KASJERA", "Kasjer Łukasz\n", "RAPORT FISKALNY DOBOWY",
                              "RAPORT OKRESOWY (SKRÓCONY)", "ILOŚĆ RAPORTÓW DOBOWYCH",
                              "RAPORT ZMIANOWY", "TABLICA BŁĘDÓW", "WYLOGOWANIE KASJERA"}) {
    EXPECT_NE(paper.find(printed), std::string::npos) << printed << "\n" << paper;
  }
  // A refused range sends nothing.
  PeriodicReportRequest monthly;
  monthly.month_text = "13-1979";
  EXPECT_EQ(SendPeriodicReport(monthly), SendOutcome::kRefused);
  EXPECT_EQ(seams.op.messages.back(), kFromDateMessage);
}

TEST_P(ConfigKelmemu, FamilyZeroSendsItsOwnRateAndRangeFrames) {
  Start("oxil", 0);
  VatRatesRequest rates;
  rates.texts[0] = "19.00";
  ApplyRateFamilyRules(&rates, 0);
  ExpectSent(SendVatRates(rates), "rates");
  PeriodicReportRequest r;
  r.mode = PeriodicMode::kByNumbers;
  r.emergency = true;
  r.first_number = "1";
  r.last_number = "10";
  ExpectSent(SendPeriodicReport(r), "periodic");
  EXPECT_NE(Paper().find("TRYB AWARYJNY"), std::string::npos) << Paper();
}

TEST_P(ConfigKelmemu, HeaderFromAFileIsPrintedAndReadBackAsItWasEdited) {
  Start("salvo");
  LinkSettings.CopyMode = 2;
  const std::string file = dir.File("naglowek.rtf");
  test::TempDir::Write(
      file,
      "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Courier New;}}\\pard\\qc\\b\\fs40 "
      "DU\\'afY\\b0\\fs20\\par\r\n\\pard Zak\\'b3ad \\'bf\\'f3\\'b3ty\\par\r\n"
      "\\pard\\qr ul. Kr\\'f3tka 1\\par\r\n}");
  HeaderSendRequest request;
  std::string message;
  ASSERT_TRUE(LoadHeaderFile(file, &request.model, &message)) << message;
  // The printer's coding (MAZOVIA here) is taken before the header goes out.
  LinkSettings.LetterCoding = kWindows;
  ExpectSent(SendHeader(request), "header");
  EXPECT_EQ(LinkSettings.LetterCoding, kMazovia);
  EXPECT_NE(Paper().find(std::string(17, ' ') + "D U Ż Y\nZakład żółty\n"
                                                "                              ul. Krótka 1\n"),
            std::string::npos)
      << Paper();
  HeaderModel back;
  ASSERT_TRUE(ReadHeaderBack(&back));
  EXPECT_EQ(MarkedTextOf(back), std::string(17, ' ') + "*DUŻY*\nZakład żółty\n" +
                                    std::string(30, ' ') + "ul. Krótka 1\n");
  // Saved and sent again, the spaces that came back keep the lines where they were.
  ASSERT_TRUE(SaveHeaderFile(dir.File("z_drukarki.rtf"), back, &message));
  HeaderSendRequest again;
  ASSERT_TRUE(LoadHeaderFile(dir.File("z_drukarki.rtf"), &again.model, &message));
  ExpectSent(SendHeader(again), "header again");
  HeaderModel twice;
  ASSERT_TRUE(ReadHeaderBack(&twice));
  EXPECT_EQ(twice, back);
  // A line wider than the paper is the printer's to refuse; the error is shown, the header kept.
  HeaderSendRequest wide;
  wide.model = HeaderFromMarkedText(std::string(58, 'x'));
  EXPECT_EQ(SendHeader(wide), SendOutcome::kSent);
  EXPECT_EQ(LastSendResult(), kCommandPrinterError);
  seams.op.messages.clear();
}

// Every printer model whose configuration tree shows the port and network entries, with values of
// its own, so that a printer answering what it had before cannot pass.
TEST_P(ConfigKelmemu, PortsAndNetworksAreWrittenAndReadBackOnEveryModelThatShowsThem) {
  struct ModelRow {
    const char* option;
    int family, variant, copy;
  } models[] = {{"oxil", 0, 0, 0},   {"oxil-pro", 1, 0, 0},   {"oxil-bus", 1, 1, 0},
                {"vantel", 2, 0, 0}, {"vantel-bus", 2, 1, 0}, {"vantel-ke", 2, 0, 1},
                {"salvo", 2, 0, 2},  {"859", 2, 2, 2}};
  const std::set<std::string> kEntries = {"TKonfiguracjaWeWy", "TUstawieniaEthernet", "TWLAN",
                                          "TUstawieniaBlueTooth"};
  std::vector<std::string> shown;
  int n = 0;
  for (const ModelRow& row : models) {
    LinkSettingsRecord s;
    s.ModelFamily = static_cast<uint8_t>(row.family);
    s.PrinterVariant = static_cast<uint8_t>(row.variant);
    s.CopyMode = static_cast<uint8_t>(row.copy);
    std::set<std::string> entries;
    for (const TreeEntry& e : BuildTree(kConfigurationTree, s))
      if (e.row->dialog != nullptr && kEntries.count(e.row->dialog) != 0)
        entries.insert(e.row->dialog);
    if (entries.empty()) continue;
    EXPECT_EQ(entries, kEntries) << row.option;
    shown.push_back(row.option);
    const std::string at = row.option;
    const std::string digit = std::to_string(++n);
    TearDown();
    Start(row.option, row.family, row.variant);
    LinkSettings.CopyMode = static_cast<uint8_t>(row.copy);

    // Ports: the pair as shown, sales and a copy chosen, written and read back.
    IoState io;
    ASSERT_TRUE(ReadIoConfiguration(&io, true)) << at;
    EXPECT_EQ(io.sales[kEthernet], 1) << at;
    SetIoSales(&io, kUsb0, 1);
    SetIoSales(&io, kUsb1, n - 1);
    ChooseIoCopy(&io, n == 1 ? kUsb1 : kEthernet);
    EXPECT_EQ(WriteIoConfiguration(io), SendOutcome::kSent) << at;
    IoState read;
    ASSERT_TRUE(ReadIoConfiguration(&read, true)) << at;
    EXPECT_EQ(IoStateText(read), IoStateText(io)) << at;
    EXPECT_FALSE(read.sales_enabled[kIntCom]) << at;  // these printers have no internal COM
    // A copy on a port that is not active is refused before anything goes out.
    IoState refused = read;
    ChooseIoPair(&refused, true);
    refused.copy = kUsb1;
    seams.op.messages.clear();
    EXPECT_EQ(WriteIoConfiguration(refused), SendOutcome::kRefused) << at;
    EXPECT_EQ(seams.op.messages,
              std::vector<std::string>{
                  "Nie jest aktywny USB 1 więc nie jest możliwy odczyt kopii poprzez ten port."});
    seams.op.messages.clear();
    ASSERT_TRUE(ReadIoConfiguration(&read, true)) << at;
    EXPECT_EQ(IoStateText(read), IoStateText(io)) << at;

    EthernetSettings eth;
    eth.dhcp = n != 1;
    eth.texts = {"10.0. 0." + digit, "700" + digit, "7001", "1", "2", digit};
    ExpectSent(WriteEthernet(eth), "ethernet");
    EthernetSettings eth_back;
    ASSERT_TRUE(ReadEthernet(&eth_back)) << at;
    eth.texts[0] = "10.0.0." + digit;
    EXPECT_EQ(eth_back, eth) << at;

    WifiSettings wifi;
    wifi.texts = {"10.0.0.8", "255.0.0.0",           "10.0.0.1", "Sieć " + digit, "6666",
                  "6667",     "tajne-haslo-" + digit};
    wifi.wifi_on = n == 1;
    wifi.ad_hoc = n != 1;
    wifi.security = n == 1 ? WifiSecurity::kWpa : WifiSecurity::kWpa2;
    ExpectSent(WriteWifi(wifi), "wifi");
    WifiSettings wifi_back;
    ASSERT_TRUE(ReadWifi(&wifi_back)) << at;
    EXPECT_EQ(WifiText(wifi_back), WifiText(wifi)) << at;

    BluetoothSettings bt;
    bt.secure = n == 1;
    bt.pin = "987" + digit;
    bt.address = n == 1 ? "00a0c91e6b2f" : "";
    ExpectSent(WriteBluetooth(bt), "bluetooth");
    BluetoothSettings bt_back;
    ASSERT_TRUE(ReadBluetooth(&bt_back)) << at;
    EXPECT_EQ(BluetoothText(bt_back),
              "PIN: 987" + digit + "\nBezpieczne połączenie: " + (n == 1 ? "TAK" : "NIE") +
                  "\nAdres bezpiecznego połączenia: " + (n == 1 ? "00A0C91E6B2F" : "") + "\n")
        << at;
    EXPECT_TRUE(seams.op.messages.empty()) << at << " " << seams.op.messages[0];
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"salvo", "859"}));
}

INSTANTIATE_TEST_SUITE_P(Links, ConfigKelmemu, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
