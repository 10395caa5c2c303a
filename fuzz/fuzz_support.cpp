#include "fuzz_support.h"

#include <QGuiApplication>

#include "control/palvex_chart.h"
#include "fuzz_host.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/json_property_bag.h"

// A freed block waits in the sanitizer's quarantine, so a use after free
// is caught, until 32 MB more have been freed: many inputs' worth. The
// default 256 MB cycled so much memory that faulting its pages back in
// took half of every input.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=32";
}

// What other libraries keep until the process ends, as tests/lsan.supp
// lists it, carried by every target so that a fuzzer run by hand, without
// LSAN_OPTIONS, reports our leaks only: fontconfig's configuration and font
// caches, loaded once by Qt's font database and never freed.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace palvex::fuzz {

void StartQt() {
  static int argc = 1;
  static char name[] = "palvex_fuzz";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Lives as long as the process; the fuzzer never returns from its loop.
  new QGuiApplication(argc, argv);
}

void CheckBagLoadsBack(const QByteArray& saved) {
  try {
    JsonPropertyBag bag = JsonPropertyBag::Parse(saved, "saved bag");
    FuzzHost host;
    PalvexChart chart(host);
    chart.ReadProperties(bag);
    JsonPropertyBag again;
    chart.WriteProperties(again);
    if (again.ToJson() != saved) Broken("a saved bag loads into a different control");
  } catch (const ChartError&) {
    Broken("a bag the control saved cannot be loaded back");
  }
}

}  // namespace palvex::fuzz
