#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "script_host.h"

namespace palvex {

// Interrupts the script running on a ScriptHost once its time is up, unless
// it ended before; a time of zero never interrupts. The script command and
// the fuzz target both bound their scripts with it.
class ScriptWatchdog {
 public:
  ScriptWatchdog(ScriptHost& script, std::chrono::milliseconds limit);
  ~ScriptWatchdog();
  ScriptWatchdog(const ScriptWatchdog&) = delete;
  ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

  // Whether the time ran out and the script was interrupted.
  bool fired() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable ended_;
  bool done_ = false;
  bool fired_ = false;
  std::thread thread_;
};

}  // namespace palvex
