#include "platform/qt/qimage_device_context.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/narrow_text.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/fonts.h"
#include "platform/qt/pixel_rows.h"
#include "platform/qt/qt_text.h"
#include "platform/surface.h"

namespace palvex {

namespace {

// Like the platform's own limit on drawing objects: a caller that never
// deletes its fonts runs out instead of exhausting memory.
constexpr std::size_t kMaxCreatedFonts = 10000;

// The stock system font: a bold 16-pixel face.
LogFont SystemFont() {
  LogFont f;
  f.lfHeight = 16;
  f.lfWeight = kBoldWeight;
  f.lfFaceName = u"System";
  return f;
}

}  // namespace

QFont QFontFor(const LogFont& font) {
  QFont f(ResolveFontFamily(font.lfFaceName));
  const std::int64_t height = std::llabs(std::int64_t(font.lfHeight));
  f.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(height == 0 ? 16 : height, 1, 2000)));
  const std::int32_t weight = font.lfWeight == 0 ? kNormalWeight : font.lfWeight;
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  f.setItalic(font.lfItalic != 0);
  f.setUnderline(font.lfUnderline != 0);
  f.setStrikeOut(font.lfStrikeOut != 0);
  f.setStyleStrategy(font.lfQuality == kNonAntialiasedQuality ? QFont::NoAntialias
                                                              : QFont::PreferAntialias);
  return f;
}

QImageDeviceContext::QImageDeviceContext(QImage& image)
    : image_(image), ownPainter_(std::make_unique<ImagePainter>(image)), painter_(*ownPainter_) {}

QImageDeviceContext::QImageDeviceContext(QImage& image, ImagePainter& painter, const Screen& screen,
                                         const Surface& owner, FontCache& ownerFonts)
    : image_(image),
      painter_(painter),
      screen_(&screen),
      owner_(&owner),
      ownerFonts_(&ownerFonts) {}

bool QImageDeviceContext::GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                                       const GradientRect* mesh, std::uint32_t meshCount,
                                       std::uint32_t mode) {
  if (!vertices || !mesh || mode > FillVer) return false;
  // Vertices are logical pixels; on a picture at a higher ratio each ramp
  // runs over the device pixels between them, as smooth as they allow.
  std::vector<TriVertex> device;
  if (const double r = image_.devicePixelRatio(); r != 1.0) {
    device = DeviceVertices(vertices, vertexCount, mesh, meshCount, r);
    vertices = device.data();
  }
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return false;
  }
  const bool vertical = mode == FillVer;
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    const TriVertex& a = vertices[mesh[m].UpperLeft];
    const TriVertex& b = vertices[mesh[m].LowerRight];
    // The vertices may lie in either order; right and bottom are exclusive,
    // so a zero extent paints nothing.
    const std::int64_t x0 = std::max<std::int64_t>(std::min(a.x, b.x), 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::max(a.x, b.x), image_.width());
    const std::int64_t y0 = std::max<std::int64_t>(std::min(a.y, b.y), 0);
    const std::int64_t y1 = std::min<std::int64_t>(std::max(a.y, b.y), image_.height());
    if (x0 >= x1 || y0 >= y1) continue;
    // Each row (or column) takes the ramp's value at its top (left) edge:
    // the one at vertex a's coordinate has a's colour exactly, and swapping
    // both vertices gives the same picture. The columns of a horizontal
    // fill are worked out now; a vertical fill's rows as they are written.
    const std::size_t ramp = ramps_.size();
    if (!vertical) {
      RampCursor cursor(a, b, a.x, b.x, x0);
      for (std::int64_t x = x0; x < x1; ++x, cursor.Next()) ramps_.push_back(cursor.Colour());
    }
    pending_.push_back({x0, x1, y0, y1, vertical, ramp, a, b, x0, x1, y0, y1});
    pendingBounds_ |= QRect(QPoint(int(x0), int(y0)), QPoint(int(x1 - 1), int(y1 - 1)));
  }
  if (fillGroups_ == 0) PaintPendingFills();
  return true;
}

