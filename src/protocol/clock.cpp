// The system clock and the installed-clock switch.
#include "protocol/clock.h"

#include <chrono>
#include <thread>

namespace kelm {
namespace {
Clock* installed = nullptr;
}

uint32_t SystemClock::TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SystemClock::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Clock& TheClock() {
  static SystemClock system;
  return installed != nullptr ? *installed : system;
}

void InstallClock(Clock* clock) {
  installed = clock;
}

}  // namespace kelm
