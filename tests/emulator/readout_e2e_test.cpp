// The program's periodic report readout against kelmemu, run as its own process on a
// pseudo-terminal reached as COM1 and on loopback TCP: every layout's stream, the record faults,
// the abort, and the control number of a daily report.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/frame.h"
#include "protocol/win1250.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using Kelmemu = test::KelmemuProcess;

struct ModelRow {
  const char* model;
  const char* firmware;
  int variant, copy_mode;  // as the operator configures them
};

const ModelRow kModels[] = {
    {"vantel", "3.00", 0, 0},    {"vantel-bus", "2.00", 1, 0}, {"vantel-bus", "3.10", 1, 0},
    {"vantel-ke", "2.00", 0, 1}, {"salvo", "1.00", 0, 2},      {"salvo", "2.00", 0, 2},
    {"859", "1.02", 2, 2},
};

class ReadoutAgainstKelmemu : public ::testing::TestWithParam<bool> {
 protected:
  ReadoutAgainstKelmemu() { std::filesystem::create_directory(dir.File("dosdevices")); }
  ~ReadoutAgainstKelmemu() override {
    CloseSerialPort();
    TcpDisconnect();
  }
  bool Tcp() const { return GetParam(); }

  // Starts the printer on the link under test and connects the program to it.
  std::unique_ptr<Kelmemu> Start(const ModelRow& row, std::vector<std::string> options) {
    std::vector<std::string> args = {"--model", row.model, "--firmware", row.firmware};
    if (Tcp()) {
      args.insert(args.end(), {"--tcp", "127.0.0.1:0"});
    } else {
      args.insert(args.end(), {"--pty", "--link", dir.File("dosdevices/com1")});
    }
    args.insert(args.end(), options.begin(), options.end());
    auto emu = std::make_unique<Kelmemu>(args);
    LinkSettings.ModelFamily = 2;
    LinkSettings.PrinterVariant = static_cast<uint8_t>(row.variant);
    LinkSettings.CopyMode = static_cast<uint8_t>(row.copy_mode);
    if (Tcp()) {
      const std::string port = emu->ready().substr(emu->ready().rfind(':') + 1);
      EXPECT_EQ(TcpConnect("127.0.0.1", port, false), kTcpConnected) << emu->ready();
    } else {
      LinkSettings.PortNumber = 1;
      LinkSettings.Speed = 9600;
      EXPECT_TRUE(OpenSerialPort(1)) << emu->ready();
    }
    seams.op.messages.clear();
    return emu;
  }

  ReadoutOutcome Read(const std::string& first, const std::string& last, bool emergency = false) {
    ReadoutFields f;
    f.mode = ReadoutMode::kByNumbers;
    f.first_number = first;
    f.last_number = last;
    f.emergency = emergency;
    return ReadPeriodicReportToFile(f);
  }
  std::string WorkFile() const { return test::TempDir::Read(dir.File(kReadoutWorkFile)); }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
};

TEST_P(ReadoutAgainstKelmemu, EveryModelsHistoryReadsBack) {
  for (const ModelRow& row : kModels) {
    auto emu = Start(row, {"--history-days", "70", "--fiscal"});
    ReadoutOutcome out = Read("1", "70");
    EXPECT_EQ(out.end, ReadoutEnd::kShowEndDialog) << row.model << " " << row.firmware;
    EXPECT_TRUE(seams.op.messages.empty()) << row.model << ": " << seams.op.messages[0];
    EXPECT_NE(out.file_name.find("KLM12345678_Nr_1_70"), std::string::npos) << out.file_name;
    const std::string text = Cp1250ToUtf8(WorkFile());
    EXPECT_NE(text.find("RAPORT FISKALNY OKRESOWY"), std::string::npos) << row.model;
    EXPECT_NE(text.find("ŁĄCZNY RAPORT OKRESOWY"), std::string::npos) << row.model;
    EXPECT_EQ(text.substr(text.size() - 5), "\t\t\t\r\n");
    CloseSerialPort();
    TcpDisconnect();
    std::filesystem::remove(dir.File(kReadoutWorkFile));
  }
}

struct FaultRow {
  const char* name;
  std::vector<std::string> options;
  bool emergency;
  const char* message;  // UTF-8; nullptr: none
  bool success;
  const char* text = nullptr;  // a line of the work file (UTF-8) after a success
};

