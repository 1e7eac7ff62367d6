// The "$1" coding command from the two coding dialogs, against a scripted printer.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/letter_coding.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

class CodingTest : public ::testing::Test {
 protected:
  void Connect() {
    printer = std::make_unique<test::ScriptedPrinter>(test::ScriptedPrinter::Transport::kPty);
    printer->AnswerStatus(0x04 | 0x01);
    SetComDeviceOverride(printer->device());
    LinkSettings.PortNumber = 1;
    ASSERT_TRUE(OpenSerialPort(1));
  }
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::ScriptedPrinter> printer;
};

TEST_F(CodingTest, CommandCarriesTheIndexAndItsCheckValueThenTheStatusQuery) {
  Connect();
  EXPECT_EQ(SendLetterCoding(1), 0);
  EXPECT_EQ(LinkSettings.LetterCoding, 1);
  ASSERT_TRUE(printer->WaitReceived(10));
  EXPECT_EQ(printer->Received().substr(0, 10), "\x1bP1$1DB\x1b\\\x05");
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(CodingTest, WithoutALinkTheChoiceIsKeptAndTheDialogStays) {
  EXPECT_EQ(SendLetterCoding(2), 1);
  EXPECT_EQ(LinkSettings.LetterCoding, 2);
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0], "Nie wybrano portu komunikacyjnego.");
}

TEST_F(CodingTest, OnlyFamilyTwoIsToldByCommand) {
  Connect();
  LinkSettings.ModelFamily = 0;
  EXPECT_EQ(ChooseLetterCoding(1), 0);
  EXPECT_EQ(LinkSettings.LetterCoding, 1);
  EXPECT_FALSE(printer->WaitReceived(1, 200));
  LinkSettings.ModelFamily = 2;
  EXPECT_EQ(ChooseLetterCoding(0), 0);
  ASSERT_TRUE(printer->WaitReceived(9));
  EXPECT_EQ(printer->Received().substr(0, 9), "\x1bP0$1DA\x1b\\");
}

}  // namespace
}  // namespace kelm
