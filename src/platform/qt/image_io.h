#pragma once

#include <QImage>
#include <QString>

#include "platform/surface.h"

namespace palvex {

// The persistent image behind a surface made by a Qt binding.
const QImage& ImageOf(const Surface& surface);
// A copy of any surface's picture: the image behind a Qt surface, or the
// pixels read one by one from a surface that wraps another (a recorder).
QImage PictureOf(const Surface& surface);

// Writes an image in the format named by the path's extension (png, bmp,
// ...), whole or not at all (SaveAtomically). Returns an error message,
// empty on success.
QString SaveImageAtomically(const QImage& image, const QString& path, const char* format = nullptr);

}  // namespace palvex
