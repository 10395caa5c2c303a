#include "platform/clock.h"

#include <thread>

namespace palvex {

Clock::TimePoint SteadyClock::Now() {
  return std::chrono::steady_clock::now();
}

void SteadyClock::WaitUntil(TimePoint deadline) {
  std::this_thread::sleep_until(deadline);
}

}  // namespace palvex
