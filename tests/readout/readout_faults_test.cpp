// Hostile printers against the periodic report readout, each row over a pseudo-terminal and
// over TCP: a printer that stalls or hangs up in the middle of its record stream, one that never
// ends it, and a second readout into a work file that a first one holds. Every row must end,
// say why, and leave no text that is not its printer's.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/win1250.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "readout/work_file.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

constexpr char kTransmission[] = "Wystąpił błąd trasmisji.";
constexpr char kMemory[] = "Wystąpił błąd pamieci fiskalnej.";

enum class After {
  kLinkUp,    // the link is still there for the next command
  kLinkShut,  // the link is gone and the program has closed its end
};

struct FaultRow {
  const char* name;
  std::vector<std::string> printer;  // kelmemu's options
  uint32_t byteWaitMs;               // kelmctl's limit; 0: the desktop's wait
  int abortAfterMs;                  // > 0: "&Przerwij" so long after the download began
  bool holdWorkFile;                 // another readout holds the work file
  std::vector<std::string> messages;
  bool tcpDisconnectFirst;  // over TCP the socket's disconnect event speaks first
  ReadoutEnd end;
  bool workFileLeft;
  After after;
};

const FaultRow kRows[] = {
    {"printer stalls mid-stream, wait limited",
     {"--history-days", "30", "--stall-after", "40"},
     300,
     0,
     false,
     {kTransmission},
     false,
     ReadoutEnd::kClose,
     false,
     After::kLinkUp},
    {"printer stalls mid-stream, operator presses Przerwij",
     {"--history-days", "30", "--stall-after", "40"},
     0,
     1000,
     false,
     {},
     false,
     ReadoutEnd::kClose,
     true,
     After::kLinkUp},
    {"printer hangs up mid-stream",
     {"--history-days", "30", "--hangup-after", "40"},
     0,
     0,
     false,
     {kTransmission},
     true,
     ReadoutEnd::kClose,
     false,
     After::kLinkShut},
    {"printer announces another currency for ever",
     {"--history-days", "1", "--endless-passes"},
     0,
     0,
     false,
     {kMemory},
     false,
     ReadoutEnd::kClose,
     false,
     After::kLinkUp},
    {"second readout while the work file is held",
     {"--history-days", "3"},
     0,
     0,
     true,
     {"Plik OdczytFiskPrTemp.txt jest używany przez inny trwający odczyt pamięci "
      "fiskalnej. Spróbuj ponownie po jego zakończeniu."},
     false,
     ReadoutEnd::kStayOpen,
     true,
     After::kLinkUp},
};

class ReadoutFaults : public ::testing::TestWithParam<bool> {
 protected:
  ReadoutFaults() { std::filesystem::create_directory(dir.File("dosdevices")); }
  ~ReadoutFaults() override {
    CloseSerialPort();
    ResetTcpLink();
  }
  bool Tcp() const { return GetParam(); }

  std::unique_ptr<test::KelmemuProcess> Start(std::vector<std::string> options) {
    std::vector<std::string> args = {"--model", "vantel", "--fiscal"};
    if (Tcp()) {
      args.insert(args.end(), {"--tcp", "127.0.0.1:0"});
    } else {
      args.insert(args.end(), {"--pty", "--link", dir.File("dosdevices/com1")});
    }
    args.insert(args.end(), options.begin(), options.end());
    auto emu = std::make_unique<test::KelmemuProcess>(args);
    EXPECT_TRUE(emu->Ready()) << emu->ready();
    LinkSettings.ModelFamily = 2;
    if (Tcp()) {
      const std::string port = emu->Where().substr(emu->Where().rfind(':') + 1);
      EXPECT_EQ(TcpConnect("127.0.0.1", port, false), kTcpConnected);
    } else {
      LinkSettings.PortNumber = 1;
      LinkSettings.Speed = 9600;
      EXPECT_TRUE(OpenSerialPort(1));
    }
    seams.op.messages.clear();
    return emu;
  }

  static ReadoutFields Numbers(const char* first, const char* last) {
    ReadoutFields f;
    f.mode = ReadoutMode::kByNumbers;
    f.first_number = first;
    f.last_number = last;
    return f;
  }
  bool LinkUp() const {
    return Tcp() ? LinkSettings.TcpActive != 0 && TcpSocketOpen() : SerialHandle().IsOpen();
  }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
};

