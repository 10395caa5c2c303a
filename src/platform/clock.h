#pragma once

#include <chrono>

namespace palvex {

// The clock the growth animation waits on between frames. The window's
// clock sleeps until the deadline; a headless render's clock may not wait
// at all; tests advance a fake one.
class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
  // Returns once Now() has reached the deadline; processes no messages.
  virtual void WaitUntil(TimePoint deadline) = 0;
};

// Real time: sleeps the thread until the deadline instead of spinning.
class SteadyClock : public Clock {
 public:
  TimePoint Now() override;
  void WaitUntil(TimePoint deadline) override;
};

// No waiting at all: time stands still and every deadline has passed.
class InstantClock : public Clock {
 public:
  TimePoint Now() override { return now_; }
  void WaitUntil(TimePoint deadline) override {
    if (deadline > now_) now_ = deadline;
  }

 private:
  TimePoint now_{};
};

}  // namespace palvex
