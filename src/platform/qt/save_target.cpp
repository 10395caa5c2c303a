#include "platform/qt/save_target.h"

#include <QFileInfo>

namespace palvex {

QString RefusedSaveTarget(const QString& path) {
  // QFileInfo looks through symbolic links, as the save itself does.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile())
    return QStringLiteral("%1: is not a regular file; only a regular file is replaced").arg(path);
  return {};
}

}  // namespace palvex
