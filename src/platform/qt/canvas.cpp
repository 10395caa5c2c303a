#include "platform/qt/canvas.h"

#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <memory>

#include "platform/qt/glyph_stamps.h"
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

std::uint64_t NextCanvasId() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

Canvas::Canvas(QImage image, bool paintAtOnce)
    : image_(std::move(image)), atOnce_(paintAtOnce), id_(NextCanvasId()) {}

Canvas::~Canvas() {
  // What is still held dies with the picture.
  EndPainter();
}

void Canvas::EndPainter() {
  if (painter_ && painter_->isActive()) painter_->end();
}

const QImage& Canvas::Image() {
  // Read during a pass (a frame of the growth animation): what was kept is
  // painted, and the rest of the pass painted as it is drawn.
  if (keeping_) PaintKept();
  Settle();
  EndPainter();
  Q_ASSERT(!painter_ || !painter_->isActive());
  return image_;
}

void Canvas::Replace(QImage next) {
  if (keeping_) PaintKept();
  StopKeeping();
  Settle();
  EndPainter();
  Q_ASSERT(!Holding() && (!painter_ || !painter_->isActive()));
  image_ = std::move(next);
  Changed(image_.rect());
}

void Canvas::Changed(const QRect& pixels) {
  if (replaying_) return;
  if (InPass()) {
    ++passOps_;
  } else {
    // Drawn outside a pass: the picture is no longer the last pass's alone.
    if (lastPainted_) keptInVain_ = true;
    lastPainted_ = false;
    untouched_ = false;
  }
  if (damage_.AllUnread(image_.rect())) return;
  if (pixels.contains(image_.rect())) {
    damage_.AddAll(image_.rect());
  } else {
    damage_.Add(pixels & image_.rect());
  }
}

void Canvas::Fill(const QColor& color) {
  if (Keeping() && Kept(pass_op::Clear{color}, image_.rect())) return;
  PaintClear(color);
  Changed(image_.rect());
}

void Canvas::PaintClear(const QColor& color) {
  if (clip_) {
    Settle();
    // What image_.fill writes into a 32-bit RGB picture.
    FillRect(image_, *clip_, color.rgb());
    return;
  }
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
  // What the caller draws cannot be kept.
  if (keeping_) PaintKept();
  StopKeeping();
  Changed(image_.rect());
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
  if (!painter_->isActive()) {
    painter_->begin(&image_);
    if (clip_) painter_->setClipRect(*clip_);
  }
  return *painter_;
}

