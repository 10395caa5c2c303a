// Renders a chart without widgets through the installed core library, as a
// report generator would, and fails (exit 1) when its bar is missing.
#include <palvex/control/palvex_chart.h>
#include <palvex/platform/qt/headless_host.h>
#include <palvex/platform/qt/image_io.h>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.InitProperties();
  chart.Resize(560, 372);
  chart.SetMaxY(100);
  chart.AddItem({u"1", u"North", u"Jan", 50});
  chart.Show();
  if (host.timerEnabled()) chart.StartTimerTick();  // the bars grow at once
  // The bar fills the lower half of the plot only.
  const QImage picture = palvex::PictureOf(*chart.state().surface);
  if (picture.pixel(280, 250) == picture.pixel(280, 80)) {
    std::fprintf(stderr, "headless: no bar where the only item's bar stands\n");
    return 1;
  }
  return 0;
}
