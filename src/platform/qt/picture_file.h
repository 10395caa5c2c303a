#pragma once

#include <QByteArray>
#include <QString>

#include "platform/host.h"
#include "platform/surface.h"

namespace palvex {

// Writes a surface as a picture file: a vector surface's recording as SVG
// or PDF (the recording is finished), any other surface's image as BMP or
// PNG, whole or not at all (SaveAtomically).
// Returns an error message, empty on success.
QString SavePictureFile(Surface& surface, const QString& path, PictureFormat format);

// Writes bytes as SaveImageAtomically writes an image.
QString SaveBytesAtomically(const QByteArray& bytes, const QString& path);

}  // namespace palvex
