#pragma once

#include <cstdint>

namespace palvex {

struct ChartState;
struct Control;
class Surface;

// Where the parts of a vertical scroll bar lie, in twips from its top: an
// arrow button at each end, the track between them and the thumb on it.
struct ScrollBarLayout {
  double arrowHeight = 0;
  double thumbTop = 0;
  double thumbHeight = 0;
};
ScrollBarLayout LayoutScrollBar(const Control& bar, float twipsPerPixelY);

// Draws the scroll bar with its top-left corner at (left, top) on target.
void PaintScrollBar(Surface& target, const Control& bar, double left, double top,
                    float twipsPerPixelX, float twipsPerPixelY);

// Mouse input on the scroll bar, in its own twips.
void ScrollBarMouseDown(ChartState& chart, std::int16_t button, float x, float y);
void ScrollBarMouseMove(ChartState& chart, std::int16_t buttons, float x, float y);
void ScrollBarMouseUp(ChartState& chart, std::int16_t button, float x, float y);
// The host's repeat timer while an arrow or the track is held.
void ScrollBarRepeatTick(ChartState& chart);
// Scrolls by whole entries for a wheel turn of delta (120 a notch, positive
// away from the user). False when the list already ends that way: as with
// Qt's scroll bars, the turn is then the window's parent's.
bool ScrollBarWheel(ChartState& chart, std::int32_t delta);

}  // namespace palvex
