// kelmctl as a separate process against a scripted printer on a pseudo-terminal and on TCP.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "catalogue/model.h"
#include "link/link_fixture.h"
#include "protocol/frame.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "support/kelmemu_process.h"
#include "support/reset.h"

namespace kelm::test {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class Kelmctl : public ::testing::Test {
 protected:
  TempDir dir;

  // Runs kelmctl in the test's folder; arguments are quoted for the shell.
  Outcome Run(std::initializer_list<std::string> args) {
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::Read(dir.File("out.txt")),
            TempDir::Read(dir.File("err.txt"))};
  }
};

TEST_F(Kelmctl, StatusOverTcp) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kTcp);
  printer.AnswerStatus(0x0C, 0x74);
  const Outcome r = Run({"--tcp", "127.0.0.1:" + std::to_string(printer.port()), "status"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "ENQ 0C\n  Ostatni rozkaz został wykonany poprawnie\n  Drukarka jest w trybie "
            "fiskalnym\nDLE 74\n  On-line\n");
  EXPECT_EQ(r.err, "Ustanowiono połączenie do: 127.0.0.1\n");
}

TEST_F(Kelmctl, LastErrorOverPseudoTerminal) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
  printer.AnswerStatus(0x08, 0x74, 3);
  const Outcome r = Run({"--device", printer.device(), "last-error"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "3: Zła ilość parametrów.\n");
  EXPECT_EQ(printer.Received(), "\x1bP0#n\x1b\\");
}

TEST_F(Kelmctl, SendWithChecksumAndReceive) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
  printer.On("#v", "\x1bP1#X2.52\x1b\\");
  const Outcome r =
      Run({"--device", printer.device(), "send", "<ESC>P1#vxx<ESC>\\", "--checksum", "--receive"});
  EXPECT_EQ(r.status, 0) << r.err;
  std::string frame = "\x1bP1#vxx\x1b\\";
  ApplyChecksum(frame.data(), frame.size() + 1);
  EXPECT_EQ(printer.Received(), frame);
  EXPECT_EQ(r.out, "> <ESC>P1#v" + frame.substr(5, 2) + "<ESC>\\\n< <ESC>P1#X2.52<ESC>\\\n");
}

