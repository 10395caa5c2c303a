#pragma once

#include <QImage>

#include "platform/device_context.h"

namespace palvex {

// Pixel-level drawing straight into a surface's QImage.
class QImageDeviceContext : public DeviceContext {
 public:
  explicit QImageDeviceContext(QImage& image) : image_(image) {}

  bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount, const GradientRect* mesh,
                    std::uint32_t meshCount, std::uint32_t mode) override;
  Color GetPixel(int x, int y) const override;

 protected:
  QImage& image() { return image_; }

 private:
  QImage& image_;
};

}  // namespace palvex