TEST_P(ReadoutAgainstKelmemu, RecordFaultsGiveTheReadoutsMessages) {
  const FaultRow rows[] = {
      {"check byte", {"--break-check", "12"}, false, "Wystąpił błąd trasmisji.", false},
      {"closing totals", {"--closing-off", "1"}, false, "Wystąpił błąd trasmisji.", false},
      {"damaged report",
       {"--damage-report", "4"},
       false,
       "Wystąpił błąd pamieci fiskalnej.",
       false},
      {"damaged report, emergency",
       {"--damage-report", "4"},
       true,
       nullptr,
       true,
       "BŁĘDNY REKORD Nr 4"},
      {"damaged currency",
       {"--damage-currency", "1"},
       false,
       nullptr,
       true,
       "Waluta: BŁĘDNY REKORD"},
      {"damaged rates", {"--damage-rates", "1"}, false, "Wystąpił błąd pamieci fiskalnej.", false},
  };
  for (const FaultRow& row : rows) {
    std::vector<std::string> options = {"--history-days", "20"};
    options.insert(options.end(), row.options.begin(), row.options.end());
    auto emu = Start(kModels[3], options);
    ReadoutOutcome out = Read("1", "20", row.emergency);
    EXPECT_EQ(out.end == ReadoutEnd::kShowEndDialog, row.success) << row.name;
    if (row.message) {
      ASSERT_EQ(seams.op.messages.size(), 1u) << row.name;
      EXPECT_EQ(seams.op.messages[0], row.message) << row.name;
    } else {
      EXPECT_TRUE(seams.op.messages.empty()) << row.name << ": " << seams.op.messages[0];
      EXPECT_NE(Cp1250ToUtf8(WorkFile()).find(row.text), std::string::npos) << row.name;
    }
    CloseSerialPort();
    TcpDisconnect();
  }
}

TEST_P(ReadoutAgainstKelmemu, AbortSendsCanAndThePrinterServesTheNextReadout) {
  auto emu = Start(kModels[5], {"--history-days", "200", "--pace", "115200"});
  // "&Przerwij" in the download window, while the records come.
  bool aborted = false;
  seams.op.on_tick = [&aborted](ModalWait& wait, int tick) {
    if (std::string(wait.DialogName()) == "TPobieranieFiskalnejSklepu" && tick == 2) {
      wait.Abort();
      aborted = true;
    }
  };
  ReadoutOutcome out = Read("1", "200");
  EXPECT_TRUE(aborted);
  EXPECT_NE(out.end, ReadoutEnd::kShowEndDialog);
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
  seams.op.on_tick = nullptr;
  // Records the printer sent before it saw the CAN may still be on their way; an operator
  // starts the next readout seconds later, by which time they have arrived and are drained.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  PurgeInput();
  out = Read("1", "200");
  EXPECT_EQ(out.end, ReadoutEnd::kShowEndDialog);
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
}

// The control number the printer prints under a daily report it made over the line is the
// digest the readout computes for that report.
TEST_P(ReadoutAgainstKelmemu, DailyReportControlNumberIsInTheReadout) {
  const std::string paper = dir.File("paper.txt");
  auto emu = Start(kModels[5], {"--history-days", "5", "--paper", paper});
  for (const char* body : {"0$h", "1$lKawa\r1\rA/1.23/1.23/", "1$e\r1.23/1.23/", "0#r"}) {
    snprintf(CommandFrame, kFrameBufferSize, "\x1BP%sxx\x1B\\", body);
    ApplyChecksum(CommandFrame);
    ASSERT_EQ(SendFrame(CommandFrame), 0) << body;
    ASSERT_EQ(CheckLastCommand(), 0) << body;
  }
  const std::string printed = test::TempDir::Read(paper);
  const size_t report = printed.find("RAPORT FISKALNY DOBOWY");
  ASSERT_NE(report, std::string::npos) << printed;
  const size_t hash = printed.find("#", printed.find("KLM 12345678", report));
  ASSERT_NE(hash, std::string::npos) << printed;
  const std::string code = printed.substr(hash, 42);
  EXPECT_EQ(Read("6", "6").end, ReadoutEnd::kShowEndDialog);
  EXPECT_NE(WorkFile().find(code), std::string::npos) << code;
}

INSTANTIATE_TEST_SUITE_P(Links, ReadoutAgainstKelmemu, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
