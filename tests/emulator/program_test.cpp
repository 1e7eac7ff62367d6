// kelmemu as a program: real loopback sockets and pseudo-terminals, restarts, signals, faults.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "emulator/transport.h"
#include "emulator/wire.h"
#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm::emu::test {
namespace {

using Emulator = ::kelm::test::KelmemuProcess;
using TempFolder = ::kelm::test::TempDir;

int Connect(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  return fd;
}

// Reads until an answer frame has ended (ESC "\"), `bytes` bytes came, or the time ran out.
std::string Read(int fd, size_t bytes, int ms = 2000) {
  std::string got;
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (got.size() < bytes) {
    int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    end - std::chrono::steady_clock::now())
                                    .count());
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, left) <= 0) break;
    char buf[4096];
    ssize_t n = read(fd, buf, std::min(sizeof buf, bytes - got.size()));
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
    if (got.size() >= 2 && got.substr(got.size() - 2) == "\x1B\\") break;
  }
  return got;
}

std::string Ask(int fd, const std::string& bytes, size_t expect = 4096) {
  EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  return Read(fd, expect);
}

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(Program, TcpSessionReceiptDailyReportAndRestart) {
  TempFolder dir;
  std::string state = dir.path() + "/state", paper = dir.path() + "/paper.txt";
  {
    Emulator emu({"--tcp", "127.0.0.1:0", "--state", state, "--paper", paper, "--model", "vantel",
                  "--firmware", "3.02"});
    ASSERT_EQ(emu.ready().substr(0, 14), "TCP 127.0.0.1:");
    int fd = Connect(emu.Port());
    EXPECT_EQ(Ask(fd, kEnq, 1), "\x65");
    EXPECT_EQ(Ask(fd, kDle, 1), "\x74");
    EXPECT_EQ(Ask(fd, Frame("0#n", false)), "\x1BP1#E0\x1B\\");
    EXPECT_EQ(Ask(fd, Frame("1#v", false)).substr(0, 26), "\x1BP1#RKELM VANTEL 57T/3.02/");
    EXPECT_EQ(Ask(fd, Frame("0#c")).substr(0, 5), "\x1BP1#C");
    EXPECT_EQ(Ask(fd, Frame("$8")).substr(0, 5), "\x1BP#U1");
    for (const char* body : {"0$h", "1$lBu\x92ka\r1\rA/2.00/2.00/", "1$e\r5.00/2.00/"}) {
      Ask(fd, Frame(body), 0);
      EXPECT_EQ(Ask(fd, kEnq, 1)[0] & 0x04, 0x04) << body;
    }
    EXPECT_NE(Ask(fd, Frame("23#s", false)).find("/1/2.00/"), std::string::npos);
    Ask(fd, Frame("0#r"), 0);
    EXPECT_EQ(Ask(fd, kEnq, 1), "\x65");
    close(fd);
    EXPECT_EQ(emu.Stop(), 0);
  }
  std::string printed = Slurp(paper);
  EXPECT_NE(printed.find("Bułka"), std::string::npos);
  EXPECT_NE(printed.find("RAPORT FISKALNY DOBOWY"), std::string::npos);
  EXPECT_NE(printed.find(kPaperSeparator), std::string::npos);

  Emulator again({"--tcp", "127.0.0.1:0", "--state", state});
  int fd = Connect(again.Port());
  std::string cash = Ask(fd, Frame("23#s", false));
  // The daily report is remembered: its date is that of the last record and totals are zero.
  EXPECT_EQ(cash.find("\x1BP2#X0;0;0;0;0;0;0;0;0/"), std::string::npos) << cash;
  EXPECT_NE(cash.find("/1/0.00/0.00/"), std::string::npos);
  EXPECT_EQ(Ask(fd, Frame("1#v", false)).substr(0, 26), "\x1BP1#RKELM VANTEL 57T/3.02/");
  close(fd);
}

