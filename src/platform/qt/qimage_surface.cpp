#include "platform/qt/qimage_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "platform/numeric.h"
#include "platform/qt/device_pixels.h"
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

// A picture's pixels are all written before it is shown, so its memory is
// taken in one call instead of a page fault per page as the first pass
// reaches each: faults are dear in virtual machines (10 us each on ours,
// where the 200 pages of a 560 x 372 picture come at half the cost this
// way). Kernels before 5.14 refuse the call, and the pages come one by one.
QImage TakePages(QImage image) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(image.bits());
  const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
  const std::uintptr_t end =
      (begin + static_cast<std::uintptr_t>(image.sizeInBytes())) & ~(page - 1);
  if (end >= first + 16 * page)
    madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#endif
  return image;
}

}  // namespace

QImageSurface::QImageSurface(const Screen& screen, int widthPx, int heightPx, double ratio,
                             std::shared_ptr<FontCache> fonts)
    : QImageSurface(screen, DevicePicture(widthPx, heightPx, ratio, kImageFormat),
                    std::move(fonts)) {}

QImageSurface::QImageSurface(const Screen& screen, QImage image, std::shared_ptr<FontCache> fonts)
    : screen_(screen),
      canvas_(TakePages(std::move(image))),
      fonts_(fonts ? std::move(fonts) : std::make_shared<FontCache>()) {
  dc_ = std::make_unique<QImageDeviceContext>(canvas_, screen_, *this, *fonts_);
  canvas_.ShareStamps(fonts_->stamps());
  Cls();
}

QImage QImageSurface::NewImage(int width, int height) const {
  return TakePages(QImage(width, height, kImageFormat));
}

int QImageSurface::PixelWidth() const {
  return LogicalSide(canvas_.width(), canvas_.devicePixelRatio());
}
int QImageSurface::PixelHeight() const {
  return LogicalSide(canvas_.height(), canvas_.devicePixelRatio());
}

double QImageSurface::ScaleWidth() const {
  return PixelWidth() * screen_.TwipsPerPixelX();
}
double QImageSurface::ScaleHeight() const {
  return PixelHeight() * screen_.TwipsPerPixelY();
}

void QImageSurface::ResizePixels(int width, int height) {
  if (width == PixelWidth() && height == PixelHeight()) return;
  const double ratio = canvas_.devicePixelRatio();
  QImage next = NewImage(DeviceSide(width, ratio), DeviceSide(height, ratio));
  if (ratio != 1.0) next.setDevicePixelRatio(ratio);
  if (const auto held = canvas_.HeldColor(); held && *held == ToQColor(back_)) {
    // Nothing drawn on the picture since it was cleared: the new one is
    // all back colour too, and waits to be painted as the old one did
    // (which is dropped unpainted).
    canvas_.WillCover(QRect(QPoint(0, 0), canvas_.size()));
    canvas_.Replace(std::move(next));
    canvas_.Fill(*held);
    return;
  }
  next.fill(ToQColor(back_));
  {
    QPainter p(&next);
    p.drawImage(0, 0, canvas_.Image());
  }
  canvas_.Replace(std::move(next));
}

void QImageSurface::SetDevicePixelRatio(double ratio) {
  if (!(ratio > 0) || ratio == canvas_.devicePixelRatio()) return;
  const int width = PixelWidth(), height = PixelHeight();
  QImage next = NewImage(DeviceSide(width, ratio), DeviceSide(height, ratio));
  next.setDevicePixelRatio(ratio);
  {
    QPainter p(&next);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, width, height), canvas_.Image());
  }
  canvas_.Replace(std::move(next));
}

void QImageSurface::PutBack(const QImage& picture) {
  if (picture.size() != canvas_.size() ||
      picture.devicePixelRatio() != canvas_.devicePixelRatio() ||
      picture.format() != canvas_.format())
    return;
  canvas_.Replace(picture);
}

