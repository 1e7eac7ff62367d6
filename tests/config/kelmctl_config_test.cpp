// kelmctl's configuration and report commands as a separate process against kelmemu, over a
// pseudo-terminal and over TCP.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class KelmctlConfig : public ::testing::TestWithParam<bool> {
 protected:
  void Start(const char* model, std::vector<std::string> options = {}) {
    model_ = model;
    options.insert(options.end(), {"--paper", dir.File("paper.txt"), "--model", model});
    const std::vector<std::string> link = GetParam()
                                              ? std::vector<std::string>{"--tcp", "127.0.0.1:0"}
                                              : std::vector<std::string>{"--pty"};
    options.insert(options.begin(), link.begin(), link.end());
    emu = std::make_unique<test::KelmemuProcess>(options);
    ASSERT_TRUE(emu->Ready()) << emu->ready();
  }
  // kelmctl on the printer's link; arguments are quoted for the shell.
  Outcome Run(std::vector<std::string> args) {
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "' --model " + model_ +
                          (GetParam() ? " --tcp " : " --device ") + emu->Where();
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::TempDir::Read(dir.File("out.txt")),
            test::TempDir::Read(dir.File("err.txt"))};
  }
  std::string Paper() const { return test::TempDir::Read(dir.File("paper.txt")); }

  test::TempDir dir;
  std::unique_ptr<test::KelmemuProcess> emu;
  std::string model_;
};

TEST_P(KelmctlConfig, OptionsSettingsAndDefaults) {
  Start("salvo");
  Outcome r = Run({"option", "cover-sensor", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Run({"option", "print-speed", "8"}).status, 0);
  r = Run({"option", "keyboard-lock", "61"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("Niewłaściwa linia sekund."), std::string::npos) << r.err;
  EXPECT_EQ(Run({"option", "no-such", "1"}).status, 64);
  r = Run({"option", "--list"});
  EXPECT_NE(r.out.find("drawer-pulse"), std::string::npos);
  EXPECT_NE(r.out.find("error-handling     0|1|2|3 "), std::string::npos) << r.out;

  r = Run({"settings", "-o", "a.ust"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Identyfikator: 1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Obsługa czujnika pokrywy obudowy: 2 - Blokuje sprzedaż przy "
                       "podniesionej pokrywie\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Długość impulsu sterującego zwijaczem: 3.00 [s]\n"), std::string::npos);
  EXPECT_EQ(r.out.find("Protokół zewn. wyświetlacza"), std::string::npos);  // hidden row
  EXPECT_EQ(test::TempDir::Read(dir.File("a.ust")).size(), 26u);

  r = Run({"defaults"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "16/16\n");
  r = Run({"settings"});
  EXPECT_NE(r.out.find("Obsługa czujnika pokrywy obudowy: 0 - Brak"), std::string::npos);
}

TEST_P(KelmctlConfig, RatesTaxNumberClockAndReports) {
  Start("vantel");
  Outcome r = Run({"vat", "--rates", "22.00,,,,7.00", "--states", ",,,,1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Paper().find("PTU E"), std::string::npos);
  EXPECT_EQ(Run({"vat", "--rates", "22.00,,,,7.00", "--states", ",,,,1"}).status, 2);  // same
  EXPECT_EQ(Run({"vat", "--states", "3"}).status, 64);
  EXPECT_EQ(Run({"vat", "--foreign-tickets"}).status, 64);  // not a bus printer

  EXPECT_EQ(Run({"--no", "nip", "123-456-32-18"}).status, 0);
  EXPECT_NE(Paper().find("NIP 123-456-32-18"), std::string::npos);
  r = Run({"--yes", "nip", "12345"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("Błędny format numeru NIP!"), std::string::npos) << r.err;

  EXPECT_EQ(Run({"set-clock", "2030-02-03", "04:05:06"}).status, 0);
  r = Run({"clock"});
  EXPECT_EQ(r.out, "Data (rrrr-mm-dd): 2030-02-03\nGodzina (gg:mm): 04:05\n");
  EXPECT_EQ(Run({"set-clock", "2030-02-30x"}).status, 64);

  r = Run({"report", "daily", "--date", "2030-02-03"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Run({"report", "periodic", "--numbers", "1", "1", "--short"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Run({"report", "periodic", "--monthly", "13-1979"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("Data spoza zakresu"), std::string::npos);
  const std::string paper = Paper();
  EXPECT_NE(paper.find("RAPORT FISKALNY DOBOWY"), std::string::npos);
  EXPECT_NE(paper.find("RAPORT OKRESOWY (SKRÓCONY)"), std::string::npos);
}

TEST_P(KelmctlConfig, ScheduledChangeOnlyWhereThePrinterOffersIt) {
  Start("vantel");  // firmware 3.00
  Outcome r = Run({"vat", "--rates", "21.00", "--at", "2031-01-01", "00:00"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Run({"vat", "--cancel-scheduled"}).status, 0);
  EXPECT_EQ(Run({"vat", "--at", "2031-01-01", "25:00"}).status, 64);
  EXPECT_EQ(Run({"vat", "--at", "2031-01-01", "00:00", "--cancel-scheduled"}).status, 64);
  Start("vantel", {"--firmware", "2.50"});
  r = Run({"vat", "--rates", "21.00", "--at", "2031-01-01", "00:00"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no scheduled change"), std::string::npos) << r.err;
}

TEST_P(KelmctlConfig, HeaderPortsAndNetworks) {
  Start("salvo");
  test::TempDir::Write(dir.File("h.rtf"),
                       "{\\rtf1\\ansi\\ansicpg1250\\pard\\qc\\b\\fs40 \\'afABA\\b0\\fs20\\par\r\n"
                       "\\pard\\qr ko\\'b3o\\par}");
  Outcome r = Run({"header", "--send", "h.rtf", "--discount", "1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Paper().find(std::string(17, ' ') + "Ż A B A\n" + std::string(38, ' ') + "koło\n"),
            std::string::npos)
      << Paper();
  r = Run({"header", "--read", "-o", "back.rtf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string(17, ' ') + "*ŻABA*\n" + std::string(38, ' ') + "koło\n");
  EXPECT_NE(test::TempDir::Read(dir.File("back.rtf")).find("\\b\\fs40 \\'afABA"),
            std::string::npos);
  struct {
    std::vector<std::string> args;
    int status;
    const char* out;
  } rows[] = {
      {{"header", "--send", "brak.rtf"}, 64, ""},
      {{"header", "--read"}, 64, ""},
      {{"header", "--send", "h.rtf", "--discount", "x"}, 64, ""},
      {{"io"}, 0, "Kopia elektroniczna: Brak kopii\n"},
      {{"network", "ethernet"}, 0, "IP drukarki: 192.168.0.100\n"},
      {{"network", "wlan"}, 0, "Typ zabezpieczeń: WPA\n"},
      {{"network", "bluetooth"}, 0, "PIN: 1234\n"},
      {{"network", "modem"}, 64, ""},
  };
  for (auto& row : rows) {
    r = Run(row.args);
    EXPECT_EQ(r.status, row.status) << row.args[0] << " " << r.err;
    EXPECT_NE(r.out.find(row.out), std::string::npos) << r.out;
  }
}

INSTANTIATE_TEST_SUITE_P(Links, KelmctlConfig, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
