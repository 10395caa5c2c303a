#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/device_context.h"
#include "platform/log_font.h"

namespace palvex {

// A picture at device pixel ratio r has r times the pixels of the chart in
// each direction. The control lays out and draws in the chart's own
// (logical) pixels; these map them onto the picture's device pixels.

// Where the logical pixel edge x lies on the device pixels: the first device
// pixel whose centre is at or past x * r. Exact for whole ratios.
inline std::int64_t DeviceEdge(std::int64_t x, double r) {
  return static_cast<std::int64_t>(std::ceil(static_cast<double>(x) * r - 0.5));
}

// The device pixels that cover a rectangle of logical pixels.
inline QRect DeviceRect(const QRect& logical, double r) {
  if (r == 1.0) return logical;
  const auto edge = [r](int x) {
    return static_cast<int>(std::clamp<std::int64_t>(DeviceEdge(x, r), -4000000, 4000000));
  };
  return QRect(QPoint(edge(logical.left()), edge(logical.top())),
               QPoint(edge(logical.right() + 1) - 1, edge(logical.bottom() + 1) - 1));
}

// The logical side of a picture side of `device` pixels: what a picture made
// for `logical` pixels (DevicePicture) reports back.
inline int LogicalSide(int device, double r) {
  return r == 1.0 ? device : static_cast<int>(std::floor(device / r + 1e-9));
}

// The device side of a picture for `logical` pixels, at least 1.
inline int DeviceSide(int logical, double r) {
  if (r == 1.0) return std::max(logical, 1);
  return std::max(static_cast<int>(std::ceil(std::max(logical, 1) * r - 1e-9)), 1);
}

// A picture for logical pixels at ratio r, carrying r.
inline QImage DevicePicture(int width, int height, double r, QImage::Format format) {
  QImage picture(DeviceSide(width, r), DeviceSide(height, r), format);
  if (r != 1.0) picture.setDevicePixelRatio(r);
  return picture;
}

// A font description with r times the pixels, for drawing at device pixels.
inline LogFont DeviceFont(LogFont font, double r) {
  const double height = std::clamp(std::round(font.lfHeight * r), -2000.0, 2000.0);
  font.lfHeight = static_cast<std::int32_t>(height);
  return font;
}

// The vertices a gradient mesh uses, moved onto the device pixels; colours
// stay. Only as many are read as the mesh names (and the count allows).
inline std::vector<TriVertex> DeviceVertices(const TriVertex* vertices, std::uint32_t count,
                                             const GradientRect* mesh, std::uint32_t meshCount,
                                             double r) {
  std::uint64_t used = 0;
  for (std::uint32_t m = 0; m < meshCount; ++m)
    used = std::max<std::uint64_t>({used, mesh[m].UpperLeft + 1ull, mesh[m].LowerRight + 1ull});
  std::vector<TriVertex> device(vertices, vertices + std::min<std::uint64_t>(used, count));
  for (TriVertex& v : device) {
    v.x = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(DeviceEdge(v.x, r), INT32_MIN, INT32_MAX));
    v.y = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(DeviceEdge(v.y, r), INT32_MIN, INT32_MAX));
  }
  return device;
}

}  // namespace palvex
