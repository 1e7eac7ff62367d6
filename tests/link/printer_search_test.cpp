// The printer search: recognition of probe answers, and whole searches over COM1..COM63 with a
// scripted printer on a real pseudo-terminal reached through the program's COM mapping.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "link/printer_link.h"
#include "link/printer_search.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

struct RecognitionCase {
  int family;
  std::string bytes;
  int result;
  std::string name;
};

const RecognitionCase kRecognition[] = {
    {2, "\x74\x1bP1#RKELM VANTEL 57T/2.01xx\x1b\\", 1, "KELM VANTEL 57T"},
    {1, "\x76\x1bP1#RKELM SALVO 3/1.00\x1b\\", 1, "KELM SALVO"},
    {2, "\x74\x1bP1#RABCDEFGHIJKLMNOPQRSTUVWXYZ/1", 1, "ABCDEFGHIJKLMNOPQRS"},
    {2, "\x74\x1bP1#RNO SLASH", 1, "NO SLASH"},
    {2, "\x70", 2, ""},
    {2, "\x74", 0, ""},            // on-line, but no answer frame
    {2, "\x70\x70", 0, ""},        // more than the status byte, and no frame
    {2, "\xF4\x1bP1#RX/", 0, ""},  // not a printer's status byte
    {2, "\x1bP1#E0\x1b\\", 0, ""},
    {0, "\x1bP1#E0\x1b\\", 2, ""},
    {0, "\x70", 0, ""},
    {0, "\x1bP1#", 0, ""},
};

TEST(PrinterSearch, RecognitionTable) {
  for (const RecognitionCase& c : kRecognition) {
    const ProbeResult r = RecognisePrinter(c.family, c.bytes.data(), c.bytes.size());
    EXPECT_EQ(r.result, c.result) << c.bytes;
    EXPECT_EQ(r.type_name, c.name) << c.bytes;
  }
}

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    // Every COM port leads nowhere, except those a test gives a printer.
    std::filesystem::create_directory(dir.File("dosdevices"));
    for (int port = 1; port <= 64; ++port) Link(port, "/nonexistent/tty");
  }
  void Link(int port, const std::string& device) {
    const std::string link = dir.File("dosdevices/com" + std::to_string(port));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(device, link);
  }
  test::ScriptedPrinter& PrinterOn(int port) {
    printer = std::make_unique<test::ScriptedPrinter>(test::ScriptedPrinter::Transport::kPty);
    Link(port, printer->device());
    return *printer;
  }
  void Run() {
    search.Begin();
    for (int tick = 0; tick < 200 && !search.Tick(); ++tick) {
    }
    ASSERT_TRUE(search.finished);
  }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::ScriptedPrinter> printer;
  PrinterSearch search;
};

const char kVantelProbe[] = "\x10\x1bP1#v\x1b\\";

TEST_F(SearchTest, FindsAnOnLinePrinterAndChoosesIt) {
  PrinterOn(3).On(kVantelProbe, "\x74\x1bP1#RKELM VANTEL 57T/2.01\x1b\\");
  LinkSettings.RtsCts = 1;
  LinkSettings.XonXoff = 1;
  Run();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text, "COM3 - KELM VANTEL 57T");
  EXPECT_EQ(search.found[0].port, 3);
  EXPECT_EQ(search.listed, 1);
  EXPECT_EQ(search.progress, PrinterSearch::kProgressMax);
  // Flow control stays off until the operator decides.
  EXPECT_EQ(LinkSettings.RtsCts, 0);
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_EQ(printer->Received(), kVantelProbe);
  search.Choose(0);
  EXPECT_EQ(LinkSettings.PortNumber, 3);
  EXPECT_EQ(LinkSettings.RtsCts, 1);
  EXPECT_EQ(LinkSettings.XonXoff, 1);
  EXPECT_TRUE(SerialHandle().IsOpen());
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(SearchTest, OffLinePrinterIsListedAsNotRecognised) {
  PrinterOn(12).On(kVantelProbe, "\x70");
  Run();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text,
            "COM12 - Drukarka nierozpoznana ponieważ znajduje się w trybie Off-line.");
}

TEST_F(SearchTest, FamilyZeroProbesWithTheErrorQuery) {
  LinkSettings.ModelFamily = 0;
  PrinterOn(1).On("\x1bP0#n\x1b\\", "\x1bP1#E0\x1b\\");
  Run();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text, "COM1 - Oxil lub Oxil Plus");
}

TEST_F(SearchTest, SilentPortFindsNothingAndLeavesNoPort) {
  PrinterOn(3);  // never answers
  LinkSettings.PortNumber = 5;
  LinkSettings.RtsCts = 1;
  Run();
  EXPECT_TRUE(search.found.empty());
  EXPECT_EQ(search.listed, 0);
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_EQ(LinkSettings.RtsCts, 1);
  EXPECT_FALSE(SerialHandle().IsOpen());
}

TEST_F(SearchTest, Port64IsNeverProbed) {
  PrinterOn(64).On(kVantelProbe, "\x74\x1bP1#RKELM VANTEL 57T/2.01\x1b\\");
  Run();
  EXPECT_TRUE(search.found.empty());
  EXPECT_TRUE(printer->Received().empty());
}

TEST_F(SearchTest, CancelBringsBackTheOldPortOpen) {
  PrinterOn(7).On(kVantelProbe, "\x74\x1bP1#RKELM VANTEL 57T/2.01\x1b\\");
  LinkSettings.PortNumber = 7;
  LinkSettings.XonXoff = 1;
  search.Begin();
  search.Tick();
  search.Tick();
  search.Cancel();
  EXPECT_EQ(LinkSettings.PortNumber, 7);
  EXPECT_EQ(LinkSettings.XonXoff, 1);
  EXPECT_TRUE(SerialHandle().IsOpen());
}

TEST_F(SearchTest, AnEndlessTalkerCannotOverrunTheAnswerBuffer) {
  // A port that keeps sending: the reading stops at the buffer's end.
  auto& p = PrinterOn(2);
  p.On(kVantelProbe, std::string(12000, 'x'), 0, 1);
  Run();
  EXPECT_TRUE(search.found.empty());
}

}  // namespace
}  // namespace kelm
