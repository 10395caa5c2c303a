// A JavaScript source run by the script host against a new control. Each
// script gets a fresh engine and control, writes no files, sizes the
// control to at most 1024 pixels a side and is interrupted after a quarter
// of a second. Whatever the script does, the busy flags end clear.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "chart_on_host.h"
#include "script_host.h"

using namespace palvex;

namespace {

constexpr auto kTimePerInput = std::chrono::milliseconds(250);

// Interrupts the script once its time is up, unless it ended before.
class Watchdog {
 public:
  explicit Watchdog(ScriptHost& script)
      : thread_([this, &script] {
          std::unique_lock lock(mutex_);
          if (!ended_.wait_for(lock, kTimePerInput, [this] { return done_; })) script.Interrupt();
        }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      done_ = true;
    }
    ended_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable ended_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  ScriptHost script([](const QString&) {});
  script.Confine(1024);
  {
    const Watchdog watchdog(script);
    script.Run(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
               QStringLiteral("fuzz.js"));
  }
  fuzz::CheckBusyFlagsClear(script.chart().state());
  return 0;
}
