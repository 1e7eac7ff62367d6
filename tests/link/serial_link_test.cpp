// The serial link over real pseudo-terminals: port mapping, opening, sending with time-outs,
// partial writes, line errors, the reopen path and the flow-control wait.
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <thread>

#include "link/link_fixture.h"
#include "link/transmission_log.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

struct ComCase {
  int port;
  const char* device;
};

TEST(ComPorts, FixedTableReachesBuiltInUsbAndAcmPorts) {
  const ComCase cases[] = {
      {1, "/dev/ttyS0"},
      {9, "/dev/ttyS8"},
      {10, "/dev/ttyS9"},
      {16, "/dev/ttyS15"},
      {17, "/dev/ttyUSB0"},
      {32, "/dev/ttyUSB15"},
      {33, "/dev/ttyACM0"},
      {48, "/dev/ttyACM15"},
      {49, "/dev/ttyS16"},
      {64, "/dev/ttyS31"},
      {0, ""},
      {65, ""},
      {-1, ""},
  };
  TempDir dir;
  InFolder in(dir.path());
  for (const ComCase& c : cases) EXPECT_EQ(ComDevicePath(c.port), c.device) << c.port;
}

TEST(ComPorts, LinkInProgramFolderWinsThenOverride) {
  TempDir dir;
  InFolder in(dir.path());
  mkdir(dir.File("dosdevices").c_str(), 0755);
  ASSERT_EQ(symlink("/dev/pts/77", dir.File("dosdevices/com12").c_str()), 0);
  EXPECT_EQ(ComDevicePath(12), dir.File("dosdevices/com12"));
  EXPECT_EQ(ComDevicePath(11), "/dev/ttyS10");
  SetComDeviceOverride("/dev/pts/5");
  EXPECT_EQ(ComDevicePath(12), "/dev/pts/5");
  ResetComPorts();
}

class SerialLink : public LinkTest {};

TEST_F(SerialLink, OpenFailuresReportAndDeselectThePort) {
  mkdir(dir.File("dosdevices").c_str(), 0755);
  ASSERT_EQ(symlink(dir.File("missing").c_str(), dir.File("dosdevices/com5").c_str()), 0);
  ASSERT_EQ(symlink("/dev/null", dir.File("dosdevices/com12").c_str()), 0);
  LinkSettings.PortNumber = 5;
  EXPECT_FALSE(OpenSerialPort(1));
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  LinkSettings.PortNumber = 12;
  EXPECT_FALSE(OpenSerialPort(1));  // not a terminal: the settings cannot be applied
  LinkSettings.PortNumber = 5;
  EXPECT_FALSE(OpenSerialPort(0));
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{"Nie mogę otworzyć portu COM5.",
                                      "Nie mogę otworzyć portu COM12 z takimi ustawieniami."}));
  EXPECT_FALSE(SerialHandle().IsOpen());
}

TEST_F(SerialLink, RejectedParametersCloseThePort) {
  ScriptedPrinter pty(ScriptedPrinter::Transport::kPty);
  SetComDeviceOverride(pty.device());
  LinkSettings.PortNumber = 3;
  LinkSettings.DataBits = 9;
  EXPECT_FALSE(OpenSerialPort(1));
  EXPECT_EQ(seams.op.messages.back(), "Nie mogę otworzyć portu COM3 z takimi ustawieniami.");
  EXPECT_FALSE(SerialHandle().IsOpen());
}

TEST_F(SerialLink, AppliesSpeedsFlowControlAndFraming) {
  ScriptedPrinter pty(ScriptedPrinter::Transport::kPty);
  SetComDeviceOverride(pty.device());
  for (uint32_t speed : {110u, 9600u, 14400u, 115200u, 128000u, 256000u, 512000u}) {
    LinkSettings.PortNumber = 1;
    LinkSettings.Speed = speed;
    LinkSettings.XonXoff = 1;
    LinkSettings.StopBits = 1;
    ASSERT_TRUE(OpenSerialPort(1)) << speed;
    EXPECT_EQ(SerialHandle().ActualSpeed(), speed);
    termios t;
    ASSERT_EQ(tcgetattr(SerialHandle().fd(), &t), 0);
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
  }
}

TEST_F(SerialLink, SendWithoutPortShowsMessageAndKeepsFrame) {
  std::strcpy(CommandFrame, "\x1bP1#vXX\x1b\\");
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
  EXPECT_STREQ(CommandFrame, "\x1bP1#vXX\x1b\\");
}

