// The `show` command's module: the chart in a window, with Qt Widgets.
#include <QApplication>

#include "command_modules.h"
#include "show.h"

extern "C" Q_DECL_EXPORT int palvexchart_show(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList args = app.arguments();
  args.removeAt(1);
  return palvex::ShowChart(args);
}
