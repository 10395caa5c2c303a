#include "platform/qt/fonts.h"

#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/qt/qt_text.h"

namespace palvex {

QString ResolveFontFamily(const std::u16string& name) {
  const QString n = ToQString(name);
  if (n == QStringLiteral("宋体") || n.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("AR PL UMing CN");
  if (n.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (n.compare(QStringLiteral("Tahoma"), Qt::CaseInsensitive) == 0 ||
      n.compare(QStringLiteral("Webdings"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("DejaVu Sans");
  return n;
}

QString ShownText(std::u16string_view text) {
  QString t = ToQString(text);
  if (text.find(u'\0') != std::u16string_view::npos) t.remove(QChar(u'\0'));
  return t;
}

QStringList TextLines(std::u16string_view text) {
  QString t = ShownText(text);
  // Most captions are one line: every pass prints them, so they skip the split.
  if (text.find_first_of(u"\r\n") == std::u16string_view::npos) return {std::move(t)};
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar(u'\r'), QChar(u'\n'));
  return t.split(QChar(u'\n'));
}

int FontPixelSize(const FontSpec& font, double dotsPerInch) {
  double pixels = font.size * dotsPerInch / 72.0;
  if (!std::isfinite(pixels) || pixels < 1) pixels = 1;
  if (pixels > 2000) pixels = 2000;
  return static_cast<int>(std::lround(pixels));
}

QFont MakeFont(const FontSpec& font, double dotsPerInch) {
  QFont f(ResolveFontFamily(font.name));
  f.setPixelSize(FontPixelSize(font, dotsPerInch));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

int LineCount(std::u16string_view text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n') {
      ++lines;
    } else if (text[i] == u'\r') {
      ++lines;
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    }
  }
  return lines;
}

namespace {

// The standard comparison of 16-bit strings goes a character at a time;
// this is asked several times of every caption in every pass.
bool SameText(const std::u16string& a, std::u16string_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), b.size() * sizeof(char16_t)) == 0;
}

}  // namespace

MeasuredFont::Measures& MeasuredFont::MeasuresOf(std::u16string_view text) {
  if (last_ && SameText(last_->first, text)) return last_->second;
  if (next_ < order_.size() && SameText(order_[next_]->first, text)) {
    last_ = order_[next_++];
    return last_->second;
  }
  auto it = memo_.find(text);
  if (it == memo_.end()) {
    if (memo_.size() >= kMaxTexts) {
      memo_.clear();
      order_.clear();
    }
    Measures measures;
    measures.order = order_.size();
    it = memo_.emplace(std::u16string(text), std::move(measures)).first;
    order_.push_back(&*it);
  }
  last_ = &*it;
  next_ = it->second.order + 1;
  return it->second;
}

double MeasuredFont::Width(std::u16string_view text) {
  Measures& m = MeasuresOf(text);
  if (!m.width) {
    double widest = 0;
    for (const QString& line : TextLines(text))
      widest = std::max(widest, metrics_.horizontalAdvance(line));
    m.width = widest;
  }
  return *m.width;
}

const QFontMetrics& MeasuredFont::wholeMetrics() {
  if (!wholeMetrics_) wholeMetrics_.emplace(font_);
  return *wholeMetrics_;
}

int MeasuredFont::WholeWidth(std::u16string_view text) {
  Measures& m = MeasuresOf(text);
  if (!m.wholeWidth) {
    m.wholeWidth = wholeMetrics().horizontalAdvance(ShownText(text));
  }
  return *m.wholeWidth;
}

const QList<QGlyphRun>* MeasuredFont::GlyphRuns(std::u16string_view text) {
  Measures& m = MeasuresOf(text);
  if (m.wholeLineOnly) return nullptr;
  if (m.glyphRuns) return &*m.glyphRuns;
  // Controls and breaks are laid out otherwise than drawn text lays them
  // out (after a CR a glyph sits lower; at a separator the line ends):
  // such text is drawn whole.
  const auto breaks = [](char16_t c) {
    return c < 0x20 || c == 0x85 || c == 0x2028 || c == 0x2029;
  };
  if (std::any_of(text.begin(), text.end(), breaks)) {
    m.wholeLineOnly = true;
    return nullptr;
  }
  QTextLayout layout(ShownText(text), font_);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  QList<QGlyphRun> runs = layout.glyphRuns();
  // Text in more than one face (fallback faces for emoji, Arabic, marks)
  // drawn from glyph runs came out differently from one process to the
  // next by a pixel of anti-aliasing; drawn whole it does not. Nor are
  // runs kept for characters no face has: Qt stands in a face of its own
  // (no size, no family) that draws boxes elsewhere than its glyphs' ink.
  const auto madeUp = [](const QGlyphRun& run) { return run.rawFont().pixelSize() <= 0; };
  if ((line.isValid() && line.textLength() < static_cast<int>(text.size())) || runs.size() > 1 ||
      std::any_of(runs.begin(), runs.end(), madeUp)) {
    m.wholeLineOnly = true;
    return nullptr;
  }
  // The layout puts the baseline at the line's ascent; the runs keep theirs
  // at 0, so the caller places them like drawn text.
  const double baseline = line.isValid() ? line.ascent() : 0;
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& p : positions) p.ry() -= baseline;
    run.setPositions(positions);
  }
  return &m.glyphRuns.emplace(std::move(runs));
}

