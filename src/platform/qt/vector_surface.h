#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPaintDevice>
#include <QPainter>
#include <functional>
#include <memory>

#include "platform/host.h"
#include "platform/qt/fonts.h"
#include "platform/qt/vector_device_context.h"
#include "platform/screen.h"
#include "platform/surface.h"

namespace palvex {

// A surface that records what is drawn on it as a vector picture file, SVG
// or PDF, one page the surface's size: pixels are 1/96 inch, boxes and lines
// are shapes, gradient fills linear gradients, text is text (selectable in a
// PDF). Text is measured as on a picture, so a pass lays out the same.
//
// A vector picture has no pixels to read: PixelAt and the device context's
// GetPixel answer kInvalidColor, and painting from a vector surface onto
// another paints nothing. The page keeps the size it was made with; a
// resize changes only what ScaleWidth and ScaleHeight report.
class VectorSurface : public Surface {
 public:
  // format is PictureFormat::Svg or PictureFormat::Pdf.
  VectorSurface(const Screen& screen, PictureFormat format, int widthPx, int heightPx);
  ~VectorSurface() override;

  // Ends the drawing and answers the file's bytes; nothing more is drawn.
  QByteArray Finish();
  PictureFormat format() const { return format_; }

  double ScaleWidth() const override { return width_ * screen_.TwipsPerPixelX(); }
  double ScaleHeight() const override { return height_ * screen_.TwipsPerPixelY(); }
  int PixelWidth() const override { return width_; }
  int PixelHeight() const override { return height_; }
  void ResizePixels(int width, int height) override;

  Color BackColor() const override { return back_; }
  void SetBackColor(Color c) override;
  Color ForeColor() const override { return fore_; }
  void SetForeColor(Color c) override { fore_ = c; }

  std::u16string FontName() const override { return font_.name; }
  void SetFontName(const std::u16string& name) override;
  float FontSize() const override { return font_.size; }
  void SetFontSize(float points) override;
  bool FontBold() const override { return font_.bold; }
  void SetFontBold(bool bold) override;
  bool FontItalic() const override { return font_.italic; }
  void SetFontItalic(bool italic) override;

  double CurrentX() const override { return currentX_; }
  void SetCurrentX(double x) override { currentX_ = x; }
  double CurrentY() const override { return currentY_; }
  void SetCurrentY(double y) override { currentY_ = y; }

  void Cls() override;
  void Print(const std::u16string& text) override;
  double TextWidth(const std::u16string& text) const override;
  double TextHeight(const std::u16string& text) const override;

  void Line(double x1, double y1, double x2, double y2, Color c) override;
  void Box(double x1, double y1, double x2, double y2, Color c) override;
  void FilledBox(double x1, double y1, double x2, double y2, Color c) override;
  void PaintPicture(const Surface& source, double x, double y, double srcX, double srcY,
                    double width, double height) override;

  void Refresh() override {}
  DeviceContext& dc() override { return *dc_; }
  Color PixelAt(int, int) const override { return kInvalidColor; }

 private:
  int ToPixelX(double twips) const;
  int ToPixelY(double twips) const;
  MeasuredFont& measured() const;
  void FontChanged();
  // The painter, or nothing once the picture is finished.
  QPainter* Painting();

  const Screen& screen_;
  const PictureFormat format_;
  int width_;
  int height_;
  QBuffer buffer_;
  std::unique_ptr<QPaintDevice> device_;
  QPainter painter_;
  std::unique_ptr<VectorDeviceContext> dc_;
  Color back_ = 0xFFFFFF;
  Color fore_ = 0;
  FontSpec font_;
  double currentX_ = 0;
  double currentY_ = 0;
  mutable FontCache fonts_;
  mutable MeasuredFont* measured_ = nullptr;
};

}  // namespace palvex
