// The traffic window's rows without the window: a frame the line cuts in two is one row, the
// oldest rows give way past the limit, and the saved text keeps every byte of what is kept.
#include "catalogue/traffic_view.h"

#include <gtest/gtest.h>

namespace kelm {
namespace {

TEST(TrafficView, RowsFromBlocksAndTheirText) {
  TrafficView view(3);
  view.Append(true, "\x1bP0#c", 1000);
  view.Append(true, "xx\x1b\\", 1001);  // the rest of the same frame
  view.Append(true, "\x05", 3723004);
  view.Append(false, "\x65", 3723005);
  ASSERT_EQ(view.Rows().size(), 3u);
  EXPECT_EQ(view.Rows()[0].raw, "\x1bP0#cxx\x1b\\");
  EXPECT_EQ(view.Rows()[0].time_ms, 1001u);
  EXPECT_TRUE(view.Rows()[0].check_wrong);
  EXPECT_FALSE(view.Rows()[2].sent);
  EXPECT_EQ(view.Dropped(), 0u);

  view.Append(true, "\x10", 3723006);
  EXPECT_EQ(view.Rows().size(), 3u);
  EXPECT_EQ(view.Added(), 4u);
  EXPECT_EQ(view.Dropped(), 1u);
  const std::string text = view.Text();
  EXPECT_EQ(text.rfind("(pominięto 1 najstarszych pozycji)\n01:02:03.004  wysłane  ", 0), 0u)
      << text;
  EXPECT_NE(text.find("01:02:03.005  odebrane  "), std::string::npos);
  EXPECT_NE(text.find("              hex: 65\n"), std::string::npos);
  EXPECT_NE(text.find("              hex: 10\n"), std::string::npos);

  view.Clear();
  EXPECT_TRUE(view.Rows().empty());
  EXPECT_EQ(view.Text(), "");
}

}  // namespace
}  // namespace kelm
