// The printer search and the coding command against the virtual printer kelmemu, started as a
// separate process on a pseudo-terminal that the program reaches as a COM port.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/letter_coding.h"
#include "link/printer_link.h"
#include "link/printer_search.h"
#include "link/settings.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

// kelmemu on a pseudo-terminal linked as `link`; stopped when the object goes.
class Kelmemu : public test::KelmemuProcess {
 public:
  Kelmemu(const std::string& link, std::vector<std::string> options)
      : KelmemuProcess(WithLink(link, std::move(options))) {}

 private:
  static std::vector<std::string> WithLink(const std::string& link,
                                           std::vector<std::string> options) {
    options.insert(options.begin(), {"--pty", "--link", link});
    return options;
  }
};

class KelmemuTest : public ::testing::Test {
 protected:
  KelmemuTest() {
    std::filesystem::create_directory(dir.File("dosdevices"));
    for (int port = 1; port <= 64; ++port) {
      if (port != 5) {
        std::filesystem::create_symlink("/nonexistent/tty",
                                        dir.File("dosdevices/com" + std::to_string(port)));
      }
    }
  }
  std::string Com5() const { return dir.File("dosdevices/com5"); }
  void Search() {
    search.Begin();
    for (int tick = 0; tick < 200 && !search.Tick(); ++tick) {
    }
  }
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  PrinterSearch search;
};

TEST_F(KelmemuTest, SearchFindsTheVirtualPrinterOnItsComNumber) {
  Kelmemu emu(Com5(), {"--model", "vantel"});
  ASSERT_TRUE(emu.Ready());
  Search();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text, "COM5 - KELM VANTEL 57T");
  search.Choose(0);
  EXPECT_EQ(LinkSettings.PortNumber, 5);
  // And the printer takes a command from the port the search chose.
  EXPECT_EQ(SendLetterCoding(2), 0);
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
}

TEST_F(KelmemuTest, SearchListsAnOffLinePrinterAsNotRecognised) {
  Kelmemu emu(Com5(), {"--offline"});
  ASSERT_TRUE(emu.Ready());
  Search();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text,
            "COM5 - Drukarka nierozpoznana ponieważ znajduje się w trybie Off-line.");
}

TEST_F(KelmemuTest, SearchInFamilyZeroFindsAnOxil) {
  LinkSettings.ModelFamily = 0;
  Kelmemu emu(Com5(), {"--model", "oxil"});
  ASSERT_TRUE(emu.Ready());
  Search();
  ASSERT_EQ(search.found.size(), 1u);
  EXPECT_EQ(search.found[0].text, "COM5 - Oxil lub Oxil Plus");
}

}  // namespace
}  // namespace kelm
