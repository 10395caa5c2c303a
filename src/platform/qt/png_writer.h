#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

namespace palvex {

// A PNG writer for the pictures the chart draws (32-bit RGB, without a
// colour space, texts or offset) that writes the very bytes QImageWriter
// writes for them: libpng's choice of filter per row, zlib's stream at the
// same settings, the same chunks. It costs half as much: libpng weighs the
// five filters a byte at a time, the larger half of its time, and
// QImageWriter first loads every image plugin on the machine to ask
// whether it writes PNG.

// Whether WritePng writes this picture at this quality (as QImageWriter
// takes it: -1 for the default, else 0 to 100); when not, QImageWriter
// must. Tiny pictures are left to it too: libpng narrows zlib's window for
// them.
bool WritesPng(const QImage& image, int quality);
// Writes the picture as PNG; returns why it could not, empty on success.
QString WritePng(const QImage& image, int quality, QIODevice& out);

}  // namespace palvex
