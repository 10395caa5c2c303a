// How long a window's first showing holds the event loop: the first pass
// draws the growth's frames before the loop turns again. It is a matter of
// fresh memory as much as of drawing, so each run is a new process showing
// one window; run it several times and take the median.
//   QT_QPA_PLATFORM=offscreen build/bench/first_show 1920 1200
// prints the longest wait between two turns of the event loop while the
// window shows and grows, one full repaint of the grown window, and a hover
// from one bar onto another until the window has painted it.
#include <palvex/palvexchartwidget.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int width = argc > 1 ? std::atoi(argv[1]) : 560;
  const int height = argc > 2 ? std::atoi(argv[2]) : 372;
  PalvexChartWidget chart;
  chart.resize(width, height);
  // As the event benchmarks' chart: a hover selects the bar under it.
  chart.setSelectable(true);
  chart.setSelectionInformation(true);
  chart.setHotTracking(true);
  for (int i = 0; i < 12; ++i)
    chart.addItem({QString::number(i % 10 + 1), QStringLiteral("item"), QStringLiteral("axis"),
                   10.0 + i % 7});
  QElapsedTimer clock;
  clock.start();
  chart.show();
  qint64 longest = clock.nsecsElapsed(), last = longest;
  QTimer turn;
  QObject::connect(&turn, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  turn.start(0);
  double repaintUs = 0, hoverUs = 0;
  // Past the growth's 0.7 s.
  QTimer::singleShot(1200, &app, [&] {
    turn.stop();
    constexpr int kRepaints = 50;
    QElapsedTimer r;
    r.start();
    for (int i = 0; i < kRepaints; ++i) chart.repaint();
    repaintUs = r.nsecsElapsed() / 1e3 / kRepaints;
    // Just above the plot's bottom, over the third and the sixth bar.
    const QPointF at[] = {{width * 0.25, height - 60.0}, {width * 0.45, height - 60.0}};
    constexpr int kHovers = 200;
    r.restart();
    for (int i = 0; i < kHovers; ++i) {
      QMouseEvent move(QEvent::MouseMove, at[i % 2], chart.mapToGlobal(at[i % 2]), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(&chart, &move);
      QCoreApplication::processEvents();
    }
    hoverUs = r.nsecsElapsed() / 1e3 / kHovers;
    app.quit();
  });
  app.exec();
  std::printf("%dx%d: event loop held %.1f ms at most; a full repaint %.0f us; a hover %.0f us\n",
              width, height, longest / 1e6, repaintUs, hoverUs);
}
