// The transmission log files.
#include <sys/stat.h>

#include "link/link_fixture.h"
#include "link/transmission_log.h"

namespace kelm::test {
namespace {

using TransmissionLog = LinkTest;

TEST_F(TransmissionLog, SwitchingOnEmptiesBothFiles) {
  ASSERT_TRUE(ToggleTransmissionLog());
  LogSent("abc", 3);
  LogReceived("de", 2);
  EXPECT_FALSE(ToggleTransmissionLog());
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "abc");
  EXPECT_EQ(TempDir::Read(dir.File("DaneWe.bin")), "de");
  LogSent("lost", 4);  // off: nothing is written
  ASSERT_TRUE(ToggleTransmissionLog());
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "");
  EXPECT_EQ(TempDir::Read(dir.File("DaneWe.bin")), "");
}

TEST_F(TransmissionLog, FileThatCannotBeCreatedLeavesTheLogOff) {
  mkdir(dir.File("DaneWe.bin").c_str(), 0755);  // a folder in the way
  EXPECT_FALSE(ToggleTransmissionLog());
  EXPECT_FALSE(TransmissionLogOn());
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie mogę utworzyć pliku."});
}

}  // namespace
}  // namespace kelm::test
