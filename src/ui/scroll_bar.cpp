#include "ui/scroll_bar.h"

#include <algorithm>

#include "model/chart_state.h"
#include "model/child_controls.h"
#include "platform/numeric.h"
#include "platform/surface.h"
#include "theme/legend_entries.h"

namespace palvex {

namespace {

constexpr Color kTrack = 0xE8E8E8;
constexpr Color kButtonFace = 0xF0F0F0;
constexpr Color kEdge = 0x808080;
constexpr Color kArrow = 0x000000;

// A raised button: face and a one-pixel edge.
void Button(Surface& s, double l, double t, double r, double b) {
  s.FilledBox(l, t, r, b, kButtonFace);
  s.Box(l, t, r, b, kEdge);
}

// A small filled triangle, pointing up or down, centred in the box.
void Arrow(Surface& s, double l, double t, double r, double b, bool up, float tppx, float tppy) {
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  for (int row = 0; row < 4; ++row) {
    const double y = up ? cy - 2 * tppy + row * tppy : cy + 2 * tppy - row * tppy;
    s.FilledBox(cx - row * tppx, y, cx + row * tppx, y, kArrow);
  }
}

constexpr std::int16_t kLeftButton = 1;

int Clamped(const Control& bar, int value) {
  return std::clamp(value, bar.Min, bar.Max);
}

}  // namespace

ScrollBarLayout LayoutScrollBar(const Control& bar, float tppy) {
  ScrollBarLayout layout;
  layout.arrowHeight = std::min(bar.Width, bar.Height / 2);
  const double track = std::max(0.0, bar.Height - 2 * layout.arrowHeight);
  // The thumb is square, like the arrow buttons, however long the range.
  layout.thumbHeight = std::min(track, std::max(layout.arrowHeight, 8.0 * tppy));
  const double range = double(bar.Max) - bar.Min;
  double fraction = range == 0 ? 0 : (double(bar.Value) - bar.Min) / range;
  fraction = std::clamp(fraction, 0.0, 1.0);
  layout.thumbTop = layout.arrowHeight + fraction * (track - layout.thumbHeight);
  return layout;
}

void PaintScrollBar(Surface& s, const Control& bar, double left, double top, float tppx,
                    float tppy) {
  const ScrollBarLayout layout = LayoutScrollBar(bar, tppy);
  // Corners are inclusive: the last pixel column and row lie one pixel in.
  const double right = left + bar.Width - tppx;
  const double bottom = top + bar.Height - tppy;
  s.FilledBox(left, top, right, bottom, kTrack);
  const double upBottom = top + layout.arrowHeight - tppy;
  const double downTop = top + bar.Height - layout.arrowHeight;
  Button(s, left, top, right, upBottom);
  Arrow(s, left, top, right, upBottom, true, tppx, tppy);
  Button(s, left, downTop, right, bottom);
  Arrow(s, left, downTop, right, bottom, false, tppx, tppy);
  if (layout.thumbHeight > 0) {
    Button(s, left, top + layout.thumbTop, right,
           top + layout.thumbTop + layout.thumbHeight - tppy);
  }
}

void ScrollBarMouseDown(ChartState& chart, std::int16_t button, float x, float y) {
  (void)x;
  if (button != kLeftButton) return;
  Control& bar = chart.children.vsbContainer;
  const ScrollBarLayout layout = LayoutScrollBar(bar, chart.TwipsPerPixelY());
  // Arrows step by SmallChange, the track on either side of the thumb by
  // LargeChange; the thumb itself is grabbed for dragging.
  if (y < layout.arrowHeight) {
    ScrollEntries(chart, Clamped(bar, bar.Value - bar.SmallChange));
  } else if (y >= bar.Height - layout.arrowHeight) {
    ScrollEntries(chart, Clamped(bar, bar.Value + bar.SmallChange));
  } else if (y < layout.thumbTop) {
    ScrollEntries(chart, Clamped(bar, bar.Value - bar.LargeChange));
  } else if (y >= layout.thumbTop + layout.thumbHeight) {
    ScrollEntries(chart, Clamped(bar, bar.Value + bar.LargeChange));
  } else {
    chart.pointer.thumbGrab = y - layout.thumbTop;
  }
}

void ScrollBarMouseMove(ChartState& chart, std::int16_t buttons, float, float y) {
  if (chart.pointer.thumbGrab < 0 || !(buttons & kLeftButton)) return;
  Control& bar = chart.children.vsbContainer;
  const ScrollBarLayout layout = LayoutScrollBar(bar, chart.TwipsPerPixelY());
  const double travel = bar.Height - 2 * layout.arrowHeight - layout.thumbHeight;
  if (travel <= 0) return;
  // The value whose thumb would sit where the pointer holds it.
  const double fraction = (y - chart.pointer.thumbGrab - layout.arrowHeight) / travel;
  const double value = bar.Min + std::clamp(fraction, 0.0, 1.0) * (double(bar.Max) - bar.Min);
  const int next = Clamped(bar, static_cast<int>(RoundHalfEven(value)));
  if (next != bar.Value) ScrollEntries(chart, next);
}

void ScrollBarMouseUp(ChartState& chart, std::int16_t button, float, float) {
  if (button == kLeftButton) chart.pointer.thumbGrab = -1;
}

}  // namespace palvex
