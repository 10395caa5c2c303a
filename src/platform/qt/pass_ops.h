#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QTransform>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "platform/color.h"
#include "platform/device_context.h"

namespace palvex {

// One line of text as the painter draws it (text that is not held): in a
// font, shaped into runs once or, where no runs stand for it, laid out by
// drawText; through a transform, with its baseline at a point.
struct DrawnText {
  QFont font;
  std::optional<QList<QGlyphRun>> runs;
  // Only without runs: what drawText lays out.
  QString text;
  QTransform transform;
  QPointF baseline;
  QColor pen;
  bool antialiased = true;

  void DrawOn(QPainter& painter) const;
};

// Draws one line of shaped text exactly as QPainter::drawText draws it,
// with its baseline at the painter's origin plus baseline: runs null lays
// the text out afresh.
void DrawShapedLine(QPainter& painter, QPointF baseline, const QList<QGlyphRun>* runs,
                    const QFont& font, const QString& text);
// Where DrawShapedLine starts the glyph runs of a line at baseline drawn
// through place.
QPointF ShapedLineStart(const QTransform& place, QPointF baseline);

// What a drawing pass asked a canvas to draw, kept so that the next pass
// can tell where its picture differs and paint only there. Every kind
// draws only inside its bounds.
namespace pass_op {

struct Group {
  bool begin;
};
struct Clear {
  QColor color;
};
struct Gradient {
  TriVertex a, b;
  bool vertical;
};
struct Solid {
  Color color;
};
struct HeldText {
  QList<QGlyphRun> runs;
  QTransform turn;
  QPointF baseline;
  QColor pen;
  bool antialiased;
};
struct Text {
  // Apart: a QFont moves only by copying, and a pass keeps few texts.
  std::unique_ptr<const DrawnText> text;
};
// A one-pixel outline through the corners of rect, as drawRect draws it.
struct Outline {
  QRect rect;
  QColor color;
};
struct Line {
  QPoint a, b;
  QColor color;
};
// Another canvas's pixels from (device) rectangle from, put at at.
struct Picture {
  std::uint64_t source;
  std::uint64_t version;
  QRect from;
  QPoint at;
  // The source's pixels while the pass lasts; dropped after it, so that
  // the source need not copy them when it draws next.
  QImage image;
  // Where the source changed (in this canvas's pixels) since its version
  // since: the version of the same part taken to the same place by the
  // pass before, or none, and then changed is all of bounds.
  std::optional<std::uint64_t> since;
  std::vector<QRect> changed;
};

using Kind = std::variant<Group, Clear, Gradient, Solid, HeldText, Text, Outline, Line, Picture>;

}  // namespace pass_op

struct PassOp {
  pass_op::Kind what;
  // The device pixels it may touch (uncut: ink may lie off the picture).
  QRect bounds;
};

// Whether two operations draw the same pixels over the same picture:
// the same kind, inputs and bounds. Pictures compare their place only;
// what changed in their source is in the later one's changed.
bool SameDrawing(const PassOp& a, const PassOp& b);

// The operations of before and now that draw the same, in order, as pairs
// of indexes: the longest such match, found while before and now differ
// by at most maxEdits operations left out or added; nothing beyond that.
std::optional<std::vector<std::pair<std::size_t, std::size_t>>> MatchDrawings(
    const std::vector<PassOp>& before, const std::vector<PassOp>& now, std::size_t maxEdits);

}  // namespace palvex
