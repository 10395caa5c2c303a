#include "platform/qt/held_text.h"

#include <algorithm>

#include "platform/qt/fonts.h"
#include "platform/qt/glyph_stamps.h"

namespace palvex {

namespace {

// The turn without its translation.
QTransform RotationOf(const QTransform& turn) {
  return QTransform(turn.m11(), turn.m12(), turn.m21(), turn.m22(), 0, 0);
}

}  // namespace

bool HeldText::Holdable(const QList<QGlyphRun>& runs, const QTransform& turn) {
  const auto unit = [](double v) { return v == 0 || v == 1 || v == -1; };
  if (!unit(turn.m11()) || !unit(turn.m12()) || !unit(turn.m21()) || !unit(turn.m22()) ||
      turn.m13() != 0 || turn.m23() != 0 || turn.m33() != 1)
    return false;
  constexpr auto kLined = QGlyphRun::Overline | QGlyphRun::Underline | QGlyphRun::StrikeOut;
  return std::none_of(runs.begin(), runs.end(),
                      [](const QGlyphRun& run) { return run.flags() & kLined; });
}

bool HeldText::Joins(const QTransform& turn, const QColor& pen, bool antialiased) const {
  if (empty()) return true;
  return RotationOf(turn) == turn_ && pen == pen_ && antialiased == antialiased_ &&
         glyphs_.size() <= kMaxGlyphs;
}

void HeldText::Add(const QGlyphRun& run, const QTransform& turn, QPointF baseline,
                   const QColor& pen, bool antialiased) {
  turn_ = RotationOf(turn);
  pen_ = pen;
  antialiased_ = antialiased;
  if (empty()) font_ = run.rawFont();
  QPointF start(turn.m11() * turn.dx() + turn.m12() * turn.dy(),
                turn.m21() * turn.dx() + turn.m22() * turn.dy());
  // Unturned, the line starts where drawn text would: see MeasuredFont::Draw.
  if (turn_.isIdentity()) start = TruncatedToFixed(start + baseline) - baseline;
  const QList<quint32> glyphs = run.glyphIndexes();
  const QList<QPointF> positions = run.positions();
  const qsizetype n = std::min(glyphs.size(), positions.size());
  for (qsizetype i = 0; i < n; ++i) {
    glyphs_.push_back(glyphs[i]);
    positions_.push_back(baseline + positions[i] + start);
  }
}

void HeldText::DrawOn(QPainter& painter, QImage& image, GlyphStamps* stamps, const QRect& clip) {
  if (glyphs_.empty()) {
    bounds_ = QRect();
    return;
  }
  if (!stamps || !antialiased_ ||
      !stamps->Draw(image, clip, font_, turn_, QPointF(), glyphs_.data(), positions_.data(),
                    glyphs_.size(), pen_.rgba())) {
    QGlyphRun run;
    run.setRawFont(font_);
    run.setRawData(glyphs_.data(), positions_.data(), static_cast<int>(glyphs_.size()));
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased_);
    painter.setPen(pen_);
    painter.setTransform(turn_);
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.resetTransform();
  }
  // Cleared, not given back: at most kMaxGlyphs are held (a few hundred
  // kilobytes), and growing them again each pass cost a chart of thousands
  // of captions page faults worth a sixth of its pass.
  glyphs_.clear();
  positions_.clear();
  bounds_ = QRect();
}

}  // namespace palvex