QRectF MeasuredFont::InkBounds(std::u16string_view text) {
  const QList<QGlyphRun>* runs = GlyphRuns(text);
  Measures& m = MeasuresOf(text);
  if (!m.inkBounds) {
    // Each glyph's own box where it is placed: a run's bounding rectangle
    // is its share of the line, which ink may overhang (fallback faces,
    // marks, emoji) and which stays where the layout put the line.
    QRectF ink;
    if (runs) {
      for (const QGlyphRun& run : *runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < std::min(glyphs.size(), positions.size()); ++i)
          ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
      }
    }
    m.inkBounds = ink;
  }
  return *m.inkBounds;
}

QRect MeasuredFont::InkPixels(std::u16string_view text, const QTransform& place, QPointF baseline) {
  constexpr int kInkMargin = 3;
  return place.mapRect(InkBounds(text).translated(baseline))
      .toAlignedRect()
      .adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
}

DrawnText MeasuredFont::Drawn(std::u16string_view text, const QTransform& place, QPointF baseline,
                              const QColor& pen, bool antialiased) {
  const QList<QGlyphRun>* runs = GlyphRuns(text);
  return {font_,
          runs ? std::optional(*runs) : std::nullopt,
          runs ? QString() : ShownText(text),
          place,
          baseline,
          pen,
          antialiased};
}

QPointF TruncatedToFixed(QPointF p) {
  return QPointF(std::trunc(p.x() * 64) / 64, std::trunc(p.y() * 64) / 64);
}

int MeasuredFont::WholeHeight() {
  if (!wholeHeight_) wholeHeight_ = wholeMetrics().height();
  return *wholeHeight_;
}

std::shared_ptr<MeasuredFont> FontCache::Hold(const FontSpec& font, double dotsPerInch) {
  for (Entry& e : entries_) {
    if (e.dotsPerInch == dotsPerInch && e.font == font) return e.measured;
  }
  if (entries_.size() >= kMaxFonts) entries_.erase(entries_.begin());
  entries_.push_back(
      {font, dotsPerInch, std::make_shared<MeasuredFont>(MakeFont(font, dotsPerInch))});
  return entries_.back().measured;
}

std::shared_ptr<MeasuredFont> FontCache::Share(const QFont& font) {
  for (const Entry& e : entries_) {
    if (e.measured->font() == font) return e.measured;
  }
  return std::make_shared<MeasuredFont>(font);
}

}  // namespace palvex
