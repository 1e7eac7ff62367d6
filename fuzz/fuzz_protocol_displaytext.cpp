// Arbitrary edit-box text to the display-text parser, and the parsed bytes back through the
// renderer: nothing may be written past the frame buffer, and the round trip must hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "protocol/display_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  char frame[kelm::kFrameBufferSize];
  const size_t n = kelm::DisplayTextToFrame(text, frame);
  if (n >= kelm::kFrameBufferSize) std::abort();
  // Bytes after an embedded NUL cannot be shown; check the part before it.
  const std::string shown(frame);
  char again[kelm::kFrameBufferSize * 6];
  const size_t m =
      kelm::DisplayTextToFrame(kelm::FrameToDisplayText(shown.c_str()), again, sizeof again);
  if (std::string(again, m) != shown) std::abort();
  return 0;
}
