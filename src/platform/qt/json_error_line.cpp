#include "platform/qt/json_error_line.h"

#include <algorithm>

namespace palvex {

namespace {

// JSON's own blanks; the C library's classes would follow the locale.
bool IsJsonBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

int JsonErrorLine(const QByteArray& json, const QJsonParseError& error) {
  qsizetype at = std::clamp<qsizetype>(error.offset, 0, json.size());
  while (at > 0 && IsJsonBlank(json[at - 1])) --at;
  // A line ends at LF, CR LF or a lone CR (files from old Mac editors).
  int line = 1;
  for (qsizetype i = 0; i < at; ++i) {
    if (json[i] == '\n' || (json[i] == '\r' && (i + 1 == json.size() || json[i + 1] != '\n')))
      ++line;
  }
  return line;
}

}  // namespace palvex
