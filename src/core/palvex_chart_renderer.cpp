#include <palvex/palvexchartrenderer.h>

#include <QGuiApplication>

#include "control/palvex_chart.h"
#include "core/caught_error.h"
#include "core/chart_changes.h"
#include "core/chart_picture.h"
#include "core/finished_chart.h"
#include "core/host_look.h"
#include "core/item_conversion.h"
#include "core/property_access.h"
#include "core/qt_face_properties.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"

using namespace palvex;

namespace {

// The design size of a newly placed control, in pixels.
constexpr QSize kDesignSize(560, 372);
// As large as a host may make the control.
constexpr int kMaxSidePx = 16384;

}  // namespace

class PalvexChartRendererPrivate {
 public:
  PalvexChartRendererPrivate() {
    chart.InitProperties();
    chart.Resize(kDesignSize.width(), kDesignSize.height());
  }

  // Runs a call into the control and keeps its error; true on success.
  template <typename F>
  bool Call(F&& call) {
    const std::optional<ChartError> failure = CaughtError(call);
    error = failure ? failure->number() : 0;
    errorString = failure ? QString::fromUtf8(failure->what()) : QString();
    return !failure;
  }

  // The first picture plays the life of a shown control: the start timer's
  // tick grows the bars; later writers redraw the finished chart.
  void Finish() {
    if (shown) return;
    chart.Show();
    if (host.timerEnabled()) FinishGrowth(chart);
    shown = true;
  }

  // The palette theme in the application's palette as it is now: no
  // palette change reaches a chart without a window, and a restored state
  // or the automation name selects the theme without its colours.
  void FollowPalette() {
    const QPalette palette = QGuiApplication::palette();
    if (chart.ActiveTheme() != kHostTheme || ShowsPalette(chart, palette)) return;
    UsePaletteTheme(chart, palette);
    if (chart.state().animationDone) chart.Refresh();
  }

  HeadlessHost host;
  PalvexChart chart{host};
  bool shown = false;
  int error = 0;
  QString errorString;
};

PalvexChartRenderer::PalvexChartRenderer() : d(std::make_unique<PalvexChartRendererPrivate>()) {}
PalvexChartRenderer::~PalvexChartRenderer() {
  d->Call([&] { d->chart.Terminate(); });
}

// The widget's name first (exactly as spelt), else the automation name in
// any case.
QVariant PalvexChartRenderer::property(const QString& name) const {
  QVariant value;
  d->Call([&] { value = ReadPropertyNamed(d->chart, name); });
  return value;
}

bool PalvexChartRenderer::setProperty(const QString& name, const QVariant& value) {
  return d->Call([&] {
    WritePropertyNamed(d->chart, name, value);
    d->FollowPalette();
  });
}

bool PalvexChartRenderer::addItem(const PalvexChartItem& item) {
  return d->Call([&] { AddDrawableItem(d->chart, ToChartItem(item)); });
}

bool PalvexChartRenderer::setItems(const QList<PalvexChartItem>& items) {
  return d->Call([&] { ReplaceItems(d->chart, ToChartItems(items)); });
}

QList<PalvexChartItem> PalvexChartRenderer::items() const {
  return ToPublicItems(d->chart.state().items());
}

void PalvexChartRenderer::clear() {
  d->Call([&] { d->chart.Clear(); });
}

QByteArray PalvexChartRenderer::saveState() const {
  QByteArray state;
  d->Call([&] { state = SaveState(d->chart); });
  return state;
}

bool PalvexChartRenderer::restoreState(const QByteArray& state) {
  return d->Call([&] {
    RestoreState(d->chart, state, true);
    d->FollowPalette();
  });
}

QSize PalvexChartRenderer::size() const {
  const Surface& surface = *d->chart.state().surface;
  return {surface.PixelWidth(), surface.PixelHeight()};
}

bool PalvexChartRenderer::resize(const QSize& size) {
  return d->Call([&] {
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSidePx ||
        size.height() > kMaxSidePx) {
      throw ChartError(kErrInvalidPropertyValue);
    }
    d->chart.Resize(size.width(), size.height());
  });
}

QImage PalvexChartRenderer::toImage() {
  return toImage(1.0);
}

QImage PalvexChartRenderer::toImage(qreal scale) {
  QImage image;
  d->Call([&] {
    d->Finish();
    d->FollowPalette();
    image = ChartPicture(d->chart, scale);
  });
  return image;
}

bool PalvexChartRenderer::save(const QString& path, const char* format) {
  return save(path, format, 1.0);
}

bool PalvexChartRenderer::save(const QString& path, const char* format, qreal scale) {
  return save(path, format, scale, -1);
}

bool PalvexChartRenderer::save(const QString& path, const char* format, qreal scale, int quality) {
  return d->Call([&] {
    d->Finish();
    d->FollowPalette();
    const QString failure = SaveChartPicture(d->chart, path, format, scale, quality);
    if (!failure.isEmpty()) throw ChartError(kErrPathAccess, failure.toStdString());
  });
}

int PalvexChartRenderer::lastError() const {
  return d->error;
}
QString PalvexChartRenderer::lastErrorString() const {
  return d->errorString;
}
