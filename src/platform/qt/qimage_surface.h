#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>

#include "platform/qt/canvas.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qimage_device_context.h"
#include "platform/screen.h"
#include "platform/surface.h"

namespace palvex {

// A Surface over a persistent QImage. Twips map to pixels through the
// screen's twips per pixel, read at every operation; font points map to
// pixels through the matching dots per inch.
//
// At a device pixel ratio r the image has r times the pixels each way and
// carries r as its own ratio, so Qt paints text, boxes and pictures on it at
// device resolution. Sizes, positions and measured text stay in the chart's
// (logical) pixels; a logical pixel covers r x r device pixels.
class QImageSurface : public Surface {
 public:
  // Every picture a surface keeps, at least one pixel a side.
  static constexpr QImage::Format kImageFormat = QImage::Format_RGB32;

  // fonts: the fonts of the host's other surfaces, whose measured and
  // shaped texts this one then finds (a chart's panels and labels are made
  // again for each screen it composes); without, a cache of its own.
  QImageSurface(const Screen& screen, int widthPx, int heightPx, double devicePixelRatio = 1.0,
                std::shared_ptr<FontCache> fonts = nullptr);

  double ScaleWidth() const override;
  double ScaleHeight() const override;
  int PixelWidth() const override;
  int PixelHeight() const override;
  double PixelRatio() const override { return canvas_.devicePixelRatio(); }
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

  void Refresh() override;
  DeviceContext& dc() override { return *dc_; }
  void BeginPass() override { canvas_.BeginPass(); }
  void EndPass() override { canvas_.EndPass(); }
  Color PixelAt(int x, int y) const override;

  double devicePixelRatio() const { return canvas_.devicePixelRatio(); }
  // Another ratio (the window moved to another screen): the picture is
  // enlarged or reduced to it until the next drawing renews it.
  void SetDevicePixelRatio(double ratio);

  // The picture as drawn so far, at the device pixel ratio: what was held
  // back is painted first.
  const QImage& image() const { return canvas_.Image(); }
  // Where the picture changed, by version, in device pixels.
  const DamageLog& damage() const { return canvas_.damage(); }
  // Puts back a picture copied from image() earlier, so that a change
  // that was refused leaves the picture it found; one of another size or
  // ratio (the surface was resized since) is not put back.
  void PutBack(const QImage& picture);
  // The Qt font for the surface's current font.
  const QFont& qfont() const;
  // Called by Refresh: the host shows the image now.
  void SetRefreshHandler(std::function<void()> handler) { onRefresh_ = std::move(handler); }
  const std::function<void()>& refreshHandler() const { return onRefresh_; }
  // Paints every fill and caption when drawn instead of holding them back
  // to paint together: the same picture, slower. PALVEX_PAINT_AT_ONCE=1
  // sets it for every surface.
  void SetPaintAtOnce(bool atOnce) { canvas_.SetPaintAtOnce(atOnce); }

 protected:
  // A surface over a picture of kImageFormat the binding made; it is
  // cleared to the background colour.
  QImageSurface(const Screen& screen, QImage image, std::shared_ptr<FontCache> fonts = nullptr);
  // A new picture for a resize, width and height at least 1; a binding
  // may keep pictures of its own.
  virtual QImage NewImage(int width, int height) const;

 private:
  static void ScaledOutline(QPainter& p, const QRect& r, Color c);
  void ScaledLine(double x1, double y1, double x2, double y2, Color c);
  int ToPixelX(double twips) const;
  int ToPixelY(double twips) const;
  // Fills the pixels from (left, top) to (right, bottom), both corners
  // included, where they lie on the image, in an opaque colour.
  void FillPixelRect(int left, int top, int right, int bottom, Color c);
  MeasuredFont& measured() const;
  void FontChanged() {
    measured_ = nullptr;
    dc_->SurfaceFontChanged();
  }

  const Screen& screen_;
  // Reading the picture paints what is held back, which to a reader is
  // already there. Declared before dc_, which draws on it.
  mutable Canvas canvas_;
  std::unique_ptr<QImageDeviceContext> dc_;
  Color back_ = 0xFFFFFF;
  Color fore_ = 0;
  FontSpec font_;
  double currentX_ = 0;
  double currentY_ = 0;
  // The fonts this surface has had, with the widths measured in them.
  std::shared_ptr<FontCache> fonts_;
  mutable std::shared_ptr<MeasuredFont> measured_;
  // Above a ratio of 1: the same fonts with that many times the pixels.
  FontCache deviceFonts_;
  std::function<void()> onRefresh_;
};

}  // namespace palvex
