#include "command_modules.h"

#include <dlfcn.h>

#include <QByteArray>
#include <QFileInfo>
#include <cstdio>

namespace palvex {

int RunCommandModule(const char* module, const char* entry, int argc, char** argv) {
  // No application object exists yet: the program's own path tells where
  // the modules are.
  const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  const QByteArray path =
      (QFileInfo(self).absolutePath() + QStringLiteral("/lib%1.so").arg(QLatin1String(module)))
          .toLocal8Bit();
  void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "palvexchart: cannot load %s: %s\n", path.constData(), dlerror());
    return 2;
  }
  const auto run = reinterpret_cast<CommandEntry>(dlsym(handle, entry));
  if (!run) {
    std::fprintf(stderr, "palvexchart: %s has no %s\n", path.constData(), entry);
    return 2;
  }
  // Left loaded: Qt's objects made there live until the process ends.
  return run(argc, argv);
}

}  // namespace palvex
