// The readout over a real link: a scripted printer on a pseudo-terminal and on loopback TCP
// answers the status check and then one record per ENQ; the port runs at the readout speed only
// during a pass and comes back as it was, whatever happens.
#include "readout/readout_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/link_fixture.h"
#include "link/reception.h"
#include "readout/stream.h"

namespace kelm {
namespace {

using test::Body;

// Body lengths of the default printer type, written out so the stream can be cut into records.
size_t Length(uint8_t typeByte) {
  switch (typeByte & 0x7F) {
    case 0:
      return 252;
    case 1:
      return 14;
    case 2:
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
    case 8:
      return 10;
    case 10:
    case 11:
      return 58;
    case 12:
      return 16;
    default:
      return 0;
  }
}

std::vector<std::string> Records(const std::string& stream) {
  std::vector<std::string> out;
  for (size_t at = 0; at < stream.size();) {
    const size_t n = 1 + Length(uint8_t(stream[at]));
    out.push_back(stream.substr(at, n));
    at += n;
  }
  return out;
}

// A pass of `count` daily reports of layout 90, each selling 1,23 zł of A; the closing record's
// total due can be put off by `closingDelta`.
std::string Pass(int count, const char* currency = "PLN", uint8_t more = 0, int closingDelta = 0,
                 uint32_t firstNumber = 1) {
  test::RangeSpec range;
  range.count = uint16_t(count);
  range.more = more;
  range.firstNumber = count ? firstNumber : 0;
  range.lastNumber = count ? firstNumber + uint32_t(count) - 1 : 0;
  std::string s = test::HeadRecords({}, {}) + test::RangeBody(range).Record(10);
  if (count > 0) s += test::CurrencyBody(currency, 1).Record(12);
  for (int n = 0; n < count; ++n) {
    Body day(90);
    day.U16(1, uint16_t(firstNumber + n)).Date(3, 2026, 12, 1 + n % 28).U8(7, 21).U8(10, 1);
    day.U16(19, 1).U32(21, 23).U32(49, 123).U32(77, 123);
    s += day.Record(5);
    if (n == 0) s += test::TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1}).Record(4);
  }
  test::RangeSpec closing = range;
  closing.dueLow = uint32_t(123 * count + closingDelta);
  closing.vatLow = uint32_t(23 * count);
  return s + test::RangeBody(closing).Record(11);
}

ReadoutRequest ByNumbers(unsigned long speed = 57600) {
  ReadoutFields f;
  f.mode = ReadoutMode::kByNumbers;
  f.firstNumber = "1";
  f.lastNumber = "9";
  f.speed = speed;
  ReadoutRequest r;
  std::string message;
  EXPECT_TRUE(BuildReadoutRequest(f, &r, &message));
  return r;
}

constexpr char kEnqByte = 0x05;
constexpr char kCanByte = 0x18;
constexpr uint8_t kReady = 0x64;  // command done, bits 5 and 6 set

// An operator whose message loop can press "&Przerwij" during a byte wait.
class BreakingOperator : public test::ScriptedOperator {
 public:
  DownloadEngine* engine = nullptr;
  int abortAfterEvents = -1;
  int events = 0;
  void RunModal(ModalWait& wait) override {
    engine = static_cast<DownloadEngine*>(&wait);
    ScriptedOperator::RunModal(wait);
    engine = nullptr;
  }
  void ProcessEvents() override {
    ++events;
    if (engine != nullptr && abortAfterEvents >= 0 && events == abortAfterEvents) engine->Abort();
  }
};

