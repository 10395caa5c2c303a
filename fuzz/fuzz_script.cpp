// A JavaScript source run by the script host against a new control. Each
// script gets a fresh engine and control, writes no files, sizes the
// control to at most 1024 pixels a side and is interrupted after a quarter
// of a second. Whatever the script does, the busy flags end clear.
#include <chrono>

#include "chart_on_host.h"
#include "script_host.h"
#include "script_watchdog.h"

using namespace palvex;

namespace {

constexpr auto kTimePerInput = std::chrono::milliseconds(250);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  ScriptHost script([](const QString&) {});
  script.Confine(1024);
  {
    const ScriptWatchdog watchdog(script, kTimePerInput);
    script.Run(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
               QStringLiteral("fuzz.js"));
  }
  fuzz::CheckBusyFlagsClear(script.chart().state());
  return 0;
}
