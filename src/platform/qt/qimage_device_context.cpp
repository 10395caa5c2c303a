#include "platform/qt/qimage_device_context.h"

#include <algorithm>
#include <cstdint>

#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// One channel at position pos of a run from a (at pos 0) to b (at span).
std::uint8_t Blend(std::uint16_t a, std::uint16_t b, std::int64_t pos, std::int64_t span) {
  std::int64_t v = a + (std::int64_t(b) - std::int64_t(a)) * pos / span;
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 0xFFFF) >> 8);
}

}  // namespace

bool QImageDeviceContext::GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                                       const GradientRect* mesh, std::uint32_t meshCount,
                                       std::uint32_t mode) {
  if (!vertices || !mesh || mode > kGradientFillRectV) return false;
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return false;
    const TriVertex& a = vertices[mesh[m].UpperLeft];
    const TriVertex& b = vertices[mesh[m].LowerRight];
    const std::int64_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const std::int64_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    if (left == right || top == bottom) continue;
    // The colour runs from vertex a's edge to vertex b's edge, whichever
    // side of the rectangle each lies on.
    const bool vertical = mode == kGradientFillRectV;
    const std::int64_t from = vertical ? a.y : a.x;
    const std::int64_t span = (vertical ? b.y : b.x) - from;
    const std::int64_t x0 = std::max<std::int64_t>(left, 0);
    const std::int64_t x1 = std::min<std::int64_t>(right, image_.width());
    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom, image_.height());
    for (std::int64_t y = y0; y < y1; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)));
      for (std::int64_t x = x0; x < x1; ++x) {
        // Pixel centres sit half a pixel inside the edge they start from.
        std::int64_t pos = (vertical ? y : x) - from;
        if (span < 0) pos += 1;
        row[x] = qRgb(Blend(a.Red, b.Red, pos, span), Blend(a.Green, b.Green, pos, span),
                      Blend(a.Blue, b.Blue, pos, span));
      }
    }
  }
  return true;
}

Color QImageDeviceContext::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return kInvalidColor;
  return FromQRgb(image_.pixel(x, y));
}

}  // namespace palvex
