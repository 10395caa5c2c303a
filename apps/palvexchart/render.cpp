#include "render.h"

#include <QDir>
#include <QJsonArray>

#include "control/property_table.h"
#include "core/finished_chart.h"
#include "core/property_access.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// Runs one call into the control; its error names the call.
template <typename F>
void Named(const QString& member, F&& call) {
  try {
    call();
  } catch (const NamedChartError&) {
    throw;
  } catch (const ChartError& e) {
    throw NamedChartError(member, e);
  }
}

}  // namespace

QString RunTimeErrorText(const ChartError& e) {
  const QString text =
      QStringLiteral("run-time error %1: %2").arg(e.number()).arg(QString::fromUtf8(e.what()));
  const auto* named = dynamic_cast<const NamedChartError*>(&e);
  return named ? named->member() + ": " + text : text;
}

void LoadChart(const ChartFile& file, PalvexChart& chart) {
  for (const ChartProperty& p : file.properties) Named(p.name, [&] { ApplyProperty(chart, p); });
  for (std::size_t i = 0; i < file.items.size(); ++i) {
    Named(QStringLiteral("AddItem items[%1]").arg(i), [&] { chart.AddItem(file.items[i]); });
  }
}

std::unique_ptr<PalvexChart> RenderChart(const ChartFile& file, HeadlessHost& host,
                                         PropertyBag* saved, const FrameSink& onFrame,
                                         GrowthFailure growthFailure) {
  auto chart = std::make_unique<PalvexChart>(host);
  // A host gives a control either the defaults or its saved bag, never both.
  if (saved) {
    Named("ReadProperties", [&] { chart->ReadProperties(*saved); });
  } else {
    chart->InitProperties();
  }
  Named("Resize", [&] { chart->Resize(file.width, file.height); });
  LoadChart(file, *chart);
  Named("Show", [&] { chart->Show(); });
  if (!host.timerEnabled()) return chart;
  const auto tick = [&] {
    Named("start timer", [&] {
      if (growthFailure == GrowthFailure::Raise) {
        FinishGrowth(*chart);
      } else {
        chart->StartTimerTick();
      }
    });
  };
  auto* own = dynamic_cast<QImageSurface*>(chart->state().surface.get());
  if (!onFrame || !own) {
    tick();
    return chart;
  }
  // The tick plays the growth animation. Frames are what the surface shows
  // at each refresh; the host still sees every refresh as before.
  const std::function<void()> showOnHost = own->refreshHandler();
  own->SetRefreshHandler([&] {
    onFrame(own->image());
    if (showOnHost) showOnHost();
  });
  struct RestoreRefresh {
    QImageSurface& surface;
    const std::function<void()>& handler;
    ~RestoreRefresh() { surface.SetRefreshHandler(handler); }
  } restore{*own, showOnHost};
  tick();
  return chart;
}

JsonPropertyBag SaveBagOf(const ChartFile& file, std::optional<NamedChartError>* growthFailure) {
  HeadlessHost host;
  auto chart = RenderChart(file, host, nullptr, {}, GrowthFailure::Keep);
  if (growthFailure) {
    growthFailure->reset();
    if (const auto& failure = chart->state().animationFailure)
      growthFailure->emplace("start timer", *failure);
  }
  JsonPropertyBag bag;
  Named("WriteProperties", [&] { chart->WriteProperties(bag); });
  return bag;
}

void FrameWriter::operator()(const QImage& frame) {
  if (!error_.isEmpty()) return;
  if (written_ == 0 && !QDir().mkpath(folder_)) {
    error_ = QStringLiteral("%1: cannot create the folder").arg(folder_);
    return;
  }
  const QString name = QStringLiteral("frame-%1.png").arg(written_ + 1, 2, 10, QChar(u'0'));
  error_ = SaveImageAtomically(frame, QDir(folder_).filePath(name), nullptr, quality_);
  if (error_.isEmpty()) ++written_;
}

namespace {

// A property's value as the JSON number, boolean or string a reader of
// the output expects; colours unsigned, as the interface declares them.
QJsonValue JsonOf(const Variant& v) {
  return QJsonValue::fromVariant(ToQVariant(v));
}

}  // namespace

QJsonObject ChartStateJson(const PalvexChart& c) {
  const ChartState& s = c.state();
  QJsonObject json;
  for (const PropertyInfo& p : PropertyTable())
    json.insert(QString::fromUtf8(p.name), JsonOf(p.read(c)));
  QJsonArray tops;
  for (double t : s.barTops) tops.append(t);
  json.insert("valueScale", s.valueScale);
  json.insert("barWidth", s.barWidth);
  json.insert("barTops", tops);
  json.insert("itemCount", static_cast<int>(s.items().size()));
  json.insert("animationDone", s.animationDone);
  return json;
}

}  // namespace palvex
