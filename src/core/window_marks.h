#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSizeF>
#include <optional>

namespace palvex {

struct ChartState;

// What a window draws over the chart's picture and no export ever has: the
// selected bar's focus frame, and the outline of the information label
// being dragged where the pointer (in twips) holds it, in colours inverted
// from the picture below, two window pixels wide at any device pixel ratio.
void PaintFocusFrame(QPainter& p, const ChartState& chart, const QRect& window,
                     const QColor& highlight);
void PaintDragOutline(QPainter& p, ChartState& chart, QPointF pointer, double devicePixelRatio);
// Where those marks lie now (the focus frame only while focused): a window
// that repaints only what changed repaints where they were and are.
QRegion MarksRegion(ChartState& chart, const QRect& window, QPointF pointer, bool focused);
// The window's background where the picture, drawn at (0, 0), leaves it
// bare.
void FillAroundPicture(QPainter& p, QSizeF window, const QImage& picture, const QColor& back);

}  // namespace palvex
