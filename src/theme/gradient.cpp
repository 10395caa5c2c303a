#include "theme/gradient.h"

#include "platform/device_context.h"
#include "platform/numeric.h"

namespace palvex {

void SplitColor(Color colour, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
  red = RedOf(colour);
  green = GreenOf(colour);
  blue = BlueOf(colour);
}

bool FillGradient(DeviceContext& dc, Color colour1, Color colour2, GradientDirection direction,
                  std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  std::uint8_t r, g, b;
  TriVertex v[2];
  SplitColor(colour1, r, g, b);
  v[0] = {x, y, std::uint16_t(r * 256), std::uint16_t(g * 256), std::uint16_t(b * 256), 0};
  SplitColor(colour2, r, g, b);
  v[1] = {AddInt32(x, width),     AddInt32(y, height),    std::uint16_t(r * 256),
          std::uint16_t(g * 256), std::uint16_t(b * 256), 0};
  GradientRect mesh{0, 1};
  return dc.GradientFill(v, 2, &mesh, 1, direction);
}

}  // namespace palvex
