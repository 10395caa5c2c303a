#pragma once

#include "platform/qt/canvas.h"
#include "platform/qt/font_context.h"

namespace palvex {

// Pixel-level drawing on a surface's Canvas: fills held back in groups,
// text in the surface's ForeColor, held where it may wait.
class QImageDeviceContext : public FontContext {
 public:
  QImageDeviceContext(Canvas& canvas, const Screen& screen, const Surface& owner,
                      FontCache& ownerFonts);

  bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount, const GradientRect* mesh,
                    std::uint32_t meshCount, std::uint32_t mode) override;
  Color GetPixel(int x, int y) const override;
  void BeginFillGroup() override { canvas_.BeginFillGroup(); }
  void EndFillGroup() override { canvas_.EndFillGroup(); }
  bool TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
               std::int32_t byteLength) override;

 private:
  Canvas& canvas_;
};

}  // namespace palvex