TEST_F(Kelmctl, CheckReportsPrinterErrorWithExitTwo) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kTcp);
  printer.AnswerStatus(0x08, 0x74, 3);
  const Outcome r = Run({"--tcp", printer.device(), "send", "<ESC>P1#vxx<ESC>\\", "--check"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Wystąpił bład nr: 3: Zła ilość parametrów.\n"), std::string::npos);
}

TEST_F(Kelmctl, SilentPrinterIsALinkFailureAfterTheTimeout) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
  const Outcome r = Run({"--device", printer.device(), "--timeout", "300", "status"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

TEST_F(Kelmctl, NoLinkAndUsageErrors) {
  Outcome r = Run({"status"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Nie wybrano portu komunikacyjnego.\n");
  for (auto args : std::vector<std::vector<std::string>>{{},
                                                         {"frobnicate"},
                                                         {"--model", "oxil-max", "status"},
                                                         {"--com", "65", "status"},
                                                         {"send"},
                                                         {"send", "x", "--receive", "--check"},
                                                         {"--speed"}}) {
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    const int raw = std::system((command + " >/dev/null 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 64) << command;
  }
}

TEST_F(Kelmctl, ReadsSettingsFromTheCurrentFolderAndNeverWritesThem) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
  printer.AnswerStatus(0x0C, 0x74);
  // COM 7 from the file shows in the open message once the device is gone.
  const std::string settings =
      "COM 7\r\nSzybko\xb9\xe6 9600\r\nBityDanch 8\r\nParzysto\x9c\xe6 Brak\r\nBityStopu 1\r\n"
      "Xon/Xoff 0\r\nRTS/CTS 0\r\nKodowaniePolskichLiter MAZOVIA\r\nKelm_Vantel zwyk\xb3"
      "a "
      "kopia_papierowa\r\n\r\n";
  TempDir::Write(dir.File("ustaw.txt"), settings);
  Outcome r = Run({"--device", dir.File("nothing"), "status"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Nie mogę otworzyć portu COM7.\n");
  mkdir(dir.File("log").c_str(), 0755);
  r = Run({"--device", printer.device(), "--log", dir.File("log"), "status"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(TempDir::Read(dir.File("log/DaneWy.bin")), "\x05\x10");
  EXPECT_EQ(TempDir::Read(dir.File("log/DaneWe.bin")), "\x0c\x74");
  EXPECT_EQ(TempDir::Read(dir.File("ustaw.txt")), settings);
}

TEST_F(Kelmctl, PositionsFile) {
  ScriptedPrinter printer(ScriptedPrinter::Transport::kPty);
  TempDir::Write(dir.File("pos.txt"), "1#v\r\n");
  const Outcome r = Run({"--device", printer.device(), "positions", "pos.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(printer.WaitReceived(9));
  EXPECT_EQ(printer.Received().substr(0, 5), "\x1bP1#v");
}

#ifdef KELMEMU_PATH
// The virtual printer as a process of its own.
class Emulator : public KelmemuProcess {
 public:
  explicit Emulator(const char* mode, const char* where = nullptr)
      : KelmemuProcess(where != nullptr ? std::vector<std::string>{mode, where}
                                        : std::vector<std::string>{mode}) {}
};

TEST_F(Kelmctl, AgainstTheVirtualPrinterOnAPseudoTerminal) {
  Emulator emu("--pty");
  ASSERT_EQ(emu.Where().rfind("/dev/pts/", 0), 0u) << emu.Where();
  Outcome r = Run({"--device", emu.Where(), "status"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("DLE 74\n  On-line\n"), std::string::npos) << r.out;
  r = Run({"--device", emu.Where(), "send", "<ESC>P1#vxx<ESC>\\", "--checksum", "--receive"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("< <ESC>P1#"), std::string::npos) << r.out;
}

TEST_F(Kelmctl, AgainstTheVirtualPrinterOverTcp) {
  Emulator emu("--tcp", "127.0.0.1:0");
  ASSERT_EQ(emu.Where().rfind("127.0.0.1:", 0), 0u) << emu.Where();
  Outcome r = Run({"--tcp", emu.Where(), "send", "<ESC>P1#vxx<ESC>\\", "--checksum", "--check"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = Run({"--tcp", emu.Where(), "send", "<ESC>P99#zxx<ESC>\\", "--checksum", "--check"});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("Wystąpił bład nr: "), std::string::npos) << r.err;
  r = Run({"--tcp", emu.Where(), "last-error"});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(Kelmctl, DiagnosticsAgainstTheVirtualPrinter) {
  Emulator emu("--tcp", "127.0.0.1:0");
  Outcome r = Run({"--tcp", emu.Where(), "cash"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Tryb pracy drukarki: Szkoleniowy\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("PTU A 23.00\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Data ostatniego zapisu do pamięci fiskalnej: Brak\n"), std::string::npos);
  r = Run({"--tcp", emu.Where(), "type", "--check-code"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Typ: KELM VANTEL 57T\nWersja: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Kod SHA-1: "), std::string::npos) << r.out;
  r = Run({"--tcp", emu.Where(), "clock"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Data (rrrr-mm-dd): 20", 0), 0u) << r.out;
  EXPECT_EQ(Run({"cash"}).status, 1);  // no link
  EXPECT_EQ(Run({"cash", "extra"}).status, 64);
}
// kelmctl readout and the readout dialog's routine, against the same printer, write the same
// text for every model that offers the readout.
TEST_F(Kelmctl, ReadoutWritesTheDialogsTextForEveryModel) {
  SeamGuard seams;
  InFolder in(dir.path());
  const char* models[] = {"vantel", "vantel-bus", "vantel-ke", "salvo", "859"};
  for (const char* model : models) {
    KelmemuProcess emu({"--tcp", "127.0.0.1:0", "--model", model, "--history-days", "40"});
    ASSERT_TRUE(emu.Ready()) << model;
    const Outcome r = Run({"--tcp", emu.Where(), "--model", model, "--yes", "readout", "--numbers",
                           "1", "40", "-o", "kelmctl.txt"});
    ASSERT_EQ(r.status, 0) << model << ": " << r.err;
    const std::string by_tool = TempDir::Read(dir.File("kelmctl.txt"));
    EXPECT_EQ(r.out.rfind("Raport okresowy z drukarki ", 0), 0u) << r.out;

    ResetProcessState();
    const std::string names[] = {"oxil",       "oxil-pro",  "vantel", "oxil-bus",
                                 "vantel-bus", "vantel-ke", "salvo",  "859"};
    ApplyModel(
        static_cast<int>(std::find(std::begin(names), std::end(names), model) - std::begin(names)));
    const std::string where = emu.Where();
    ASSERT_EQ(TcpConnect("127.0.0.1", where.substr(where.rfind(':') + 1), false), kTcpConnected);
    ReadoutFields fields;
    fields.mode = ReadoutMode::kByNumbers;
    fields.first_number = "1";
    fields.last_number = "40";
    const ReadoutOutcome outcome = ReadPeriodicReportToFile(fields);
    TcpDisconnect();
    ASSERT_EQ(outcome.end, ReadoutEnd::kShowEndDialog) << model;
    EXPECT_GT(by_tool.size(), 1000u) << model;
    EXPECT_EQ(TempDir::Read(dir.File(kReadoutWorkFile)), by_tool) << model;
  }
}
#endif

}  // namespace
}  // namespace kelm::test
