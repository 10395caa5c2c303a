#include "theme/gradient.h"

#include "platform/device_context.h"
#include "platform/numeric.h"

namespace palvex {

void SplitColor(Color color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
  red = RedOf(color);
  green = GreenOf(color);
  blue = BlueOf(color);
}

bool FillGradient(DeviceContext& dc, Color color1, Color color2, GradientDirection direction,
                  std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  std::uint8_t r, g, b;
  TriVertex v[2];
  SplitColor(color1, r, g, b);
  v[0] = {x, y, std::uint16_t(r * 256), std::uint16_t(g * 256), std::uint16_t(b * 256), 0};
  SplitColor(color2, r, g, b);
  v[1] = {AddInt32(x, width),     AddInt32(y, height),    std::uint16_t(r * 256),
          std::uint16_t(g * 256), std::uint16_t(b * 256), 0};
  GradientRect mesh{0, 1};
  return dc.GradientFill(v, 2, &mesh, 1, direction);
}

}  // namespace palvex
