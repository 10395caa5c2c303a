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
  dc_ = std::make_unique<QImageDeviceContext>(image_, screen_, *this);
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

const QFont& QImageSurface::qfont() const {
  if (!qfont_) qfont_ = MakeFont(font_, screen_.DotsPerInchY());
  return *qfont_;
}

const QFontMetricsF& QImageSurface::metrics() const {
  if (!metrics_) metrics_.emplace(qfont());
  return *metrics_;
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
  const QFontMetricsF& fm = metrics();
  const QStringList lines = TextLines(text);
  {
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(qfont());
    p.setPen(ToQColor(fore_));
    double y = currentY_ / screen_.TwipsPerPixelY();
    const double x = currentX_ / screen_.TwipsPerPixelX();
    for (const QString& line : lines) {
      if (std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e6 && std::abs(y) < 1e6)
        p.drawText(QPointF(x, y + fm.ascent()), line);
      y += fm.height();
    }
  }
  currentX_ = 0;
  currentY_ += lines.size() * fm.height() * screen_.TwipsPerPixelY();
}

double QImageSurface::TextWidth(const std::u16string& text) const {
  return MeasureLines(metrics(), text).width * screen_.TwipsPerPixelX();
}

double QImageSurface::TextHeight(const std::u16string& text) const {
  return MeasureLines(metrics(), text).height * screen_.TwipsPerPixelY();
}

void QImageSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  QPainter p(&image_);
  p.setPen(QPen(ToQColor(c), 0));
  p.drawLine(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2));
}

void QImageSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  QPainter p(&image_);
  p.setPen(QPen(ToQColor(c), 0));
  p.drawRect(l, t, r - l, b - t);
}

void QImageSurface::FilledBox(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  QPainter p(&image_);
  p.fillRect(QRect(QPoint(l, t), QPoint(r, b)), ToQColor(c));
}

void QImageSurface::PaintPicture(const Surface& source, double x, double y, double srcX,
                                 double srcY, double width, double height) {
  const QRect wanted(ToPixelX(srcX), ToPixelY(srcY), ToPixelX(width), ToPixelY(height));
  const QRect from = wanted & QRect(0, 0, source.PixelWidth(), source.PixelHeight());
  if (from.isEmpty()) return;
  // A copy, so a surface may paint from itself; a surface of another kind
  // (a recorder in tests) is read pixel by pixel.
  auto* q = dynamic_cast<const QImageSurface*>(&source);
  const QImage part = q ? q->image_.copy(from) : PictureOf(source).copy(from);
  QPainter p(&image_);
  p.drawImage(QPoint(ToPixelX(x) + from.x() - wanted.x(), ToPixelY(y) + from.y() - wanted.y()),
              part);
}

void QImageSurface::Refresh() {
  if (onRefresh_) onRefresh_();
}

Color QImageSurface::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return kInvalidColor;
  return FromQRgb(image_.pixel(x, y));
}

}  // namespace palvex
