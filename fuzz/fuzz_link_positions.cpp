// Command-position lines from a file into frames of a tight buffer, then the check value.
#include <cstdint>
#include <string_view>
#include <vector>

#include "link/command_positions.h"
#include "protocol/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the buffer size, so the "does not fit" edge is reached often.
  const size_t capacity = 1 + data[0] % 64;
  const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<char> frame(capacity);
  if (kelm::PositionLineToFrame(line, frame.data(), frame.size())) {
    kelm::ApplyChecksum(frame.data(), frame.size());
  }
  return 0;
}
