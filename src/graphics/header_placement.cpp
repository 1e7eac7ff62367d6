// The header picture's copy rectangles and arrows.
#include "graphics/header_placement.h"

namespace kelm {

const HeaderArrowSpec kHeaderArrows[kHeaderArrowCount] = {
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
  const HeaderArrowSpec& spec = kHeaderArrows[index];
  const int step = up ? spec.increment : -spec.increment;
  const int next = positions[index] + step;
  if (next > spec.range || next < -spec.range) return false;
  positions[index] = next;
  destination.left += spec.sides[0] * step;
  destination.top += spec.sides[1] * step;
  destination.right += spec.sides[2] * step;
  destination.bottom += spec.sides[3] * step;
  return true;
}

}  // namespace kelm
