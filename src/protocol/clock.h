// The time seam: a millisecond tick count and a sleep, so that waits of seconds can be tested
// in milliseconds with a fake clock.
#pragma once

#include <cstdint>

namespace kelm {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps like a 32-bit tick count.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

// The wall clock (steady, monotonic).
class SystemClock : public Clock {
 public:
  uint32_t TickCount() override;
  void Sleep(uint32_t ms) override;
};

// The clock every routine uses; the system clock unless a test or tool installs another.
Clock& TheClock();
// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
void InstallClock(Clock* clock);

}  // namespace kelm
