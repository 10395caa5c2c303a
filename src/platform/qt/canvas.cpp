#include "platform/qt/canvas.h"

#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <limits>
#include <type_traits>
#include <variant>

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

// Rectangles worth painting one by one, or the whole picture when that
// costs about as much.
std::vector<QRect> Merged(std::vector<QRect> rects, const QRect& picture) {
  const auto area = [](const QRect& r) { return std::int64_t(r.width()) * r.height(); };
  // Few differ (a hover: two bars, their captions, a label). Two are
  // joined where that paints no more pixels than both (a rectangle inside
  // another), and the closest pairs while there are too many to replay
  // the pass for each.
  constexpr std::size_t kMaxRects = 6;
  for (;;) {
    std::size_t bestI = 0, bestJ = 0;
    std::int64_t bestGrowth = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < rects.size(); ++i) {
      for (std::size_t j = i + 1; j < rects.size(); ++j) {
        const std::int64_t growth = area(rects[i] | rects[j]) - area(rects[i]) - area(rects[j]);
        if (growth < bestGrowth) {
          bestGrowth = growth;
          bestI = i;
          bestJ = j;
        }
      }
    }
    if (bestGrowth > 0 && rects.size() <= kMaxRects) break;
    if (rects.size() < 2) break;
    rects[bestI] |= rects[bestJ];
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(bestJ));
  }
  std::int64_t painted = 0;
  for (const QRect& r : rects) painted += area(r);
  if (3 * painted > 2 * area(picture)) return {picture};
  return rects;
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

void Canvas::BeginPass() {
  // A pass inside another is part of it.
  if (passDepth_++ > 0) return;
  inPass_ = true;
  passOps_ = 0;
  kept_.clear();
  // Kept where it can be replayed cut to any part: one device pixel a
  // pixel, rows of 32-bit pixels, and a pass of bounded length. Held back
  // only where the last pass is there to compare with; otherwise painted
  // as it is drawn, and kept for the next pass.
  const bool keep = !atOnce_ && image_.devicePixelRatio() == 1.0 &&
                    image_.format() == QImage::Format_RGB32 && lastPassOps_ <= kMaxKept;
  keeping_ = keep && lastPainted_;
  // Kept while painting when the next pass may compare with it: unless the
  // passes kept so far were drawn over before any was compared (a host
  // that clears the picture before each pass) and this one is too.
  recording_ = keep && !lastPainted_ && (!keptInVain_ || untouched_);
  if (keeping_) keptInVain_ = false;
  if (keep) kept_.reserve(lastPassOps_);
}

void Canvas::EndPass() {
  if (passDepth_ == 0 || --passDepth_ > 0) return;
  inPass_ = false;
  untouched_ = true;
  lastPassOps_ = passOps_;
  if (!Keeping()) {
    // Not kept: the next pass has nothing to compare with.
    last_.clear();
    lastPainted_ = false;
    return;
  }
  if (keeping_) PaintDifferences();
  keeping_ = recording_ = false;
  lastPainted_ = !kept_.empty() && CoversAll(kept_.front());
  // The pictures taken are let go, so that their sources need not copy
  // their pixels when they draw next.
  for (PassOp& op : kept_) {
    if (auto* picture = std::get_if<pass_op::Picture>(&op.what)) picture->image = QImage();
  }
  last_.swap(kept_);
  kept_.clear();
}

bool Canvas::Kept(pass_op::Kind what, const QRect& bounds) {
  if (kept_.size() >= kMaxKept) {
    // Too long to keep: painted as it goes from here.
    if (keeping_) PaintKept();
    StopKeeping();
    return false;
  }
  kept_.push_back({std::move(what), bounds});
  // Counted where it is painted when it is not held back.
  if (keeping_) ++passOps_;
  return keeping_;
}

void Canvas::PaintKept() {
  // Painted now, and the rest of the pass as it is drawn, still kept.
  keeping_ = false;
  recording_ = true;
  for (const PassOp& op : kept_) Apply(op);
  if (!kept_.empty()) damage_.AddAll(image_.rect());
}

void Canvas::StopKeeping() {
  keeping_ = recording_ = false;
  kept_.clear();
}

bool Canvas::CoversAll(const PassOp& op) const {
  if (std::holds_alternative<pass_op::Clear>(op.what)) return true;
  if (!op.bounds.contains(image_.rect())) return false;
  if (const auto* picture = std::get_if<pass_op::Picture>(&op.what))
    return !picture->image.hasAlphaChannel();
  return std::holds_alternative<pass_op::Gradient>(op.what) ||
         std::holds_alternative<pass_op::Solid>(op.what);
}