bool QImageDeviceContext::HoldSolidFill(const QRect& pixels, Color colour) {
  if (pending_.empty() || !pixels.intersects(pendingBounds_)) {
    // Written now by the caller: over any text held there.
    DrawHeldTextOver(pixels);
    return false;
  }
  // A vertical ramp between two vertices of the same colour.
  const auto channel = [](int c) { return static_cast<std::uint16_t>(c << 8); };
  const TriVertex a{pixels.left(),           pixels.top(),
                    channel(RedOf(colour)),  channel(GreenOf(colour)),
                    channel(BlueOf(colour)), 0};
  TriVertex b = a;
  b.x = pixels.right() + 1;
  b.y = pixels.bottom() + 1;
  pending_.push_back({a.x, b.x, a.y, b.y, true, ramps_.size(), a, b, a.x, b.x, a.y, b.y});
  pendingBounds_ |= pixels;
  return true;
}

void QImageDeviceContext::EndFillGroup() {
  if (fillGroups_ > 0 && --fillGroups_ == 0) PaintPendingFills();
}

void QImageDeviceContext::PaintPendingFills() {
  if (pending_.empty()) return;
  // Text held back was drawn before these fills are: where they may meet,
  // it goes first.
  DrawHeldTextOver(pendingBounds_);
  // A pass holds back many fills, most of them mostly hidden by later ones.
  constexpr std::size_t kRunLength = 8;
  if (pending_.size() > kRunLength) CutHiddenParts();
  // Then runs of fills that overlap (one bar's) are painted band by band,
  // so the middle of a bar, where its fills lie on one another, is
  // written once; the runs follow one another in order.
  std::size_t first = 0;
  QRect run;
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    const PendingFill& f = pending_[i];
    if (f.cx0 >= f.cx1 || f.cy0 >= f.cy1) continue;
    const QRect shown(QPoint(int(f.cx0), int(f.cy0)), QPoint(int(f.cx1 - 1), int(f.cy1 - 1)));
    if (i - first >= kRunLength || (!run.isNull() && !shown.intersects(run))) {
      PaintBands(first, i);
      first = i;
      run = QRect();
    }
    run |= shown;
  }
  PaintBands(first, pending_.size());
  pending_.clear();
  ramps_.clear();
  pendingBounds_ = QRect();
  // A pass of thousands of bars needs working space for each; it is given
  // back rather than held between passes (growing it again costs a few
  // copies, far less than the pass).
  constexpr std::size_t kKeptFills = 1024;
  if (pending_.capacity() > kKeptFills) {
    // (Assigning {} would keep the capacity.)
    pending_ = decltype(pending_)();
    ramps_ = decltype(ramps_)();
    bands_ = decltype(bands_)();
    covered_ = decltype(covered_)();
    segments_ = decltype(segments_)();
    rows_ = decltype(rows_)();
  }
}

void QImageDeviceContext::CutHiddenParts() {
  // Walking back from the last fill, a fill's columns and end rows that
  // later fills cover are cut off; then its own rows join each column's
  // covered run where they meet it (or replace a shorter one).
  coveredRows_.assign(static_cast<std::size_t>(image_.width()), {0, 0});
  auto covers = [&](std::int64_t x, std::int64_t y0, std::int64_t y1) {
    const auto& [lo, hi] = coveredRows_[static_cast<std::size_t>(x)];
    return lo <= y0 && y1 <= hi;
  };
  for (auto f = pending_.rbegin(); f != pending_.rend(); ++f) {
    std::int64_t x0 = f->x0, x1 = f->x1, y0 = f->y0, y1 = f->y1;
    while (x0 < x1 && covers(x0, y0, y1)) ++x0;
    while (x1 > x0 && covers(x1 - 1, y0, y1)) --x1;
    if (x0 < x1) {
      // Rows at the bottom (top) that every remaining column has covered.
      std::int64_t bottom = y0, top = y1;
      for (std::int64_t x = x0; x < x1; ++x) {
        const auto& [lo, hi] = coveredRows_[static_cast<std::size_t>(x)];
        bottom = std::max(bottom, lo <= y1 - 1 && y1 <= hi ? std::max(lo, y0) : y1);
        top = std::min(top, lo <= y0 && y0 < hi ? std::min(hi, y1) : y0);
      }
      if (bottom < y1) y1 = bottom;
      if (top > y0 && top < y1) y0 = top;
    }
    f->cx0 = x0;
    f->cx1 = x1;
    f->cy0 = y0;
    f->cy1 = y1;
    for (std::int64_t x = f->x0; x < f->x1; ++x) {
      auto& [lo, hi] = coveredRows_[static_cast<std::size_t>(x)];
      if (f->y0 <= hi && lo <= f->y1) {
        lo = std::min(lo, f->y0);
        hi = std::max(hi, f->y1);
      } else if (f->y1 - f->y0 > hi - lo) {
        lo = f->y0;
        hi = f->y1;
      }
    }
  }
}

