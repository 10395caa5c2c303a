#pragma once

#include <cstdint>
#include <string>

namespace palvex {

// A child control named so it can be found again: the description entries
// are destroyed and created anew by a redraw that a press may cause.
struct ControlRef {
  std::string name;  // empty: the chart's own surface
  int index = -1;

  bool IsSurface() const { return name.empty(); }
};

// The part of a scroll bar under a point.
enum class ScrollPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

// What the mouse is doing between a press and its release: the control
// that took the press receives the moves and the release (as a window
// system captures the mouse), and a label may be being dragged.
struct PointerState {
  bool captured = false;
  ControlRef capture;
  std::int16_t buttons = 0;  // held buttons, 1 left, 2 right, 4 middle
  bool dragging = false;
  ControlRef dragSource;
  // While the scroll bar's thumb is dragged: where on the thumb it was
  // grabbed, in twips from the thumb's top; negative when not dragging.
  double thumbGrab = -1;
  // While an arrow or the track of the scroll bar is held: the part
  // pressed, and where the pointer is now in the bar's own twips; the
  // repeat steps only while the pointer stays on that part.
  ScrollPart scrollPart = ScrollPart::None;
  double scrollX = 0;
  double scrollY = 0;
  // Wheel movement not yet scrolled: less than one entry's share.
  int wheelRest = 0;
};

}  // namespace palvex
