// Display modes of the slots.
#include "graphics/slot_display.h"

namespace kelm {

const char* const kDisplayModeTexts[kDisplayModeCount] = {
    "Statyczny",
    "Przesuwanie w prawo z zawijaniem",
    "Przesuwanie w lewo z zawijaniem",
    "Przesuwanie w prawo bez zawijania",
    "Przesuwanie w lewo bez zawijania",
    "Wyświetlanie od góry",
    "Wyświetlanie od dołu",
};

ModeFrameValues ModeValues(const SlotDisplay& d) {
  const unsigned step_position = d.step > 3 ? 3 : d.step;
  const unsigned speed_position = d.speed > 9 ? 9 : d.speed;
  return {d.mode, 1u << step_position, 9 - speed_position, d.interval};
}

ModeControls ControlsForMode(int mode) {
  ModeControls c;
  // Shifting without wrap-around pauses between passes; a static picture does not move at all.
  if (mode == 3 || mode == 4) c.interval = true;
  if (mode == 0) c.speed = c.step = false;
  return c;
}

}  // namespace kelm
