#pragma once

#include <QRect>
#include <algorithm>
#include <cstdint>

namespace palvex {

// QRect's union and intersection test, computed here: the held fills and
// text ask them of every fill and caption of a pass, and Qt's own are
// calls into its library. The same results, a rectangle of negative
// extent taken as Qt takes it, a null one as none.
namespace rect_ops {

struct Span {
  std::int64_t low, high;
};
inline Span Across(int from, int to) {
  return to - std::int64_t{from} + 1 < 0 ? Span{to, from} : Span{from, to};
}

}  // namespace rect_ops

inline void Unite(QRect& into, const QRect& r) {
  if (r.isNull()) return;
  if (into.isNull()) {
    into = r;
    return;
  }
  using rect_ops::Across;
  const auto x1 = Across(into.left(), into.right()), x2 = Across(r.left(), r.right());
  const auto y1 = Across(into.top(), into.bottom()), y2 = Across(r.top(), r.bottom());
  into.setCoords(int(std::min(x1.low, x2.low)), int(std::min(y1.low, y2.low)),
                 int(std::max(x1.high, x2.high)), int(std::max(y1.high, y2.high)));
}

inline bool Meet(const QRect& a, const QRect& b) {
  if (a.isNull() || b.isNull()) return false;
  using rect_ops::Across;
  const auto x1 = Across(a.left(), a.right()), x2 = Across(b.left(), b.right());
  if (x1.low > x2.high || x2.low > x1.high) return false;
  const auto y1 = Across(a.top(), a.bottom()), y2 = Across(b.top(), b.bottom());
  return !(y1.low > y2.high || y2.low > y1.high);
}

}  // namespace palvex
