#pragma once

#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QString>

namespace palvex {

// Text as a vector picture may carry it: an SVG is XML, which holds no
// control characters but tab, line feed and carriage return, no U+FFFE or
// U+FFFF and no half of a surrogate pair; each such unit becomes U+FFFD, so
// every XML reader takes the file. The raster picture draws the text as
// it is.
inline QString MarkupSafeText(QString text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    const bool control = c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    const bool paired = QChar::isHighSurrogate(c)
                            ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                            : QChar::isLowSurrogate(c) && i > 0 && text[i - 1].isHighSurrogate();
    if (control || c == 0xFFFE || c == 0xFFFF || (QChar::isSurrogate(c) && !paired))
      text[i] = QChar(0xFFFD);
  }
  return text;
}

// The font text is painted in on a vector page. Qt's SVG writer puts the
// family into an XML attribute as it is, so a quote, '<' or '&' in it
// would end the file's XML there: on an SVG page each becomes U+FFFD, as
// the characters XML forbids do. The text is still measured in the font
// itself.
inline QFont MarkupSafeFont(QFont font, const QPainter& painter) {
  if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::SVG) return font;
  QString family = MarkupSafeText(font.family());
  for (QChar& c : family) {
    if (c == u'"' || c == u'<' || c == u'&') c = QChar(0xFFFD);
  }
  font.setFamily(family);
  return font;
}

}  // namespace palvex
