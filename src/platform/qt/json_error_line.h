#pragma once

#include <QByteArray>
#include <QJsonParseError>

namespace palvex {

// The line (from 1) of a JSON parse error. The parser reports the offset
// after the bad token and any blanks that follow it, so the blanks are
// stepped back over first: a typo at the end of a line is reported there.
int JsonErrorLine(const QByteArray& json, const QJsonParseError& error);

}  // namespace palvex
