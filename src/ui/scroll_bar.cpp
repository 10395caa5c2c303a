#include "ui/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "model/chart_state.h"
#include "model/child_controls.h"
#include "platform/mouse_buttons.h"
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

// A wheel notch is 120 units and scrolls three entries.
constexpr int kWheelPerEntry = 120 / 3;

int Clamped(const Control& bar, int value) {
  return std::clamp(value, bar.Min, bar.Max);
}

// The part under a point of the bar; None outside it, or where a
// coordinate is no number.
ScrollPart PartAt(const Control& bar, const ScrollBarLayout& layout, double x, double y) {
  if (!(x >= 0 && x < bar.Width && y >= 0 && y < bar.Height)) return ScrollPart::None;
  if (y < layout.arrowHeight) return ScrollPart::LineUp;
  if (y >= bar.Height - layout.arrowHeight) return ScrollPart::LineDown;
  if (y < layout.thumbTop) return ScrollPart::PageUp;
  if (y >= layout.thumbTop + layout.thumbHeight) return ScrollPart::PageDown;
  return ScrollPart::Thumb;
}

// One step of an arrow or the track.
void Step(ChartState& chart, ScrollPart part) {
  const Control& bar = chart.children.vsbContainer;
  switch (part) {
    case ScrollPart::LineUp:
      return ScrollEntries(chart, Clamped(bar, bar.Value - bar.SmallChange));
    case ScrollPart::LineDown:
      return ScrollEntries(chart, Clamped(bar, bar.Value + bar.SmallChange));
    case ScrollPart::PageUp:
      return ScrollEntries(chart, Clamped(bar, bar.Value - bar.LargeChange));
    case ScrollPart::PageDown:
      return ScrollEntries(chart, Clamped(bar, bar.Value + bar.LargeChange));
    default:
      return;
  }
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
  if (button != kLeftButton) return;
  Control& bar = chart.children.vsbContainer;
  const ScrollBarLayout layout = LayoutScrollBar(bar, chart.TwipsPerPixelY());
  PointerState& p = chart.pointer;
  // Arrows step by SmallChange, the track on either side of the thumb by
  // LargeChange, and go on stepping while held; the thumb is grabbed for
  // dragging.
  const ScrollPart part = PartAt(bar, layout, x, y);
  if (part == ScrollPart::None) return;
  if (part == ScrollPart::Thumb) {
    p.thumbGrab = y - layout.thumbTop;
    return;
  }
  Step(chart, part);
  p.scrollPart = part;
  p.scrollX = x;
  p.scrollY = y;
  chart.host.SetScrollRepeat(true);
}

void ScrollBarMouseMove(ChartState& chart, std::int16_t buttons, float x, float y) {
  PointerState& p = chart.pointer;
  if (p.scrollPart != ScrollPart::None) {
    p.scrollX = x;
    p.scrollY = y;
    return;
  }
  // A coordinate that is no number points nowhere: the thumb stays.
  if (p.thumbGrab < 0 || !(buttons & kLeftButton) || !std::isfinite(y)) return;
  Control& bar = chart.children.vsbContainer;
  const ScrollBarLayout layout = LayoutScrollBar(bar, chart.TwipsPerPixelY());
  const double travel = bar.Height - 2 * layout.arrowHeight - layout.thumbHeight;
  if (travel <= 0) return;
  // The value whose thumb would sit where the pointer holds it.
  const double fraction = (y - p.thumbGrab - layout.arrowHeight) / travel;
  const double value = bar.Min + std::clamp(fraction, 0.0, 1.0) * (double(bar.Max) - bar.Min);
  const int next = Clamped(bar, static_cast<int>(RoundHalfEven(value)));
  if (next != bar.Value) ScrollEntries(chart, next);
}

void ScrollBarMouseUp(ChartState& chart, std::int16_t button, float, float) {
  if (button != kLeftButton) return;
  PointerState& p = chart.pointer;
  p.thumbGrab = -1;
  if (p.scrollPart != ScrollPart::None) {
    p.scrollPart = ScrollPart::None;
    chart.host.SetScrollRepeat(false);
  }
}

void ScrollBarRepeatTick(ChartState& chart) {
  PointerState& p = chart.pointer;
  const Control& bar = chart.children.vsbContainer;
  // The press has ended (a release, or one the chart never saw) or the bar
  // has gone meanwhile.
  if (p.scrollPart == ScrollPart::None || !bar.Visible || !bar.Enabled) {
    p.scrollPart = ScrollPart::None;
    chart.host.SetScrollRepeat(false);
    return;
  }
  // Paging ends once the thumb has reached the pointer.
  const ScrollBarLayout layout = LayoutScrollBar(bar, chart.TwipsPerPixelY());
  if (PartAt(bar, layout, p.scrollX, p.scrollY) == p.scrollPart) Step(chart, p.scrollPart);
}

bool ScrollBarWheel(ChartState& chart, std::int32_t delta) {
  PointerState& p = chart.pointer;
  Control& bar = chart.children.vsbContainer;
  // Away from the user (a positive turn) scrolls towards the first entry.
  if (delta > 0 ? bar.Value <= bar.Min : bar.Value >= bar.Max) {
    p.wheelRest = 0;
    return false;
  }
  // A turn the other way starts afresh.
  if ((p.wheelRest < 0 && delta > 0) || (p.wheelRest > 0 && delta < 0)) p.wheelRest = 0;
  const std::int64_t total = std::int64_t{p.wheelRest} + delta;
  const std::int64_t entries = total / kWheelPerEntry;
  p.wheelRest = static_cast<int>(total - entries * kWheelPerEntry);
  if (entries == 0) return true;
  const std::int64_t next = std::int64_t{bar.Value} - entries * bar.SmallChange;
  ScrollEntries(chart, static_cast<int>(std::clamp<std::int64_t>(next, bar.Min, bar.Max)));
  return true;
}

}  // namespace palvex
