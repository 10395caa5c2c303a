#include "platform/qt/vector_surface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "platform/numeric.h"
#include "platform/qt/image_io.h"
#include "platform/qt/markup_text.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// A vector page's pixels: 96 to the inch, as the chart's at 15 twips each.
constexpr int kPageDotsPerInch = 96;

int ClampedPixel(double px) {
  if (std::isnan(px)) return 0;
  return static_cast<int>(std::clamp(RoundHalfEven(px), -1.0e6, 1.0e6));
}

std::unique_ptr<QPaintDevice> PageDevice(PictureFormat format, QIODevice& out, int width,
                                         int height) {
  if (format == PictureFormat::Pdf) {
    auto pdf = std::make_unique<QPdfWriter>(&out);
    pdf->setResolution(kPageDotsPerInch);
    pdf->setCreator(QStringLiteral("PalvexChart"));
    const QSizeF points(width * 72.0 / kPageDotsPerInch, height * 72.0 / kPageDotsPerInch);
    pdf->setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return pdf;
  }
  auto svg = std::make_unique<QSvgGenerator>();
  svg->setOutputDevice(&out);
  svg->setSize(QSize(width, height));
  svg->setViewBox(QRect(0, 0, width, height));
  svg->setResolution(kPageDotsPerInch);
  return svg;
}

}  // namespace

VectorSurface::VectorSurface(const Screen& screen, PictureFormat format, int widthPx, int heightPx)
    : screen_(screen),
      format_(format),
      width_(std::max(widthPx, 1)),
      height_(std::max(heightPx, 1)) {
  buffer_.open(QIODevice::WriteOnly);
  device_ = PageDevice(format_, buffer_, width_, height_);
  painter_.begin(device_.get());
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setClipRect(QRect(0, 0, width_, height_));
  dc_ = std::make_unique<VectorDeviceContext>(painter_, screen_, *this);
  Cls();
}

VectorSurface::~VectorSurface() {
  if (painter_.isActive()) painter_.end();
}

QByteArray VectorSurface::Finish() {
  if (painter_.isActive()) painter_.end();
  return buffer_.data();
}

QPainter* VectorSurface::Painting() {
  return painter_.isActive() ? &painter_ : nullptr;
}

void VectorSurface::ResizePixels(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

void VectorSurface::SetBackColor(Color c) {
  // As on a picture: the new colour covers the page at once.
  back_ = c;
  if (QPainter* p = Painting()) p->fillRect(QRect(0, 0, width_, height_), ToQColor(back_));
}

void VectorSurface::SetFontName(const std::u16string& name) {
  font_.name = name;
  FontChanged();
}
void VectorSurface::SetFontSize(float points) {
  font_.size = points;
  FontChanged();
}
void VectorSurface::SetFontBold(bool bold) {
  font_.bold = bold;
  FontChanged();
}
void VectorSurface::SetFontItalic(bool italic) {
  font_.italic = italic;
  FontChanged();
}
void VectorSurface::FontChanged() {
  measured_ = nullptr;
  dc_->SurfaceFontChanged();
}

MeasuredFont& VectorSurface::measured() const {
  if (!measured_) measured_ = &fonts_.Get(font_, screen_.DotsPerInchY());
  return *measured_;
}

int VectorSurface::ToPixelX(double twips) const {
  return ClampedPixel(twips / screen_.TwipsPerPixelX());
}
int VectorSurface::ToPixelY(double twips) const {
  return ClampedPixel(twips / screen_.TwipsPerPixelY());
}

void VectorSurface::Cls() {
  if (QPainter* p = Painting()) p->fillRect(QRect(0, 0, width_, height_), ToQColor(back_));
  currentX_ = 0;
  currentY_ = 0;
}

void VectorSurface::Print(const std::u16string& text) {
  MeasuredFont& font = measured();
  const QFontMetricsF& fm = font.metrics();
  const QStringList lines = TextLines(text);
  if (QPainter* p = Painting()) {
    p->setFont(MarkupSafeFont(font.font(), *p));
    p->setPen(ToQColor(fore_));
    double y = currentY_ / screen_.TwipsPerPixelY();
    const double x = currentX_ / screen_.TwipsPerPixelX();
    for (const QString& line : lines) {
      if (std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e6 && std::abs(y) < 1e6)
        p->drawText(QPointF(x, y + fm.ascent()), MarkupSafeText(line));
      y += fm.height();
    }
  }
  currentX_ = 0;
  currentY_ += lines.size() * fm.height() * screen_.TwipsPerPixelY();
}

double VectorSurface::TextWidth(const std::u16string& text) const {
  return measured().Width(text) * screen_.TwipsPerPixelX();
}

double VectorSurface::TextHeight(const std::u16string& text) const {
  return measured().Height(text) * screen_.TwipsPerPixelY();
}

// Lines and outlines cover the pixels a picture would: one pixel wide,
// through the pixels' centres, both ends included.
void VectorSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  QPainter* p = Painting();
  if (!p) return;
  p->setPen(QPen(ToQColor(c), 1, Qt::SolidLine, Qt::SquareCap));
  p->drawLine(QPointF(ToPixelX(x1) + 0.5, ToPixelY(y1) + 0.5),
              QPointF(ToPixelX(x2) + 0.5, ToPixelY(y2) + 0.5));
}

void VectorSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  QPainter* p = Painting();
  if (!p) return;
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  p->setPen(QPen(ToQColor(c), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRectF(l + 0.5, t + 0.5, r - l, b - t));
}

void VectorSurface::FilledBox(double x1, double y1, double x2, double y2, Color c) {
  QPainter* p = Painting();
  if (!p) return;
  const int l = std::min(ToPixelX(x1), ToPixelX(x2)), r = std::max(ToPixelX(x1), ToPixelX(x2));
  const int t = std::min(ToPixelY(y1), ToPixelY(y2)), b = std::max(ToPixelY(y1), ToPixelY(y2));
  p->fillRect(QRect(QPoint(l, t), QPoint(r, b)), ToQColor(c));
}

void VectorSurface::PaintPicture(const Surface& source, double x, double y, double srcX,
                                 double srcY, double width, double height) {
  QPainter* p = Painting();
  // Another vector picture has no pixels to copy.
  if (!p || dynamic_cast<const VectorSurface*>(&source)) return;
  const QRect wanted(ToPixelX(srcX), ToPixelY(srcY), ToPixelX(width), ToPixelY(height));
  const QRect from = wanted & QRect(0, 0, source.PixelWidth(), source.PixelHeight());
  if (from.isEmpty()) return;
  const QImage picture = PictureOf(source);
  const double r = picture.width() / double(std::max(source.PixelWidth(), 1));
  p->drawImage(QRectF(ToPixelX(x) + from.x() - wanted.x(), ToPixelY(y) + from.y() - wanted.y(),
                      from.width(), from.height()),
               picture, QRectF(from.x() * r, from.y() * r, from.width() * r, from.height() * r));
}

}  // namespace palvex
