#include "platform/qt/font_context.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/narrow_text.h"
#include "platform/surface.h"

namespace palvex {

namespace {

// Like the platform's own limit on drawing objects: a caller that never
// deletes its fonts runs out instead of exhausting memory.
constexpr std::size_t kMaxCreatedFonts = 10000;

// The stock system font: a bold 16-pixel face.
LogFont SystemFont() {
  LogFont f;
  f.lfHeight = 16;
  f.lfWeight = kBoldWeight;
  f.lfFaceName = u"System";
  return f;
}

}  // namespace

QFont QFontFor(const LogFont& font) {
  QFont f(ResolveFontFamily(font.lfFaceName));
  const std::int64_t height = std::llabs(std::int64_t(font.lfHeight));
  f.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(height == 0 ? 16 : height, 1, 2000)));
  const std::int32_t weight = font.lfWeight == 0 ? kNormalWeight : font.lfWeight;
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  f.setItalic(font.lfItalic != 0);
  f.setUnderline(font.lfUnderline != 0);
  f.setStrikeOut(font.lfStrikeOut != 0);
  f.setStyleStrategy(font.lfQuality == kNonAntialiasedQuality ? QFont::NoAntialias
                                                              : QFont::PreferAntialias);
  return f;
}

FontContext::FontContext(const Screen& screen, const Surface& owner, FontCache& ownerFonts)
    : screen_(screen), owner_(owner), ownerFonts_(ownerFonts) {}

const LogFont* FontContext::Describe(ObjectHandle object) {
  if (object == kSurfaceFont) {
    // A caption selects, reads and selects again the surface's font.
    const double dpi = screen_.DotsPerInchY();
    if (dpi == surfaceFontDpi_) return &surfaceFont_;
    surfaceFontDpi_ = dpi;
    const FontSpec font = owner_.Font();
    surfaceFont_ = LogFont{};
    surfaceFont_.lfHeight = -FontPixelSize(font, dpi);
    surfaceFont_.lfWeight = font.bold ? kBoldWeight : kNormalWeight;
    surfaceFont_.lfItalic = font.italic ? 1 : 0;
    surfaceFont_.lfCharSet = static_cast<std::uint8_t>(font.charset);
    surfaceFont_.lfFaceName = font.name;
    return &surfaceFont_;
  }
  if (object == kSystemFontObject) {
    static const LogFont system = SystemFont();
    return &system;
  }
  const auto it = FindCreated(object);
  return it == created_.end() ? nullptr : &it->second;
}

FontContext::Created::iterator FontContext::LowerBound(ObjectHandle object) {
  return std::lower_bound(created_.begin(), created_.end(), object,
                          [](const auto& entry, ObjectHandle h) { return entry.first < h; });
}

FontContext::Created::iterator FontContext::FindCreated(ObjectHandle object) {
  const auto it = LowerBound(object);
  return it != created_.end() && it->first == object ? it : created_.end();
}

MeasuredFont& FontContext::SelectedQtFont() {
  // The surface's font follows the screen's resolution too.
  const double dpi = screen_.DotsPerInchY();
  if (selectedQtFont_ && (selected_ != kSurfaceFont || dpi == selectedDpi_))
    return *selectedQtFont_;
  selectedDpi_ = dpi;
  MeasuredFont& font = QtFontFor(*Describe(selected_));
  selectedQtFont_ = &font;
  return font;
}

MeasuredFont& FontContext::QtFontFor(LogFont key) {
  key.lfEscapement = key.lfOrientation = 0;
  for (auto& [font, measured] : qtFonts_) {
    if (font == key) return *measured;
  }
  if (qtFonts_.size() >= kMaxQtFonts) {
    qtFonts_.erase(qtFonts_.begin());
    selectedQtFont_ = nullptr;  // it may have been the one dropped
  }
  const QFont font = QFontFor(key);
  auto measured = ownerFonts_.Share(font);
  qtFonts_.emplace_back(std::move(key), std::move(measured));
  return *qtFonts_.back().second;
}

ObjectHandle FontContext::GetStockObject(int index) {
  return index == kSystemFont ? kSystemFontObject : kNullObject;
}

ObjectHandle FontContext::SelectObject(ObjectHandle object) {
  if (!Describe(object)) return kNullObject;
  const ObjectHandle previous = selected_;
  if (object != selected_) selectedQtFont_ = nullptr;
  selected_ = object;
  return previous;
}

int FontContext::GetObject(ObjectHandle object, int bufferSize, LogFont* font) {
  const LogFont* description = Describe(object);
  if (!description) return 0;
  if (!font) return kLogFontBytes;  // the size a caller must provide
  if (bufferSize < kLogFontBytes) return 0;
  *font = *description;
  return kLogFontBytes;
}

ObjectHandle FontContext::CreateFontIndirect(const LogFont& font) {
  if (created_.size() >= kMaxCreatedFonts) return kNullObject;
  while (nextHandle_ < kFirstCreated || FindCreated(nextHandle_) != created_.end()) ++nextHandle_;
  const ObjectHandle handle = nextHandle_++;
  created_.emplace(LowerBound(handle), handle, font);
  return handle;
}

bool FontContext::GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                                       TextSize* size) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown || !size) return false;
  MeasuredFont& font = SelectedQtFont();
  size->cx = font.WholeWidth(*shown);
  size->cy = font.WholeHeight();
  return true;
}

bool FontContext::DeleteObject(ObjectHandle object) {
  if (object == kSystemFontObject) return true;  // stock objects are never freed
  if (object == selected_) return false;
  const auto it = FindCreated(object);
  if (it == created_.end()) return false;
  created_.erase(it);
  return true;
}

}  // namespace palvex
