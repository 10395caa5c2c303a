// The `script` command's module: the script host and Qt Qml.
#include <QGuiApplication>

#include "command_modules.h"
#include "script_host.h"

extern "C" Q_DECL_EXPORT int palvexchart_script(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  return palvex::ScriptCommand(args.mid(2));
}
