#include "script_watchdog.h"

namespace palvex {

ScriptWatchdog::ScriptWatchdog(ScriptHost& script, std::chrono::milliseconds limit) {
  if (limit.count() <= 0) return;
  thread_ = std::thread([this, &script, limit] {
    std::unique_lock lock(mutex_);
    if (ended_.wait_for(lock, limit, [this] { return done_; })) return;
    fired_ = true;
    script.Interrupt();
  });
}

ScriptWatchdog::~ScriptWatchdog() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    done_ = true;
  }
  ended_.notify_one();
  thread_.join();
}

bool ScriptWatchdog::fired() const {
  const std::lock_guard lock(mutex_);
  return fired_;
}

}  // namespace palvex
