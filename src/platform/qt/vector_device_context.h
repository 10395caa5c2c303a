#pragma once

#include <QPainter>

#include "platform/qt/font_context.h"

namespace palvex {

// The device context of a vector surface: gradient fills become shapes
// filled with a linear gradient and text is drawn as text, both through the
// surface's painter. Fonts are kept and described as on a picture. Nothing
// here has pixels to read: GetPixel answers kInvalidColor, as for a point
// outside a picture, so a caller sees "no colour" rather than a made-up one.
namespace detail {
// Built before the font context that keeps a reference to it.
struct OwnFonts {
  FontCache fonts;
};
}  // namespace detail

class VectorDeviceContext : private detail::OwnFonts, public FontContext {
 public:
  VectorDeviceContext(QPainter& painter, const Screen& screen, const Surface& owner);

  bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount, const GradientRect* mesh,
                    std::uint32_t meshCount, std::uint32_t mode) override;
  Color GetPixel(int x, int y) const override;
  bool TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
               std::int32_t byteLength) override;

 private:
  QPainter& painter_;
};

}  // namespace palvex
