#include "platform/qt/pictures_folder.h"

#include <QStandardPaths>

#include "platform/qt/qt_text.h"

namespace palvex {

std::u16string UserPicturesFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

}  // namespace palvex
