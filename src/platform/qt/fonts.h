#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/font.h"
#include "platform/qt/glyph_stamps.h"
#include "platform/qt/pass_ops.h"

namespace palvex {

// The installed face that stands in for a face the control names: a Song
// face for "宋体", Liberation Sans for "Arial", DejaVu Sans for "Tahoma".
QString ResolveFontFamily(const std::u16string& name);

// A text as Qt measures and draws it: without NUL characters, which take
// no ink but whose width before a character of a fallback face depends on
// which faces earlier texts loaded (a pass and the next would differ).
QString ShownText(std::u16string_view text);

// A text's shown lines: CR LF, CR and LF each end one.
QStringList TextLines(std::u16string_view text);

// The pixel (em) size of a font's point size at dotsPerInch, kept to 1..2000.
int FontPixelSize(const FontSpec& font, double dotsPerInch);

// A QFont for a font; point sizes become pixels through dotsPerInch.
QFont MakeFont(const FontSpec& font, double dotsPerInch);

// How many lines a text has: CR LF, CR and LF each end one.
int LineCount(std::u16string_view text);

// A Qt font made once, with its metrics and the widths of the texts
// measured in it: a drawing pass measures the same captions on every pass,
// and making a QFont or shaping a text costs far more than looking it up.
class MeasuredFont {
 public:
  explicit MeasuredFont(const QFont& font)
      : font_(font), metrics_(font), lineHeight_(metrics_.height()), ascent_(metrics_.ascent()) {}
  MeasuredFont(const MeasuredFont&) = delete;
  MeasuredFont& operator=(const MeasuredFont&) = delete;

  const QFont& font() const { return font_; }
  const QFontMetricsF& metrics() const { return metrics_; }
  // The widest line's advance in pixels.
  double Width(std::u16string_view text);
  // The line count by the font's line height: no shaping needed.
  double Height(std::u16string_view text) const { return LineCount(text) * lineHeight_; }
  // The font's line height and ascent in pixels.
  double LineHeight() const { return lineHeight_; }
  double Ascent() const { return ascent_; }
  // The advance and the line height in whole pixels, as integer metrics
  // give them.
  int WholeWidth(std::u16string_view text);
  int WholeHeight();
  // The text shaped once into glyphs, laid out on one line from (0, 0)
  // with its baseline at y = 0: drawing it again needs no shaping. Null
  // where a layout would end the line inside the text (a line or
  // paragraph separator, a form feed, CR, LF) while drawn text keeps it
  // all on one line: that text is drawn whole by Draw.
  const QList<QGlyphRun>* GlyphRuns(std::u16string_view text);
  // Where those glyphs' ink lies, in the same place (empty without them).
  QRectF InkBounds(std::u16string_view text);
  // The pixels the text may touch drawn at baseline through place: its
  // ink and a margin for anti-aliasing.
  QRect InkPixels(std::u16string_view text, const QTransform& place, QPointF baseline);
  // One line of text as the painter draws it in this font, through place,
  // with its baseline at baseline.
  DrawnText Drawn(std::u16string_view text, const QTransform& place, QPointF baseline,
                  const QColor& pen, bool antialiased);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view s) const {
      return std::hash<std::u16string_view>{}(s);
    }
  };
  // What is known of one text in this font; each part is worked out when
  // first asked for.
  struct Measures {
    std::optional<double> width;
    std::optional<int> wholeWidth;
    std::optional<QList<QGlyphRun>> glyphRuns;
    bool wholeLineOnly = false;
    std::optional<QRectF> inkBounds;
    // Where the text stands in order_.
    std::size_t order = 0;
  };
  using Memo = std::unordered_map<std::u16string, Measures, Hash, std::equal_to<>>;
  // The memo forgets everything once it holds this many texts: enough for
  // the captions of the largest chart, and a bounded size whatever comes.
  static constexpr std::size_t kMaxTexts = 40000;

  QFont font_;
  QFontMetricsF metrics_;
  // Asked for by every caption: the metrics find the font's engine again
  // each time.
  double lineHeight_;
  double ascent_;
  std::optional<QFontMetrics> wholeMetrics_;
  std::optional<int> wholeHeight_;
  const QFontMetrics& wholeMetrics();

  // A caption is measured and then drawn: the entry asked for last is
  // found again without hashing the text. And a pass asks for its captions
  // in the order the pass before did: the entry that followed the last one
  // is tried next, before the table, whose lookups miss the cache once it
  // holds thousands of texts.
  Measures& MeasuresOf(std::u16string_view text);
  Memo memo_;
  Memo::value_type* last_ = nullptr;
  // The entries in the order they were made.
  std::vector<Memo::value_type*> order_;
  std::size_t next_ = 0;
};

// A point held to the 1/64 pixel Qt places glyphs on, cut toward zero
// as the painter cuts where drawn text starts.
QPointF TruncatedToFixed(QPointF p);

// The fonts made so far, by face, size and weight at a resolution. A
// chart uses a handful; past kMaxFonts the oldest is dropped, so a
// reference from Get stays good until the next Get on the cache (by any of
// the surfaces sharing it); Hold keeps its font alive.
class FontCache {
 public:
  MeasuredFont& Get(const FontSpec& font, double dotsPerInch) { return *Hold(font, dotsPerInch); }
  // The same, kept alive for the holder however many fonts come after.
  std::shared_ptr<MeasuredFont> Hold(const FontSpec& font, double dotsPerInch);
  // The entry of a font equal to this Qt font, or a new one of its own:
  // text measured through a device context in the surface's own font is
  // then found in the same memo.
  std::shared_ptr<MeasuredFont> Share(const QFont& font);
  // The glyphs of these fonts as stamps, for every picture drawn in them:
  // a legend's rows are drawn in pictures made afresh.
  const std::shared_ptr<GlyphStamps>& stamps() const { return stamps_; }

 private:
  // A chart's surfaces share one cache.
  static constexpr std::size_t kMaxFonts = 32;
  struct Entry {
    FontSpec font;
    double dotsPerInch;
    std::shared_ptr<MeasuredFont> measured;
  };
  std::vector<Entry> entries_;
  std::shared_ptr<GlyphStamps> stamps_ = std::make_shared<GlyphStamps>();
};

}  // namespace palvex
