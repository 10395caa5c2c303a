#include "platform/qt/held_fills.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

#include "platform/qt/pixel_rows.h"
#include "platform/qt/rect_ops.h"

namespace palvex {

void HeldFills::AddGradient(std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1,
                            bool vertical, const TriVertex& a, const TriVertex& b) {
  // The columns of a horizontal fill are worked out now; a vertical fill's
  // rows as they are written.
  const std::size_t ramp = ramps_.size();
  if (!vertical) {
    RampCursor cursor(a, b, a.x, b.x, x0);
    for (std::int64_t x = x0; x < x1; ++x, cursor.Next()) ramps_.push_back(cursor.Color());
  }
  pending_.push_back({x0, x1, y0, y1, vertical, ramp, a, b, x0, x1, y0, y1});
  Unite(bounds_, QRect(QPoint(int(x0), int(y0)), QPoint(int(x1 - 1), int(y1 - 1))));
}

void HeldFills::AddSolid(const QRect& pixels, Color color) {
  // A vertical ramp between two vertices of the same colour.
  const auto channel = [](int c) { return static_cast<std::uint16_t>(c << 8); };
  const TriVertex a{pixels.left(),           pixels.top(),           channel(RedOf(color)),
                    channel(GreenOf(color)), channel(BlueOf(color)), 0};
  TriVertex b = a;
  b.x = pixels.right() + 1;
  b.y = pixels.bottom() + 1;
  pending_.push_back({a.x, b.x, a.y, b.y, true, ramps_.size(), a, b, a.x, b.x, a.y, b.y});
  Unite(bounds_, pixels);
}

void HeldFills::PaintOn(QImage& image) {
  if (pending_.empty()) return;
  // A pass holds back many fills, most of them mostly hidden by later ones
  // where there are more bars than columns. Where they hardly overlap (a
  // few wide bars) the runs below find what little is hidden, and looking
  // further cost a few percent of a pass of ten bars.
  constexpr std::size_t kRunLength = 8;
  const auto pileUp = [&] {
    std::int64_t pixels = 0;
    for (const PendingFill& f : pending_) pixels += (f.x1 - f.x0) * (f.y1 - f.y0);
    return pixels > 2 * std::int64_t{bounds_.width()} * bounds_.height();
  };
  if (pending_.size() > kRunLength && pileUp()) CutHiddenParts(image.width());
  // Then runs of fills that overlap (one bar's) are painted band by band,
  // so the middle of a bar, where its fills lie on one another, is
  // written once; the runs follow one another in order.
  std::size_t first = 0;
  QRect run;
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    const PendingFill& f = pending_[i];
    if (f.cx0 >= f.cx1 || f.cy0 >= f.cy1) continue;
    const QRect shown(QPoint(int(f.cx0), int(f.cy0)), QPoint(int(f.cx1 - 1), int(f.cy1 - 1)));
    if (i - first >= kRunLength || (!run.isNull() && !Meet(shown, run))) {
      PaintBands(image, first, i);
      first = i;
      run = QRect();
    }
    Unite(run, shown);
  }
  PaintBands(image, first, pending_.size());
  pending_.clear();
  ramps_.clear();
  bounds_ = QRect();
  // The working space is kept for the next pass: given back, a chart of
  // thousands of bars spent a third of its pass in page faults growing it
  // again. At most kMaxHeld fills are held, so only the columns of
  // horizontal fills could grow past what such a chart needs.
  constexpr std::size_t kKeptColumns = std::size_t{1} << 20;
  if (ramps_.capacity() > kKeptColumns) ramps_ = decltype(ramps_)();
}

void HeldFills::CutHiddenParts(int width) {
  // Walking back from the last fill, a fill's columns and end rows that
  // later fills cover are cut off; then its own rows join each column's
  // covered run where they meet it (or replace a shorter one).
  coveredRows_.assign(static_cast<std::size_t>(width), {0, 0});
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

PALVEX_WIDE_STORES void HeldFills::PaintBands(QImage& image, std::size_t first, std::size_t last) {
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
  uchar* bits = image.bits();
  const qsizetype bytesPerLine = image.bytesPerLine();
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
    // The spans do not overlap, so each fill's spans (or two fills' spans
    // together) are written down the band on their own, the ramp stepped
    // once per row in registers: most spans are a bar's few columns.
    uchar* const bandTop = bits + top * bytesPerLine;
    // A fill's spans lie together (one fill beside the bands over it): the
    // last of those starting at s.
    const auto lastOfFill = [&](auto s) {
      while (std::next(s) != segments_.end() && std::next(s)->fill == s->fill) ++s;
      return s;
    };
    // One row of the spans from..to in one colour. Inlined, as the rows
    // lambda below is, so that it is built with this function's stores.
    const auto fillSpans =
        [](uchar * row, auto from, auto to, QRgb color) __attribute__((always_inline)) {
      for (auto span = from; span <= to; ++span)
        FillPixels(reinterpret_cast<QRgb*>(row) + span->x0, span->x1 - span->x0, color);
    };
    for (auto s = segments_.begin(); s != segments_.end(); ++s) {
      uchar* at = bandTop;
      const std::int64_t width = s->x1 - s->x0;
      if (s->rows >= 0) {
        const auto spansEnd = lastOfFill(s);
        RampCursor cursor = rows_[static_cast<std::size_t>(s->rows)];
        // A second vertical fill next (a bar's middle beside its edges):
        // both are written row by row in one loop, so that each ramp's
        // step, which waits on the one before, overlaps the other's.
        const auto second = std::next(spansEnd);
        if (second != segments_.end() && second->rows >= 0 && cursor.Packed() &&
            rows_[static_cast<std::size_t>(second->rows)].Packed()) {
          const auto secondEnd = lastOfFill(second);
          RampCursor other = rows_[static_cast<std::size_t>(second->rows)];
          constexpr auto kPacked = RampCursor::kPacked;
          for (std::int64_t y = top; y < bottom; ++y, at += bytesPerLine) {
            fillSpans(at, s, spansEnd, cursor.Color<kPacked>());
            fillSpans(at, second, secondEnd, other.Color<kPacked>());
            cursor.Next<kPacked>();
            other.Next<kPacked>();
          }
          s = secondEnd;
          continue;
        }
        // Whether the ramp's channels step side by side is asked once, not
        // per row. Inlined: a lambda is built for any processor, not for
        // the build of this function it is called from.
        const auto rows = [&](auto lanes) __attribute__((always_inline)) {
          constexpr RampCursor::Lanes kLanes = decltype(lanes)::value;
          if (spansEnd == s && width <= 2) {
            // A thin bar, most bars when there are more bars than pixels:
            // one or two pixels a row, nothing else in the loop.
            QRgb* p = reinterpret_cast<QRgb*>(at) + s->x0;
            const qsizetype pixelsPerLine = bytesPerLine / qsizetype{sizeof(QRgb)};
            for (std::int64_t y = top; y < bottom; ++y, p += pixelsPerLine) {
              p[0] = p[width - 1] = cursor.Color<kLanes>();
              cursor.Next<kLanes>();
            }
            return;
          }
          for (std::int64_t y = top; y < bottom; ++y, at += bytesPerLine) {
            fillSpans(at, s, spansEnd, cursor.Color<kLanes>());
            cursor.Next<kLanes>();
          }
        };
        if (cursor.Packed()) {
          rows(std::integral_constant<RampCursor::Lanes, RampCursor::kPacked>());
        } else {
          rows(std::integral_constant<RampCursor::Lanes, RampCursor::kApart>());
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

}  // namespace palvex
