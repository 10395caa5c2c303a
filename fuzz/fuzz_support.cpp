#include "fuzz_support.h"

#include <QGuiApplication>

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

}  // namespace palvex::fuzz