void Canvas::PaintDifferences() {
  if (kept_.empty()) return;
  const QRect picture = image_.rect();
  // A hover changes a few operations and may add or drop one (a frame):
  // the passes are matched in order, and what either has unmatched, or
  // matched but taken from a picture that changed since, is painted.
  constexpr std::size_t kMaxEdits = 64;
  std::optional<std::vector<std::pair<std::size_t, std::size_t>>> matched;
  if (lastPainted_ && CoversAll(kept_.front())) matched = MatchDrawings(last_, kept_, kMaxEdits);
  std::vector<QRect> differ;
  if (matched) {
    std::vector<bool> keptMatched(kept_.size()), lastMatched(last_.size());
    for (const auto& [was, now] : *matched) {
      lastMatched[was] = keptMatched[now] = true;
      const auto* taken = std::get_if<pass_op::Picture>(&kept_[now].what);
      if (!taken) continue;
      const auto& before = std::get<pass_op::Picture>(last_[was].what);
      if (taken->since == before.version) {
        for (const QRect& r : taken->changed) differ.push_back(r & picture);
      } else {
        differ.push_back(kept_[now].bounds & picture);
      }
    }
    for (std::size_t i = 0; i < kept_.size(); ++i)
      if (!keptMatched[i]) differ.push_back(kept_[i].bounds & picture);
    for (std::size_t i = 0; i < last_.size(); ++i)
      if (!lastMatched[i]) differ.push_back(last_[i].bounds & picture);
    std::erase_if(differ, [](const QRect& r) { return r.isEmpty(); });
  }
  const std::vector<QRect> parts =
      matched ? Merged(std::move(differ), picture) : std::vector<QRect>{picture};
  for (const QRect& part : parts) {
    Replay(part == picture ? QRect() : part);
    damage_.Add(part);
  }
}

void Canvas::Replay(const QRect& clip) {
  replaying_ = true;
  if (!clip.isEmpty()) {
    // The painter takes the cut when it begins.
    Settle();
    EndPainter();
    clip_ = clip;
  }
  for (const PassOp& op : kept_) {
    if (clip.isEmpty() || std::holds_alternative<pass_op::Group>(op.what) ||
        op.bounds.intersects(clip))
      Apply(op);
  }
  if (!clip.isEmpty()) {
    Settle();
    EndPainter();
    clip_.reset();
  }
  replaying_ = false;
}

void Canvas::Apply(const PassOp& op) {
  std::visit(
      [&](const auto& o) {
        using T = std::decay_t<decltype(o)>;
        if constexpr (std::is_same_v<T, pass_op::Group>) {
          PaintGroup(o.begin);
        } else if constexpr (std::is_same_v<T, pass_op::Clear>) {
          PaintClear(o.color);
        } else if constexpr (std::is_same_v<T, pass_op::Gradient>) {
          PaintGradient(o.a, o.b, o.vertical, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Solid>) {
          PaintSolid(op.bounds, o.color);
        } else if constexpr (std::is_same_v<T, pass_op::HeldText>) {
          // Kept only where it could be held.
          const bool held =
              PaintHeldText(o.runs, o.turn, o.baseline, op.bounds, o.pen, o.antialiased);
          Q_ASSERT(held);
          (void)held;
        } else if constexpr (std::is_same_v<T, pass_op::Text>) {
          PaintText(*o.text, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Outline>) {
          PaintOutline(o.rect, o.color, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Line>) {
          PaintLine(o.a, o.b, o.color, op.bounds);
        } else {
          PaintImage(o.image, o.from, o.at, op.bounds);
        }
      },
      op.what);
}

void Canvas::Changed(const QRect& pixels) {
  if (replaying_) return;
  if (inPass_) {
    ++passOps_;
  } else {
    // Drawn outside a pass: the picture is no longer the last pass's alone.
    if (lastPainted_) keptInVain_ = true;
    lastPainted_ = false;
    untouched_ = false;
  }
  if (damage_.AllUnread()) return;
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
  if (inPass_) ++passOps_;
  PaintGroup(true);
}

void Canvas::EndFillGroup() {
  if (Keeping() && Kept(pass_op::Group{false}, QRect())) return;
  if (inPass_) ++passOps_;
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
  text.DrawOn(PainterOver(bounds));
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
  if (Keeping()) {
    pass_op::Picture taken{source.id(), source.damage().version(), from, at, image, {}, {}};
    // What changed in the source since the pass before took the same part
    // to the same place (at this point of the pass, as a rule).
    const auto same = [&](const PassOp& op) {
      const auto* was = std::get_if<pass_op::Picture>(&op.what);
      return was && was->source == taken.source && was->from == from && was->at == at ? was
                                                                                      : nullptr;
    };
    const pass_op::Picture* was = kept_.size() < last_.size() ? same(last_[kept_.size()]) : nullptr;
    for (std::size_t i = 0; !was && i < last_.size(); ++i) was = same(last_[i]);
    if (was) {
      taken.since = was->version;
      std::vector<QRect> changed;
      source.damage().Since(was->version, from, changed);
      for (const QRect& r : changed) taken.changed.push_back(r.translated(at - from.topLeft()));
    }
    if (Kept(std::move(taken), bounds)) return;
  }
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
  if (!text_.empty()) text_.DrawOn(OpenPainter());
}

}  // namespace palvex
