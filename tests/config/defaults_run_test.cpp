// The run of default values against a printer that never answers: all sixteen frames go out,
// one after the other, without waiting for anything between them.
#include <gtest/gtest.h>

#include "config/frames.h"
#include "config/options.h"
#include "link/link_fixture.h"

namespace kelm::test {
namespace {

class DefaultsRun : public BothLinks {};

TEST_P(DefaultsRun, SixteenFramesWithoutAnAnswer) {
  LinkSettings.LetterCoding = kLatin;
  EXPECT_EQ(RunDefaultValues(), 16);
  EXPECT_EQ(LinkSettings.LetterCoding, kMazovia);
  std::string expected;
  for (const ConfigFrame& f : DefaultValueFrames()) expected += f.bytes;
  ASSERT_TRUE(printer->WaitReceived(expected.size()));
  EXPECT_TRUE(printer->WaitQuiet());
  EXPECT_EQ(printer->Received(), expected);
  EXPECT_EQ(printer->Received().substr(0, 9), Framed("3#e"));
  EXPECT_TRUE(seams.op.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, DefaultsRun, ::testing::Bool(), LinkName);

}  // namespace
}  // namespace kelm::test