TEST_P(ReadoutFaults, EveryReadoutEndsAndSaysWhy) {
  const std::string work = dir.File(kReadoutWorkFile);
  for (const FaultRow& row : kRows) {
    SCOPED_TRACE(row.name);
    auto emu = Start(row.printer);
    ModalWait* download = nullptr;
    std::chrono::steady_clock::time_point began;
    seams.op.events = 0;
    seams.op.on_tick = [&](ModalWait& wait, int) {
      if (std::string(wait.DialogName()) != "TPobieranieFiskalnejSklepu") return;
      if (download == nullptr) began = std::chrono::steady_clock::now();
      download = &wait;
    };
    // Between byte waits, where the desktop sees its buttons. A loop that spins on a link that
    // is gone would come here without end, so a bound on the rounds ends such a run (failed).
    seams.op.on_events = [&] {
      if (download == nullptr) return;
      const auto ran = std::chrono::steady_clock::now() - began;
      if ((row.abortAfterMs > 0 && ran > std::chrono::milliseconds(row.abortAfterMs)) ||
          seams.op.events > 5000000) {
        download->Abort();
      }
    };
    ReadoutWorkFile other;
    if (row.holdWorkFile) {
      ASSERT_EQ(other.Hold(work), ReadoutWorkFile::kHeld);
      test::TempDir::Write(work, "the other printer's text");
    }
    ReadoutOptions options;
    options.byte_wait_ms = row.byteWaitMs;
    const ReadoutOutcome out = ReadPeriodicReportToFile(Numbers("1", "30"), options);

    std::vector<std::string> expected = row.messages;
    if (Tcp() && row.tcpDisconnectFirst)
      expected.insert(expected.begin(), "Rozłączono z: 127.0.0.1");
    EXPECT_EQ(seams.op.messages, expected);
    EXPECT_EQ(out.end, row.end);
    EXPECT_EQ(std::filesystem::exists(work), row.workFileLeft);
    EXPECT_EQ(LinkUp(), row.after == After::kLinkUp);
    if (row.holdWorkFile) {
      EXPECT_EQ(test::TempDir::Read(work), "the other printer's text");
      // Nothing was asked of the printer: once the file is free, the readout runs.
      other.Release();
      seams.op.messages.clear();
      const ReadoutOutcome again = ReadPeriodicReportToFile(Numbers("1", "3"));
      EXPECT_EQ(again.end, ReadoutEnd::kShowEndDialog);
      EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
      EXPECT_NE(Cp1250ToUtf8(test::TempDir::Read(work)).find("RAPORT FISKALNY OKRESOWY"),
                std::string::npos);
      // The end dialog's time: still held, so a third readout is refused too.
      ReadoutWorkFile third;
      EXPECT_EQ(third.Hold(work), ReadoutWorkFile::kBusy);
    }
    seams.op.on_tick = nullptr;
    seams.op.on_events = nullptr;
    CloseSerialPort();
    ResetTcpLink();
    std::filesystem::remove(work);
  }
}

// kelmctl as a separate process against hostile printers and odd files: every run ends within
// its --timeout, every failure exits non-zero and says why on standard error, and no file is
// destroyed or left half written.
struct KelmctlRow {
  const char* name;
  std::vector<std::string> printer;  // kelmemu's options
  std::vector<std::string> args;     // after the link; FILE, DIR and LINK stand for the row's
  int status;
  const char* err;   // a part of standard error ("" for none expected)
  const char* file;  // FILE's content after the run (nullptr: FILE may not exist)
};

