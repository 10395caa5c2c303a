#pragma once

#include <cstdint>
#include <string>

namespace palvex {

class DeviceContext;

struct PointL {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Draws text centred on (x, y) pixels at angle degrees counter-clockwise,
// in the device context's current font. True when it was drawn.
bool DrawRotatedText(DeviceContext& dc, const std::u16string& text, std::int32_t x, std::int32_t y,
                     float angle);
// Rotates point about centre by angle degrees, counter-clockwise on screen.
void RotatePoint(PointL centre, PointL& point, float angle);

}  // namespace palvex
