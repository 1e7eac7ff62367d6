// How a display slot's picture is shown: the mode list, the slider positions each slot keeps,
// the values the mode frame carries, and which sliders a mode uses.
#pragma once

#include <cstdint>

namespace kelm {

inline constexpr int kDisplayModeCount = 7;
extern const char* const kDisplayModeTexts[kDisplayModeCount];

// A slot's display settings: the mode index and the three slider positions; all 0 at start.
struct SlotDisplay {
  uint8_t mode = 0;
  uint8_t step = 0;      // step slider, 1..3
  uint8_t speed = 0;     // speed slider, 0..9
  uint8_t interval = 0;  // interval slider, 0..9
};

// The numbers of the mode frame: step 2, 4 or 8 from the step slider, speed 9 minus the speed
// slider (further right is faster), the interval as it stands.
struct ModeFrameValues {
  unsigned mode, step, speed, interval;
};
ModeFrameValues ModeValues(const SlotDisplay& display);

// Which sliders (with their labels) a mode lets the operator set.
struct ModeControls {
  bool speed = true;
  bool step = true;
  bool interval = false;
};
ModeControls ControlsForMode(int mode);

}  // namespace kelm