const KelmctlRow kKelmctlRows[] = {
    {"readout, printer stalls",
     {"--history-days", "30", "--stall-after", "40"},
     {"--timeout", "300", "readout", "--numbers", "1", "30", "-o", "FILE"},
     1,
     kTransmission,
     nullptr},
    {"readout, printer hangs up",
     {"--history-days", "30", "--hangup-after", "40"},
     {"readout", "--numbers", "1", "30", "-o", "FILE"},
     1,
     kTransmission,
     nullptr},
    {"readout, status never answered",
     {"--history-days", "3", "--silent", "1000"},
     {"--timeout", "300", "readout", "--numbers", "1", "3", "-o", "FILE"},
     1,
     "Drukarka nie odpowiedziała.",
     nullptr},
    {"readout, -o over a file without --yes",
     {"--history-days", "3"},
     {"readout", "--numbers", "1", "3", "-o", "FILE"},
     1,
     "już istnieje",
     "old report\n"},
    {"readout, -o over a file with --no",
     {"--history-days", "3"},
     {"--no", "readout", "--numbers", "1", "3", "-o", "FILE"},
     1,
     "już istnieje.Kontynuować?",
     "old report\n"},
    {"readout, -o over a file with --yes, the desktop's work file held",
     {"--history-days", "3"},
     {"--yes", "readout", "--numbers", "1", "3", "-o", "FILE"},
     0,
     "",
     "RAPORT FISKALNY OKRESOWY"},
    {"clock, garbage answer", {"--garbage", "5"}, {"clock"}, 1, "Nieczytelna odpowiedź", nullptr},
    {"cash, garbage answer", {"--garbage", "5"}, {"cash"}, 1, "Nieczytelna odpowiedź", nullptr},
    {"type, garbage answer", {"--garbage", "5"}, {"type"}, 1, "Nieczytelna odpowiedź", nullptr},
    {"last-error, garbage answer",
     {"--garbage", "5"},
     {"last-error"},
     1,
     "Nieczytelna odpowiedź",
     nullptr},
    {"buffer, silent printer",
     {"--silent", "1000"},
     {"--timeout", "300", "buffer"},
     1,
     "Drukarka nie odpowiedziała.",
     nullptr},
    {"status, silent printer",
     {"--silent", "1000"},
     {"--timeout", "300", "status"},
     1,
     "Drukarka nie odpowiedziała.",
     nullptr},
    {"positions, a NUL in a line",
     {},
     {"positions", "FILE"},
     1,
     "Wiersz 2 pliku zawiera bajt 0",
     "0#n\r\n0#\0n\r\n"},
    {"positions, a folder", {}, {"positions", "DIR"}, 1, "Nie mogę otworzyc pliku", nullptr},
    {"positions, a line too long",
     {},
     {"positions", "FILE"},
     1,
     "Wiersz 1 pliku jest za długi",
     nullptr},
    {"--log moves only the traffic files",
     {},
     {"--com", "9", "--log", "DIR", "--timeout", "300", "status"},
     1,
     "",
     nullptr},
};

TEST_P(ReadoutFaults, KelmctlEndsSaysWhyAndKeepsFiles) {
  const std::string file = dir.File("report.txt");
  const std::string logs = dir.File("logs");
  std::filesystem::create_directory(logs);
  // A folder of the log that looks like the program's: COM9 leads to the printer there.
  std::filesystem::create_directory(logs + "/dosdevices");
  // A settings file that is no file must not hold kelmctl up.
  ASSERT_EQ(mkfifo(dir.File("ustaw.txt").c_str(), 0644), 0);
  for (const KelmctlRow& row : kKelmctlRows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> printer = row.printer;
    auto emu = Start(printer);
    CloseSerialPort();
    ResetTcpLink();
    std::filesystem::remove(file);
    std::filesystem::remove(logs + "/dosdevices/com9");
    const std::string name = row.name;
    if (name.find("over a file") != std::string::npos) test::TempDir::Write(file, "old report\n");
    if (name.find("NUL") != std::string::npos) {
      test::TempDir::Write(file, std::string("0#n\r\n0#\0n\r\n", 11));
    }
    if (name.find("too long") != std::string::npos) {
      test::TempDir::Write(file, std::string(6000, 'A') + "\r\n");
    }
    if (name.find("--log") != std::string::npos && !Tcp()) {
      std::filesystem::create_symlink(emu->Where(), logs + "/dosdevices/com9");
    }
    ReadoutWorkFile desktop;
    ASSERT_EQ(desktop.Hold(dir.File(kReadoutWorkFile)), ReadoutWorkFile::kHeld);

    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "'";
    if (name.find("--log") == std::string::npos) {
      command += Tcp() ? " --tcp '" + emu->Where() + "'" : " --device '" + emu->Where() + "'";
    }
    for (std::string a : row.args) {
      if (a == "FILE") a = file;
      if (a == "DIR") a = name.find("--log") != std::string::npos ? logs : dir.path();
      command += " '" + a + "'";
    }
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    const std::string err = test::TempDir::Read(dir.File("err.txt"));
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, row.status) << err;
    if (row.status != 0) EXPECT_FALSE(err.empty()) << "a failure says why";
    EXPECT_NE(err.find(row.err), std::string::npos) << err;
    if (row.file == nullptr) {
      if (name.find("positions") == std::string::npos) EXPECT_FALSE(std::filesystem::exists(file));
    } else {
      EXPECT_NE(Cp1250ToUtf8(test::TempDir::Read(file)).find(row.file), std::string::npos);
    }
    if (name.find("--log") != std::string::npos) {
      EXPECT_TRUE(std::filesystem::exists(logs + "/DaneWy.bin")) << "the traffic goes there";
    }
    // No work file of kelmctl's is left, and the desktop's is untouched.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().filename().string().rfind(".kelmctl", 0), std::string::npos);
    }
    EXPECT_EQ(std::filesystem::file_size(dir.File(kReadoutWorkFile)), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Links, ReadoutFaults, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
