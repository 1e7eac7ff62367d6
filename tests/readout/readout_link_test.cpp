// The readout over a real link: a scripted printer on a pseudo-terminal and on loopback TCP
// answers the status check and then one record per ENQ; the port runs at the readout speed only
// during a pass and comes back as it was, whatever happens.
#include "readout/readout_link.h"
#include "readout/readout_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/link_fixture.h"
#include "link/reception.h"
#include "readout/stream.h"

namespace kelm {
namespace {

ReadoutRequest ByNumbers(unsigned long speed = 57600) {
  ReadoutFields f;
  f.mode = ReadoutMode::kByNumbers;
  f.first_number = "1";
  f.last_number = "9";
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
    engine = dynamic_cast<DownloadEngine*>(&wait);
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
      for (const std::string& record : test::SplitRecords(pass)) {
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
  Script({test::Pass(3)});
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
  BufferRecordLink memory(test::Pass(3));
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
  Script({test::Pass(2, "PLN", 1), test::Pass(2, "EUR", 0, 0, 3)});
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
  ExpectFailure({test::Pass(2, "PLN", 0, 1)}, kReady, "Wystąpił błąd trasmisji.", 1, true);
}

TEST_P(ReadoutLink, FailureInTheSecondCurrencyIsNoSuccess) {
  ExpectFailure({test::Pass(1, "PLN", 1), test::Pass(1, "EUR", 0, -1, 2)}, kReady,
                "Wystąpił błąd trasmisji.", 2, true);
}

TEST_P(ReadoutLink, SecondCurrencyRefusedLeavesTheReadoutIncomplete) {
  // The first currency is whole, but the report the operator asked for is not.
  ExpectFailure({test::Pass(1, "PLN", 1)}, kReady, "Wystąpił bład nr: 7: ", 1, true);
}

TEST_P(ReadoutLink, PrinterThatRefusesTheCommandSendsNothing) {
  ExpectFailure({test::Pass(1)}, 0x60, "Wystąpił bład nr: 7: ", 0, false);
}

TEST_P(ReadoutLink, AbortDuringAByteWaitEndsThePassQuietly) {
  // The printer sends the head and then falls silent; only "&Przerwij" ends the wait.
  const std::vector<std::string> records = test::SplitRecords(test::Pass(3));
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

// The Read button as a whole: type query, "#o" frame, passes, and what the end dialog gets.
class ReadButton : public ReadoutLink {
 protected:
  void SetUp() override {
    ReadoutLink::SetUp();
    printer->On("\x1bP1#v\x1b\\", "\x1bP1#RKELM VANTEL 57T/2.00\x1b\\");
  }
  static ReadoutFields Numbers(const char* first, const char* last) {
    ReadoutFields f;
    f.mode = ReadoutMode::kByNumbers;
    f.first_number = first;
    f.last_number = last;
    f.speed = 57600;
    return f;
  }
};

TEST_P(ReadButton, ReadsIntoTheWorkFileAndNamesTheReport) {
  Script({test::Pass(3)});
  const ReadoutOutcome outcome = ReadPeriodicReportToFile(Numbers("1", "3"));
  EXPECT_EQ(outcome.end, ReadoutEnd::kShowEndDialog);
  EXPECT_EQ(op.messages, std::vector<std::string>{});
  EXPECT_EQ(outcome.file_name, "VANTEL_ABC12345678_Nr_1_3.txt");
  EXPECT_EQ(outcome.title,
            "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr 1 "
            "do nr 3.");
  EXPECT_NE(printer->Received().find("\x1bP4;0;0;0;0;0;0;128#o1/3/\r\r57600/"), std::string::npos);
  EXPECT_FALSE(WorkFile().empty());
  ExpectLinkAsBefore();
}

TEST_P(ReadButton, SeveralCurrenciesAreAnnouncedBeforeTheEndDialog) {
  Script({test::Pass(1, "PLN", 1), test::Pass(1, "EUR", 1, 0, 2), test::Pass(1, "USD", 0, 0, 3)});
  const ReadoutOutcome outcome = ReadPeriodicReportToFile(Numbers("1", "3"));
  EXPECT_EQ(outcome.end, ReadoutEnd::kShowEndDialog);
  EXPECT_EQ(op.messages,
            std::vector<std::string>{
                "W zadanym zakresie znajdują się raporty dobowe zapisane dla różnej waluty "
                "ewidencyjnej.\r\nDlatego zostaną wypisane 3 raporty okresowe, oddzielnie dla "
                "każdej waluty."});
}

TEST_P(ReadButton, WhatEndsTheReadoutBeforeTheEndDialog) {
  struct Row {
    const char* name;
    int family;
    ReadoutFields fields;
    ReadoutEnd end;
    const char* message;
    bool frameSent;
  };
  ReadoutFields year1979;
  year1979.mode = ReadoutMode::kMonthly;
  year1979.month = "12-1979";
  ReadoutFields lastYear2080;
  lastYear2080.mode = ReadoutMode::kByDates;
  lastYear2080.first_date = "01-12-2026";
  lastYear2080.last_date = "01-01-2080";
  const Row rows[] = {
      {"family 1", 1, Numbers("1", "3"), ReadoutEnd::kClose,
       "Ta funkcja jest niedostępna dla tego modelu drukarki fiskalnej.", false},
      {"month in 1979", 2, year1979, ReadoutEnd::kStayOpen, "     Data spoza zakresu     ", false},
      {"last date in 2080", 2, lastYear2080, ReadoutEnd::kStayOpen, "    Data spoza zakresu     ",
       false},
      {"closing total off by one", 2, Numbers("1", "3"), ReadoutEnd::kClose,
       "Wystąpił błąd trasmisji.", true},
  };
  Script({test::Pass(2, "PLN", 0, 1)});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    op.messages.clear();
    LinkSettings.ModelFamily = uint8_t(row.family);
    const ReadoutOutcome outcome = ReadPeriodicReportToFile(row.fields);
    EXPECT_EQ(outcome.end, row.end);
    EXPECT_EQ(op.messages, std::vector<std::string>{row.message});
    EXPECT_EQ(printer->Received().find("#o") != std::string::npos, row.frameSent);
  }
}

INSTANTIATE_TEST_SUITE_P(Links, ReadButton, testing::Bool(), test::LinkName);

using ReadoutOverLink = test::LinkTest;

TEST_F(ReadoutOverLink, TcpStatusWithoutBitsFiveAndSixReadsNothing) {
  UseTcp();
  printer->On(std::string(1, kEnqByte), std::string(1, char(0x24)), 0, 1);
  for (const std::string& record : test::SplitRecords(test::Pass(1))) {
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
