#include "platform/qt/canvas.h"

#include <QtGlobal>
#include <algorithm>

#include "platform/qt/pixel_rows.h"
#include "platform/qt/qt_text.h"

namespace palvex {

bool PaintAtOnceByDefault() {
  static const bool atOnce = qgetenv("PALVEX_PAINT_AT_ONCE") == "1";
  return atOnce;
}

namespace {

PALVEX_WIDE_STORES void FillRect(QImage& image, const QRect& pixels, QRgb rgb) {
  uchar* bits = image.bits();
  const qsizetype bytesPerLine = image.bytesPerLine();
  for (int y = pixels.top(); y <= pixels.bottom(); ++y)
    FillPixels(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + pixels.left(), pixels.width(),
               rgb);
}

}  // namespace

Canvas::Canvas(QImage image, bool paintAtOnce) : image_(std::move(image)), atOnce_(paintAtOnce) {}

Canvas::~Canvas() {
  // What is still held dies with the picture.
  EndPainter();
}

void Canvas::EndPainter() {
  if (painter_ && painter_->isActive()) painter_->end();
}

const QImage& Canvas::Image() {
  Settle();
  EndPainter();
  Q_ASSERT(!painter_ || !painter_->isActive());
  return image_;
}

void Canvas::Replace(QImage next) {
  Settle();
  EndPainter();
  Q_ASSERT(!Holding() && (!painter_ || !painter_->isActive()));
  image_ = std::move(next);
}

void Canvas::Fill(const QColor& color) {
  // A clear still waiting is hidden by this one.
  clear_.reset();
  Settle();
  clear_ = color;
  if (atOnce_) PaintHeldClear();
}

void Canvas::PaintHeldClear() {
  if (!clear_) return;
  image_.fill(*clear_);
  clear_.reset();
}

QPainter& Canvas::Painter() {
  Settle();
  return OpenPainter();
}

QPainter& Canvas::PainterOver(const QRect& pixels) {
  if (fills_.Overlap(pixels)) PaintHeldFills();
  if (text_.Overlap(pixels)) DrawHeldText();
  Q_ASSERT(!fills_.Overlap(pixels) && !text_.Overlap(pixels));
  return OpenPainter();
}

QPainter& Canvas::OpenPainter() {
  PaintHeldClear();
  // Made on first use: most small pictures (colour boxes) never need one.
  if (!painter_) painter_ = std::make_unique<QPainter>();
  if (!painter_->isActive()) painter_->begin(&image_);
  return *painter_;
}

void Canvas::SetPaintAtOnce(bool atOnce) {
  Settle();
  atOnce_ = atOnce;
}

void Canvas::Settle() {
  PaintHeldClear();
  // Held text never lies over a held fill that came before it, so all of
  // it may go first.
  DrawHeldText();
  PaintHeldFills();
  Q_ASSERT(!Holding());
}

void Canvas::EndFillGroup() {
  if (fillGroups_ > 0 && --fillGroups_ == 0) PaintHeldFills();
}

void Canvas::GradientFill(const TriVertex& a, const TriVertex& b, bool vertical) {
  CheckHeld();
  Q_ASSERT(fillGroups_ > 0);
  // Right and bottom are exclusive, so a zero extent paints nothing.
  const std::int64_t x0 = std::max<std::int64_t>(std::min(a.x, b.x), 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::max(a.x, b.x), image_.width());
  const std::int64_t y0 = std::max<std::int64_t>(std::min(a.y, b.y), 0);
  const std::int64_t y1 = std::min<std::int64_t>(std::max(a.y, b.y), image_.height());
  if (x0 >= x1 || y0 >= y1) return;
  WillCover(QRect(QPoint(int(x0), int(y0)), QPoint(int(x1 - 1), int(y1 - 1))));
  fills_.AddGradient(x0, x1, y0, y1, vertical, a, b);
  if (atOnce_ || fills_.full()) PaintHeldFills();
}

void Canvas::FillSolid(const QRect& pixels, Color color) {
  CheckHeld();
  if (image_.devicePixelRatio() != 1.0) {
    // Logical pixels: the painter maps them to the device's.
    Painter().fillRect(pixels, ToQColor(color));
    return;
  }
  const QRect cut = pixels & image_.rect();
  if (cut.isEmpty()) return;
  // Over held fills it joins them in order rather than making them paint
  // now: the tick under each bar touches the bars' bottom row.
  if (fills_.Overlap(cut)) {
    fills_.AddSolid(cut, ResolveColor(color));
    if (fills_.full()) PaintHeldFills();
    return;
  }
  WillCover(cut);
  PaintHeldClear();
  if (text_.Overlap(cut)) DrawHeldText();
  Q_ASSERT(!fills_.Overlap(cut) && !text_.Overlap(cut));
  // The raster painter keeps no pixels of its own, so rows may be written
  // while it is open.
  FillRect(image_, cut, ToQColor(color).rgb());
}

bool Canvas::HoldText(const QList<QGlyphRun>& runs, const QTransform& turn, QPointF baseline,
                      const QRect& ink, const QColor& pen, bool antialiased) {
  CheckHeld();
  if (atOnce_ || !HeldText::Holdable(runs, turn)) return false;
  // Held fills the text may blend with are painted first.
  if (fills_.Overlap(ink)) PaintHeldFills();
  if (!text_.Joins(turn, pen, antialiased)) DrawHeldText();
  for (const QGlyphRun& run : runs) {
    if (!text_.JoinsFont(run.rawFont())) DrawHeldText();
    text_.Add(run, turn, baseline, pen, antialiased);
  }
  text_.Cover(ink);
  return true;
}

void Canvas::PaintHeldFills() {
  if (fills_.empty()) return;
  PaintHeldClear();
  // Text held back came before these fills: where they may meet, it goes
  // first.
  if (text_.Overlap(fills_.bounds())) DrawHeldText();
  fills_.PaintOn(image_);
  Q_ASSERT(fills_.empty());
}

void Canvas::DrawHeldText() {
  if (!text_.empty()) text_.DrawOn(OpenPainter());
}

}  // namespace palvex
