// Answer reception and the status queries, over a pseudo-terminal and over loopback TCP.
#include <chrono>
#include <cstring>
#include <thread>

#include "link/link_fixture.h"
#include "link/reception.h"
#include "link/transmission_log.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

using Reception = BothLinks;

// The printer sends its answer in pieces, `gap_ms` apart.
void SendInPieces(ScriptedPrinter& printer, std::initializer_list<std::string> pieces,
                  int gap_ms = 150) {
  int delay = 0;
  for (const std::string& p : pieces) {
    printer.Send(p, delay);
    delay += gap_ms;
  }
}

// Ticks of the receiving dialog cost nothing on the fake clock; real time lets pieces arrive.
void TickInRealTime(ScriptedOperator& op) {
  op.on_tick = [](ModalWait&, int) { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };
}

TEST_P(Reception, EscAndBackslashInDifferentReadsEndTheAnswer) {
  TickInRealTime(seams.op);
  SendInPieces(*printer, {"\x1bP1#X12\x1b", "\\"});
  ReceiveAnswer();
  EXPECT_STREQ(AnswerBuffer, "\x1bP1#X12\x1b\\");
  EXPECT_EQ(AnswerReceived, 1);
  EXPECT_EQ(AnswerFailed, 0);
}

TEST_P(Reception, BareBackslashDoesNotEndTheAnswer) {
  TickInRealTime(seams.op);
  SendInPieces(*printer, {"\x1bP1#Xa\\", "b\x1b\\"});
  ReceiveAnswer();
  EXPECT_STREQ(AnswerBuffer, "\x1bP1#Xa\\b\x1b\\");
}

TEST_P(Reception, LongAnswerIsCutAndTheRestDrainedBeforeTheNextCommand) {
  TickInRealTime(seams.op);
  printer->Send(std::string(6000, 'A'));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ReceiveAnswer();
  const size_t length = std::strlen(AnswerBuffer);
  EXPECT_GT(length, kAnswerCut);
  EXPECT_LT(length, kFrameBufferSize);
  EXPECT_EQ(AnswerReceived, 1);
  EXPECT_EQ(PurgeInput(), 0);
  SendInPieces(*printer, {"\x1bP2#X\x1b\\"});
  ReceiveAnswer();
  EXPECT_STREQ(AnswerBuffer, "\x1bP2#X\x1b\\");
}

// An answer ends by itself once more than 4920 bytes have come: 4920 without an end keep the
// dialog waiting, one more byte ends it.
TEST_P(Reception, AnswerIsCutOnlyPastItsLimit) {
  struct Row {
    size_t length;
    bool ends;
  };
  for (const Row row : {Row{kAnswerCut, false}, Row{kAnswerCut + 1, true}}) {
    seams.op.abort_after_ticks = -1;
    seams.op.on_tick = [this](ModalWait& wait, int tick) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      // Once every byte is in, one more tick shows whether the answer ended; then "&Przerwij".
      if (static_cast<AnswerReception&>(wait).position >= kAnswerCut &&
          seams.op.abort_after_ticks < 0) {
        seams.op.abort_after_ticks = tick + 2;
      }
    };
    printer->Send(std::string(row.length, 'A'));
    ASSERT_TRUE(printer->WaitSent());
    ReceiveAnswer();
    EXPECT_EQ(std::strlen(AnswerBuffer), row.length) << row.length;
    EXPECT_EQ(AnswerReceived, row.ends ? 1 : 0) << row.length;
    EXPECT_EQ(AnswerFailed, row.ends ? 0 : 1) << row.length;
  }
}

TEST_P(Reception, CancelKeepsWhatArrivedAndLeavesTheAnswerFailed) {
  TickInRealTime(seams.op);
  printer->Send("\x1bP12");
  ASSERT_TRUE(printer->WaitSent());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  seams.op.abort_after_ticks = 20;
  ReceiveAnswer();
  EXPECT_STREQ(AnswerBuffer, "\x1bP12");
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_EQ(AnswerFailed, 1);
  EXPECT_EQ(SingleByteAnswer, 0);
}

TEST_P(Reception, StatusQueriesWithTheirBytes) {
  TickInRealTime(seams.op);
  printer->AnswerStatus(0x0C, 0x74);
  EXPECT_EQ(QueryEnqStatus(), 0);
  EXPECT_EQ(EnqStatus, 0x0C);
  EXPECT_EQ(QueryDleStatus(), 0);
  EXPECT_EQ(DleStatus, 0x74);
  EXPECT_EQ(printer->Received(), "\x05\x10");
  EXPECT_EQ(SingleByteAnswer, 0);
}

TEST_P(Reception, QuickStatusNeverOpensTheDialogAndTheNextAnswerComesWhole) {
  InstallClock(nullptr);
  printer->AnswerStatus(0x0C);
  EXPECT_EQ(QueryEnqStatus(), 0);
  EXPECT_EQ(EnqStatus, 0x0C);
  EXPECT_TRUE(seams.op.waits.empty());
  SendInPieces(*printer, {"\x1bP1#X", "99\x1b\\"}, 50);
  ReceiveAnswer();
  EXPECT_STREQ(AnswerBuffer, "\x1bP1#X99\x1b\\");
}

