#pragma once

#include <QImage>

namespace palvex {

// Places a copy of the image on the system clipboard; false when there is
// no clipboard or it did not take the picture.
bool PutImageOnClipboard(const QImage& image);

}  // namespace palvex
