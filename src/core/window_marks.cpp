#include "core/window_marks.h"

#include <QPen>
#include <algorithm>
#include <cmath>

#include "model/chart_state.h"
#include "ui/info_label_input.h"
#include "ui/keyboard.h"

namespace palvex {

namespace {

std::optional<QRect> FocusFrameRect(const ChartState& chart, const QRect& window) {
  const std::optional<ChartRect> slot = SelectedBarSlot(chart);
  if (!slot) return std::nullopt;
  const Screen& s = chart.host.screen();
  return QRectF(slot->left / s.TwipsPerPixelX(), slot->top / s.TwipsPerPixelY(),
                slot->width / s.TwipsPerPixelX(), slot->height / s.TwipsPerPixelY())
      .toAlignedRect()
      .intersected(window);
}

std::optional<QRect> DragOutlineRect(ChartState& chart, QPointF pointer) {
  const std::optional<DragOutline> outline =
      DragOutlineAt(chart, static_cast<float>(pointer.x()), static_cast<float>(pointer.y()));
  if (!outline) return std::nullopt;
  const Screen& s = chart.host.screen();
  const float tppx = s.TwipsPerPixelX(), tppy = s.TwipsPerPixelY();
  return QRectF(outline->left / tppx, outline->top / tppy, outline->width / tppx,
                outline->height / tppy)
      .toRect();
}

// The rectangle the frame's pen follows, inside the bar's slot. A slot
// narrower than the pen turns it inside out, and the pen then reaches past
// the slot.
QRect FramePath(const QRect& slot) {
  return slot.adjusted(1, 1, -1, -1);
}

}  // namespace

QRegion MarksRegion(ChartState& chart, const QRect& window, QPointF pointer, bool focused) {
  QRegion marks;
  // A pixel around each, for pens that straddle an edge; the frame's pen,
  // two pixels wide, straddles its path.
  if (const std::optional<QRect> frame = FocusFrameRect(chart, window); frame && focused)
    marks += FramePath(*frame).normalized().adjusted(-2, -2, 2, 2);
  if (const std::optional<QRect> outline = DragOutlineRect(chart, pointer))
    marks += outline->adjusted(-1, -1, 1, 1);
  return marks;
}

void PaintFocusFrame(QPainter& p, const ChartState& chart, const QRect& window,
                     const QColor& highlight) {
  const std::optional<QRect> frame = FocusFrameRect(chart, window);
  if (!frame) return;
  // Drawn whatever the style does for focus: a keyboard user needs to see
  // which bar the arrows move from, also after a click gave the focus.
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(highlight, 2, Qt::DotLine));
  p.drawRect(FramePath(*frame));
}

void PaintDragOutline(QPainter& p, ChartState& chart, QPointF pointer, double devicePixelRatio) {
  const std::optional<QRect> outline = DragOutlineRect(chart, pointer);
  if (!outline) return;
  const QRect& r = *outline;
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  if (devicePixelRatio != 1.0) {
    // A cosmetic pen is one device pixel wide: the frame is filled instead,
    // two window pixels wide as on any screen.
    const int band = std::min({2, r.width(), r.height()});
    p.fillRect(QRect(r.left(), r.top(), r.width(), band), Qt::white);
    p.fillRect(QRect(r.left(), r.bottom() - band + 1, r.width(), band), Qt::white);
    const int inner = r.height() - 2 * band;
    if (inner > 0) {
      p.fillRect(QRect(r.left(), r.top() + band, band, inner), Qt::white);
      p.fillRect(QRect(r.right() - band + 1, r.top() + band, band, inner), Qt::white);
    }
    return;
  }
  p.setPen(QPen(Qt::white, 0));
  p.setBrush(Qt::NoBrush);
  // A frame two pixels wide, inside the label's size.
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.drawRect(r.adjusted(1, 1, -2, -2));
}

void FillAroundPicture(QPainter& p, QSizeF window, const QImage& picture, const QColor& back) {
  // An opaque picture hides what lies below it: a large window is spared a
  // whole fill on every paint. A pixel the picture covers only in part
  // (at a ratio it lags behind) is filled first, as before.
  const QSizeF size = picture.hasAlphaChannel() ? QSizeF() : picture.deviceIndependentSize();
  const double w = std::floor(size.width()), h = std::floor(size.height());
  // Right of the picture, the window's height; below it, the picture's width.
  if (window.width() > w) p.fillRect(QRectF(w, 0, window.width() - w, window.height()), back);
  if (window.height() > h && w > 0)
    p.fillRect(QRectF(0, h, std::min(w, window.width()), window.height() - h), back);
}

}  // namespace palvex