class ReadoutLink : public test::LinkTest, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    InstallOperator(&op);
    Use(GetParam());
    op.messages.clear();
    LinkSettings.XonXoff = 1;
    LinkSettings.Speed = 9600;
    if (!GetParam()) {
      CloseSerialPort();
      ASSERT_TRUE(OpenSerialPort(1));
    }
    saved = LinkSettings;
  }
  bool Tcp() const { return GetParam(); }

  // Each ENQ is answered in turn: the status byte before each pass, then the pass's records.
  void Script(const std::vector<std::string>& passes, uint8_t status = kReady) {
    for (const std::string& pass : passes) {
      printer->On(std::string(1, kEnqByte), std::string(1, char(status)), 0, 1);
      for (const std::string& record : Records(pass)) {
        printer->On(std::string(1, kEnqByte), record, 0, 1);
      }
    }
  }
  // What the printer has received once `cans` CAN bytes are in (the printer reads on its own
  // thread, so the last bytes may still be under way).
  std::string ReceivedWithCans(int cans) {
    std::string sent;
    for (int i = 0; i < 200; ++i) {
      sent = printer->Received();
      if (std::count(sent.begin(), sent.end(), kCanByte) >= cans) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return sent;
  }
  std::string WorkFile() const { return test::TempDir::Read(dir.File(kReadoutWorkFile)); }
  void ExpectLinkAsBefore() {
    EXPECT_EQ(LinkSettings.PortNumber, saved.PortNumber);
    EXPECT_EQ(LinkSettings.Speed, saved.Speed);
    EXPECT_EQ(LinkSettings.XonXoff, saved.XonXoff);
    EXPECT_EQ(SerialHandle().IsOpen(), !Tcp()) << "the serial port is open again afterwards";
  }

  void ExpectFailure(const std::vector<std::string>& passes, uint8_t status,
                     const std::string& message, int passesRun, bool file) {
    Script(passes, status);
    printer->AnswerStatus(0x60, 0x74, 7);  // once the script is used up: refused, error 7
    ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
    RunReadoutPasses(session, 57600);
    session.Finish();
    EXPECT_FALSE(session.success());
    EXPECT_EQ(session.passes(), passesRun);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].rfind(message, 0), 0u) << op.messages[0];
    EXPECT_EQ(!WorkFile().empty(), file);
    ExpectLinkAsBefore();
  }

  BreakingOperator op;
  LinkSettingsRecord saved;
};

TEST_P(ReadoutLink, PassReadAtTheReadoutSpeedAndTheLinkRestored) {
  Script({Pass(3)});
  std::vector<std::pair<uint32_t, uint8_t>> during;
  op.on_tick = [&](ModalWait&, int) {
    during.push_back({LinkSettings.Speed, LinkSettings.XonXoff});
  };
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  RunReadoutPasses(session, 57600);
  session.Finish();
  EXPECT_TRUE(session.success());
  EXPECT_EQ(session.passes(), 1);
  EXPECT_EQ(op.messages, std::vector<std::string>{});
  ASSERT_FALSE(during.empty());
  if (!Tcp()) {
    EXPECT_EQ(during[0], (std::pair<uint32_t, uint8_t>{57600, 0}));
  } else {
    EXPECT_EQ(during[0], (std::pair<uint32_t, uint8_t>{9600, 1})) << "TCP/IP has no port to set";
  }
  ExpectLinkAsBefore();

  // The text equals what the report makes of the same stream held in memory.
  BufferRecordLink memory(Pass(3));
  StringSink text;
  ReadPeriodicReport(memory, ReadoutModel{}, ByNumbers().report, text, "09-12-2026");
  EXPECT_EQ(WorkFile(), text.text);

  // Status ENQ, the head's ENQ, one after every record but the closing one, then CAN.
  ASSERT_TRUE(printer->WaitReceived(1 + 1 + 13 + 1));
  const std::string sent = printer->Received();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), kEnqByte), 1 + 1 + 13);
  EXPECT_EQ(sent.back(), kCanByte);
  EXPECT_EQ(session.reportFileName(), "VANTEL_ABC12345678_Nr_1_3.txt");
}

TEST_P(ReadoutLink, TwoCurrenciesTwoPassesEachAfterItsStatusCheck) {
  Script({Pass(2, "PLN", 1), Pass(2, "EUR", 0, 0, 3)});
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  RunReadoutPasses(session, 57600);
  session.Finish();
  EXPECT_TRUE(session.success());
  EXPECT_EQ(session.passes(), 2);
  const std::vector<std::string> lines = test::ReportLines(WorkFile());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t\t"), 5);
  EXPECT_EQ(session.reportFileName(), "VANTEL_ABC12345678_Nr_1_4.txt");
  const std::string sent = ReceivedWithCans(2);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), kCanByte), 2);
  ExpectLinkAsBefore();
}

