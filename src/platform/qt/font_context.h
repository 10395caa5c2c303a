#pragma once

#include <QFont>
#include <memory>
#include <utility>
#include <vector>

#include "platform/device_context.h"
#include "platform/qt/fonts.h"
#include "platform/screen.h"

namespace palvex {

class Surface;

// What every device context over a surface shares, whatever it draws on:
// its font objects (the surface's own, the stock system font, created
// ones), selecting and describing them, the Qt fonts they stand for, and
// measuring text. The one selected at first is the owning surface's current
// font, read afresh at every use. Drawing is the kinds' own business.
class FontContext : public DeviceContext {
 public:
  FontContext(const Screen& screen, const Surface& owner, FontCache& ownerFonts);

  ObjectHandle GetStockObject(int index) override;
  ObjectHandle SelectObject(ObjectHandle object) override;
  int GetObject(ObjectHandle object, int bufferSize, LogFont* font) override;
  ObjectHandle CreateFontIndirect(const LogFont& font) override;
  bool GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                            TextSize* size) override;
  bool DeleteObject(ObjectHandle object) override;

  // The owner's font changed: like a window's font property, the new font
  // becomes the selected one.
  void SurfaceFontChanged() {
    selected_ = kSurfaceFont;
    selectedQtFont_ = nullptr;
    surfaceFontDpi_ = 0;
  }

  // The handle of the surface's own font, the one selected at first.
  static constexpr ObjectHandle kSurfaceFont = 1;
  ObjectHandle SelectedFont() const { return selected_; }
  // Fonts created and not yet deleted.
  std::size_t CreatedFonts() const { return created_.size(); }

 protected:
  // The description of a font this context knows, or nothing.
  const LogFont* Describe(ObjectHandle object);
  // The Qt font of the selected font, made once per description.
  MeasuredFont& SelectedQtFont();
  MeasuredFont& QtFontFor(LogFont description);
  const Surface& owner() const { return owner_; }

 private:
  const Screen& screen_;
  const Surface& owner_;
  // The surface's font described, at this resolution (0: to be read).
  LogFont surfaceFont_;
  double surfaceFontDpi_ = 0;
  ObjectHandle selected_ = kSurfaceFont;
  // Created fonts in the order of their handles: a pass creates and deletes
  // one per caption, and the vector keeps its room where a map allocated
  // and freed a node each time.
  using Created = std::vector<std::pair<ObjectHandle, LogFont>>;
  Created created_;
  Created::iterator LowerBound(ObjectHandle object);
  Created::iterator FindCreated(ObjectHandle object);
  ObjectHandle nextHandle_ = kFirstCreated;
  // The Qt fonts made so far, by description with the angle left out (the
  // text is turned, not the font); a pass uses two or three, past
  // kMaxQtFonts the oldest goes.
  static constexpr std::size_t kMaxQtFonts = 16;
  std::vector<std::pair<LogFont, std::shared_ptr<MeasuredFont>>> qtFonts_;
  FontCache& ownerFonts_;
  // The selected font's entry there, until another font is selected or
  // the surface's font changes: text is measured and then drawn in it.
  MeasuredFont* selectedQtFont_ = nullptr;
  double selectedDpi_ = 0;

  static constexpr ObjectHandle kSystemFontObject = 2;
  static constexpr ObjectHandle kFirstCreated = 16;
};

// The Qt font a description stands for: the face's stand-in, |lfHeight|
// pixels, its weight, italic, underline and strike-out; anti-aliased unless
// the quality asks otherwise.
QFont QFontFor(const LogFont& font);

}  // namespace palvex