TEST_F(SerialLink, SendBytesCarriesNulBytesAndIsLogged) {
  UsePty();
  ASSERT_TRUE(ToggleTransmissionLog());
  char block[] = {'\x1b', 'P', '\0', 'x', '\x1b', '\\'};
  EXPECT_EQ(SendBytes(block, sizeof block), 0);
  ASSERT_TRUE(printer->WaitReceived(sizeof block));
  EXPECT_EQ(printer->Received(), std::string(block, sizeof block));
  ToggleTransmissionLog();
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), std::string(block, sizeof block));
}

TEST_F(SerialLink, LongSendWaitsOutAHeldLine) {
  UsePty();
  ASSERT_TRUE(ToggleTransmissionLog());
  std::string data(40000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(1 + i % 251);
  printer->Pause(true);
  std::thread resume([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    printer->Pause(false);
  });
  EXPECT_EQ(SendBytes(data.data(), data.size()), 0);
  resume.join();
  ASSERT_TRUE(printer->WaitReceived(data.size()));
  EXPECT_EQ(printer->Received(), data);
  ToggleTransmissionLog();
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), data);
  EXPECT_TRUE(seams.op.messages.empty());
}

// Writes single bytes into the line until it takes no more (the printer paused); returns how
// many it took, at most `limit`. Single bytes leave the terminal's buffers in the same state
// every time, so the room left afterwards is known to the byte.
size_t FillLine(size_t limit) {
  size_t taken = 0;
  const char byte = 'f';
  for (int idle = 0; idle < 4 && taken < limit;) {
    if (SerialHandle().Write(&byte, 1, 0).written == 1) {
      ++taken;
      idle = 0;
    } else {
      ++idle;
      // The terminal moves bytes on behind our back; only a line full for a while is full.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  return taken;
}

// The fake clock whose sleeps let the test act at a point of the program's time.
class HookedClock : public FakeClock {
 public:
  std::function<void()> on_sleep;
  void Sleep(uint32_t ms) override {
    FakeClock::Sleep(ms);
    if (on_sleep) on_sleep();
  }
};

TEST_F(SerialLink, PartialWriteResumesFromTheFirstUnwrittenByte) {
  UsePty();
  HookedClock clock;
  InstallClock(&clock);
  ASSERT_TRUE(ToggleTransmissionLog());
  // 700 bytes: a write may wait 20 ms a byte, and the send resumes only within its 15 s.
  std::string data(700, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(1 + i % 251);
  const uint32_t first_write_limit = 700 * 20 + 700 * 800 / 9600 + 10;
  // Measure the line's room, empty it, and fill it again to 250 bytes short.
  printer->Pause(true);
  const size_t room = FillLine(SIZE_MAX);
  printer->Pause(false);
  ASSERT_TRUE(printer->WaitReceived(room));
  printer->WaitQuiet(30);
  printer->Pause(true);
  ASSERT_EQ(FillLine(room - 250), room - 250);
  const size_t before = 2 * room - 250;
  // Once the first write has given up, the printer takes everything.
  const uint32_t start = clock.Now();
  size_t first_write = 0;
  clock.on_sleep = [&] {
    if (first_write != 0 || clock.Now() - start <= first_write_limit + 20) return;
    printer->Pause(false);
    printer->WaitQuiet(30);
    first_write = printer->Received().size() - before;
  };
  EXPECT_EQ(SendBytes(data.data(), data.size()), 0);
  clock.on_sleep = nullptr;
  // The first write stopped midway, so the second had to go on from where it did.
  EXPECT_GT(first_write, 0u);
  EXPECT_LT(first_write, data.size());
  ASSERT_TRUE(printer->WaitReceived(before + data.size()));
  printer->WaitQuiet(30);
  EXPECT_EQ(printer->Received().substr(before), data);
  ToggleTransmissionLog();
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), data);
  EXPECT_TRUE(seams.op.messages.empty());
  InstallClock(&seams.clock);
}

TEST_F(SerialLink, PrinterThatNeverTakesBytesTimesOutAfterFifteenSeconds) {
  UsePty();
  printer->Pause(true);
  // Fill the pseudo-terminal until it takes nothing more, also after its buffers settle.
  std::string fill(65536, 'f');
  for (int idle = 0; idle < 3;) {
    idle = SerialHandle().Write(fill.data(), fill.size(), 0).written == 0 ? idle + 1 : 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const uint32_t start = seams.clock.Now();
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Przekroczono czas na transmisję."});
  EXPECT_EQ(CommandFrame[0], '\0');
  const uint32_t spent = seams.clock.Now() - start;
  EXPECT_GT(spent, 15000u);
  EXPECT_LT(spent, 15000u + 500u);  // one write time-out of 10 bytes at most beyond the limit
  EXPECT_EQ(LinkSettings.PortNumber, 1);
  EXPECT_TRUE(SerialHandle().IsOpen());
}

TEST_F(SerialLink, LineErrorDeselectsPortAndClearsFrame) {
  UsePty();
  CloseSerialPort();  // the handle is gone while the port is still selected
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Wystąpił błąd transmisji."});
  EXPECT_EQ(CommandFrame[0], '\0');
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
}

TEST_F(SerialLink, LostDeviceIsReopenedAndGetsTheSameBytes) {
  mkdir(dir.File("dosdevices").c_str(), 0755);
  ScriptedPrinter first(ScriptedPrinter::Transport::kPty);
  ASSERT_EQ(symlink(first.device().c_str(), dir.File("dosdevices/com2").c_str()), 0);
  LinkSettings.PortNumber = 2;
  ASSERT_TRUE(OpenSerialPort(1));
  first.Hangup();
  ScriptedPrinter second(ScriptedPrinter::Transport::kPty);
  unlink(dir.File("dosdevices/com2").c_str());
  ASSERT_EQ(symlink(second.device().c_str(), dir.File("dosdevices/com2").c_str()), 0);
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_EQ(SendFrame(CommandFrame), 0);
  ASSERT_TRUE(second.WaitReceived(9));
  EXPECT_EQ(second.Received(), "\x1bP1#v12\x1b\\");
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(SerialLink, LostDeviceThatCannotBeReopenedFailsWithOpenMessage) {
  UsePty();
  printer->Hangup();
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie mogę otworzyć portu COM1."});
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
}

// XON/XOFF holds: the printer stops the line with XOFF and releases it with XON.
class FlowControl : public LinkTest {
 protected:
  void SetUp() override {
    LinkSettings.XonXoff = 1;
    UsePty();
    printer->Send("\x13");
    ASSERT_TRUE(printer->WaitSent());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // The wait's ticks cost no time on the fake clock; give the printer real time to act.
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  }
};

TEST_F(FlowControl, WaitEndsWhenTheLineClears) {
  printer->Send("\x11", 150);
  EXPECT_EQ(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.waits, std::vector<std::string>{"TCzekajNaRs"});
  ASSERT_TRUE(printer->WaitReceived(9));
  EXPECT_EQ(printer->Received(), "\x1bP1#v12\x1b\\");
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(FlowControl, OperatorGivesUp) {
  seams.op.abort_after_ticks = 3;
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(CommandFrame[0], '\0');
  EXPECT_TRUE(seams.op.messages.empty());
  EXPECT_EQ(LinkSettings.PortNumber, 1);
}

TEST_F(FlowControl, EscapeAsksAndNoKeepsWaiting) {
  seams.op.abort_after_ticks = 2;
  seams.op.use_escape = true;
  seams.op.answers = {false, true};
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.questions,
            (std::vector<std::string>{"Czy przerwać oczekiwanie?", "Czy przerwać oczekiwanie?"}));
}

TEST_F(SerialLink, RtsCtsOnPseudoTerminalCountsAsClear) {
  // A pseudo-terminal has no modem lines: the query it does not answer must not hold the line.
  LinkSettings.RtsCts = 1;
  UsePty();
  termios t;
  ASSERT_EQ(tcgetattr(SerialHandle().fd(), &t), 0);
  EXPECT_TRUE(t.c_cflag & CRTSCTS);
  EXPECT_EQ(LineStatusCheck(), 0);
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_EQ(SendFrame(CommandFrame), 0);
  ASSERT_TRUE(printer->WaitReceived(9));
  EXPECT_TRUE(seams.op.waits.empty());
}

TEST(FlowControlWait, ProgressTurnsAtBothEnds) {
  FlowControlWait wait;
  wait.Begin();
  int highest = 0;
  for (int i = 0; i < 50; ++i) StepProgress(&wait.progress_position, &wait.progress_up);
  highest = wait.progress_position;
  EXPECT_EQ(highest, 100);
  EXPECT_FALSE(wait.progress_up);
  for (int i = 0; i < 50; ++i) StepProgress(&wait.progress_position, &wait.progress_up);
  EXPECT_EQ(wait.progress_position, 0);
  EXPECT_TRUE(wait.progress_up);
}

TEST_F(SerialLink, SaveSettingsClosesTheSerialHandle) {
  UsePty();
  EXPECT_TRUE(SaveSettings());
  EXPECT_FALSE(SerialHandle().IsOpen());
  EXPECT_EQ(TempDir::Read(dir.File("ustaw.txt")).substr(0, 7), "COM 1\r\n");
}

}  // namespace
}  // namespace kelm::test
