// Uses the installed widget as an application would: shows a chart and its
// about window, and fails (exit 1) when a bar or the about picture is lost.
#include <palvex/widget/palvex_chart_widget.h>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QTimerEvent>
#include <cstdio>

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "consumer: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  palvex::PalvexChartWidget chart;
  chart.resize(560, 372);
  chart.SetMaxY(100);
  const QPoint barCentre(280, 250);
  const QRgb empty = chart.ComposedImage().pixel(barCentre);
  chart.AddItem("1", "North", "Jan", 100);
  chart.show();
  // The bars grow when the start timer expires; deliver it now.
  QTimerEvent expired(chart.StartTimer().timerId());
  QCoreApplication::sendEvent(&chart.StartTimer(), &expired);
  const QImage shown = chart.grab().toImage();
  if (shown.pixel(barCentre) == empty) return Fail("no bar where the only item's bar stands");

  // The about window's picture is a resource of the widget library.
  bool pictured = false;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!about) return;
    const QImage shot = about->grab().toImage();
    pictured = shot.pixel(10, 10) != shot.pixel(250, 200);
    about->close();
  });
  chart.About();
  if (!pictured) return Fail("the about window shows no picture");
  return 0;
}