void QImageDeviceContext::PaintBands(std::size_t first, std::size_t last) {
  // Between two consecutive edges the same fills cover every row, so each
  // such band is split once into the spans each fill shows (a later fill
  // hides an earlier one), and its rows are written span by span.
  const auto begin = pending_.begin() + static_cast<std::ptrdiff_t>(first);
  const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(last);
  bands_.clear();
  for (auto f = begin; f != end; ++f) {
    if (f->cx0 >= f->cx1 || f->cy0 >= f->cy1) continue;
    bands_.push_back(f->cy0);
    bands_.push_back(f->cy1);
  }
  std::sort(bands_.begin(), bands_.end());
  bands_.erase(std::unique(bands_.begin(), bands_.end()), bands_.end());
  uchar* bits = image_.bits();
  const qsizetype bytesPerLine = image_.bytesPerLine();
  for (std::size_t band = 0; band + 1 < bands_.size(); ++band) {
    const std::int64_t top = bands_[band], bottom = bands_[band + 1];
    segments_.clear();
    covered_.clear();
    rows_.clear();
    for (auto f = std::make_reverse_iterator(end); f != std::make_reverse_iterator(begin); ++f) {
      if (f->cx0 >= f->cx1 || f->cy0 > top || f->cy1 < bottom) continue;
      // The parts of the fill's columns no later fill covers.
      const std::size_t shown = segments_.size();
      const int cursor = f->vertical ? static_cast<int>(rows_.size()) : -1;
      std::int64_t from = f->cx0;
      for (const auto& [l, r] : covered_) {
        if (r <= from) continue;
        if (l >= f->cx1) break;
        if (l > from) segments_.push_back({&*f, from, l, cursor});
        from = std::max(from, r);
        if (from >= f->cx1) break;
      }
      if (from < f->cx1) segments_.push_back({&*f, from, f->cx1, cursor});
      if (f->vertical && segments_.size() > shown)
        rows_.emplace_back(f->a, f->b, f->a.y, f->b.y, top);
      covered_.emplace_back(f->cx0, f->cx1);
      std::sort(covered_.begin(), covered_.end());
    }
    // The spans do not overlap, so each fill's spans are written down the
    // band on their own, its ramp stepped once per row in registers: most
    // spans are a bar's few columns.
    uchar* const bandTop = bits + top * bytesPerLine;
    for (auto s = segments_.begin(); s != segments_.end(); ++s) {
      uchar* at = bandTop;
      const std::int64_t width = s->x1 - s->x0;
      if (s->rows >= 0) {
        // A fill's spans lie together (one fill beside the bands over it).
        auto spansEnd = s;
        while (std::next(spansEnd) != segments_.end() && std::next(spansEnd)->fill == s->fill)
          ++spansEnd;
        RampCursor cursor = rows_[static_cast<std::size_t>(s->rows)];
        for (std::int64_t y = top; y < bottom; ++y, at += bytesPerLine, cursor.Next()) {
          const QRgb colour = cursor.Colour();
          for (auto span = s; span <= spansEnd; ++span)
            FillPixels(reinterpret_cast<QRgb*>(at) + span->x0, span->x1 - span->x0, colour);
        }
        s = spansEnd;
      } else {
        const QRgb* columns = ramps_.data() + s->fill->ramp + (s->x0 - s->fill->x0);
        for (std::int64_t y = top; y < bottom; ++y, at += bytesPerLine)
          CopyPixels(reinterpret_cast<QRgb*>(at) + s->x0, columns, width);
      }
    }
  }
}

Color QImageDeviceContext::GetPixel(int x, int y) const {
  if (const double r = image_.devicePixelRatio(); r != 1.0) {
    if (x < 0 || y < 0 || x >= LogicalSide(image_.width(), r) ||
        y >= LogicalSide(image_.height(), r))
      return kInvalidColor;
    const QPoint at = DeviceRect(QRect(x, y, 1, 1), r).topLeft();
    x = at.x();
    y = at.y();
  }
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return kInvalidColor;
  // Logically const: to a reader the picture already holds the held-back
  // fills.
  const_cast<QImageDeviceContext*>(this)->FlushFills();
  painter_.End();
  return FromQRgb(image_.pixel(x, y));
}

