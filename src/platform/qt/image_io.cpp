#include "platform/qt/image_io.h"

#include <QFileInfo>
#include <QImageWriter>
#include <stdexcept>

#include "platform/qt/atomic_save.h"
#include "platform/qt/png_writer.h"
#include "platform/qt/qimage_surface.h"

namespace palvex {

const QImage& ImageOf(const Surface& surface) {
  auto* q = dynamic_cast<const QImageSurface*>(&surface);
  if (!q) throw std::logic_error("surface has no QImage behind it");
  return q->image();
}

const DamageLog& DamageOf(const Surface& surface) {
  auto* q = dynamic_cast<const QImageSurface*>(&surface);
  if (!q) throw std::logic_error("surface has no QImage behind it");
  return q->damage();
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

int PngQualityOfLevel(int level) {
  // Qt compresses at (100 - quality) * 9 / 91, rounded down.
  return 100 - (level * 91 + 8) / 9;
}

QString SaveImageAtomically(const QImage& image, const QString& path, const char* format,
                            int quality) {
  QByteArray fmt = format ? QByteArray(format) : QFileInfo(path).suffix().toLower().toLatin1();
  if (fmt.isEmpty())
    return QStringLiteral("%1: no image format (give the file an extension)").arg(path);
  if (fmt.toLower() == "png" && WritesPng(image, quality))
    return SaveAtomically(path, [&](QIODevice& out) { return WritePng(image, quality, out); });
  return SaveAtomically(path, [&](QIODevice& out) {
    QImageWriter writer(&out, fmt);
    writer.setQuality(quality);
    return writer.write(image) ? QString() : writer.errorString();
  });
}

}  // namespace palvex
