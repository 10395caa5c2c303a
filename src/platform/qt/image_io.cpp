#include "platform/qt/image_io.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <stdexcept>

#include "platform/qt/qimage_surface.h"
#include "platform/qt/save_target.h"

namespace palvex {

const QImage& ImageOf(const Surface& surface) {
  auto* q = dynamic_cast<const QImageSurface*>(&surface);
  if (!q) throw std::logic_error("surface has no QImage behind it");
  return q->image();
}

QImage PictureOf(const Surface& surface) {
  if (auto* q = dynamic_cast<const QImageSurface*>(&surface)) return q->image().copy();
  QImage picture(surface.PixelWidth(), surface.PixelHeight(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Color c = surface.PixelAt(x, y);
      picture.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
    }
  }
  return picture;
}

QString SaveImageAtomically(const QImage& image, const QString& path, const char* format) {
  QByteArray fmt = format ? QByteArray(format) : QFileInfo(path).suffix().toLower().toLatin1();
  if (fmt.isEmpty())
    return QStringLiteral("%1: no image format (give the file an extension)").arg(path);
  if (QString refused = RefusedSaveTarget(path); !refused.isEmpty()) return refused;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return QStringLiteral("%1: %2").arg(path, file.errorString());
  QImageWriter writer(&file, fmt);
  if (!writer.write(image)) {
    file.cancelWriting();
    return QStringLiteral("%1: %2").arg(path, writer.errorString());
  }
  if (!file.commit()) return QStringLiteral("%1: %2").arg(path, file.errorString());
  return {};
}

}  // namespace palvex
