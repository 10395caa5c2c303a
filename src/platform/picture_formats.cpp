#include "platform/picture_formats.h"

#include <algorithm>

namespace palvex {

namespace {

constexpr PictureFormatRow kFormats[] = {
    {PictureFormat::Bmp, "bmp", u"Windows Bitmap", false},
    {PictureFormat::Png, "png", u"PNG", false},
    {PictureFormat::Svg, "svg", u"SVG", true},
    {PictureFormat::Pdf, "pdf", u"PDF", true},
};

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

std::span<const PictureFormatRow> PictureFormats() {
  return kFormats;
}

const PictureFormatRow& RowOf(PictureFormat format) {
  return *std::find_if(std::begin(kFormats), std::end(kFormats),
                       [&](const PictureFormatRow& row) { return row.format == format; });
}

const PictureFormatRow* PictureFormatOfSuffix(std::u16string_view suffix) {
  for (const PictureFormatRow& row : kFormats) {
    const std::string_view name(row.suffix);
    if (name.size() == suffix.size() &&
        std::equal(name.begin(), name.end(), suffix.begin(),
                   [](char a, char16_t b) { return static_cast<char16_t>(a) == Lower(b); }))
      return &row;
  }
  return nullptr;
}

std::u16string FilterPattern(const PictureFormatRow& row) {
  std::u16string pattern = u"*.";
  for (const char* c = row.suffix; *c; ++c) pattern += static_cast<char16_t>(*c);
  return pattern;
}

}  // namespace palvex
