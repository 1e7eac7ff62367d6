// The picture runs' reactions to a printer that refuses or stays silent, against a scripted
// printer on a pseudo-terminal: the frames on the line, the questions asked and the messages.
#include <gtest/gtest.h>

#include "graphics/picture_runs.h"
#include "graphics/raster.h"
#include "link/link_fixture.h"
#include "protocol/clock.h"

namespace kelm {
namespace {

class PictureRunsScripted : public test::LinkTest {
 protected:
  void SetUp() override { UsePty(); }
  size_t Count(const std::string& what) {
    const std::string got = printer->Received();
    size_t n = 0;
    for (size_t at = got.find(what); at != std::string::npos; at = got.find(what, at + 1)) ++n;
    return n;
  }
};

TEST_F(PictureRunsScripted, ARefusedPartEndsTheUploadWithThePrintersError) {
  printer->On("P255;1;", "\x61");
  printer->AnswerStatus(0x65, 0x74, 165);
  std::vector<int> progress;
  EXPECT_EQ(UploadSlot(2, std::string(1536, '\0'), [&](int p) { progress.push_back(p); }),
            PictureRun::kPrinterError);
  EXPECT_EQ(progress, (std::vector<int>{0, 0}));
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Wystąpił bład nr: 165: Zmiana grafik raz na raport dobowy."});
  EXPECT_EQ(Count("P255;"), 2u);
}

TEST_F(PictureRunsScripted, ASilentPartIsReportedAsNoAnswer) {
  // Part 0 (all white) ends in zeros, ESC "\" and ENQ: that one goes unanswered.
  printer->On(std::string(16, '0') + "\x1B\\\x05", "");
  printer->AnswerStatus(0x65);
  seams.op.abort_after_ticks = 3;
  EXPECT_EQ(UploadSlot(0, std::string(1536, '\0')), PictureRun::kNoAnswer);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Brak odpowiedzi drukarki!"});
}

TEST_F(PictureRunsScripted, TheFooterLeavesItsLastRowUnaskedAndAHeaderErrorStops) {
  printer->AnswerStatus(0x65);
  const std::vector<std::string> rows(16, std::string(52, '\0'));
  HeaderSend footer;
  footer.footer = true;
  ASSERT_EQ(SendHeaderRows(rows, footer), PictureRun::kDone);
  ASSERT_TRUE(printer->WaitQuiet());
  EXPECT_EQ(Count("P251;"), 16u);
  EXPECT_EQ(Count("\x05"), 15u);
  EXPECT_EQ(Count("P251;16;1;52;0;1$d"), 1u);

  // The printer refuses the header's third row: the run stops there, the last-row flag unsent.
  printer = std::make_unique<test::ScriptedPrinter>(test::ScriptedPrinter::Transport::kPty);
  SetComDeviceOverride(printer->device());
  ASSERT_TRUE(OpenSerialPort(1));
  // The status after the third row says the command failed.
  printer->On("\x05", "\x65", 0, 2);
  printer->On("\x05", "\x61", 0, 1);
  printer->AnswerStatus(0x65, 0x74, 4);
  seams.op.messages.clear();
  EXPECT_EQ(SendHeaderRows(rows, {}), PictureRun::kPrinterError);
  ASSERT_TRUE(printer->WaitQuiet());
  EXPECT_EQ(Count("P251;"), 3u);
  EXPECT_EQ(seams.op.messages.size(), 1u);
}

TEST_F(PictureRunsScripted, ReadBackKeepsXonAndXoffBytesOfThePicture) {
  // The read-back waits for the printer in real time.
  SystemClock real_clock;
  InstallClock(&real_clock);
  // A raster full of the flow-control characters, on a port set up with Xon/Xoff.
  std::string display(1536, '\x11');
  for (size_t i = 0; i < display.size(); i += 3) display[i] = '\x13';
  CloseSerialPort();
  LinkSettings.XonXoff = 1;
  ASSERT_TRUE(OpenSerialPort(1));
  printer->On("\x1BP252;4;0;$d\x1B\\\x05", display + "\x65");
  std::string raster;
  ASSERT_EQ(ReadSlot(4, &raster), PictureRun::kDone);
  EXPECT_EQ(raster, DisplayToFile(display, 192));
  EXPECT_EQ(LinkSettings.XonXoff, 1);
  EXPECT_TRUE(SerialHandle().IsOpen());

  // Uploaded unchanged, it goes out as the very bytes the printer returned, in hexadecimal.
  printer->AnswerStatus(0x65);
  ASSERT_EQ(UploadSlot(6, raster), PictureRun::kDone);
  ASSERT_TRUE(printer->WaitQuiet());
  const std::string sent = printer->Received();
  std::string characters;
  for (int k = 0; k < 8; ++k) {
    const std::string head = "\x1BP255;" + std::to_string(k) + ";6$d";
    const size_t at = sent.find(head);
    ASSERT_NE(at, std::string::npos) << k;
    characters += sent.substr(at + head.size(), 384);
  }
  EXPECT_EQ(characters, HexEncode(display));
  seams.op.messages.clear();

  // Nothing more than the status byte: no picture in that slot.
  printer->On("\x1BP252;5;0;$d\x1B\\\x05", "\x65");
  EXPECT_EQ(ReadSlot(5, &raster), PictureRun::kNoPicture);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Brak zaprogramowanej grafiki lub błąd komunikacji"});
}

}  // namespace
}  // namespace kelm
