// The state file: everything worth keeping survives a save and a load; damage is survived.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

TEST(StateFile, RoundTripKeepsTheFiscalMemoryAndSettings) {
  Bench b("salvo");
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lX\r1\rA/2.50/2.50/"), 0);
  ASSERT_EQ(b.Run("1$e\r2.50/2.50/"), 0);
  ASSERT_EQ(b.Run("0#r"), 0);
  ASSERT_EQ(b.Run("2$1"), 0);
  ASSERT_EQ(b.Run("0$fNowy\n\xFF"), 0);
  ASSERT_EQ(b.Run("253;0$d"), 0);
  for (int k = 0; k < 8; ++k)
    b.Send("\x1BP255;" + std::to_string(k) + ";0$d" + std::string(384, 'A') + "\x1B\\");
  ASSERT_EQ(b.Run("254;3;4;2;6;0$d"), 0);  // the mode of a slot without a picture

  PrinterState copy;
  ASSERT_TRUE(ParseState(SerializeState(b.printer.state()), &copy));
  EXPECT_EQ(SerializeState(copy), SerializeState(b.printer.state()));
  ASSERT_EQ(copy.fiscal_memory.size(), 1u);
  EXPECT_EQ(copy.fiscal_memory[0].sales[0], 250);
  EXPECT_EQ(copy.fiscal_memory[0].when.day, 5);
  EXPECT_EQ(copy.options.coding, 2);
  EXPECT_EQ(copy.header, "Nowy\n");
  EXPECT_EQ(copy.model, "salvo");
  EXPECT_EQ(copy.slots[0].raster, std::string(1536, '\xAA'));
  EXPECT_FALSE(copy.slots[6].present);
  EXPECT_EQ(copy.slots[6].mode, 3);
  EXPECT_EQ(copy.slots[6].step, 4);
  EXPECT_EQ(copy.cash, 250);
}

TEST(StateFile, SavedAtomicallyAndDamagedLinesSkipped) {
  char dir[] = "/tmp/kelmemu-state-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/printer.state";
  PrinterState s;
  s.cash = 12345;
  ASSERT_TRUE(SaveStateFile(path, s));
  EXPECT_NE(access((path + ".tmp").c_str(), F_OK), 0);
  PrinterState loaded;
  ASSERT_TRUE(LoadStateFile(path, &loaded));
  EXPECT_EQ(loaded.cash, 12345);

  {
    std::ofstream f(path, std::ios::app);
    f << "report 1 garbage\nslot 99 0 0 0 0 x00\nheader xZZ\ncash\n";
  }
  ASSERT_TRUE(LoadStateFile(path, &loaded));
  EXPECT_TRUE(loaded.fiscal_memory.empty());
  EXPECT_EQ(loaded.cash, 12345);
  EXPECT_FALSE(LoadStateFile(path + ".missing", &loaded));
  EXPECT_FALSE(ParseState("not a state file\n", &loaded));
  unlink(path.c_str());
  rmdir(dir);
}

}  // namespace
}  // namespace kelm::emu::test
