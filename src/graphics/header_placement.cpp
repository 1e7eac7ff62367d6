// The header picture's copy rectangles and arrows.
#include "graphics/header_placement.h"

namespace kelm {

const HeaderArrowInfo kHeaderArrows[kHeaderArrowCount] = {
    {"Proporcjonalna zmiana rozmiaru grafiki", 1, 46, {-1, -1, 1, 1}},
    {"Przesów grafiki lewo/prawo", 4, 380, {1, 0, 1, 0}},
    {"Przesów grafiki góra/dół", 3, 95, {0, -1, 0, -1}},
    {"Powiększenie w poziomie", 4, 184, {-1, 0, 1, 0}},
    {"Powiększenie w pionie", 1, 46, {0, -1, 0, 1}},
};

void HeaderPlacement::Reset(int width, int height) {
  destination = source = CopyRect{0, 0, width, height};
  for (int& p : positions) p = 0;
}

bool HeaderPlacement::Click(HeaderArrow arrow, bool up) {
  const int index = static_cast<int>(arrow);
  const HeaderArrowInfo& info = kHeaderArrows[index];
  const int step = up ? info.increment : -info.increment;
  const int next = positions[index] + step;
  if (next > info.range || next < -info.range) return false;
  positions[index] = next;
  destination.left += info.sides[0] * step;
  destination.top += info.sides[1] * step;
  destination.right += info.sides[2] * step;
  destination.bottom += info.sides[3] * step;
  return true;
}

}  // namespace kelm
