#pragma once

#include <QImage>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <memory>

#include "chart_file.h"
#include "control/palvex_chart.h"
#include "platform/property_bag.h"
#include "platform/qt/headless_host.h"

namespace palvex {

// Writes a chart file's properties, in file order, and its items.
void LoadChart(const ChartFile& file, PalvexChart& chart);

// Receives the chart's picture each time the growth animation shows a frame.
using FrameSink = std::function<void(const QImage& frame)>;

// Runs a chart's life without a window: create, defaults (or a saved
// control's properties from its bag), size, property writes, items, show,
// and the start timer's tick with the growth animation. The animation waits
// on the host's clock; each frame's refresh of the chart's surface also
// goes to onFrame when there is one. An animation that stops early raises
// the error that stopped it.
std::unique_ptr<PalvexChart> RenderChart(const ChartFile& file, HeadlessHost& host,
                                         PropertyBag* saved = nullptr,
                                         const FrameSink& onFrame = {});

// Writes the frames it receives into a folder as frame-01.png,
// frame-02.png, ...; after a failure it writes no more and keeps the error.
class FrameWriter {
 public:
  explicit FrameWriter(QString folder) : folder_(std::move(folder)) {}
  void operator()(const QImage& frame);
  const QString& error() const { return error_; }

 private:
  QString folder_;
  int written_ = 0;
  QString error_;
};

// Every public property and the layout values the last pass left.
QJsonObject ChartStateJson(const PalvexChart& chart);

}  // namespace palvex
