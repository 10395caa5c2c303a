#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/pointer.h"

namespace palvex {

struct ChartState;
struct Control;

// The control under a point of the chart (twips), topmost first, and the
// point in that control's own coordinates. control is nullptr for the
// chart's own surface.
struct HitResult {
  Control* control = nullptr;
  double x = 0;
  double y = 0;
};
HitResult HitTest(ChartState& chart, double x, double y, const Control* ignore = nullptr);

// A dragged control let go over the chart's own surface, at (x, y).
struct DropRequest {
  Control* source = nullptr;
  float x = 0;
  float y = 0;
};

// Raw mouse input in the chart's twips, routed to the handler of the
// control under the pointer (or the one holding the mouse). Buttons are
// 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
void RouteMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);
void RouteMouseMove(ChartState& chart, std::int16_t buttons, std::int16_t shift, float x, float y);
// Returns the drop to make when the release ends a drag over the surface.
std::optional<DropRequest> RouteMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift,
                                        float x, float y);
// The second press of a double-click: the information label's own
// double-click, a press on any other child, nothing on the chart's surface.
void RouteDblClick(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);
// A wheel turn (120 a notch) over the description list scrolls it; false
// when the point is elsewhere or the list has nothing to scroll.
bool RouteMouseWheel(ChartState& chart, std::int32_t delta, float x, float y);

// Starts dragging a child control; the release ends the drag.
void BeginDrag(ChartState& chart, const Control& source);
// Forgets the held buttons and the drag: a modal menu took the release.
void ReleasePointer(ChartState& chart);
// The press ends without a release: the host took the mouse away (its
// window hidden or disabled, another item grabbed it). A held scroll arrow
// stops repeating at once and a dragged label stays where it was; no
// event is raised.
void LosePointer(ChartState& chart);

// The tool tip of the child under the point, empty when it has none.
std::u16string ToolTipAt(ChartState& chart, double x, double y);

}  // namespace palvex