TEST_P(Reception, LateStatusIsTakenByTheReceivingDialog) {
  InstallClock(nullptr);
  printer->On("\x05", "\x08", 800);
  EXPECT_EQ(QueryEnqStatus(), 0);
  EXPECT_EQ(EnqStatus, 0x08);
  EXPECT_EQ(seams.op.waits, std::vector<std::string>{"TOdbieranie"});
  EXPECT_EQ(AnswerReceived, 1);
}

TEST_P(Reception, SilentPrinterCancelledGivesStatusZero) {
  InstallClock(nullptr);
  seams.op.abort_after_ticks = 5;
  EXPECT_EQ(QueryEnqStatus(), 0);
  EXPECT_EQ(EnqStatus, 0);
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_EQ(AnswerFailed, 1);
}

TEST_P(Reception, NoPurgeQueryReadsOneByteAndLeavesTheRest) {
  InstallClock(nullptr);
  printer->On("\x05", "\x0Crest");
  EXPECT_EQ(QueryEnqStatusNoPurge(), 0);
  EXPECT_EQ(EnqStatus, 0x0C);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  char rest[16] = {};
  EXPECT_EQ(ReadChunk(rest, sizeof rest - 1), 4u);
  EXPECT_STREQ(rest, "rest");
}

TEST_P(Reception, LogHoldsTheEnqByteAndTheStatusByteInOrder) {
  InstallClock(nullptr);
  printer->AnswerStatus(0x0C);
  ASSERT_TRUE(ToggleTransmissionLog());
  EXPECT_EQ(QueryEnqStatus(), 0);
  EXPECT_EQ(QueryEnqStatus(), 0);
  ToggleTransmissionLog();
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "\x05\x05");
  EXPECT_EQ(TempDir::Read(dir.File("DaneWe.bin")), "\x0C\x0C");
}

INSTANTIATE_TEST_SUITE_P(Links, Reception, ::testing::Bool(), LinkName);

class SerialReception : public LinkTest {};

TEST_F(SerialReception, CounterLabelShowsFromTwoHundredBytesWithThePreviousCount) {
  UsePty();
  TickInRealTime(seams.op);
  std::vector<std::pair<bool, std::string>> labels;
  seams.op.on_tick = [&](ModalWait& wait, int) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    auto& dialog = static_cast<AnswerReception&>(wait);
    labels.emplace_back(dialog.counter_visible, dialog.counter_text);
  };
  printer->Send(std::string(300, 'a') + "\x1b\\");
  ReceiveAnswer();
  EXPECT_EQ(std::strlen(AnswerBuffer), 302u);
  // Serial reads take at most 50 bytes, so the counter passes 200 exactly.
  bool shown_200 = false;
  for (const auto& [visible, text] : labels) {
    if (visible && text == "Pobrano bajtów:   200") shown_200 = true;
    if (text == "Pobrano bajtów:   150") {
      EXPECT_FALSE(visible);
    }
  }
  EXPECT_TRUE(shown_200);
}

TEST_F(SerialReception, ShortAnswerNeverShowsTheCounter) {
  UsePty();
  TickInRealTime(seams.op);
  bool ever_visible = false;
  seams.op.on_tick = [&](ModalWait& wait, int) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ever_visible |= static_cast<AnswerReception&>(wait).counter_visible;
  };
  printer->Send(std::string(190, 'a') + "\x1b\\");
  ReceiveAnswer();
  EXPECT_FALSE(ever_visible);
}

TEST_F(SerialReception, InputThatNeverGoesQuietFailsThePurge) {
  UsePty();
  printer->Send(std::string(8192 * 50 + 5000, 'z'));
  EXPECT_NE(PurgeInput(), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Wystąpił błąd komunikacji"});
}

TEST_F(LinkTest, StatusQueryWithoutLink) {
  EXPECT_NE(QueryEnqStatus(), 0);
  EXPECT_NE(QueryDleStatus(), 0);
  EXPECT_EQ(SingleByteAnswer, 0);
  EXPECT_EQ(seams.op.messages, (std::vector<std::string>{"Nie wybrano portu komunikacyjnego.",
                                                         "Nie wybrano portu komunikacyjnego."}));
}

TEST_F(LinkTest, ReceivingDialogFocusOnFirstTickAndCancelState) {
  UsePty();
  AnswerReception dialog;
  dialog.Begin();
  EXPECT_FALSE(dialog.focus_text_box);
  EXPECT_EQ(AnswerFailed, 1);
  EXPECT_FALSE(dialog.Tick());  // a silent printer: nothing arrives
  EXPECT_TRUE(dialog.focus_text_box);
  EXPECT_EQ(dialog.progress_position, 2);
  dialog.Abort();
  dialog.End();
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_FALSE(dialog.timer_running);
}

// With no link at all nothing can come: the dialog ends at once, as cancelled.
TEST(ReceivingDialog, EndsAtOnceWithoutALink) {
  SeamGuard seams;
  AnswerReception dialog;
  dialog.Begin();
  EXPECT_TRUE(dialog.Tick());
  dialog.End();
  EXPECT_EQ(AnswerReceived, 0);
  EXPECT_EQ(AnswerFailed, 1);
  EXPECT_TRUE(seams.op.messages.empty());
}

}  // namespace
}  // namespace kelm::test