void Canvas::SetPaintAtOnce(bool atOnce) {
  if (atOnce == atOnce_) return;
  if (keeping_) PaintKept();
  StopKeeping();
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

void Canvas::BeginFillGroup() {
  if (Keeping() && Kept(pass_op::Group{true}, QRect())) return;
  // Counted as when kept, so that a pass is kept or not alike each time.
  if (InPass()) ++passOps_;
  PaintGroup(true);
}

void Canvas::EndFillGroup() {
  if (Keeping() && Kept(pass_op::Group{false}, QRect())) return;
  if (InPass()) ++passOps_;
  PaintGroup(false);
}

void Canvas::PaintGroup(bool begin) {
  if (begin) {
    ++fillGroups_;
  } else if (fillGroups_ > 0 && --fillGroups_ == 0) {
    PaintHeldFills();
  }
}

namespace {

// The pixels [x0, x1) x [y0, y1) of a gradient between a and b that lie on
// the picture.
QRect GradientPixels(const TriVertex& a, const TriVertex& b, const QRect& picture) {
  const std::int64_t x0 = std::max<std::int64_t>(std::min(a.x, b.x), picture.left());
  const std::int64_t x1 = std::min<std::int64_t>(std::max(a.x, b.x), picture.right() + 1);
  const std::int64_t y0 = std::max<std::int64_t>(std::min(a.y, b.y), picture.top());
  const std::int64_t y1 = std::min<std::int64_t>(std::max(a.y, b.y), picture.bottom() + 1);
  if (x0 >= x1 || y0 >= y1) return QRect();
  return QRect(QPoint(int(x0), int(y0)), QPoint(int(x1 - 1), int(y1 - 1)));
}

}  // namespace

void Canvas::GradientFill(const TriVertex& a, const TriVertex& b, bool vertical) {
  // Right and bottom are exclusive, so a zero extent paints nothing.
  const QRect pixels = GradientPixels(a, b, image_.rect());
  if (pixels.isEmpty()) return;
  if (Keeping() && Kept(pass_op::Gradient{a, b, vertical}, pixels)) return;
  PaintGradient(a, b, vertical, pixels);
  Changed(pixels);
}

void Canvas::PaintGradient(const TriVertex& a, const TriVertex& b, bool vertical, QRect pixels) {
  CheckHeld();
  Q_ASSERT(fillGroups_ > 0);
  if (clip_) pixels &= *clip_;
  if (pixels.isEmpty()) return;
  WillCover(pixels);
  fills_.AddGradient(pixels.left(), pixels.right() + 1, pixels.top(), pixels.bottom() + 1, vertical,
                     a, b);
  if (atOnce_ || fills_.full()) PaintHeldFills();
}

void Canvas::FillSolid(const QRect& pixels, Color color) {
  if (image_.devicePixelRatio() != 1.0) {
    // Logical pixels: the painter maps them to the device's.
    Painter().fillRect(pixels, ToQColor(color));
    return;
  }
  const QRect cut = pixels & image_.rect();
  if (cut.isEmpty()) return;
  if (Keeping() && Kept(pass_op::Solid{color}, cut)) return;
  PaintSolid(cut, color);
  Changed(cut);
}

void Canvas::PaintSolid(QRect cut, Color color) {
  CheckHeld();
  if (clip_) cut &= *clip_;
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
  if (Keeping()) {
    // What cannot be held is drawn by the painter, and kept as such.
    if (!HeldText::Holdable(runs, turn)) return false;
    if (Kept(pass_op::HeldText{runs, turn, baseline, pen, antialiased}, ink)) return true;
  }
  if (!PaintHeldText(runs, turn, baseline, ink, pen, antialiased)) return false;
  Changed(ink);
  return true;
}

bool Canvas::PaintHeldText(const QList<QGlyphRun>& runs, const QTransform& turn, QPointF baseline,
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

void Canvas::DrawText(const DrawnText& text, const QRect* ink) {
  const QRect bounds = ink ? *ink : image_.rect();
  if (Keeping() && Kept(pass_op::Text{std::make_unique<DrawnText>(text)}, bounds)) return;
  PaintText(text, bounds);
  Changed(bounds);
}

void Canvas::PaintText(const DrawnText& text, const QRect& bounds) {
  QPainter& painter = PainterOver(bounds);
  if (!StampText(text, painter)) text.DrawOn(painter);
}

GlyphStamps* Canvas::Stamps(const QPainter& painter, QRect& clip) {
  clip = image_.rect();
  return !atOnce_ && stamps_ && GlyphStamps::Plain(painter, clip) ? stamps_.get() : nullptr;
}

bool Canvas::StampText(const DrawnText& text, QPainter& painter) {
  // One run of glyphs in one face (what GlyphRuns gives), placed as
  // DrawShapedLine places it.
  QRect clip;
  GlyphStamps* const stamps = Stamps(painter, clip);
  if (!stamps || !text.runs || text.runs->size() != 1 || !text.antialiased ||
      !HeldText::Holdable(*text.runs, text.transform))
    return false;
  const QPointF baseline = ShapedLineStart(text.transform, text.baseline);
  const QGlyphRun& run = text.runs->front();
  const QList<quint32> glyphs = run.glyphIndexes();
  const QList<QPointF> positions = run.positions();
  return glyphs.size() == positions.size() &&
         stamps->Draw(image_, clip, run.rawFont(), text.transform, baseline, glyphs.constData(),
                      positions.constData(), static_cast<std::size_t>(glyphs.size()),
                      text.pen.rgba());
}

void Canvas::DrawOutline(const QRect& rect, const QColor& color) {
  // drawRect's outline runs through both corners.
  const QRect bounds =
      QRect(rect.topLeft(), rect.bottomRight() + QPoint(1, 1)).normalized().adjusted(-1, -1, 1, 1);
  if (Keeping() && Kept(pass_op::Outline{rect, color}, bounds)) return;
  PaintOutline(rect, color, bounds);
  Changed(bounds);
}

void Canvas::PaintOutline(const QRect& rect, const QColor& color, const QRect& bounds) {
  QPainter& p = PainterOver(bounds);
  p.setPen(QPen(color, 0));
  p.drawRect(rect);
}

void Canvas::DrawLine(QPoint a, QPoint b, const QColor& color) {
  const QRect bounds = QRect(a, b).normalized().adjusted(-2, -2, 2, 2);
  if (Keeping() && Kept(pass_op::Line{a, b, color}, bounds)) return;
  PaintLine(a, b, color, bounds);
  Changed(bounds);
}

void Canvas::PaintLine(QPoint a, QPoint b, const QColor& color, const QRect& bounds) {
  QPainter& p = PainterOver(bounds);
  p.setPen(QPen(color, 0));
  p.drawLine(a, b);
}

void Canvas::DrawPicture(Canvas& source, const QRect& from, QPoint at, const QRect& bounds) {
  const QImage& image = source.Image();
  if (Keeping() && Kept(Taken(source, image, from, at), bounds)) return;
  PaintImage(image, from, at, bounds);
  Changed(bounds);
}

void Canvas::PaintImage(const QImage& image, const QRect& from, QPoint at, const QRect& bounds) {
  // Another picture over every pixel hides a clear still waiting here (a
  // replay cut to a part keeps what waits outside it).
  if (!clip_) WillCover(bounds);
  PainterOver(bounds).drawImage(at, image, from);
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
  if (text_.empty()) return;
  QPainter& painter = OpenPainter();
  QRect clip;
  GlyphStamps* const stamps = Stamps(painter, clip);
  text_.DrawOn(painter, image_, stamps, clip);
}

}  // namespace palvex