TEST(Program, SurvivesPeersThatGoAwayAndDropsOnRequest) {
  Emulator emu({"--tcp", "127.0.0.1:0", "--drop-after", "3"});
  int fd = Connect(emu.Port());
  EXPECT_EQ(Ask(fd, kEnq, 1), "\x65");
  // The third byte is still answered, then the line goes dead.
  EXPECT_EQ(Ask(fd, std::string(kEnq) + kEnq, 2), "\x65\x65");
  EXPECT_EQ(Read(fd, 1, 500), "");
  close(fd);
  fd = Connect(emu.Port());
  Ask(fd, "\x1BP0;1$h#1", 0);  // a frame cut off by the peer going away
  close(fd);
  fd = Connect(emu.Port());
  EXPECT_EQ(Ask(fd, Frame("0#n", false)), "\x1BP1#E0\x1B\\");
  EXPECT_EQ(emu.Stop(SIGINT), 0);  // also with a client still connected
  close(fd);
}

TEST(Program, FaultOptions) {
  Emulator emu({"--tcp", "127.0.0.1:0", "--silent", "1", "--garbage", "1", "--corrupt-check", "1",
                "--paper-out", "--pace", "19200"});
  int fd = Connect(emu.Port());
  ASSERT_EQ(write(fd, kEnq, 1), 1);
  EXPECT_EQ(Read(fd, 1, 300), "");
  EXPECT_EQ(Ask(fd, kEnq, 1), "\x3F");
  // The answer arrives whole, one paced byte after another, with check characters that do
  // not fit it.
  std::string bad = Ask(fd, Frame("0#c"));
  ASSERT_GT(bad.size(), 8u);
  std::string body = bad.substr(2, bad.size() - 6);
  EXPECT_NE(Frame(body), bad);
  EXPECT_EQ(Ask(fd, kDle, 1), "\x76");
  close(fd);
  Emulator off({"--tcp", "127.0.0.1:0", "--offline"});
  fd = Connect(off.Port());
  std::string probe = std::string(kDle) + Frame("1#v", false);
  ASSERT_EQ(write(fd, probe.data(), probe.size()), static_cast<ssize_t>(probe.size()));
  EXPECT_EQ(Read(fd, 64, 300), "\x70");
  close(fd);
}

// Files under the names of --state and --link that are not kelmemu's own are refused, left as
// they were, and never waited on; a missing or empty state file starts a new printer, and a
// link left by a killed run is taken over.
TEST(Program, RefusesFilesThatAreNotItsOwn) {
  struct Row {
    const char* name;
    const char* option;  // --state or --link
    std::function<void(const std::string&)> make;
    bool starts;
  };
  auto write = [](const char* bytes, size_t n) {
    return [bytes, n](const std::string& p) { std::ofstream(p, std::ios::binary).write(bytes, n); };
  };
  const Row rows[] = {
      {"state: a README", "--state", write("# notes\nkeep me\n", 16), false},
      {"state: a binary", "--state",
       write("\x7F"
             "ELF\x02\x01\x01\0\0",
             9),
       false},
      {"state: a folder", "--state", [](const std::string& p) { mkdir(p.c_str(), 0755); }, false},
      {"state: a FIFO", "--state", [](const std::string& p) { mkfifo(p.c_str(), 0644); }, false},
      {"state: empty", "--state", write("", 0), true},
      {"state: missing", "--state", [](const std::string&) {}, true},
      {"link: a regular file", "--link", write("keep me\n", 8), false},
      {"link: a link to a real port", "--link",
       [](const std::string& p) { (void)!symlink("/dev/null", p.c_str()); }, false},
      {"link: left by a killed run", "--link",
       [](const std::string& p) { (void)!symlink("/dev/pts/9999", p.c_str()); }, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder dir;
    const std::string path = dir.path() + "/target";
    row.make(path);
    struct stat before {};
    lstat(path.c_str(), &before);
    // Only a regular file is read back (opening a FIFO would wait for a writer).
    const bool regular = S_ISREG(before.st_mode);
    const std::string content = regular ? Slurp(path) : "";
    const bool link = std::string(row.option) == "--link";
    std::vector<std::string> args = {link ? "--pty" : "--tcp", link ? "--link" : "127.0.0.1:0"};
    if (link) {
      args.push_back(path);
    } else {
      args.insert(args.end(), {"--state", path});
    }
    Emulator emu(args);
    EXPECT_EQ(!emu.ready().empty(), row.starts) << emu.ready();
    if (row.starts) {
      EXPECT_EQ(emu.Stop(), 0);
      // The link goes with the printer; a state file is written.
      struct stat after {};
      EXPECT_EQ(lstat(path.c_str(), &after) == 0, !link);
    } else {
      EXPECT_EQ(emu.Stop(), 1);
      struct stat after {};
      ASSERT_EQ(lstat(path.c_str(), &after), 0);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_mode, before.st_mode);
      if (regular) EXPECT_EQ(Slurp(path), content);
    }
  }
}

