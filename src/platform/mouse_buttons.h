#pragma once

#include <cstdint>

namespace palvex {

// The button masks of the control's mouse events and its pointer state.
enum MouseButton : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

}  // namespace palvex