const LogFont* QImageDeviceContext::Describe(ObjectHandle object) {
  if (object == kSurfaceFont) {
    const FontSpec font = owner_ ? owner_->Font() : FontSpec{};
    const double dpi = screen_ ? screen_->DotsPerInchY() : 96.0;
    surfaceFont_ = LogFont{};
    surfaceFont_.lfHeight = -FontPixelSize(font, dpi);
    surfaceFont_.lfWeight = font.bold ? kBoldWeight : kNormalWeight;
    surfaceFont_.lfCharSet = static_cast<std::uint8_t>(font.charset);
    surfaceFont_.lfFaceName = font.name;
    return &surfaceFont_;
  }
  if (object == kSystemFontObject) {
    static const LogFont system = SystemFont();
    return &system;
  }
  auto it = created_.find(object);
  return it == created_.end() ? nullptr : &it->second;
}

MeasuredFont& QImageDeviceContext::SelectedQtFont() {
  // The surface's font follows the screen's resolution too.
  const double dpi = screen_ ? screen_->DotsPerInchY() : 96.0;
  if (selectedQtFont_ && (selected_ != kSurfaceFont || dpi == selectedDpi_))
    return *selectedQtFont_;
  selectedDpi_ = dpi;
  MeasuredFont& font = QtFontFor(*Describe(selected_));
  selectedQtFont_ = &font;
  return font;
}

MeasuredFont& QImageDeviceContext::QtFontFor(LogFont key) {
  key.lfEscapement = key.lfOrientation = 0;
  for (auto& [font, measured] : qtFonts_) {
    if (font == key) return *measured;
  }
  if (qtFonts_.size() >= kMaxQtFonts) {
    qtFonts_.erase(qtFonts_.begin());
    selectedQtFont_ = nullptr;  // it may have been the one dropped
  }
  const QFont font = QFontFor(key);
  auto measured = ownerFonts_ ? ownerFonts_->Share(font) : std::make_shared<MeasuredFont>(font);
  qtFonts_.emplace_back(std::move(key), std::move(measured));
  return *qtFonts_.back().second;
}

ObjectHandle QImageDeviceContext::GetStockObject(int index) {
  return index == kSystemFont ? kSystemFontObject : kNullObject;
}

ObjectHandle QImageDeviceContext::SelectObject(ObjectHandle object) {
  if (!Describe(object)) return kNullObject;
  const ObjectHandle previous = selected_;
  if (object != selected_) selectedQtFont_ = nullptr;
  selected_ = object;
  return previous;
}

int QImageDeviceContext::GetObject(ObjectHandle object, int bufferSize, LogFont* font) {
  const LogFont* description = Describe(object);
  if (!description) return 0;
  if (!font) return kLogFontBytes;  // the size a caller must provide
  if (bufferSize < kLogFontBytes) return 0;
  *font = *description;
  return kLogFontBytes;
}

ObjectHandle QImageDeviceContext::CreateFontIndirect(const LogFont& font) {
  if (created_.size() >= kMaxCreatedFonts) return kNullObject;
  while (nextHandle_ < kFirstCreated || created_.count(nextHandle_)) ++nextHandle_;
  const ObjectHandle handle = nextHandle_++;
  created_.emplace(handle, font);
  return handle;
}

bool QImageDeviceContext::GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                                               TextSize* size) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown || !size) return false;
  MeasuredFont& font = SelectedQtFont();
  size->cx = font.WholeWidth(*shown);
  size->cy = font.WholeHeight();
  return true;
}

bool QImageDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                                  std::int32_t byteLength) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown) return false;
  const LogFont& description = *Describe(selected_);
  // Above a ratio of 1 the text is drawn in a font of that many times the
  // pixels, unscaled: a scaled font loses its synthetic bold.
  const double r = image_.devicePixelRatio();
  MeasuredFont& font = r == 1.0 ? SelectedQtFont() : QtFontFor(DeviceFont(description, r));
  // The escapement turns counter-clockwise on screen; Qt turns clockwise.
  QTransform turn;
  if (r != 1.0) turn.scale(1 / r, 1 / r);
  turn.translate(x * r, y * r);
  turn.rotate(-description.lfEscapement / 10.0);
  const QPointF baseline(0, font.metrics().ascent());
  const bool antialiased = description.lfQuality != kNonAntialiasedQuality;
  const QList<QGlyphRun>* runs = font.GlyphRuns(*shown);
  if (r == 1.0 && runs) {
    // Held-back fills are painted first where the text may blend with
    // them: its glyphs' ink and a margin for anti-aliasing.
    constexpr int kInkMargin = 3;
    const QRect ink = turn.mapRect(font.InkBounds(*shown).translated(baseline))
                          .toAlignedRect()
                          .adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    FlushFillsOver(ink);
    if (HoldText(*runs, turn, baseline, ink, antialiased)) return true;
    DrawHeldText();
  } else {
    FlushFills();
  }
  QPainter& p = painter_.Open();
  p.setRenderHint(QPainter::TextAntialiasing, antialiased);
  p.setPen(owner_ ? ToQColor(owner_->ForeColor()) : QColor(Qt::black));
  p.setTransform(turn);
  font.Draw(p, baseline, *shown);
  p.resetTransform();
  return true;
}

