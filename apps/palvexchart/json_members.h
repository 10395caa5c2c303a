#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <vector>

namespace palvex {

struct JsonMember {
  QString name;
  QJsonValue value;
};

// The members of the object held under `name` in a JSON text's root object,
// in the order the text gives them; a name given twice comes twice.
// QJsonObject sorts its keys and keeps one value per name, which loses the
// order a chart file's writes follow. The text must already have parsed as
// a JSON object; when the root names `name` twice the last one counts, as
// in QJsonObject. Empty when `name` holds no object.
std::vector<JsonMember> MembersInOrder(const QByteArray& json, const QString& name);

}  // namespace palvex
