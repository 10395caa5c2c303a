#pragma once

#include <QImage>
#include <QString>

#include "platform/qt/damage_log.h"
#include "platform/surface.h"

namespace palvex {

// The persistent image behind a surface made by a Qt binding.
const QImage& ImageOf(const Surface& surface);
// Where that image changed, by version.
const DamageLog& DamageOf(const Surface& surface);
// A copy of any surface's picture: the image behind a Qt surface, or the
// pixels read one by one from a surface that wraps another (a recorder).
QImage PictureOf(const Surface& surface);

// Writes an image in the format named by the path's extension (png, bmp,
// ...), whole or not at all (SaveAtomically), at a quality as
// QImageWriter takes it (-1: the format's default). Returns an error
// message, empty on success.
QString SaveImageAtomically(const QImage& image, const QString& path, const char* format = nullptr,
                            int quality = -1);

// The quality QImageWriter needs for a PNG compressed at a zlib level
// (0 stores, 1 is fastest, 9 smallest); Qt's default is level 6.
int PngQualityOfLevel(int level);

}  // namespace palvex