bool QImageDeviceContext::HoldText(const QList<QGlyphRun>& runs, const QTransform& turn,
                                   QPointF baseline, const QRect& ink, bool antialiased) {
  // Only a turn whose factors are 0 and +-1 and a whole-pixel start: then
  // moving each glyph by the start turned back is exact, and the painter
  // maps it to the very position it would have had.
  const auto unit = [](double v) { return v == 0 || v == 1 || v == -1; };
  if (!unit(turn.m11()) || !unit(turn.m12()) || !unit(turn.m21()) || !unit(turn.m22()) ||
      turn.m13() != 0 || turn.m23() != 0 || turn.m33() != 1)
    return false;
  // Lines over, under or through the text are drawn per run.
  constexpr auto kLined = QGlyphRun::Overline | QGlyphRun::Underline | QGlyphRun::StrikeOut;
  for (const QGlyphRun& run : runs) {
    if (run.flags() & kLined) return false;
  }
  const QTransform rotation(turn.m11(), turn.m12(), turn.m21(), turn.m22(), 0, 0);
  const QColor pen = owner_ ? ToQColor(owner_->ForeColor()) : QColor(Qt::black);
  if (!heldGlyphs_.empty() &&
      (rotation != heldTurn_ || pen != heldPen_ || antialiased != heldAntialiased_))
    DrawHeldText();
  // However long nothing else is drawn, what is held stays bounded.
  if (heldGlyphs_.size() > kMaxHeldGlyphs) DrawHeldText();
  heldTurn_ = rotation;
  heldPen_ = pen;
  heldAntialiased_ = antialiased;
  QPointF start(turn.m11() * turn.dx() + turn.m12() * turn.dy(),
                turn.m21() * turn.dx() + turn.m22() * turn.dy());
  // Unturned, the line starts where drawn text would: see MeasuredFont::Draw.
  if (rotation.isIdentity()) start = TruncatedToFixed(start + baseline) - baseline;
  for (const QGlyphRun& run : runs) {
    QRawFont font = run.rawFont();
    if (font != heldFont_) {
      DrawHeldText();
      heldFont_ = std::move(font);
    }
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype n = std::min(glyphs.size(), positions.size());
    for (qsizetype i = 0; i < n; ++i) {
      heldGlyphs_.push_back(glyphs[i]);
      heldPositions_.push_back(baseline + positions[i] + start);
    }
  }
  heldBounds_ |= ink;
  return true;
}

void QImageDeviceContext::DrawHeldText() {
  if (heldGlyphs_.empty()) {
    heldBounds_ = QRect();
    return;
  }
  QGlyphRun run;
  run.setRawFont(heldFont_);
  run.setRawData(heldGlyphs_.data(), heldPositions_.data(), static_cast<int>(heldGlyphs_.size()));
  QPainter& p = painter_.Open();
  p.setRenderHint(QPainter::TextAntialiasing, heldAntialiased_);
  p.setPen(heldPen_);
  p.setTransform(heldTurn_);
  p.drawGlyphRun(QPointF(0, 0), run);
  p.resetTransform();
  heldGlyphs_.clear();
  heldPositions_.clear();
  heldBounds_ = QRect();
  // The glyphs of a thousand captions are not held on to between passes.
  if (heldGlyphs_.capacity() > kMaxHeldGlyphs / 16) {
    heldGlyphs_ = decltype(heldGlyphs_)();
    heldPositions_ = decltype(heldPositions_)();
  }
}

bool QImageDeviceContext::DeleteObject(ObjectHandle object) {
  if (object == kSystemFontObject) return true;  // stock objects are never freed
  if (object == selected_) return false;
  return created_.erase(object) == 1;
}

}  // namespace palvex
