#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/device_context.h"
#include "platform/qt/gradient_ramp.h"
#include "platform/qt/pixel_rows.h"
#include "platform/qt/rect_ops.h"

namespace palvex {

// Gradient and solid fills kept back and painted together: a pass holds a
// bar's fills, most of them mostly hidden by later ones, and painting them
// band by band writes each pixel once. Only the Canvas keeps one; it paints
// them before anything else may touch their pixels.
class HeldFills {
 public:
  bool empty() const { return pending_.empty(); }
  // However many fills a pass holds, the working space stays bounded (a
  // fill is about a hundred bytes, and a chart of 32,767 bars holds four
  // each; the space is kept from pass to pass): past this many the held
  // ones are painted. Painting earlier gives the same pixels; fewer hidden
  // parts are skipped (at 10,000 bars a tenth of a percent more work than
  // at twice as many).
  static constexpr std::size_t kMaxHeld = 4096;
  bool full() const { return pending_.size() >= kMaxHeld; }
  // Whether a held fill may lie under the given pixels.
  bool Overlap(const QRect& pixels) const { return !pending_.empty() && Meet(pixels, bounds_); }
  // Where the held fills lie, or an empty rectangle.
  const QRect& bounds() const { return bounds_; }

  // A fill of the pixels [x0, x1) x [y0, y1), already cut to the image,
  // ramping from a to b down the rows or across the columns.
  void AddGradient(std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1,
                   bool vertical, const TriVertex& a, const TriVertex& b);
  // A rectangle of one colour, already cut to the image.
  void AddSolid(const QRect& pixels, Color color);
  // Paints every held fill in order and forgets them.
  void PaintOn(QImage& image);

 private:
  // A fill waiting: its part of the image, its vertices and, filled
  // horizontally, where its column colours start in ramps_.
  struct PendingFill {
    std::int64_t x0, x1, y0, y1;
    bool vertical;
    std::size_t ramp;
    TriVertex a, b;
    // The part painted: the whole rectangle unless later fills hide some.
    std::int64_t cx0, cx1, cy0, cy1;
  };
  // Pending fills first..last: each band of rows split once into the spans
  // each fill shows, every pixel written once.
  PALVEX_WIDE_STORES void PaintBands(QImage& image, std::size_t first, std::size_t last);
  // Cuts each fill to the part no later fill is known to cover.
  void CutHiddenParts(int width);

  std::vector<PendingFill> pending_;
  QRect bounds_;
  // Working space of PaintOn, kept to spare allocations; none holds more
  // than the image's width or height per pending fill.
  std::vector<unsigned int> ramps_;
  std::vector<std::int64_t> bands_;
  std::vector<std::pair<std::int64_t, std::int64_t>> covered_;
  // A span of a band's rows that one fill shows; rows names its entry in
  // rows_ when it is filled vertically, else -1.
  struct Segment {
    const PendingFill* fill;
    std::int64_t x0, x1;
    int rows;
  };
  std::vector<Segment> segments_;
  std::vector<RampCursor> rows_;
  // Per column the rows later fills are known to cover (one run of rows
  // each: less than the truth is safe).
  std::vector<std::pair<std::int64_t, std::int64_t>> coveredRows_;
};

}  // namespace palvex
