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
  return static_cast<int>(json.left(at).count('\n')) + 1;
}

}  // namespace palvex
