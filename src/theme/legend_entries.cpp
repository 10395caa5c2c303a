#include "theme/legend_entries.h"

#include <cmath>

#include "control/chart_state.h"
#include "platform/chart_error.h"
#include "platform/numeric.h"

namespace palvex {

void AddLegendEntry(ChartState& chart, const std::u16string&, std::int32_t colourIndex) {
  if (colourIndex < 0 || colourIndex > 15) throw ChartError(kErrSubscript);
  chart.legendHasRows = true;
}

void ClearLegendEntries(ChartState& chart) {
  chart.legendHasRows = false;
}

void PaintEntriesBackground(ChartState&) {}

void ScrollEntries(ChartState& chart, int value) {
  Control& bar = chart.children.vsbContainer;
  bar.Value = value;
  chart.children.picContainer.Top = -double(bar.Value) * chart.TwipsPerPixelY();
}

void FrameSelectedEntry(ChartState& chart) {
  ChildControls& ch = chart.children;
  const double tppx = chart.TwipsPerPixelX();
  const double tppy = chart.TwipsPerPixelY();
  auto element = [](std::vector<std::unique_ptr<Control>>& array, long k) -> Control& {
    if (k < 0 || k >= static_cast<long>(array.size())) throw ChartError(kErrSubscript);
    return *array[k];
  };
  const int s = ToInt32(chart.SelectedColumn);
  const Control& box0 = *ch.Box[0];
  const std::int16_t visible =
      ToInt16(std::abs(ch.picLegend.ScaleHeight() / (box0.Height + 10 * tppy) - 1));
  if (chart.SelectedColumn + 1 > visible) {
    std::int32_t pos = ToInt32((chart.SelectedColumn + 1) * (box0.Height / tppy + 10) -
                               element(ch.Box, visible).Top / tppy);
    if (ch.vsbContainer.Max < pos) pos = ch.vsbContainer.Max;
    ScrollEntries(chart, pos);
  } else {
    ScrollEntries(chart, 0);
  }
  PaintEntriesBackground(chart);
  const Control& box = element(ch.Box, s);
  const Control& label = element(ch.lblDescription, s);
  ch.picContainer.surface->Box(box.Left - 3 * tppx, box.Top - 3 * tppy,
                               label.Left + label.Width + 2 * tppx, box.Top + box.Height + 2 * tppy,
                               0xFFFFFF);
}

}  // namespace palvex
