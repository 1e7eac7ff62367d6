// CheckLastCommand and friends, and the shared send step, against a scripted printer.
#include <chrono>
#include <cstring>
#include <thread>

#include "link/command_execution.h"
#include "link/link_fixture.h"
#include "link/reception.h"
#include "protocol/error_table.h"
#include "protocol/field_texts.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

class CommandExecution : public LinkTest {
 protected:
  void SetUp() override {
    UsePty();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
};

TEST_F(CommandExecution, ExecutedCommandNeverAsksForTheErrorNumber) {
  printer->AnswerStatus(0x0C, 0x74, 3);
  EXPECT_EQ(CheckLastCommand(), kCommandExecuted);
  EXPECT_EQ(printer->Received(), "\x05");
  EXPECT_EQ(seams.op.beeps, 0);
}

TEST_F(CommandExecution, PrinterErrorIsReadAndShown) {
  printer->AnswerStatus(0x08, 0x74, 3);
  EXPECT_EQ(CheckLastCommand(), kCommandPrinterError);
  EXPECT_EQ(printer->Received(), "\x05\x1bP0#n\x1b\\");
  EXPECT_EQ(LastErrorNumber, 3);
  EXPECT_EQ(seams.op.beeps, 1);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Wystąpił bład nr: 3: Zła ilość parametrów."});
}

struct ShownError {
  int number;
  const char* message;
};

TEST_F(CommandExecution, ErrorNumbersAsShown) {
  const ShownError cases[] = {
      {255, "Wystąpił bład nr: 0: Rozkaz nierozpoznany."},
      {60, "Wystąpił bład nr: 60: "},
      {165, "Wystąpił bład nr: 165: Zmiana grafik raz na raport dobowy."},
      {300, "Wystąpił bład nr: 300: "},
  };
  for (const ShownError& c : cases) {
    ScriptedPrinter p(ScriptedPrinter::Transport::kPty);
    SetComDeviceOverride(p.device());
    ASSERT_TRUE(OpenSerialPort(1));
    p.AnswerStatus(0x00, 0x74, c.number);
    seams.op.messages.clear();
    EXPECT_EQ(CheckLastCommand(), kCommandPrinterError) << c.number;
    EXPECT_EQ(seams.op.messages, std::vector<std::string>{c.message});
  }
}

TEST_F(CommandExecution, ErrorNumberZeroIsNoError) {
  printer->AnswerStatus(0x08, 0x74, 0);
  EXPECT_EQ(CheckLastCommand(), kCommandExecuted);
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(CommandExecution, CancelledStatusGivesNoStatus) {
  seams.op.abort_after_ticks = 3;
  EXPECT_EQ(CheckLastCommand(), kCommandNoStatus);
}

TEST_F(CommandExecution, CancelledErrorQueryCountsAsExecuted) {
  printer->On("\x05", "\x08");
  seams.op.abort_after_ticks = 3;
  EXPECT_EQ(CheckLastCommand(), kCommandExecuted);
  EXPECT_EQ(LastErrorNumber, -1);
}

TEST_F(CommandExecution, NoLinkGivesNoStatusWithoutMessage) {
  CloseSerialPort();
  LinkSettings.PortNumber = kNoPort;
  EXPECT_EQ(CheckLastCommand(), kCommandNoStatus);
  EXPECT_TRUE(seams.op.messages.empty());
  ReadLastErrorCode();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
}

TEST_F(CommandExecution, NoPurgeVariantKeepsBytesAfterTheStatus) {
  InstallClock(nullptr);
  printer->On("\x05",
              "\x0C"
              "AB");
  EXPECT_EQ(CheckLastCommandNoPurge(), kCommandExecuted);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  char rest[8] = {};
  EXPECT_EQ(ReadBytes(rest, 2), 2u);
  EXPECT_STREQ(rest, "AB");
}

TEST_F(CommandExecution, ReadStatusNumberTakesTheNumberBeforeTheHash) {
  printer->Send("\x1bP17#X\x1b\\");
  EXPECT_EQ(ReadStatusNumber(), 0);
  EXPECT_EQ(LastErrorNumber, 17);
  seams.op.abort_after_ticks = 2;
  EXPECT_NE(ReadStatusNumber(), 0);
  EXPECT_EQ(LastErrorNumber, -1);
}

struct ParseCase {
  const char* answer;
  int error_number;
  int status_number;
};

TEST(AnswerNumbers, ParsedFromUntrustedAnswers) {
  const ParseCase cases[] = {
      {"\x1bP1#E12\x1b\\", 12, 1},
      {"\x1bP1;E5#E7\x1b\\", 7, 1},  // the last "E" counts
      {"\x1bP1#X\x1b\\", -1, 1},     // no "E"
      {"\x1bP1#E\x1b\\", -1, 1},     // no digits
      {"\x1bPE", -1, -1},
      {"", -1, -1},
      {"E", -1, -1},
      {"\x1bP#E99999999999999\x1b\\", 999999999, -1},  // cut, never overflowing
      {"\x1bP42", -1, 42},                             // no "#": up to the end
      {"\x1b", -1, -1},
  };
  for (const ParseCase& c : cases) {
    char buffer[kFrameBufferSize] = {};
    std::strcpy(buffer, c.answer);
    EXPECT_EQ(ErrorNumberFromAnswer(buffer, sizeof buffer), c.error_number) << c.answer;
    EXPECT_EQ(StatusNumberFromAnswer(buffer, sizeof buffer), c.status_number) << c.answer;
  }
  // A buffer full to the last byte with no terminator is read only within its bounds.
  char full[16];
  std::memset(full, '7', sizeof full);
  full[0] = 'E';
  EXPECT_EQ(ErrorNumberFromAnswer(full, 1), -1);
  EXPECT_EQ(StatusNumberFromAnswer(full, sizeof full), 777777777);
}

TEST_F(CommandExecution, RunCommandSendsTheCheckedFrameAndChecksIt) {
  printer->AnswerStatus(0x0C);
  SetFieldText(0, std::string(60, 'n'));
  const std::string field(FieldTexts[0]);
  EXPECT_EQ(field.size(), 49u);
  EXPECT_EQ(RunCommand({}, "%cP1#v%sxx%c%c", 27, FieldTexts[0], 27, 92), kCommandExecuted);
  std::string frame = "\x1bP1#v" + field + "xx\x1b\\";
  ApplyChecksum(frame.data(), frame.size() + 1);
  ASSERT_TRUE(printer->WaitReceived(frame.size() + 1));
  EXPECT_EQ(printer->Received(), frame + "\x05");
  EXPECT_EQ(std::string(CommandFrame), frame);  // the raw panel shows the command, not the ENQ
}

TEST_F(CommandExecution, RunCommandConvertsLettersAndReceivesAnswer) {
  LinkSettings.LetterCoding = 0;  // MAZOVIA
  printer->On("#v", "\x1bP1#X\x1b\\");
  const int result = RunCommand({AfterSend::kReceiveAnswer, true}, "%cP1#v\xb9xx%c%c", 27, 27, 92);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(AnswerBuffer, "\x1bP1#X\x1b\\");
  const std::string sent = printer->Received();
  EXPECT_EQ(static_cast<uint8_t>(sent[5]), 0x86);  // "ą" in MAZOVIA
}

TEST_F(CommandExecution, RunCommandThatCannotBeSentLeavesTheDialogOpen) {
  CloseSerialPort();
  LinkSettings.PortNumber = kNoPort;
  EXPECT_EQ(RunCommand({AfterSend::kNothing}, "%cP1#v%c%c", 27, 27, 92), kCommandNoLink);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie wybrano portu komunikacyjnego."});
}

}  // namespace
}  // namespace kelm::test
