#include "core/chart_changes.h"

#include <cmath>
#include <optional>

#include "control/property_table.h"
#include "platform/chart_error.h"
#include "platform/property_bag.h"
#include "platform/qt/json_property_bag.h"
#include "theme/legend_entries.h"

namespace palvex {

void AllOrNothing(PalvexChart& chart, const std::function<void()>& change) {
  ChartState& s = chart.state();
  MemoryPropertyBag before;
  chart.WriteProperties(before);
  const double drawnSelection = s.drawnSelection;
  try {
    change();
  } catch (const ChartError&) {
    chart.ReadProperties(before);
    s.drawnSelection = drawnSelection;
    throw;
  }
}

void ReplaceItems(PalvexChart& chart, const std::vector<ChartItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!std::isfinite(items[i].Value)) {
      throw ChartError(kErrOverflow,
                       "items[" + std::to_string(i) + "]: " + ErrorMessage(kErrOverflow));
    }
  }
  ChartState& s = chart.state();
  std::optional<std::vector<ChartItem>> before = std::move(s.itemList);
  try {
    AllOrNothing(chart, [&] {
      s.itemList.emplace();
      for (const ChartItem& item : items) chart.AddItem(item);
      if (s.legendHasRows) ClearLegendEntries(s);
      chart.Refresh();
    });
  } catch (const ChartError&) {
    // The failed pass drew part of the refused list: the old one is drawn
    // again, as well as it drew before.
    s.itemList = std::move(before);
    IgnoreErrors([&] { chart.Refresh(); });
    throw;
  }
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
