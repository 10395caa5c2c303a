#pragma once

#include <QWidget>
#include <chrono>

#include "platform/clock.h"

namespace palvex {

// Real time while the window shows; while it is hidden, waits are skipped
// (time jumps ahead instead), so frames nobody can see cost nothing.
class WindowClock : public Clock {
 public:
  explicit WindowClock(const QWidget& window) : window_(window) {}
  TimePoint Now() override;
  void WaitUntil(TimePoint deadline) override;

 private:
  const QWidget& window_;
  SteadyClock steady_;
  std::chrono::steady_clock::duration skipped_{};
};

}  // namespace palvex
