#pragma once

/// \file
/// PalvexChartRenderer, the chart without a window.

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

/// The chart without a window, for programs that only want its picture (a
/// report generator, a web service). It needs a QGuiApplication, not a
/// QApplication. Properties go by the widget's names and types ("theme" as
/// the widget's Theme number, Palette following QGuiApplication::palette(),
/// "marginLeft" in pixels, "backColor" as a QColor, "legendVisible",
/// "barColors", "titleFont" and "labelFont" as QFont or a null QVariant for
/// the control's own, "valueSuffix", "valueDecimals"), read back as they
/// were given (fonts as drawn: family, size, bold, italic), or by their
/// automation names in any case ("ChartTitle", "ActiveTheme", "BackColor" as
/// a packed number), as in chart files and scripts.
///
/// A call that fails returns false (or a null value), leaves the chart as
/// it was, and keeps the control's run-time error number and message for
/// lastError() and lastErrorString(); a call that succeeds clears them.
class PALVEX_CORE_EXPORT PalvexChartRenderer {
 public:
  /// A new chart with the defaults of a newly placed control, 560 x 372.
  PalvexChartRenderer();
  /// Releases the chart and its items.
  ~PalvexChartRenderer();
  /// Not copyable: a renderer is one chart.
  ///@{
  PalvexChartRenderer(const PalvexChartRenderer&) = delete;
  PalvexChartRenderer& operator=(const PalvexChartRenderer&) = delete;
  ///@}

  /// The property of that name (the widget's spelling exactly, else the
  /// automation name in any case); a null QVariant when there is none.
  QVariant property(const QString& name) const;
  /// Writes the property of that name, all or nothing; false when the name
  /// is unknown or the value refused.
  bool setProperty(const QString& name, const QVariant& value);

  /// Adds a bar after the others; false for an item the chart refuses (a
  /// value that is not a finite number, a text too long).
  bool addItem(const PalvexChartItem& item);
  /// Replaces every item; all or nothing.
  bool setItems(const QList<PalvexChartItem>& items);
  /// The items, in column order.
  QList<PalvexChartItem> items() const;
  /// Removes every item.
  void clear();

  /// The design-time properties as the control's property bag holds them
  /// (JSON), and back; restoreState refuses a bad state whole, naming the
  /// key at fault.
  ///@{
  QByteArray saveState() const;
  bool restoreState(const QByteArray& state);
  ///@}

  /// The chart's size in pixels.
  QSize size() const;
  /// Gives the chart a new size in pixels, 1 to 16384 each way; false for
  /// any other.
  bool resize(const QSize& size);

  /// The finished chart (bars fully grown), as the window would show it;
  /// with a scale (1 to 4), at scale times the pixels each way.
  ///@{
  QImage toImage();
  QImage toImage(qreal scale);
  ///@}

  /// Writes toImage() to a file; the format follows the suffix (BMP, PNG,
  /// JPEG, ..., SVG, PDF) unless given. SVG and PDF draw the chart as shapes
  /// and text on a page of its size. Written to a temporary name and renamed.
  /// The quality is QImage::save()'s, as for PalvexChartWidget::save().
  ///@{
  bool save(const QString& path, const char* format = nullptr);
  bool save(const QString& path, const char* format, qreal scale);
  bool save(const QString& path, const char* format, qreal scale, int quality);
  ///@}

  /// The run-time error number of the last call that failed (380 for a
  /// refused value, 438 for an unknown property name, 75 for a file that
  /// could not be written), 0 once a call succeeds.
  int lastError() const;
  /// The message that goes with lastError(), empty once a call succeeds.
  QString lastErrorString() const;

 private:
  std::unique_ptr<PalvexChartRendererPrivate> d;
};
