#pragma once

#include <palvex/palvexchartwidget.h>

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "control/palvex_chart.h"
#include "core/growth_player.h"
#include "core/property_notifier.h"
#include "ui/keyboard.h"

class QKeyEvent;
class QPainter;
class QTimer;

namespace palvex {
class ChartError;
class WidgetHost;
}  // namespace palvex

// What the widget keeps behind its public face: the control on a window's
// host, and the bookkeeping of signals and errors. The program and the
// tests reach the control and the timers through it.
class PalvexChartWidgetPrivate {
 public:
  explicit PalvexChartWidgetPrivate(PalvexChartWidget& q);
  ~PalvexChartWidgetPrivate();

  // The defaults of a chart made in code.
  void InitDefaults();
  // What both constructors do once the control has its properties.
  void Setup();

  static PalvexChartWidgetPrivate& get(PalvexChartWidget& w) { return *w.d; }

  // The control itself. Calls made on it directly bypass the widget's
  // signals and errors; call update() after drawing through it.
  palvex::PalvexChart& chart() { return *chart_; }
  // What the widget paints: the chart with its children, in pixels.
  QImage ComposedImage();
  // Puts every picture at the window's device pixel ratio when it has
  // changed (another screen) and draws the finished chart again at it.
  void FollowDevicePixelRatio();
  // The start timer, armed while the control waits for its first frame.
  QTimer& StartTimer();
  // The scroll bar's repeat, running while an arrow or its track is held.
  QTimer& ScrollRepeatTimer();
  // What a repaint the control asks for does: a frame of the growth goes
  // to the player (or nowhere, not animated), anything else shows at once.
  void ControlRepaint();
  // A change the pass shows, made after the bars have grown: drawn now.
  // Before, the first pass shows it.
  void RedrawFinished();
  // One redraw of a finished chart after this turn of the event loop,
  // however often asked for in it.
  void ScheduleRedraw();
  // After a call: the window repaints, once after this turn of the event
  // loop, only where the screen changed and where the window's own marks
  // (focus frame, drag outline) were and are. The control's own refresh
  // repaints so now.
  void ScheduleUpdate();
  void UpdateWhatChanged(bool now);
  // Where the composed screen changed since the window was last told, in
  // window pixels.
  QRegion ScreenChanges(const QImage& composed);
  QRegion Marks();
  // The palette theme takes the widget's palette again, and so does the
  // text colour of Normal while the host has given none.
  void FollowPalette();

  // Who made a call: one a host made clears the last error when it works;
  // the window's own events leave it for the host to read.
  enum class Caller { kHost, kWindow };
  // Runs a call into the control. A failure is reported (signal, last
  // error, warning) and never leaves the widget; either way the window
  // shows what the call drew and the changed properties are notified.
  template <typename F>
  bool Run(const char* what, F&& call, Caller caller = Caller::kWindow);
  // Keeps a failure for lastError(), logs it and signals it.
  void Report(const char* what, const palvex::ChartError& failure);
  // Sets or (null) resets the title or label font, keeping it as given.
  void SetFont(const char* name, std::optional<QFont>& kept, const std::optional<QFont>& font);
  // A host's property write: refused whole or done whole.
  template <typename F>
  void Set(const char* what, F&& store);

  // Mouse positions between the window's pixels and the control's twips.
  QPointF Twips(const QPointF& pixels) const;
  QPointF Pixels(double x, double y) const;
  template <typename F>
  void DeliverMouse(const char* what, const QMouseEvent& e, F&& call);
  // A key for the chart; false when it had no use for it.
  bool Key(const char* what, palvex::ChartKey key);
  // The chart's key for a key press, with the menu only where the context
  // menu policy lets the keyboard open it; nothing for the parent's keys.
  std::optional<palvex::ChartKey> ChartKeyFor(const QKeyEvent& e) const;

  PalvexChartWidget& q;
  std::unique_ptr<palvex::WidgetHost> host;
  std::unique_ptr<palvex::PalvexChart> chart_;
  class Sink;
  std::unique_ptr<Sink> sink;
  std::unique_ptr<palvex::Surface> screen;
  palvex::PropertyNotifier notifier;
  palvex::GrowthPlayer player;
  bool animated = true;
  bool foreColorFromPalette = false;
  std::optional<QFont> titleFont;
  std::optional<QFont> labelFont;
  bool redrawScheduled = false;
  bool updateScheduled = false;
  std::uint64_t screenVersionShown = 0;
  QRegion marksShown;        // where the marks may be on the window
  QPointF pointer;           // the last mouse position, in twips
  int announcedColumn = -1;  // the selection screen readers last heard of
  int error = 0;
  QString errorString;
};
