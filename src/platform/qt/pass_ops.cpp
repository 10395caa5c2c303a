#include "platform/qt/pass_ops.h"

#include <algorithm>
#include <cmath>

#include "platform/qt/fonts.h"

namespace palvex {

void DrawShapedLine(QPainter& painter, QPointF baseline, const QList<QGlyphRun>* runs,
                    const QFont& font, const QString& text) {
  if (!runs) {
    painter.setFont(font);
    painter.drawText(baseline, text);
    return;
  }
  baseline = ShapedLineStart(painter.transform(), baseline);
  for (const QGlyphRun& run : *runs) painter.drawGlyphRun(baseline, run);
}

QPointF ShapedLineStart(const QTransform& place, QPointF baseline) {
  // Where the painter only moves, drawText starts its glyphs at the
  // origin held to 1/64 pixel, cut toward zero; glyphs placed from
  // anywhere else may land on another subpixel position and another
  // anti-aliasing. (Under a turn or a scale both place each glyph alike.)
  if (place.type() > QTransform::TxTranslate) return baseline;
  const QPointF shift(place.dx(), place.dy());
  return TruncatedToFixed(baseline + shift) - shift;
}

void DrawnText::DrawOn(QPainter& painter) const {
  painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
  painter.setPen(pen);
  painter.setTransform(transform);
  DrawShapedLine(painter, baseline, runs ? &*runs : nullptr, font, text);
  painter.resetTransform();
}

namespace {

// Qt compares points and transforms fuzzily; a pass repaints only where
// its inputs differ at all, so these compare exactly.
bool Same(QPointF a, QPointF b) {
  return a.x() == b.x() && a.y() == b.y();
}

bool Same(const QTransform& a, const QTransform& b) {
  return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
         a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
         a.m33() == b.m33();
}

bool Same(const TriVertex& a, const TriVertex& b) {
  return a.x == b.x && a.y == b.y && a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue &&
         a.Alpha == b.Alpha;
}

bool Same(const QGlyphRun& a, const QGlyphRun& b) {
  if (a.rawFont() != b.rawFont() || a.flags() != b.flags() || a.glyphIndexes() != b.glyphIndexes())
    return false;
  const QList<QPointF> pa = a.positions(), pb = b.positions();
  if (pa.size() != pb.size()) return false;
  for (qsizetype i = 0; i < pa.size(); ++i)
    if (!Same(pa[i], pb[i])) return false;
  return true;
}

bool Same(const QList<QGlyphRun>& a, const QList<QGlyphRun>& b) {
  if (a.size() != b.size()) return false;
  // Text shaped once is the same list every pass.
  if (a.constData() == b.constData()) return true;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (!Same(a[i], b[i])) return false;
  return true;
}

bool Same(const DrawnText& a, const DrawnText& b) {
  if (a.runs.has_value() != b.runs.has_value() || (a.runs && !Same(*a.runs, *b.runs))) return false;
  return a.font == b.font && a.text == b.text && Same(a.transform, b.transform) &&
         Same(a.baseline, b.baseline) && a.pen == b.pen && a.antialiased == b.antialiased;
}

struct SameKind {
  bool operator()(const pass_op::Group& a, const pass_op::Group& b) const {
    return a.begin == b.begin;
  }
  bool operator()(const pass_op::Clear& a, const pass_op::Clear& b) const {
    return a.color == b.color;
  }
  bool operator()(const pass_op::Gradient& a, const pass_op::Gradient& b) const {
    return Same(a.a, b.a) && Same(a.b, b.b) && a.vertical == b.vertical;
  }
  bool operator()(const pass_op::Solid& a, const pass_op::Solid& b) const {
    return a.color == b.color;
  }
  bool operator()(const pass_op::HeldText& a, const pass_op::HeldText& b) const {
    return Same(a.runs, b.runs) && Same(a.turn, b.turn) && Same(a.baseline, b.baseline) &&
           a.pen == b.pen && a.antialiased == b.antialiased;
  }
  bool operator()(const pass_op::Text& a, const pass_op::Text& b) const {
    return Same(*a.text, *b.text);
  }
  bool operator()(const pass_op::Outline& a, const pass_op::Outline& b) const {
    return a.rect == b.rect && a.color == b.color;
  }
  bool operator()(const pass_op::Line& a, const pass_op::Line& b) const {
    return a.a == b.a && a.b == b.b && a.color == b.color;
  }
  bool operator()(const pass_op::Picture& a, const pass_op::Picture& b) const {
    return a.source == b.source && a.from == b.from && a.at == b.at;
  }
  template <typename A, typename B>
  bool operator()(const A&, const B&) const {
    return false;
  }
};

}  // namespace

bool SameDrawing(const PassOp& a, const PassOp& b) {
  return a.bounds == b.bounds && std::visit(SameKind{}, a.what, b.what);
}

std::optional<std::vector<std::pair<std::size_t, std::size_t>>> MatchDrawings(
    const std::vector<PassOp>& before, const std::vector<PassOp>& now, std::size_t maxEdits) {
  using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;
  // Myers' difference: the furthest point reached on each diagonal k
  // (x in before, y = x - k in now) with d edits, d = 0, 1, ...
  const auto n = static_cast<std::ptrdiff_t>(before.size());
  const auto m = static_cast<std::ptrdiff_t>(now.size());
  const auto limit = static_cast<std::ptrdiff_t>(std::min<std::size_t>(maxEdits, n + m));
  const std::ptrdiff_t offset = limit + 1;
  std::vector<std::ptrdiff_t> v(static_cast<std::size_t>(2 * limit + 3), 0);
  const auto at = [&](std::ptrdiff_t k) -> std::ptrdiff_t& {
    return v[static_cast<std::size_t>(k + offset)];
  };
  std::vector<std::vector<std::ptrdiff_t>> trace;
  for (std::ptrdiff_t d = 0; d <= limit; ++d) {
    trace.push_back(v);
    for (std::ptrdiff_t k = -d; k <= d; k += 2) {
      std::ptrdiff_t x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
      std::ptrdiff_t y = x - k;
      while (x < n && y < m && SameDrawing(before[std::size_t(x)], now[std::size_t(y)])) {
        ++x;
        ++y;
      }
      at(k) = x;
      if (x < n || y < m) continue;
      // Back along the edits, collecting the runs of equal drawings that
      // follow each (trace[e] holds the points reached before edit e).
      Pairs pairs;
      for (std::ptrdiff_t e = d; e >= 0; --e) {
        const std::ptrdiff_t kk = x - y;
        std::ptrdiff_t px = 0, py = 0, runX = 0;
        if (e > 0) {
          const std::vector<std::ptrdiff_t>& w = trace[std::size_t(e)];
          const auto was = [&](std::ptrdiff_t j) { return w[std::size_t(j + offset)]; };
          const bool down = kk == -e || (kk != e && was(kk - 1) < was(kk + 1));
          const std::ptrdiff_t pk = down ? kk + 1 : kk - 1;
          px = was(pk);
          py = px - pk;
          runX = down ? px : px + 1;
        }
        for (; x > runX; --x, --y) pairs.emplace_back(std::size_t(x - 1), std::size_t(y - 1));
        x = px;
        y = py;
      }
      std::reverse(pairs.begin(), pairs.end());
      return pairs;
    }
  }
  return std::nullopt;
}

}  // namespace palvex
