// kelmctl as a separate process against a scripted printer on a pseudo-terminal and on TCP.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "catalogue/model.h"
#include "link/link_fixture.h"
#include "protocol/frame.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "support/command_output.h"
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
// The raw memory readout leaves the port as it found it, when it ends by itself and when it is
// interrupted; the printer gets its "C" either way and takes a new "S".
TEST_F(Kelmctl, DumpPutsThePortBackOnEveryWayOut) {
  // At 9600 the dump of 262144 bytes takes minutes: time enough to interrupt it.
  KelmemuProcess emu({"--pty", "--pace", "9600"});
  ASSERT_TRUE(emu.Ready()) << emu.ready();
  const std::string device = emu.Where();
  auto port_as_given = [&] {
    termios t{};
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    const bool ok =
        fd >= 0 && tcgetattr(fd, &t) == 0 && cfgetospeed(&t) == B9600 && (t.c_iflag & IXON) != 0;
    if (fd >= 0) close(fd);
    return ok;
  };
  const std::string program = KELMCTL_PATH, out = dir.File("part.bin");
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execl(program.c_str(), program.c_str(), "--device", device.c_str(), "--xonxoff", "dump", "-o",
          out.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  struct stat info {};
  for (int i = 0; i < 1000 && (stat(out.c_str(), &info) != 0 || info.st_size < 100); ++i)
    usleep(10000);
  kill(pid, SIGINT);
  int raw = 0;
  waitpid(pid, &raw, 0);
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
  EXPECT_TRUE(port_as_given());
  EXPECT_GE(info.st_size, 100);

  const Outcome r =
      Run({"--device", device, "--xonxoff", "dump", "-o", "whole.bin", "--size", "200"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "200\n");
  EXPECT_EQ(TempDir::Read(dir.File("whole.bin")), TempDir::Read(out).substr(0, 200));
  EXPECT_TRUE(port_as_given());
  EXPECT_EQ(Run({"--device", device, "dump"}).status, 64) << "no -o";
}

TEST_F(Kelmctl, SendFileAndBackUpReachThePrinter) {
  KelmemuProcess emu({"--tcp", "127.0.0.1:0", "--model", "salvo", "--data", dir.File("data.bin"),
                      "--state", dir.File("state.txt")});
  ASSERT_TRUE(emu.Ready()) << emu.ready();
  TempDir::Write(dir.File("plik.bin"), std::string(1500, 'z'));
  Outcome r = Run({"--tcp", emu.Where(), "sendfile", "plik.bin"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1500\n");
  r = Run({"--tcp", emu.Where(), "backup", "newer", "--copy-port", "2", "--copy-speed", "115200"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string state = TempDir::Read(dir.File("state.txt"));
  EXPECT_NE(state.find("backup_port 2"), std::string::npos) << state;
  EXPECT_NE(state.find("backup_speed 4"), std::string::npos) << state;
  EXPECT_EQ(TempDir::Read(dir.File("data.bin")), std::string(1500, 'z'));
  // The Salvo has no older back-up to choose, as the dialog hides it.
  EXPECT_EQ(Run({"--tcp", emu.Where(), "backup", "older"}).status, 64);
  EXPECT_EQ(Run({"--tcp", emu.Where(), "backup", "newer", "--copy-speed", "1234"}).status, 64);
}
#endif

TEST_F(Kelmctl, BurnWritesNewSessionsAndReportsTheEnginesErrors) {
  const std::string image = dir.File("raporty.iso");
  setenv("KELM_DISC_DRIVES", ("stdio:" + image + ",stdio:/dev/full").c_str(), 1);
  Outcome r = Run({"drives"});
  EXPECT_EQ(r.status, 0) << r.err;
  // "N<TAB>address<TAB>name" per drive; the image files follow the machine's own drives.
  const size_t at = r.out.find("\tstdio:" + image + "\t");
  ASSERT_NE(at, std::string::npos) << r.out;
  const size_t line = r.out.rfind('\n', at);
  const std::string index = r.out.substr(line == std::string::npos ? 0 : line + 1,
                                         at - (line == std::string::npos ? 0 : line + 1));
  TempDir::Write(dir.File("a.txt"), "pierwszy\r\n");
  TempDir::Write(dir.File("b.txt"), "drugi\r\n");
  r = Run({"burn", "a.txt", "--drive", "stdio:" + image});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Nagrywanie zakończono poprawnie.\n");
  // The drive by its place in the list, and a name of its own on the disc.
  r = Run({"burn", "b.txt", "--drive", index, "--name", "VANTEL_Miesiac_11-2026.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  unsetenv("KELM_DISC_DRIVES");
  const std::string toc = CommandOutput("xorriso -indev " + image + " -toc -ls");
  EXPECT_NE(toc.find("Media summary: 2 sessions"), std::string::npos) << toc;
  EXPECT_NE(toc.find("'a.txt'"), std::string::npos) << toc;
  EXPECT_NE(toc.find("'VANTEL_Miesiac_11-2026.txt'"), std::string::npos) << toc;

  r = Run({"burn", "a.txt", "--drive", "stdio:/dev/full"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Wystąpił błąd podczas nagrywania. Błąd = 6\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Nr błędu = 6"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"burn", "a.txt"}).status, 64) << "no drive";
}

}  // namespace
}  // namespace kelm::test
