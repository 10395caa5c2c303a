#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace palvex {

// One picture file the chart is written as. A new format is a row of
// PictureFormats() (and, drawn as shapes, a vector surface that writes it).
struct PictureFormatRow {
  PictureFormat format;
  // The file name's suffix, lower case, and Qt's name of the raster format.
  const char* suffix;
  // What the save dialog calls it.
  std::u16string_view filterName;
  // Drawn afresh as shapes and text, or the chart's picture written out.
  bool vector;
};

// Every format, the bitmap first: the save dialog offers them in this order.
std::span<const PictureFormatRow> PictureFormats();
const PictureFormatRow& RowOf(PictureFormat format);
// The format a suffix names, in any case ("PNG", "svg"), or null.
const PictureFormatRow* PictureFormatOfSuffix(std::u16string_view suffix);
// The suffix as a dialog pattern: "*.png".
std::u16string FilterPattern(const PictureFormatRow& row);

}  // namespace palvex
