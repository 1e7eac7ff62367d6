// Applying serial parameters: the choice shown for the settings, and a port that fails to open
// bringing back the old one.
#include <gtest/gtest.h>

#include <filesystem>

#include "link/printer_link.h"
#include "link/scripted_printer.h"
#include "link/serial_parameters.h"
#include "link/settings.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

TEST(SerialParameters, ChoiceShownForTheSettings) {
  LinkSettingsRecord s;
  s.PortNumber = 10;
  s.Speed = 512000;
  s.DataBits = 7;
  s.Parity = 2;
  s.StopBits = 1;
  s.RtsCts = 1;
  SerialChoice c = ChoiceFromSettings(s);
  EXPECT_EQ(c.port_item, 9);
  EXPECT_STREQ(kSpeedItems[c.speed_item], "512000");
  EXPECT_EQ(c.data_bits_item, 2);
  EXPECT_EQ(c.parity_item, 2);
  EXPECT_EQ(c.stop_bits_item, 1);
  EXPECT_TRUE(c.rts_cts);
  EXPECT_FALSE(c.xon_xoff);
  s.Speed = 12345;  // no item: the list keeps its selection
  s.PortNumber = kNoPort;
  c = ChoiceFromSettings(s);
  EXPECT_EQ(c.speed_item, -1);
  EXPECT_EQ(c.port_item, kNoPortItem);
  const SerialChoice d = DefaultSerialChoice(4);
  EXPECT_EQ(d.port_item, 4);
  EXPECT_STREQ(kSpeedItems[d.speed_item], "9600");
  EXPECT_STREQ(kParityItems[d.parity_item], "Brak ");
}

class ApplyTest : public ::testing::Test {
 protected:
  ApplyTest() {
    std::filesystem::create_directory(dir.File("dosdevices"));
    std::filesystem::create_symlink(printer.device(), dir.File("dosdevices/com2"));
    std::filesystem::create_symlink("/nonexistent/tty", dir.File("dosdevices/com5"));
    LinkSettings.PortNumber = 2;
    EXPECT_TRUE(OpenSerialPort(1));
  }
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  test::ScriptedPrinter printer{test::ScriptedPrinter::Transport::kPty};
};

TEST_F(ApplyTest, AFailedOpenRestoresTheOldPort) {
  const LinkSettingsRecord remembered = LinkSettings;
  SerialChoice c = ChoiceFromSettings(LinkSettings);
  c.port_item = 4;
  c.speed_item = 11;
  c.xon_xoff = true;
  EXPECT_FALSE(ApplySerialChoice(c, remembered));
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0], "Nie mogę otworzyć portu COM5.");
  EXPECT_EQ(LinkSettings.PortNumber, 2);
  EXPECT_EQ(LinkSettings.Speed, 9600u);
  EXPECT_EQ(LinkSettings.XonXoff, 0);
  EXPECT_TRUE(SerialHandle().IsOpen());
}

TEST_F(ApplyTest, NewValuesOrNoPort) {
  const LinkSettingsRecord remembered = LinkSettings;
  SerialChoice c = ChoiceFromSettings(LinkSettings);
  c.speed_item = 14;
  c.data_bits_item = 0;
  EXPECT_TRUE(ApplySerialChoice(c, remembered));
  EXPECT_EQ(LinkSettings.Speed, 512000u);
  EXPECT_EQ(LinkSettings.DataBits, 5);
  EXPECT_TRUE(SerialHandle().IsOpen());
  c.port_item = kNoPortItem;
  EXPECT_TRUE(ApplySerialChoice(c, remembered));
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_FALSE(SerialHandle().IsOpen());
  EXPECT_TRUE(seams.op.messages.empty());
}

}  // namespace
}  // namespace kelm
