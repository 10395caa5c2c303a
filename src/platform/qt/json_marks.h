#pragma once

#include <QByteArray>

namespace palvex {

// Qt's JSON reader drops U+FEFF at the start of a string, taking it for a
// byte-order mark; escaped, it reads back. Its UTF-8 bytes stand for
// nothing else and, past a mark that opens the document, lie only inside
// strings, so every JSON text read or written goes through this.
inline QByteArray EscapedByteOrderMarks(QByteArray json) {
  const QByteArray mark("\xEF\xBB\xBF");
  for (qsizetype at = json.indexOf(mark, 1); at >= 0; at = json.indexOf(mark, at))
    json.replace(at, mark.size(), "\\ufeff");
  return json;
}

}  // namespace palvex
