#include "core/chart_changes.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "control/property_table.h"
#include "platform/chart_error.h"
#include "platform/property_bag.h"
#include "platform/qt/json_property_bag.h"
#include "platform/qt/qimage_surface.h"
#include "render/draw_chart.h"
#include "theme/legend_entries.h"

namespace palvex {

void AllOrNothing(PalvexChart& chart, const std::function<void()>& change) {
  ChartState& s = chart.state();
  MemoryPropertyBag before;
  chart.WriteProperties(before);
  const double drawnSelection = s.drawnSelection;
  const std::uint64_t passes = s.passesBegun;
  const bool finished = s.animationDone;
  const int scrolled = s.children.vsbContainer.Value;
  // The host's own look is no property of the control's, so the bag above
  // does not hold it.
  const HostLook look = s.look;
  // Putting the properties back repaints the background colour over the
  // picture, so the picture is kept too.
  auto* own = dynamic_cast<QImageSurface*>(s.surface.get());
  const QImage picture = own ? own->image().copy() : QImage();
  try {
    change();
  } catch (const ChartError&) {
    chart.ReadProperties(before);
    s.look = look;
    s.drawnSelection = drawnSelection;
    if (s.passesBegun != passes) {
      // A pass that failed part-way changed the layout and the legend the
      // picture goes with: a finished chart lays them out again, at the
      // list's old scroll position.
      if (finished) {
        IgnoreErrors([&] { chart.Refresh(); });
        IgnoreErrors([&] { ScrollEntries(s, std::min(scrolled, s.children.vsbContainer.Max)); });
      }
      s.animationDone = finished;
    }
    // The picture itself as it was: the last frame of a growth animation
    // is not what a pass draws.
    if (own) own->PutBack(picture);
    throw;
  }
}

void AddDrawableItem(PalvexChart& chart, const ChartItem& item) {
  CheckDrawable(chart.state(), item);
  chart.AddItem(item);
}

void ReplaceItems(PalvexChart& chart, const std::vector<ChartItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!std::isfinite(items[i].Value)) {
      throw ChartError(kErrOverflow,
                       "items[" + std::to_string(i) + "]: " + ErrorMessage(kErrOverflow));
    }
  }
  ChartState& s = chart.state();
  AllOrNothing(chart, [&] {
    std::optional<std::vector<ChartItem>> before = std::move(s.itemList);
    try {
      s.itemList.emplace();
      for (const ChartItem& item : items) chart.AddItem(item);
      if (s.legendHasRows) ClearLegendEntries(s);
      chart.Refresh();
    } catch (const ChartError&) {
      // The old list comes back before its chart is.
      s.itemList = std::move(before);
      throw;
    }
  });
}

QByteArray SaveState(const PalvexChart& chart) {
  JsonPropertyBag bag;
  chart.WriteProperties(bag);
  return bag.ToJson();
}

void RestoreState(PalvexChart& chart, const QByteArray& state, bool redraw,
                  const std::function<void(PalvexChart&)>& check) {
  JsonPropertyBag bag = JsonPropertyBag::Parse(state, QStringLiteral("state"));
  AllOrNothing(chart, [&] {
    chart.ReadProperties(bag);
    // A value the bag may hold but no reader can give back (a column past
    // 32 bits) would fail every later read.
    for (const PropertyInfo& p : PropertyTable()) p.read(chart);
    if (check) check(chart);
    if (redraw) chart.Refresh();
  });
}

}  // namespace palvex
