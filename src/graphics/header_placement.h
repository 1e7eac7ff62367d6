// Where the header picture lands in the 416-dot work picture: the destination and source copy
// rectangles and the five arrows that shift and scale it.
#pragma once

namespace kelm {

struct CopyRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const CopyRect&) const = default;
};

enum class HeaderArrow { kProportional, kShiftHorizontal, kShiftVertical, kWiden, kHeighten };
inline constexpr int kHeaderArrowCount = 5;

struct HeaderArrowInfo {
  const char* hint;
  int increment;
  int range;     // positions run from -range to range
  int sides[4];  // left, top, right, bottom: the sign of their change in the "up" direction
};
extern const HeaderArrowInfo kHeaderArrows[kHeaderArrowCount];

class HeaderPlacement {
 public:
  // Both rectangles the full picture, every arrow at 0 ("RESET OBRAZU" and every load).
  void Reset(int width, int height);
  // One click of an arrow, `up` (the direction listed first) or down. False when the arrow is at
  // the end of its range: nothing moves.
  bool Click(HeaderArrow arrow, bool up);

  CopyRect destination, source;
  int positions[kHeaderArrowCount] = {};
};

}  // namespace kelm
