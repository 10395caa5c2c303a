#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

namespace palvex {

// One QPainter kept open on an image from one drawing operation to the
// next: beginning and ending a painter for every text, line and box cost
// more than drawing them. Every operation sets the pen, font and hints it
// uses and leaves the transform as it found it. Whoever reads, copies or
// resizes the image through QImage calls End first; writing rows directly
// is fine while it is open, the raster painter keeps no pixels of its own.
class ImagePainter {
 public:
  explicit ImagePainter(QImage& image) : image_(image) {}
  ImagePainter(const ImagePainter&) = delete;
  ImagePainter& operator=(const ImagePainter&) = delete;
  ~ImagePainter() { End(); }

  QPainter& Open() {
    // Made on first use: most small pictures (colour boxes) never need one.
    if (!painter_) painter_ = std::make_unique<QPainter>();
    if (!painter_->isActive()) painter_->begin(&image_);
    return *painter_;
  }
  void End() {
    if (painter_ && painter_->isActive()) painter_->end();
  }

 private:
  QImage& image_;
  std::unique_ptr<QPainter> painter_;
};

}  // namespace palvex
