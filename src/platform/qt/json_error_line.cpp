#include "platform/qt/json_error_line.h"

#include <algorithm>
#include <cctype>

namespace palvex {

int JsonErrorLine(const QByteArray& json, const QJsonParseError& error) {
  qsizetype at = std::clamp<qsizetype>(error.offset, 0, json.size());
  while (at > 0 && std::isspace(static_cast<unsigned char>(json[at - 1]))) --at;
  return static_cast<int>(json.left(at).count('\n')) + 1;
}

}  // namespace palvex
