#include "platform/qt/qimage_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/numeric.h"
#include "platform/qt/fonts.h"
#include "platform/qt/image_io.h"
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
  dc_ = std::make_unique<QImageDeviceContext>(image_, painter_, screen_, *this);
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
  image_.fill(ToQColor(back_));
  currentX_ = 0;
  currentY_ = 0;
}

void QImageSurface::Print(const std::u16string& text) {
  MeasuredFont& font = measured();
  const QFontMetricsF& fm = font.metrics();
  const QStringList lines = TextLines(text);
  {
    QPainter& p = painter_.Open();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font.font());
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

void QImageSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  QPainter& p = painter_.Open();
  p.setPen(QPen(ToQColor(c), 0));
  p.drawLine(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2));
}

void QImageSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  QPainter& p = painter_.Open();
  p.setPen(QPen(ToQColor(c), 0));
  p.drawRect(l, t, r - l, b - t);
}

void QImageSurface::FilledBox(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  painter_.Open().fillRect(QRect(QPoint(l, t), QPoint(r, b)), ToQColor(c));
}

void QImageSurface::PaintPicture(const Surface& source, double x, double y, double srcX,
                                 double srcY, double width, double height) {
  const QRect wanted(ToPixelX(srcX), ToPixelY(srcY), ToPixelX(width), ToPixelY(height));
  const QRect from = wanted & QRect(0, 0, source.PixelWidth(), source.PixelHeight());
  if (from.isEmpty()) return;
  // A copy, so a surface may paint from itself; a surface of another kind
  // (a recorder in tests) is read pixel by pixel.
  auto* q = dynamic_cast<const QImageSurface*>(&source);
  const QImage part = q ? q->image().copy(from) : PictureOf(source).copy(from);
  painter_.Open().drawImage(
      QPoint(ToPixelX(x) + from.x() - wanted.x(), ToPixelY(y) + from.y() - wanted.y()), part);
}

void QImageSurface::Refresh() {
  if (onRefresh_) onRefresh_();
}

Color QImageSurface::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return kInvalidColor;
  painter_.End();
  return FromQRgb(image_.pixel(x, y));
}

}  // namespace palvex
