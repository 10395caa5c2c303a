#include "core/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace palvex {

bool PutImageOnClipboard(const QImage& image) {
  QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                              ? QGuiApplication::clipboard()
                              : nullptr;
  if (!clipboard) return false;
  clipboard->setImage(image);
  const QMimeData* held = clipboard->mimeData();
  return held && held->hasImage();
}

}  // namespace palvex
