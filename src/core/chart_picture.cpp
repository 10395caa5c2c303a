#include "core/chart_picture.h"

#include <QFileInfo>
#include <cmath>
#include <memory>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/picture_formats.h"
#include "platform/qt/image_io.h"
#include "platform/qt/picture_file.h"
#include "platform/qt/qimage_surface.h"
#include "ui/export.h"

namespace palvex {

namespace {

// A scaled picture is held to the largest side the control itself may
// have, so no scale asks for more memory than the largest chart.
constexpr double kMaxSidePx = 16384;

void CheckScale(const Surface& surface, double scale) {
  if (!(scale >= kMinPictureScale && scale <= kMaxPictureScale))
    throw ChartError(kErrInvalidPropertyValue);
  if (surface.PixelWidth() * scale > kMaxSidePx || surface.PixelHeight() * scale > kMaxSidePx)
    throw ChartError(kErrInvalidPropertyValue,
                     "Invalid property value: a picture is at most 16384 pixels a side");
}

// Dots per metre of a picture at scale, so that a document places it at
// the chart's own size (96 dots per inch at scale 1).
int DotsPerMetre(double scale) {
  return static_cast<int>(std::lround(96.0 * scale / 0.0254));
}

// The chart's picture at scale. Drawn at another scale it is a picture of
// its own; the chart's own pixels are shared unless `copy`: a picture kept
// must not change when the next pass draws, one saved at once needs no copy.
QImage PictureAt(PalvexChart& chart, double scale, bool copy) {
  ChartState& state = chart.state();
  CheckScale(*state.surface, scale);
  const auto* own = dynamic_cast<const QImageSurface*>(state.surface.get());
  QImage picture;
  if (own && own->devicePixelRatio() == scale) {
    picture = copy ? own->image().copy() : own->image();
  } else {
    std::unique_ptr<Surface> surface = std::make_unique<QImageSurface>(
        state.host.screen(), state.surface->PixelWidth(), state.surface->PixelHeight(), scale);
    DrawChartOn(state, surface);
    picture = ImageOf(*surface);
  }
  if (scale != 1.0) {
    // Plain pixels for whoever reads them, and a resolution that gives the
    // chart's own size in a document.
    picture.setDevicePixelRatio(1.0);
    picture.setDotsPerMeterX(DotsPerMetre(scale));
    picture.setDotsPerMeterY(DotsPerMetre(scale));
  }
  return picture;
}

}  // namespace

QImage ChartPicture(PalvexChart& chart, double scale) {
  return PictureAt(chart, scale, true);
}

QString SaveChartPicture(PalvexChart& chart, const QString& path, const char* format, double scale,
                         int quality) {
  CheckScale(*chart.state().surface, scale);
  if (quality < -1 || quality > 100) throw ChartError(kErrInvalidPropertyValue);
  const QString kind = format ? QString::fromLatin1(format) : QFileInfo(path).suffix();
  const PictureFormatRow* row = PictureFormatOfSuffix(
      std::u16string_view(reinterpret_cast<const char16_t*>(kind.utf16()), kind.size()));
  if (row && row->vector) {
    ChartState& state = chart.state();
    std::unique_ptr<Surface> page = state.host.CreateVectorSurface(
        state.surface->PixelWidth(), state.surface->PixelHeight(), row->format);
    if (!page) return QStringLiteral("%1: this host draws no vector pictures").arg(path);
    DrawChartOn(state, page);
    return SavePictureFile(*page, path, row->format);
  }
  return SaveImageAtomically(PictureAt(chart, scale, false), path, format, quality);
}

}  // namespace palvex
