#include "platform/qt/picture_file.h"

#include "platform/picture_formats.h"
#include "platform/qt/atomic_save.h"
#include "platform/qt/image_io.h"
#include "platform/qt/vector_surface.h"

namespace palvex {

QString SavePictureFile(Surface& surface, const QString& path, PictureFormat format) {
  if (const PictureFormatRow& row = RowOf(format); !row.vector)
    return SaveImageAtomically(PictureOf(surface), path, row.suffix);
  auto* vector = dynamic_cast<VectorSurface*>(&surface);
  if (!vector || vector->format() != format)
    return QStringLiteral("%1: the chart was not drawn as this kind of picture").arg(path);
  return SaveBytesAtomically(vector->Finish(), path);
}

QString SaveBytesAtomically(const QByteArray& bytes, const QString& path) {
  return SaveAtomically(path, [&](QIODevice& out) {
    return out.write(bytes) == bytes.size() ? QString() : out.errorString();
  });
}

}  // namespace palvex
