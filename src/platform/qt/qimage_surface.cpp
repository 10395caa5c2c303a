#include "platform/qt/qimage_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/numeric.h"
#include "platform/qt/fonts.h"
#include "platform/qt/image_io.h"
#include "platform/qt/pixel_rows.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// Keeps far-off coordinates finite and inside what QPainter handles; a
// shape that far away is off the image either way.
int ClampedPixel(double px) {
  if (std::isnan(px)) return 0;
  return static_cast<int>(std::clamp(RoundHalfEven(px), -1.0e6, 1.0e6));
}

}  // namespace

QImageSurface::QImageSurface(const Screen& screen, int widthPx, int heightPx)
    : QImageSurface(screen, QImage(std::max(widthPx, 1), std::max(heightPx, 1), kImageFormat)) {}

QImageSurface::QImageSurface(const Screen& screen, QImage image)
    : screen_(screen), image_(std::move(image)) {
  dc_ = std::make_unique<QImageDeviceContext>(image_, painter_, screen_, *this, fonts_);
  Cls();
}

QImage QImageSurface::NewImage(int width, int height) const {
  return QImage(width, height, kImageFormat);
}

double QImageSurface::ScaleWidth() const {
  return image_.width() * screen_.TwipsPerPixelX();
}
double QImageSurface::ScaleHeight() const {
  return image_.height() * screen_.TwipsPerPixelY();
}

void QImageSurface::ResizePixels(int width, int height) {
  if (width == image_.width() && height == image_.height()) return;
  dc_->FlushFills();
  painter_.End();
  QImage next = NewImage(std::max(width, 1), std::max(height, 1));
  next.fill(ToQColor(back_));
  {
    QPainter p(&next);
    p.drawImage(0, 0, image_);
  }
  image_.swap(next);
}

void QImageSurface::SetBackColor(Color c) {
  // Like a window's background: a new colour shows at once.
  back_ = c;
  dc_->FlushFills();
  image_.fill(ToQColor(back_));
}

void QImageSurface::SetFontName(const std::u16string& name) {
  font_.name = name;
  FontChanged();
}
void QImageSurface::SetFontSize(float points) {
  font_.size = points;
  FontChanged();
}
void QImageSurface::SetFontBold(bool bold) {
  font_.bold = bold;
  FontChanged();
}

MeasuredFont& QImageSurface::measured() const {
  if (!measured_) measured_ = &fonts_.Get(font_, screen_.DotsPerInchY());
  return *measured_;
}

const QFont& QImageSurface::qfont() const {
  return measured().font();
}

int QImageSurface::ToPixelX(double twips) const {
  return ClampedPixel(twips / screen_.TwipsPerPixelX());
}
int QImageSurface::ToPixelY(double twips) const {
  return ClampedPixel(twips / screen_.TwipsPerPixelY());
}

void QImageSurface::Cls() {
  dc_->FlushFills();
  image_.fill(ToQColor(back_));
  currentX_ = 0;
  currentY_ = 0;
}

void QImageSurface::Print(const std::u16string& text) {
  MeasuredFont& font = measured();
  const QFontMetricsF& fm = font.metrics();
  const QStringList lines = TextLines(text);
  dc_->FlushFills();
  {
    QPainter& p = painter_.Open();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(ToQColor(fore_));
    double y = currentY_ / screen_.TwipsPerPixelY();
    const double x = currentX_ / screen_.TwipsPerPixelX();
    for (const QString& line : lines) {
      if (std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e6 && std::abs(y) < 1e6) {
        const std::u16string_view shown(reinterpret_cast<const char16_t*>(line.utf16()),
                                        static_cast<std::size_t>(line.size()));
        for (const QGlyphRun& run : font.GlyphRuns(shown))
          p.drawGlyphRun(QPointF(x, y + fm.ascent()), run);
      }
      y += fm.height();
    }
  }
  currentX_ = 0;
  currentY_ += lines.size() * fm.height() * screen_.TwipsPerPixelY();
}

double QImageSurface::TextWidth(const std::u16string& text) const {
  return measured().Width(text) * screen_.TwipsPerPixelX();
}

double QImageSurface::TextHeight(const std::u16string& text) const {
  return measured().Height(text) * screen_.TwipsPerPixelY();
}

void QImageSurface::FillPixelRect(int left, int top, int right, int bottom, Color c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_.width() - 1);
  bottom = std::min(bottom, image_.height() - 1);
  if (left > right || top > bottom) return;
  dc_->FlushFillsOver(QRect(QPoint(left, top), QPoint(right, bottom)));
  const QRgb colour = ToQColor(c).rgb();
  // The raster painter keeps no pixels of its own, so rows may be written
  // while it is open.
  uchar* bits = image_.bits();
  const qsizetype bytesPerLine = image_.bytesPerLine();
  for (int y = top; y <= bottom; ++y)
    FillPixels(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + left, right - left + 1, colour);
}

void QImageSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  const int px1 = ToPixelX(x1), py1 = ToPixelY(y1), px2 = ToPixelX(x2), py2 = ToPixelY(y2);
  // A one-pixel line along an axis covers its end points and everything
  // between, exactly as the painter draws it; the ticks and frames are all
  // such lines, and setting up the painter's pen for each cost more than
  // writing their pixels.
  if (px1 == px2 || py1 == py2) {
    FillPixelRect(std::min(px1, px2), std::min(py1, py2), std::max(px1, px2), std::max(py1, py2),
                  c);
    return;
  }
  dc_->FlushFills();
  QPainter& p = painter_.Open();
  p.setPen(QPen(ToQColor(c), 0));
  p.drawLine(px1, py1, px2, py2);
}

void QImageSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  dc_->FlushFills();
  QPainter& p = painter_.Open();
  p.setPen(QPen(ToQColor(c), 0));
  p.drawRect(l, t, r - l, b - t);
}

void QImageSurface::FilledBox(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  FillPixelRect(l, t, r, b, c);
}

void QImageSurface::PaintPicture(const Surface& source, double x, double y, double srcX,
                                 double srcY, double width, double height) {
  const QRect wanted(ToPixelX(srcX), ToPixelY(srcY), ToPixelX(width), ToPixelY(height));
  const QRect from = wanted & QRect(0, 0, source.PixelWidth(), source.PixelHeight());
  if (from.isEmpty()) return;
  dc_->FlushFills();
  // A copy, so a surface may paint from itself; a surface of another kind
  // (a recorder in tests) is read pixel by pixel.
  auto* q = dynamic_cast<const QImageSurface*>(&source);
  const QImage part = q ? q->image().copy(from) : PictureOf(source).copy(from);
  painter_.Open().drawImage(
      QPoint(ToPixelX(x) + from.x() - wanted.x(), ToPixelY(y) + from.y() - wanted.y()), part);
}

void QImageSurface::Refresh() {
  dc_->FlushFills();
  if (onRefresh_) onRefresh_();
}

Color QImageSurface::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return kInvalidColor;
  dc_->FlushFills();
  painter_.End();
  return FromQRgb(image_.pixel(x, y));
}

}  // namespace palvex
