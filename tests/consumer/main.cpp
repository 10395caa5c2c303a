// Uses the installed widget as an application would: shows a chart and its
// about window, and fails (exit 1) when a bar or the about picture is lost.
#include <palvex/palvexchartwidget.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <cstdio>

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "consumer: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  PalvexChartWidget chart;
  chart.setMaxY(100);
  const QPoint barCentre(280, 250);
  const QRgb empty = chart.toImage().pixel(barCentre);
  chart.addItem({"1", "North", "Jan", 100});
  chart.show();
  // The bars grow once the start timer expires, a tenth of a second on:
  // events are handled until the bar stands, or for ten seconds at most.
  QDeadlineTimer deadline(10000);
  while (chart.grab().toImage().pixel(barCentre) == empty && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  if (deadline.hasExpired()) return Fail("no bar where the only item's bar stands");

  // The about window's picture is a resource of the widget library.
  bool pictured = false;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!about) return;
    const QImage shot = about->grab().toImage();
    pictured = shot.pixel(10, 10) != shot.pixel(250, 200);
    about->close();
  });
  chart.about();
  if (!pictured) return Fail("the about window shows no picture");
  return 0;
}
