#pragma once

#include <cstdint>
#include <string>

#include "platform/color.h"

namespace palvex {

// One corner of a gradient rectangle: pixel position and 16-bit channels
// (an 8-bit channel c is passed as c * 256).
struct TriVertex {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint16_t Red = 0;
  std::uint16_t Green = 0;
  std::uint16_t Blue = 0;
  std::uint16_t Alpha = 0;
};

struct GradientRect {
  std::uint32_t UpperLeft = 0;
  std::uint32_t LowerRight = 0;
};

enum GradientMode : std::uint32_t { kGradientFillRectH = 0, kGradientFillRectV = 1 };

// The value GetPixel reports for a point outside the image.
constexpr Color kInvalidColor = 0xFFFFFFFFu;

// Pixel-level drawing on a surface's persistent image: the calls the
// gradient, legend sampling and rotated-text painters make, in pixels.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  // Fills each rectangle of the mesh with a linear gradient between its two
  // vertices; false when the arguments describe nothing drawable.
  virtual bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                            const GradientRect* mesh, std::uint32_t meshCount,
                            std::uint32_t mode) = 0;
  virtual Color GetPixel(int x, int y) const = 0;
};

}  // namespace palvex
