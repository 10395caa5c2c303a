#pragma once

#include <palvex/palvexchartitem.h>
#include <palvex/palvexcore_export.h>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QVariant>
#include <memory>

class PalvexChartRendererPrivate;

// The chart without a window, for programs that only want its picture (a
// report generator, a web service). It needs a QGuiApplication, not a
// QApplication. Properties go by the widget's names and types ("theme" as
// the widget's Theme number, "marginLeft" in pixels, "backColor" as a
// QColor, "legendVisible"), read back as they were given, or by their
// automation names in any case ("ChartTitle", "ActiveTheme", "BackColor" as
// a packed number), as in chart files and scripts.
//
// A call that fails returns false (or a null value), leaves the chart as
// it was, and keeps the control's run-time error number and message for
// lastError() and lastErrorString(); a call that succeeds clears them.
class PALVEX_CORE_EXPORT PalvexChartRenderer {
 public:
  // A new chart with the defaults of a newly placed control, 560 x 372.
  PalvexChartRenderer();
  ~PalvexChartRenderer();
  PalvexChartRenderer(const PalvexChartRenderer&) = delete;
  PalvexChartRenderer& operator=(const PalvexChartRenderer&) = delete;

  QVariant property(const QString& name) const;
  bool setProperty(const QString& name, const QVariant& value);

  bool addItem(const PalvexChartItem& item);
  // Replaces every item; all or nothing.
  bool setItems(const QList<PalvexChartItem>& items);
  QList<PalvexChartItem> items() const;
  void clear();

  // The design-time properties as the control's property bag holds them
  // (JSON), and back; restoreState refuses a bad state whole, naming the
  // key at fault.
  QByteArray saveState() const;
  bool restoreState(const QByteArray& state);

  QSize size() const;
  bool resize(const QSize& size);

  // The finished chart (bars fully grown), as the window would show it;
  // with a scale (1 to 4), at scale times the pixels each way.
  QImage toImage();
  QImage toImage(qreal scale);
  // Writes toImage() to a file; the format follows the suffix (BMP, PNG,
  // JPEG, ..., SVG, PDF) unless given. SVG and PDF draw the chart as shapes
  // and text on a page of its size. Written to a temporary name and renamed.
  bool save(const QString& path, const char* format = nullptr);
  bool save(const QString& path, const char* format, qreal scale);

  int lastError() const;
  QString lastErrorString() const;

 private:
  std::unique_ptr<PalvexChartRendererPrivate> d;
};