// One printer serves one client at a time, but a client that sends nothing gives way to the
// next one after --idle-ms, and one that never reads its answers is dropped before they pile up.
TEST(Program, ClientsThatHogThePrinterGiveWay) {
  Emulator emu({"--tcp", "127.0.0.1:0", "--idle-ms", "1000", "--queue-limit", "600000"});
  const int silent = Connect(emu.Port());
  const int next = Connect(emu.Port());
  EXPECT_EQ(write(next, kEnq, 1), 1);
  EXPECT_EQ(Read(next, 1, 200), "") << "the first client is served first";
  EXPECT_EQ(Read(next, 1, 5000), "\x65") << "and gives way once it is idle";
  char byte;
  EXPECT_EQ(read(silent, &byte, 1), 0) << "its line is closed";
  close(silent);

  // A client that keeps talking is not idle: it keeps the printer while the next one waits.
  const int third = Connect(emu.Port());
  EXPECT_EQ(write(third, kEnq, 1), 1);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(Ask(next, kEnq, 1), "\x65");
    usleep(100000);
  }
  EXPECT_EQ(Read(third, 1, 10), "");
  close(next);
  EXPECT_EQ(Read(third, 1, 5000), "\x65");

  close(third);
  // A client that asks again and again without reading makes answers queue (here held back by
  // a slow line) until it is dropped.
  Emulator slow({"--tcp", "127.0.0.1:0", "--pace", "1200", "--queue-limit", "1000"});
  const int flood = Connect(slow.Port());
  const std::string enqs(5000, kEnq[0]);
  EXPECT_EQ(write(flood, enqs.data(), enqs.size()), static_cast<ssize_t>(enqs.size()));
  pollfd p{flood, POLLRDHUP, 0};
  EXPECT_EQ(poll(&p, 1, 5000), 1) << "dropped";
  close(flood);
  const int after = Connect(emu.Port());
  EXPECT_EQ(Ask(after, kEnq, 1), "\x65");
  close(after);
  EXPECT_EQ(emu.Stop(), 0);
}

TEST(Program, PseudoTerminalWithLinkAndXoff) {
  TempFolder dir;
  std::string link = dir.path() + "/com1";
  Emulator emu({"--pty", "--link", link, "--xoff", "150"});
  ASSERT_EQ(emu.ready().substr(0, 9), "PTY /dev/");
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string("PTY ") + target, emu.ready());
  for (int round = 0; round < 2; ++round) {
    int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios t;
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    // Without IXON on our side the hold is visible: XOFF, then XON with the answer.
    EXPECT_EQ(Ask(fd, kEnq, 1), "\x13");
    EXPECT_EQ(Read(fd, 2), "\x11\x65") << round;
    close(fd);  // the next round opens the terminal again
  }
  EXPECT_EQ(emu.Stop(), 0);
  EXPECT_NE(access(link.c_str(), F_OK), 0);  // the link goes with the printer
}