TEST_P(ReadoutLink, FailuresEndTheLoopAndRestoreTheLink) {
  ExpectFailure({Pass(2, "PLN", 0, 1)}, kReady, "Wystąpił błąd trasmisji.", 1, true);
}

TEST_P(ReadoutLink, FailureInTheSecondCurrencyIsNoSuccess) {
  ExpectFailure({Pass(1, "PLN", 1), Pass(1, "EUR", 0, -1, 2)}, kReady, "Wystąpił błąd trasmisji.",
                2, true);
}

TEST_P(ReadoutLink, SecondCurrencyRefusedLeavesTheReadoutIncomplete) {
  // The first currency is whole, but the report the operator asked for is not.
  ExpectFailure({Pass(1, "PLN", 1)}, kReady, "Wystąpił bład nr: 7: ", 1, true);
}

TEST_P(ReadoutLink, PrinterThatRefusesTheCommandSendsNothing) {
  ExpectFailure({Pass(1)}, 0x60, "Wystąpił bład nr: 7: ", 0, false);
}

TEST_P(ReadoutLink, AbortDuringAByteWaitEndsThePassQuietly) {
  // The printer sends the head and then falls silent; only "&Przerwij" ends the wait.
  const std::vector<std::string> records = Records(Pass(3));
  printer->On(std::string(1, kEnqByte), std::string(1, char(kReady)), 0, 1);
  size_t headBytes = 0;
  for (size_t i = 0; i < 9; ++i) {
    printer->On(std::string(1, kEnqByte), records[i], 0, 1);
    headBytes += records[i].size();
  }
  op.abortAfterEvents = int(headBytes) + 5;
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  RunReadoutPasses(session, 57600);
  session.Finish();
  EXPECT_FALSE(session.success());
  EXPECT_EQ(session.passes(), 1);
  EXPECT_TRUE(op.messages.empty());
  EXPECT_EQ(op.events, int(headBytes) + 5) << "the message loop ran during the byte waits";
  EXPECT_EQ(ReceivedWithCans(1).back(), kCanByte);
  EXPECT_EQ(WorkFile().substr(WorkFile().size() - 5), "\t\t\t\r\n");
  ExpectLinkAsBefore();
}

using ReadoutOverLink = test::LinkTest;

TEST_F(ReadoutOverLink, TcpStatusWithoutBitsFiveAndSixReadsNothing) {
  UseTcp();
  printer->On(std::string(1, kEnqByte), std::string(1, char(0x24)), 0, 1);
  for (const std::string& record : Records(Pass(1))) {
    printer->On(std::string(1, kEnqByte), record, 0, 1);
  }
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  RunReadoutPasses(session, 57600);
  session.Finish();
  EXPECT_EQ(session.passes(), 0);
  EXPECT_FALSE(session.success());
  EXPECT_TRUE(seams.op.waits.empty()) << "no download dialog";
  EXPECT_TRUE(test::TempDir::Read(dir.File(kReadoutWorkFile)).empty());
}

TEST_F(ReadoutOverLink, PortThatDoesNotOpenAtTheReadoutSpeedIsRestored) {
  UsePty();
  printer->On(std::string(1, kEnqByte), std::string(1, char(kReady)), 0, 1);
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  // A speed the device refuses.
  RunReadoutPasses(session, 0);
  session.Finish();
  EXPECT_FALSE(session.success());
  EXPECT_TRUE(seams.op.waits.empty());
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Nie mogę otworzyć portu COM1 z takimi ustawieniami."});
  EXPECT_EQ(LinkSettings.PortNumber, 1);
  EXPECT_TRUE(SerialHandle().IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Links, ReadoutLink, testing::Bool(), test::LinkName);

}  // namespace
}  // namespace kelm
