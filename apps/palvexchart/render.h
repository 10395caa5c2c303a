#pragma once

#include <QImage>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "chart_file.h"
#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/property_bag.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/json_property_bag.h"

namespace palvex {

// A control error with the property or member whose call raised it.
class NamedChartError : public ChartError {
 public:
  NamedChartError(QString member, const ChartError& e)
      : ChartError(e), member_(std::move(member)) {}
  const QString& member() const { return member_; }

 private:
  QString member_;
};

// "MaxY: run-time error 6: Overflow"; without the name where none is known.
QString RunTimeErrorText(const ChartError& e);

// Writes a chart file's properties, in file order, and its items. A control
// error names the property, or AddItem with the item.
void LoadChart(const ChartFile& file, PalvexChart& chart);

// Receives the chart's picture each time the growth animation shows a frame.
using FrameSink = std::function<void(const QImage& frame)>;

// What RenderChart does when the growth animation stops early. A picture
// of bars cut short must not pass for the chart, so by default it raises
// the error that stopped it; a caller that needs only the control's
// properties keeps the chart as the control left it (the control itself
// goes on after a failed animation), the error in its animationFailure.
enum class GrowthFailure { Raise, Keep };

// Runs a chart's life without a window: create, defaults (or a saved
// control's properties from its bag), size, property writes, items, show,
// and the start timer's tick with the growth animation. The animation waits
// on the host's clock; each frame's refresh of the chart's surface also
// goes to onFrame when there is one. A control error names the step.
std::unique_ptr<PalvexChart> RenderChart(const ChartFile& file, HeadlessHost& host,
                                         PropertyBag* saved = nullptr,
                                         const FrameSink& onFrame = {},
                                         GrowthFailure growthFailure = GrowthFailure::Raise);

// The property bag of the saved control a chart file describes: the chart
// rendered headless, then its design-time properties written. The bag does
// not depend on the picture: a growth animation that fails is left in
// growthFailure (cleared when it ran) and the bag written all the same.
// Raises any other error RenderChart raises, or the bag's error naming the
// key.
JsonPropertyBag SaveBagOf(const ChartFile& file,
                          std::optional<NamedChartError>* growthFailure = nullptr);

// Writes the frames it receives into a folder as frame-01.png,
// frame-02.png, ... at a quality as QImageWriter takes it; after a failure
// it writes no more and keeps the error.
class FrameWriter {
 public:
  explicit FrameWriter(QString folder, int quality = -1)
      : folder_(std::move(folder)), quality_(quality) {}
  void operator()(const QImage& frame);
  const QString& error() const { return error_; }
  int written() const { return written_; }

 private:
  QString folder_;
  int quality_;
  int written_ = 0;
  QString error_;
};

// Every public property and the layout values the last pass left.
QJsonObject ChartStateJson(const PalvexChart& chart);

}  // namespace palvex