TEST(Program, PseudoTerminalHangsUpOnDropAndComesBack) {
  TempFolder dir;
  std::string link = dir.path() + "/com1";
  Emulator emu({"--pty", "--link", link, "--drop-after", "1"});
  int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios t;
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  EXPECT_EQ(Ask(fd, kEnq, 1), "\x65");  // the first byte is still answered
  char c;
  EXPECT_LE(read(fd, &c, 1), 0);  // then the line is hung up: end of file or EIO
  close(fd);
  // The same link leads to a new terminal soon after.
  std::string answer;
  for (int i = 0; i < 100 && answer.empty(); ++i) {
    usleep(20000);
    fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) continue;
    tcsetattr(fd, TCSANOW, &t);
    if (write(fd, kEnq, 1) == 1) answer = Read(fd, 1, 200);
    close(fd);
  }
  EXPECT_EQ(answer, "\x65");
  EXPECT_EQ(emu.Stop(), 0);
}

// The body lengths of the vantel's records (layout 90), from the table of record types.
size_t VantelBody(int type) {
  switch (type & 0x7F) {
    case 0:
      return 252;
    case 1:
      return 14;
    case 2:
    case 8:
      return 10;
    case 3:
      return 18;
    case 4:
      return 31;
    case 5:
      return 90;
    case 6:
      return 8;
    case 7:
      return 34;
    case 10:
    case 11:
      return 58;
    case 12:
      return 16;
  }
  return 0;
}

struct StreamRecord {
  int type;
  std::string body;
  bool check_ok;
};

// Runs a readout by report numbers the way the program drives the line: the command, the
// status query, then one ENQ per record until the closing record, then CAN.
std::vector<StreamRecord> ReadStream(int fd, int first, int last) {
  std::vector<StreamRecord> out;
  Ask(fd,
      Frame("4;0;0;0;0;0;0;128#o" + std::to_string(first) + "/" + std::to_string(last) +
            "/\r\r115200/"),
      0);
  EXPECT_EQ(Ask(fd, kEnq, 1), "\x65");
  for (int i = 0; i < 1000; ++i) {
    std::string type = Ask(fd, kEnq, 1);
    if (type.size() != 1 || VantelBody(type[0]) == 0) {
      ADD_FAILURE() << "no record after " << out.size();
      break;
    }
    std::string body = Read(fd, VantelBody(type[0]));
    unsigned sum = 0xFF;
    for (unsigned char c : body) sum += c;
    out.push_back({static_cast<unsigned char>(type[0]), body, (sum & 0xFF) == 0});
    if ((type[0] & 0x7F) == 11) break;
  }
  EXPECT_EQ(write(fd, "\x18", 1), 1);
  return out;
}

uint32_t Le32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(
      static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
      static_cast<unsigned char>(b[at + 2]) << 16 | static_cast<unsigned char>(b[at + 3]) << 24);
}