void QImageSurface::SetBackColor(Color c) {
  // Like a window's background: a new colour shows at once.
  back_ = c;
  canvas_.Fill(ToQColor(back_));
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
void QImageSurface::SetFontItalic(bool italic) {
  font_.italic = italic;
  FontChanged();
}

MeasuredFont& QImageSurface::measured() const {
  if (!measured_) measured_ = fonts_->Hold(font_, screen_.DotsPerInchY());
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
  canvas_.Fill(ToQColor(back_));
  currentX_ = 0;
  currentY_ = 0;
}

void QImageSurface::Print(const std::u16string& text) {
  // Above a ratio of 1 the text is drawn in a font of that many times the
  // pixels, unscaled (a scaled font loses its synthetic bold), each line
  // where the chart's own font puts it.
  const double r = canvas_.devicePixelRatio();
  MeasuredFont& drawn = r == 1.0 ? measured() : deviceFonts_.Get(font_, screen_.DotsPerInchY() * r);
  const double lineHeight = measured().LineHeight();
  const QStringList lines = TextLines(text);
  const QColor pen = ToQColor(fore_);
  QTransform transform;
  if (r != 1.0) transform.scale(1 / r, 1 / r);
  double y = currentY_ / screen_.TwipsPerPixelY();
  const double x = currentX_ / screen_.TwipsPerPixelX();
  for (const QString& line : lines) {
    if (std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e6 && std::abs(y) < 1e6) {
      const std::u16string_view shown(reinterpret_cast<const char16_t*>(line.utf16()),
                                      static_cast<std::size_t>(line.size()));
      const QPointF baseline(x * r, y * r + drawn.Ascent());
      const DrawnText drawnLine = drawn.Drawn(shown, transform, baseline, pen, true);
      if (r == 1.0 && drawnLine.runs) {
        const QRect ink = drawn.InkPixels(shown, QTransform(), baseline);
        canvas_.DrawText(drawnLine, &ink);
      } else {
        canvas_.DrawText(drawnLine, nullptr);
      }
    }
    y += lineHeight;
  }
  currentX_ = 0;
  currentY_ += lines.size() * lineHeight * screen_.TwipsPerPixelY();
}

double QImageSurface::TextWidth(const std::u16string& text) const {
  return measured().Width(text) * screen_.TwipsPerPixelX();
}

double QImageSurface::TextHeight(const std::u16string& text) const {
  return measured().Height(text) * screen_.TwipsPerPixelY();
}

void QImageSurface::FillPixelRect(int left, int top, int right, int bottom, Color c) {
  canvas_.FillSolid(QRect(QPoint(left, top), QPoint(right, bottom)), c);
}

void QImageSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  if (canvas_.devicePixelRatio() != 1.0) return ScaledLine(x1, y1, x2, y2, c);
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
  canvas_.DrawLine(QPoint(px1, py1), QPoint(px2, py2), ToQColor(c));
}

void QImageSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  if (canvas_.devicePixelRatio() != 1.0)
    return ScaledOutline(canvas_.Painter(), QRect(QPoint(l, t), QPoint(r, b)), c);
  canvas_.DrawOutline(QRect(l, t, r - l, b - t), ToQColor(c));
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
  const QPoint at(ToPixelX(x) + from.x() - wanted.x(), ToPixelY(y) + from.y() - wanted.y());
  // Another Qt surface's pixels are drawn straight from its picture (the
  // screen takes the whole chart on every event, and a copy first doubles
  // that); a surface painting from itself draws from a copy, and a surface
  // of another kind (a recorder in tests) is read pixel by pixel.
  auto* q = dynamic_cast<const QImageSurface*>(&source);
  const double ratio = canvas_.devicePixelRatio();
  if (q && q != this) {
    canvas_.DrawPicture(q->canvas_, DeviceRect(from, q->devicePixelRatio()), at,
                        DeviceRect(QRect(at, from.size()), ratio));
    return;
  }
  // Another surface's picture over every pixel hides a clear still waiting
  // here (this one's own pixels are read with the clear).
  if (&source != this) canvas_.WillCover(DeviceRect(QRect(at, from.size()), ratio));
  const QImage part =
      q ? q->image().copy(DeviceRect(from, q->devicePixelRatio())) : PictureOf(source).copy(from);
  canvas_.Painter().drawImage(at, part);
}

void QImageSurface::Refresh() {
  // Whoever shows the picture reads it through image(), which paints what
  // is held.
  if (onRefresh_) onRefresh_();
}

Color QImageSurface::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) return kInvalidColor;
  const QImage& picture = canvas_.Image();
  if (const double r = picture.devicePixelRatio(); r != 1.0)
    return FromQRgb(picture.pixel(DeviceRect(QRect(x, y, 1, 1), r).topLeft()));
  return FromQRgb(picture.pixel(x, y));
}

// Above a ratio of 1 a cosmetic pen would be one device pixel wide: lines
// and outlines are drawn as the logical pixels they cover, so the picture
// is the one at ratio 1 enlarged.
void QImageSurface::ScaledOutline(QPainter& p, const QRect& r, Color c) {
  const QColor color = ToQColor(c);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

void QImageSurface::ScaledLine(double x1, double y1, double x2, double y2, Color c) {
  const QPoint a(ToPixelX(x1), ToPixelY(y1)), b(ToPixelX(x2), ToPixelY(y2));
  QPainter& p = canvas_.Painter();
  if (a.x() == b.x() || a.y() == b.y()) {
    p.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
               ToQColor(c));
    return;
  }
  // A slanted line: one logical pixel wide through the pixels' centres.
  p.setPen(QPen(ToQColor(c), 1, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(QPointF(a) + QPointF(0.5, 0.5), QPointF(b) + QPointF(0.5, 0.5));
}

}  // namespace palvex
