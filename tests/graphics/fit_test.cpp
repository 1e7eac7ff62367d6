// Loaded pictures brought to the printer's sizes.
#include <gtest/gtest.h>

#include "graphics/picture_fit.h"

namespace kelm {
namespace {

MonoPicture Corners(int width, int height) {
  MonoPicture p = MonoPicture::White(width, height);
  p.Set(0, 0, true);
  p.Set(width - 1, height - 1, true);
  return p;
}

TEST(PictureFit, SlotPicturesAreStretchedWhenTallElseCutOrPadded) {
  struct Row {
    int width, height;
    bool wrong;
    // Where the loaded picture's bottom-right corner lands (-1: cut off).
    int corner_x, corner_y;
  } rows[] = {
      {192, 64, false, 191, 63},
      {200, 100, true, 191, 63},  // stretched: the whole picture fills 192 x 64
      {100, 50, true, 99, 49},    // padded, not stretched
      {300, 64, true, -1, -1},    // cut on the right
      {128, 64, true, 127, 63},
  };
  for (const Row& r : rows) {
    bool wrong = false;
    const MonoPicture fitted = FitToScreen(Corners(r.width, r.height), 192, 64, &wrong);
    EXPECT_EQ(wrong, r.wrong) << r.width << "x" << r.height;
    ASSERT_EQ(fitted.width, 192);
    ASSERT_EQ(fitted.height, 64);
    EXPECT_TRUE(fitted.Black(0, 0));
    int black = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 192; ++x) black += fitted.Black(x, y);
    EXPECT_EQ(black, r.corner_x < 0 ? 1 : 2) << r.width << "x" << r.height;
    if (r.corner_x >= 0) EXPECT_TRUE(fitted.Black(r.corner_x, r.corner_y)) << r.width;
  }
  EXPECT_EQ(WrongSizeMessage(200, 100), "Niewłaściwa grafika. Ma rozmiar 200/100.");
}

TEST(PictureFit, HeaderPicturesTo416Dots) {
  struct Row {
    int width, height;
    bool colour;
    int rows, width_bytes, source_height;
    bool converted;
  } rows[] = {
      {416, 90, false, 96, 52, 90, false}, {416, 96, false, 96, 52, 96, false},
      {200, 50, false, 56, 25, 50, true},  {500, 120, false, 96, 52, 96, true},
      {420, 40, false, 40, 52, 40, true},  {100, 20, true, 96, 52, 96, true},
  };
  for (const Row& r : rows) {
    const HeaderPicture h = PrepareHeaderPicture(Corners(r.width, r.height), r.colour);
    EXPECT_EQ(h.rows, r.rows) << r.width << "x" << r.height;
    EXPECT_EQ(h.width_bytes, r.width_bytes) << r.width << "x" << r.height;
    EXPECT_EQ(h.source.width, 416);
    EXPECT_EQ(h.source.height, r.source_height) << r.width << "x" << r.height;
    EXPECT_EQ(h.converted, r.converted) << r.width << "x" << r.height;
  }
}

TEST(PictureFit, TheArrowsRedrawTheWorkPicture) {
  const MonoPicture source = Corners(416, 90);
  HeaderPlacement p;
  p.Reset(416, 90);
  EXPECT_EQ(DrawHeaderWork(source, p), source);
  // Shifted right by 8 dots: the right corner falls off, the left one moves.
  p.Click(HeaderArrow::kShiftHorizontal, true);
  p.Click(HeaderArrow::kShiftHorizontal, true);
  MonoPicture work = DrawHeaderWork(source, p);
  EXPECT_FALSE(work.Black(0, 0));
  EXPECT_TRUE(work.Black(8, 0));
  EXPECT_FALSE(work.Black(415, 89));
  // Shrunk proportionally by 45 on each side: a picture 326 x 0 draws nothing.
  p.Reset(416, 90);
  for (int i = 0; i < 45; ++i) p.Click(HeaderArrow::kProportional, false);
  EXPECT_EQ(DrawHeaderWork(source, p), MonoPicture::White(416, 90));
}

}  // namespace
}  // namespace kelm