TEST(Program, HistoryReadoutWithRecordFaultsOverTcpAndPseudoTerminal) {
  TempFolder dir;
  std::string state = dir.path() + "/state";
  std::vector<std::string> faults = {"--damage-report", "2", "--break-check", "3",
                                     "--closing-off",   "1"};
  {
    std::vector<std::string> args = {"--tcp",          "127.0.0.1:0", "--state", state,
                                     "--history-days", "5",           "--pace",  "115200"};
    args.insert(args.end(), faults.begin(), faults.end());
    Emulator emu(args);
    int fd = Connect(emu.Port());
    std::vector<StreamRecord> r = ReadStream(fd, 1, 5);
    // Head, range, currency, then reports with the tax-rate record after the first.
    std::vector<int> types;
    for (const StreamRecord& x : r) types.push_back(x.type);
    EXPECT_EQ(types, (std::vector<int>{0, 1, 2, 3, 6, 7, 8, 10, 12, 5, 4, 0x85, 5, 5, 5, 11}));
    for (size_t i = 0; i < r.size(); ++i) EXPECT_EQ(r[i].check_ok, i != 2) << i;
    // The range record's totals leave out the damaged report; the closing is one grosz off.
    ASSERT_EQ(r.size(), 16u);
    EXPECT_EQ(Le32(r[15].body, 8), Le32(r[7].body, 8) + 1);
    EXPECT_EQ(Le32(r[15].body, 16), Le32(r[7].body, 16));
    // The stream faults hit one readout; the damaged report stays damaged.
    r = ReadStream(fd, 1, 5);
    ASSERT_EQ(r.size(), 16u);
    EXPECT_TRUE(r[2].check_ok);
    EXPECT_EQ(r[11].type, 0x85);
    EXPECT_EQ(Le32(r[15].body, 8), Le32(r[7].body, 8));
    close(fd);
    EXPECT_EQ(emu.Stop(), 0);
  }
  // The generated history is kept in the state file and reads back over a terminal.
  std::string link = dir.path() + "/com1";
  Emulator emu({"--pty", "--link", link, "--state", state, "--history-days", "9"});
  int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios t;
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  std::vector<StreamRecord> r = ReadStream(fd, 1, 99);
  ASSERT_EQ(r.size(), 16u);
  EXPECT_EQ(static_cast<unsigned char>(r[7].body[2]), 5);  // five reports, not nine
  for (const StreamRecord& x : r) EXPECT_TRUE(x.check_ok);
  close(fd);
  EXPECT_EQ(emu.Stop(), 0);
}

// --trace: each frame taken in and each answer given, decoded by the printer's own table, with
// a time stamp and its direction.
TEST(Program, TraceNamesEveryFrameAndAnswer) {
  TempFolder dir;
  const std::string trace = dir.path() + "/trace.txt";
  Emulator emu({"--tcp", "127.0.0.1:0", "--trace", trace, "--model", "vantel"});
  int fd = Connect(emu.Port());
  struct Row {
    std::string sent;
    size_t answer;                   // bytes to wait for
    std::vector<std::string> lines;  // what the trace says, in order, after the time stamp
  };
  const Row rows[] = {
      {kEnq, 1, {"in  ENQ status query", "out status 65h (ENQ): Ostatnia transakcja"}},
      {Frame("0#n", false),
       4096,
       {"in  #n Kod błędu ostatniego rozkazu; params 0; no check value; error 0",
        "out #E answer: numer błędu; params 1; fields \"0\"; no check value"}},
      {Frame("0;1$h#1\r"), 0, {"in  $h Początek transakcji; params 0;1; fields \"#1\"; check "}},
      {"\x1BP0;1$lBu\x92ka\r1\rA/2.00/2.00/00\x1B\\",
       0,
       {"in  $l Linijka paragonu; params 0;1; fields \"Bułka\" \"1\" \"A\" \"2.00\" "
        "\"2.00\"; check 00 wrong (expected "}},
      {Frame("0$e"), 0, {"in  $e Zatwierdzenie transakcji; params 0; check "}},
      {Frame("1$Z"), 0, {"in  $Z unknown command; params 1"}},
      // Answered only after everything before it has been taken in.
      {kDle, 1, {"in  DLE status query", "out status 74h (DLE): On-line"}},
  };
  for (const Row& row : rows) Ask(fd, row.sent, row.answer);
  close(fd);
  EXPECT_EQ(emu.Stop(), 0);
  const std::string text = Slurp(trace);
  size_t at = 0;
  for (const Row& row : rows) {
    for (const std::string& line : row.lines) {
      const size_t found = text.find(line, at);
      ASSERT_NE(found, std::string::npos) << line << "\n" << text;
      // "HH:MM:SS.mmm " before it.
      ASSERT_GE(found, 13u);
      EXPECT_EQ(text[found - 1], ' ');
      EXPECT_EQ(text[found - 5], '.') << text.substr(found - 13, 13);
      at = found;
    }
  }
  const size_t line = text.find("$l Linijka");
  EXPECT_NE(text.substr(line, text.find('\n', line) - line).find("; error 2"), std::string::npos)
      << "the wrong check value is refused";
}

}  // namespace
}  // namespace kelm::emu::test
