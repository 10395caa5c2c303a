#include "widget/window_clock.h"

namespace palvex {

Clock::TimePoint WindowClock::Now() {
  return steady_.Now() + skipped_;
}

void WindowClock::WaitUntil(TimePoint deadline) {
  if (window_.isVisible()) {
    steady_.WaitUntil(deadline - skipped_);
    return;
  }
  const TimePoint now = Now();
  if (deadline > now) skipped_ += deadline - now;
}

}  // namespace palvex
