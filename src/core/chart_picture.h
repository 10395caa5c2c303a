#pragma once

#include <QImage>
#include <QString>

namespace palvex {

class PalvexChart;

// The scales a picture of the chart may be made at: pixels per chart pixel
// each way.
inline constexpr double kMinPictureScale = 1.0;
inline constexpr double kMaxPictureScale = 4.0;

// The chart's own picture (no legend, no label) at scale times its pixels
// each way: the picture the control keeps when it is kept at that scale,
// else the chart drawn afresh at it. Raises Invalid property value (380)
// for a scale outside kMinPictureScale..kMaxPictureScale or a picture of
// more than 16384 pixels a side.
QImage ChartPicture(PalvexChart& chart, double scale);

// Writes the chart's picture: as SVG or PDF (format, else the path's
// suffix) drawn afresh through a vector surface, otherwise ChartPicture at
// scale in the image format and quality (as QImageWriter takes it, -1 for
// the format's default), through a temporary file. Returns why it could not
// be written, empty on success; raises 380 for a bad scale or a quality
// outside -1..100 and what a drawing pass raises.
QString SaveChartPicture(PalvexChart& chart, const QString& path, const char* format, double scale,
                         int quality = -1);

}  // namespace palvex
