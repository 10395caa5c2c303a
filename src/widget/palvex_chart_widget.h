#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "control/palvex_chart.h"

class QPainter;
class QTimer;

namespace palvex {

class PropertyBag;
class WidgetHost;

// The chart control in a Qt window. It paints what the control composes
// (the chart with its legend panel and labels), hands it the mouse in
// twips, turns its pop-up menus into QMenus and its tool tips into
// QToolTips, and arms a QTimer for its start timer, so the bars grow each
// time the widget is shown. The control's properties are Q_PROPERTYs under
// the control's own names and its events are signals. A failing call or
// property read is logged as a warning and never leaves the widget; a
// failed read gives a neutral value (0, false, empty; -1 for
// SelectedColumn).
class PalvexChartWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(bool ContentBorder READ ContentBorder WRITE SetContentBorder)
  Q_PROPERTY(bool Selectable READ Selectable WRITE SetSelectable)
  Q_PROPERTY(bool HotTracking READ HotTracking WRITE SetHotTracking)
  Q_PROPERTY(bool SelectionInformation READ SelectionInformation WRITE SetSelectionInformation)
  Q_PROPERTY(bool DisplayXAxis READ DisplayXAxis WRITE SetDisplayXAxis)
  Q_PROPERTY(bool DisplayYAxis READ DisplayYAxis WRITE SetDisplayYAxis)
  Q_PROPERTY(bool ColorBars READ ColorBars WRITE SetColorBars)
  Q_PROPERTY(QString ChartTitle READ ChartTitle WRITE SetChartTitle)
  Q_PROPERTY(QString ChartSubTitle READ ChartSubTitle WRITE SetChartSubTitle)
  Q_PROPERTY(QString AxisLabelX READ AxisLabelX WRITE SetAxisLabelX)
  Q_PROPERTY(QString AxisLabelY READ AxisLabelY WRITE SetAxisLabelY)
  Q_PROPERTY(double IntersectMajor READ IntersectMajor WRITE SetIntersectMajor)
  Q_PROPERTY(double IntersectMinor READ IntersectMinor WRITE SetIntersectMinor)
  Q_PROPERTY(double MaxY READ MaxY WRITE SetMaxY)
  Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
  Q_PROPERTY(int SelectedColumn READ SelectedColumn WRITE SetSelectedColumn)
  Q_PROPERTY(int ActiveTheme READ ActiveTheme WRITE SetActiveTheme)

 public:
  // A newly placed control, with the defaults of a new control.
  explicit PalvexChartWidget(QWidget* parent = nullptr);
  // A saved control, loaded from the bag its host kept instead of getting
  // the defaults: keys the bag lacks take their load values. Raises
  // ChartError when the bag cannot be read; then no widget is made.
  explicit PalvexChartWidget(PropertyBag& saved, QWidget* parent = nullptr);
  ~PalvexChartWidget() override;

  // The control itself, for what the properties do not cover. Call
  // update() after drawing through it.
  PalvexChart& chart() { return *chart_; }
  // What the widget paints: the chart with its children, in pixels.
  QImage ComposedImage();
  // The start timer, armed while the control waits for its first frame.
  QTimer& StartTimer();
  // The scroll bar's repeat, running while an arrow or its track is held.
  QTimer& ScrollRepeatTimer();
  // The clock the growth animation waits on (tests); nullptr: real time.
  void SetClock(Clock* clock);

  QSize sizeHint() const override;

  double MarginTop() const;
  void SetMarginTop(double v);
  double MarginBottom() const;
  void SetMarginBottom(double v);
  double MarginLeft() const;
  void SetMarginLeft(double v);
  double MarginRight() const;
  void SetMarginRight(double v);
  bool ContentBorder() const;
  void SetContentBorder(bool v);
  bool Selectable() const;
  void SetSelectable(bool v);
  bool HotTracking() const;
  void SetHotTracking(bool v);
  bool SelectionInformation() const;
  void SetSelectionInformation(bool v);
  bool DisplayXAxis() const;
  void SetDisplayXAxis(bool v);
  bool DisplayYAxis() const;
  void SetDisplayYAxis(bool v);
  bool ColorBars() const;
  void SetColorBars(bool v);
  QString ChartTitle() const;
  void SetChartTitle(const QString& v);
  QString ChartSubTitle() const;
  void SetChartSubTitle(const QString& v);
  QString AxisLabelX() const;
  void SetAxisLabelX(const QString& v);
  QString AxisLabelY() const;
  void SetAxisLabelY(const QString& v);
  double IntersectMajor() const;
  void SetIntersectMajor(double v);
  double IntersectMinor() const;
  void SetIntersectMinor(double v);
  double MaxY() const;
  void SetMaxY(double v);
  uint BackColor() const;
  void SetBackColor(uint v);
  uint ForeColor() const;
  void SetForeColor(uint v);
  int SelectedColumn() const;
  void SetSelectedColumn(int v);
  int ActiveTheme() const;
  void SetActiveTheme(int v);

 public slots:
  bool AddItem(const QString& ItemID, const QString& SelectedDescription,
               const QString& XAxisDescription, double Value);
  void Clear();
  void Refresh();
  bool EditCopy();
  void About();

 signals:
  void ItemClick(const QString& ItemID, const QString& SelectedDescription,
                 const QString& XAxisDescription, double Value);
  void MouseDown(short Button, short Shift, float X, float Y);
  void MouseUp(short Button, short Shift, float X, float Y);

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  class Sink;
  // A control gets either the defaults (no bag) or its saved bag, never both.
  PalvexChartWidget(PropertyBag* saved, QWidget* parent);
  // Runs a call into the control: a failure becomes a warning, and the
  // window shows whatever the call drew.
  template <typename F>
  bool Run(const char* what, F&& call);
  // Hands a mouse event to the control with its shift state and position
  // in twips.
  template <typename F>
  void DeliverMouse(const char* what, const QMouseEvent& e, F&& call);
  QPointF Twips(const QPointF& pixels) const;
  // Outlines a label being dragged where the pointer holds it, in colours
  // inverted from the picture below, as a window system shows a drag.
  void PaintDragOutline(QPainter& p);

  std::unique_ptr<WidgetHost> host_;
  std::unique_ptr<PalvexChart> chart_;
  std::unique_ptr<Sink> sink_;
  std::unique_ptr<Surface> screen_;
  QPointF pointer_;  // the last mouse position, in twips
};

}  // namespace palvex
