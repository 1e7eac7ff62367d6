// The picture frames byte for byte, the mode frame's numbers, and the header picture's arrows.
#include <gtest/gtest.h>

#include "graphics/header_placement.h"
#include "graphics/picture_frames.h"
#include "graphics/slot_display.h"

namespace kelm {
namespace {

TEST(PictureFrames, RawFramesByteForByte) {
  const std::string hex384(384, 'A'), hex104(104, '5'), hex256(256, 'F');
  struct Row {
    const char* name;
    std::string frame;
    std::string head;  // everything before the hexadecimal data
    size_t size;
  } rows[] = {
      {"slot part", SlotPartFrame(3, 5, hex384), "\x1BP255;5;3$d", 398},
      {"slot erase", SlotEraseFrame(9), "\x1BP253;9;0$d\x1B\\", 13},
      {"slot read", SlotReadFrame(0), "\x1BP252;0;0;$d\x1B\\\x05", 15},
      {"header row", HeaderRowFrame({7, false, 52, '0', false, false}, hex104),
       "\x1BP251;07;0;52;0;0$d", 125},
      {"header last row, no confirmation", HeaderRowFrame({96, true, 25, '0', false, true}, hex104),
       "\x1BP251;96;1;25;0;0;170$d", 129},
      {"footer row", HeaderRowFrame({1, false, 52, '0', true, false}, hex104),
       "\x1BP251;01;0;52;0;1$d", 125},
      {"footer row, no confirmation", HeaderRowFrame({12, true, 52, '0', true, true}, hex104),
       "\x1BP251;12;1;52;0;1;170$d", 129},
      {"farewell part", FarewellPartFrame(7, hex256), "\x1BP248;7$d", 267},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.frame.size(), row.size) << row.name;
    EXPECT_EQ(row.frame.substr(0, row.head.size()), row.head) << row.name;
  }
  EXPECT_EQ(rows[0].frame.substr(11, 384), hex384);
  EXPECT_EQ(rows[0].frame.substr(395), "\x1B\\\x05");
  EXPECT_EQ(rows[3].frame.substr(123), "\x1B\\");
  EXPECT_EQ(rows[7].frame.substr(265), "\x1B\\");
  EXPECT_EQ(SlotDigit(10), 'A');
}

TEST(SlotDisplayMode, FrameNumbersFromTheSliders) {
  struct Row {
    SlotDisplay display;
    ModeFrameValues values;
  } rows[] = {
      {{0, 1, 1, 1}, {0, 2, 8, 1}},
      {{3, 3, 9, 4}, {3, 8, 0, 4}},  // step slider at 3 sends 8; speed slider at 9 sends 0
      {{6, 2, 0, 9}, {6, 4, 9, 9}},
  };
  for (const Row& r : rows) {
    const ModeFrameValues v = ModeValues(r.display);
    EXPECT_EQ(v.mode, r.values.mode);
    EXPECT_EQ(v.step, r.values.step);
    EXPECT_EQ(v.speed, r.values.speed);
    EXPECT_EQ(v.interval, r.values.interval);
  }
  struct Enabled {
    int mode;
    bool speed, step, interval;
  } enabled[] = {{0, false, false, false},
                 {1, true, true, false},
                 {3, true, true, true},
                 {4, true, true, true},
                 {5, true, true, false}};
  for (const Enabled& e : enabled) {
    const ModeControls c = ControlsForMode(e.mode);
    EXPECT_EQ(c.speed, e.speed) << e.mode;
    EXPECT_EQ(c.step, e.step) << e.mode;
    EXPECT_EQ(c.interval, e.interval) << e.mode;
  }
}

TEST(HeaderPlacement, ArrowsMoveTheDestinationWithinTheirRanges) {
  struct Row {
    HeaderArrow arrow;
    bool up;
    int clicks;
    CopyRect destination;
  } rows[] = {
      {HeaderArrow::kProportional, true, 2, {-2, -2, 418, 92}},
      {HeaderArrow::kProportional, false, 1, {1, 1, 415, 89}},
      {HeaderArrow::kShiftHorizontal, true, 3, {12, 0, 428, 90}},
      {HeaderArrow::kShiftVertical, true, 1, {0, -3, 416, 87}},
      {HeaderArrow::kShiftVertical, false, 2, {0, 6, 416, 96}},
      {HeaderArrow::kWiden, true, 1, {-4, 0, 420, 90}},
      {HeaderArrow::kHeighten, false, 5, {0, 5, 416, 85}},
      // The proportional arrow stops at 46 clicks.
      {HeaderArrow::kProportional, true, 60, {-46, -46, 462, 136}},
      {HeaderArrow::kShiftHorizontal, false, 200, {-380, 0, 36, 90}},
  };
  for (const Row& r : rows) {
    HeaderPlacement p;
    p.Reset(416, 90);
    for (int i = 0; i < r.clicks; ++i) p.Click(r.arrow, r.up);
    EXPECT_EQ(p.destination, r.destination) << static_cast<int>(r.arrow) << r.up << r.clicks;
    EXPECT_EQ(p.source, (CopyRect{0, 0, 416, 90}));
  }
  HeaderPlacement p;
  p.Reset(416, 90);
  p.Click(HeaderArrow::kWiden, true);
  p.Reset(416, 90);
  EXPECT_EQ(p.destination, (CopyRect{0, 0, 416, 90}));
  EXPECT_EQ(p.positions[static_cast<int>(HeaderArrow::kWiden)], 0);
}

}  // namespace
}  // namespace kelm
