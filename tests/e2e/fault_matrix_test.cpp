// The fault matrix: every operation kelmctl offers, against kelmemu misbehaving in each way it
// can, over a pseudo-terminal and over TCP. Each cell must end by itself (a watchdog counts a run
// that does not as hung), exit with its code and say its message, leave the line's parameters as
// they were set, and keep what was saved before the fault.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/bmp_file.h"
#include "graphics/raster.h"
#include "support/kelmctl_run.h"
#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm::test {
namespace {

enum class Op { kStatus, kType, kCashIn, kReceipt, kTestRun, kReadout, kDump, kUpload, kReadBack };
enum class Fault {
  kNone,
  kSilence,
  kGarbage,
  kBadCheck,
  kXoff,
  kDropMidAnswer,
  kDropMidReadout,
  kPaperOut,
  kOffline
};
enum class Via { kPty, kTcp, kBoth };

struct OpSpec {
  const char* name;
  std::vector<std::string> args;
  // Answer bytes that go out before the line drops: in the middle of the first answer, and in
  // the middle of a readout's stream (-1: the operation has none).
  int drop_mid_answer;
  int drop_mid_readout;
  // A file there before the run: a failed run must leave it as it was, a good one replaces it.
  const char* kept;
};

const OpSpec kOps[] = {
    {"status", {"status"}, 0, -1, nullptr},
    {"type", {"type"}, 8, -1, nullptr},
    {"cash_in", {"cash-in", "10.00"}, 0, -1, nullptr},
    {"receipt", {"receipt", "paragon.lin"}, 2, -1, nullptr},
    {"testrun", {"testrun", "--receipts", "2", "--seed", "1"}, 3, -1, nullptr},
    {"readout", {"readout", "--numbers", "1", "3", "-o", "raport.txt"}, 0, 600, "raport.txt"},
    {"dump", {"dump", "-o", "pamiec.bin", "--size", "65536"}, 0, 20000, nullptr},
    {"upload", {"picture", "upload", "--slot", "1", "obraz.bmp"}, 1, -1, nullptr},
    {"read_back", {"picture", "read", "--slot", "1", "-o", "odczyt.bmp"}, 0, 600, "odczyt.bmp"},
};

struct FaultSpec {
  const char* name;
  std::vector<std::string> printer;  // kelmemu's options ("N": the operation's drop point)
};

const FaultSpec kFaults[] = {
    {"none", {}},
    {"silence", {"--silent", "100000"}},
    {"garbage", {"--garbage", "100000"}},
    {"bad_check", {"--corrupt-check", "100000"}},
    {"xoff_hold", {"--xoff", "150"}},
    {"drop_mid_answer", {"--drop-after-sent", "N"}},
    {"drop_mid_readout", {"--drop-after-sent", "N"}},
    {"paper_out", {"--paper-out"}},
    {"offline", {"--offline"}},
};

// Messages, as the program shows them.
constexpr char kNoAnswer[] = "Drukarka nie odpowiedziała.";
constexpr char kGone[] = "Utracono połączenie z drukarką.";
constexpr char kHungUp[] = "Rozłączono z: 127.0.0.1";
constexpr char kUnreadable[] = "Nieczytelna odpowiedź drukarki:";
constexpr char kBlocked[] = "Wystąpił bład nr: 89: Drukarka zablokowana.";
constexpr char kTransmission[] = "Wystąpił błąd trasmisji.";
constexpr char kNoPicture[] = "Brak zaprogramowanej grafiki lub błąd komunikacji";
constexpr char kPictureNoAnswer[] = "Brak odpowiedzi drukarki!";
constexpr char kPictureSent[] = "Grafikę wysłano poprawnie.";
constexpr char kReport[] = "Raport okresowy z drukarki KELM VANTEL 57T";
constexpr char kTrainingOnly[] = "jest dostępna jedynie dla trybu szkoleniowego drukarki.";

struct Row {
  Op op;
  Fault fault;
  Via via;
  int exit;
  const char* says;  // a fragment of what kelmctl prints ("" for nothing in particular)
};

// clang-format off
const Row kRows[] = {
    // A query: the two status bytes.
    {Op::kStatus, Fault::kNone, Via::kBoth, 0, "DLE 74"},
    {Op::kStatus, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kStatus, Fault::kGarbage, Via::kBoth, 1, kUnreadable},
    {Op::kStatus, Fault::kBadCheck, Via::kBoth, 0, "DLE 74"},
    {Op::kStatus, Fault::kXoff, Via::kBoth, 0, "DLE 74"},
    {Op::kStatus, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kStatus, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kStatus, Fault::kPaperOut, Via::kBoth, 0, "Brak papieru"},
    {Op::kStatus, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // A query answered with a frame: type and version.
    {Op::kType, Fault::kNone, Via::kBoth, 0, "KELM VANTEL 57T"},
    {Op::kType, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kType, Fault::kGarbage, Via::kBoth, 1, kUnreadable},
    {Op::kType, Fault::kBadCheck, Via::kBoth, 0, "KELM VANTEL 57T"},
    {Op::kType, Fault::kXoff, Via::kBoth, 0, "KELM VANTEL 57T"},
    {Op::kType, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kType, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kType, Fault::kPaperOut, Via::kBoth, 0, "KELM VANTEL 57T"},
    {Op::kType, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // A command checked with CheckLastCommand. Answers are never checked against their check
    // characters, and a garbage status byte with the command-OK bit reads as done.
    {Op::kCashIn, Fault::kNone, Via::kBoth, 0, ""},
    {Op::kCashIn, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kCashIn, Fault::kGarbage, Via::kBoth, 0, ""},
    {Op::kCashIn, Fault::kBadCheck, Via::kBoth, 0, ""},
    {Op::kCashIn, Fault::kXoff, Via::kBoth, 0, ""},
    {Op::kCashIn, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kCashIn, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kCashIn, Fault::kPaperOut, Via::kBoth, 2, kBlocked},
    {Op::kCashIn, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // A receipt from a receipt-line file.
    {Op::kReceipt, Fault::kNone, Via::kBoth, 0, "13.60"},
    {Op::kReceipt, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kReceipt, Fault::kGarbage, Via::kBoth, 0, "13.60"},
    {Op::kReceipt, Fault::kBadCheck, Via::kBoth, 0, "13.60"},
    {Op::kReceipt, Fault::kXoff, Via::kBoth, 0, "13.60"},
    {Op::kReceipt, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kReceipt, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kReceipt, Fault::kPaperOut, Via::kBoth, 2, kBlocked},
    {Op::kReceipt, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // A test run. A garbage status byte has the fiscal-mode bit set.
    {Op::kTestRun, Fault::kNone, Via::kBoth, 0, "end: all receipts printed"},
    {Op::kTestRun, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kTestRun, Fault::kGarbage, Via::kBoth, 2, kTrainingOnly},
    {Op::kTestRun, Fault::kBadCheck, Via::kBoth, 0, "end: all receipts printed"},
    {Op::kTestRun, Fault::kXoff, Via::kBoth, 0, "end: all receipts printed"},
    {Op::kTestRun, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kTestRun, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kTestRun, Fault::kPaperOut, Via::kBoth, 2, kBlocked},
    {Op::kTestRun, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // A periodic report readout. Its records are not answers, so garbage spoils only the
    // type and the status: over a serial line the pass runs; over TCP/IP the status byte must
    // have its two upper bits, which garbage lacks.
    {Op::kReadout, Fault::kNone, Via::kBoth, 0, kReport},
    {Op::kReadout, Fault::kSilence, Via::kBoth, 1, kNoAnswer},
    {Op::kReadout, Fault::kGarbage, Via::kPty, 0, "Wykryto inny typ drukarki"},
    {Op::kReadout, Fault::kGarbage, Via::kTcp, 1, "Wykryto inny typ drukarki"},
    {Op::kReadout, Fault::kBadCheck, Via::kBoth, 0, kReport},
    {Op::kReadout, Fault::kXoff, Via::kBoth, 0, kReport},
    {Op::kReadout, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kReadout, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kReadout, Fault::kDropMidReadout, Via::kPty, 1, kTransmission},
    {Op::kReadout, Fault::kDropMidReadout, Via::kTcp, 1, kTransmission},
    {Op::kReadout, Fault::kPaperOut, Via::kBoth, 0, kReport},
    {Op::kReadout, Fault::kOffline, Via::kBoth, 1, kNoAnswer},
    // The raw memory readout: the dump is no answer either, so only a line that goes, or an
    // off-line printer, stops it.
    {Op::kDump, Fault::kNone, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kSilence, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kGarbage, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kBadCheck, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kXoff, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kDump, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kDump, Fault::kDropMidReadout, Via::kPty, 1, kGone},
    {Op::kDump, Fault::kDropMidReadout, Via::kTcp, 1, kHungUp},
    {Op::kDump, Fault::kPaperOut, Via::kBoth, 0, "65536"},
    {Op::kDump, Fault::kOffline, Via::kBoth, 1, "Przekroczono czas oczekiwania na dane."},
    // A picture upload: each part is answered with a status byte.
    {Op::kUpload, Fault::kNone, Via::kBoth, 0, kPictureSent},
    {Op::kUpload, Fault::kSilence, Via::kBoth, 1, kPictureNoAnswer},
    {Op::kUpload, Fault::kGarbage, Via::kBoth, 0, kPictureSent},
    {Op::kUpload, Fault::kBadCheck, Via::kBoth, 0, kPictureSent},
    {Op::kUpload, Fault::kXoff, Via::kBoth, 0, kPictureSent},
    {Op::kUpload, Fault::kDropMidAnswer, Via::kPty, 1, kGone},
    {Op::kUpload, Fault::kDropMidAnswer, Via::kTcp, 1, kHungUp},
    {Op::kUpload, Fault::kPaperOut, Via::kBoth, 0, kPictureSent},
    {Op::kUpload, Fault::kOffline, Via::kBoth, 1, kPictureNoAnswer},
    // Its read-back, of a picture uploaded before the fault.
    {Op::kReadBack, Fault::kNone, Via::kBoth, 0, ""},
    {Op::kReadBack, Fault::kSilence, Via::kBoth, 1, kNoPicture},
    {Op::kReadBack, Fault::kGarbage, Via::kBoth, 1, kNoPicture},
    {Op::kReadBack, Fault::kBadCheck, Via::kBoth, 0, ""},
    {Op::kReadBack, Fault::kXoff, Via::kBoth, 0, ""},
    {Op::kReadBack, Fault::kDropMidAnswer, Via::kBoth, 1, kNoPicture},
    {Op::kReadBack, Fault::kDropMidReadout, Via::kBoth, 1, kNoPicture},
    {Op::kReadBack, Fault::kPaperOut, Via::kBoth, 0, ""},
    {Op::kReadBack, Fault::kOffline, Via::kBoth, 1, kNoPicture},
};
// clang-format on

struct Cell {
  Row row;
  bool pty;
};

// The pseudo-terminal's cells first, then the TCP ones: the two halves that run side by side
// take every other cell, so each gets its share of the slower serial ones.
std::vector<Cell> Cells() {
  std::vector<Cell> cells;
  for (const bool pty : {true, false}) {
    for (const Row& row : kRows) {
      if (row.via == Via::kBoth || (row.via == Via::kPty) == pty) cells.push_back({row, pty});
    }
  }
  return cells;
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
  const Cell& c = info.param;
  return std::string(kOps[int(c.row.op)].name) + "_" + kFaults[int(c.row.fault)].name + "_" +
         (c.pty ? "Pty" : "Tcp");
}

// The line as the program left it on the terminal (kelmemu keeps the terminal open, so its
// settings outlive kelmctl): false when it cannot be read.
bool LineAfter(const std::string& device, speed_t* speed, bool* xon_xoff) {
  const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  termios t{};
  const bool read = tcgetattr(fd, &t) == 0;
  close(fd);
  *speed = cfgetospeed(&t);
  *xon_xoff = (t.c_iflag & IXON) != 0;
  return read;
}

class FaultMatrix : public ::testing::TestWithParam<Cell> {
 protected:
  std::vector<std::string> Printer(const std::vector<std::string>& fault) {
    std::vector<std::string> options = {"--history-days", "3", "--state", dir.File("state")};
    options.insert(options.begin(), GetParam().pty ? "--pty" : "--tcp");
    if (!GetParam().pty) options.insert(options.begin() + 1, "127.0.0.1:0");
    options.insert(options.end(), fault.begin(), fault.end());
    return options;
  }
  KelmctlRun Kelmctl(const KelmemuProcess& emu, const std::vector<std::string>& args,
                     const std::string& timeout) {
    std::vector<std::string> all = {GetParam().pty ? "--device" : "--tcp",
                                    emu.Where(),
                                    "--model",
                                    "vantel",
                                    "--xonxoff",
                                    "--yes",
                                    "--timeout",
                                    timeout};
    all.insert(all.end(), args.begin(), args.end());
    return RunKelmctl(dir.path(), all);
  }

  TempDir dir;
};

TEST_P(FaultMatrix, EndsSaysWhyRestoresTheLineAndKeepsWhatWasSaved) {
  ASSERT_TRUE(KelmemuAvailable() && KelmctlAvailable());
  const Row& row = GetParam().row;
  const OpSpec& op = kOps[int(row.op)];
  TempDir::Write(dir.File("paragon.lin"),
                 "Chleb\r\n2\r\nA\r\n3.50\r\n7.00\r\n\r\nMleko\r\n3\r\nB\r\n2.20\r\n6.60\r\n\r\n");
  MonoPicture picture = MonoPicture::White(192, 64);
  for (int i = 0; i < 64; ++i) picture.Set(i * 3, i, true);
  ASSERT_TRUE(WriteMonoBmp(dir.File("obraz.bmp"), picture));
  if (row.op == Op::kReadBack) {
    KelmemuProcess healthy(Printer({}));
    ASSERT_EQ(Kelmctl(healthy, kOps[int(Op::kUpload)].args, "2000").status, 0);
  }
  const std::string before = "zapisane wcześniej\n";
  if (op.kept != nullptr) TempDir::Write(dir.File(op.kept), before);

  std::vector<std::string> fault = kFaults[int(row.fault)].printer;
  const bool drops = row.fault == Fault::kDropMidAnswer || row.fault == Fault::kDropMidReadout;
  for (std::string& option : fault) {
    if (option == "N") {
      option = std::to_string(row.fault == Fault::kDropMidAnswer ? op.drop_mid_answer
                                                                 : op.drop_mid_readout);
    }
  }
  KelmemuProcess emu(Printer(fault));
  ASSERT_TRUE(emu.Ready()) << emu.ready();
  // A line that goes must end every wait by itself, as it does in the desktop program, where
  // nothing but the operator ends a wait: so those cells have no time-out at all.
  const KelmctlRun run = Kelmctl(emu, op.args, drops ? "0" : "300");
  const std::string said = run.out + run.err;

  EXPECT_FALSE(run.hung) << said;
  EXPECT_FALSE(run.crashed) << said;
  EXPECT_EQ(run.status, row.exit) << said;
  EXPECT_NE(said.find(row.says), std::string::npos) << "expected: " << row.says << "\n" << said;
  if (GetParam().pty && !drops) {
    speed_t speed = 0;
    bool xon_xoff = false;
    ASSERT_TRUE(LineAfter(emu.Where(), &speed, &xon_xoff));
    EXPECT_EQ(speed, B9600);
    EXPECT_TRUE(xon_xoff);
  }
  if (op.kept != nullptr) {
    const std::string after = TempDir::Read(dir.File(op.kept));
    if (run.status == 0) {
      EXPECT_NE(after, before);
    } else {
      EXPECT_EQ(after, before);
    }
  }
  if (row.op == Op::kDump) {
    // Whatever came before the break stays in the file, and kelmctl says how much that was.
    EXPECT_EQ(std::to_string(TempDir::Read(dir.File("pamiec.bin")).size()) + "\n",
              run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1))
        << said;
  }
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(Cells()), CellName);

}  // namespace
}  // namespace kelm::test
