#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/color.h"
#include "platform/log_font.h"

namespace palvex {

// One corner of a gradient rectangle: pixel position and 16-bit channels
// (an 8-bit channel c is passed as c * 256).
struct TriVertex {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint16_t Red = 0;
  std::uint16_t Green = 0;
  std::uint16_t Blue = 0;
  std::uint16_t Alpha = 0;
};

struct GradientRect {
  std::uint32_t UpperLeft = 0;
  std::uint32_t LowerRight = 0;
};

// The gradient directions: colour changes left to right, or top to bottom.
// The type library publishes them as GRADIENT_FILL_RECT.
enum GradientDirection : std::uint32_t { FillHor = 0, FillVer = 1 };

// The value GetPixel reports for a point outside the image.
constexpr Color kInvalidColor = 0xFFFFFFFFu;

// A drawing object of a device context (a font); 0 names none and is what
// the calls answer when they fail.
using ObjectHandle = std::uint32_t;
constexpr ObjectHandle kNullObject = 0;

// The stock objects a context knows; the system font is always there.
enum StockObject : int { kSystemFont = 13 };

struct TextSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// Pixel-level drawing on a surface's persistent image: the calls the
// gradient, legend sampling and rotated-text painters make, in pixels.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  // Fills each rectangle of the mesh with a linear gradient between its two
  // vertices; false when the arguments describe nothing drawable.
  virtual bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                            const GradientRect* mesh, std::uint32_t meshCount,
                            std::uint32_t mode) = 0;
  virtual Color GetPixel(int x, int y) const = 0;
  // Gradient fills made between these two calls may be painted together
  // when the second comes: the picture is the one painting them in order
  // gives, but pixels a later fill covers are written once. Only fills may
  // come in between. Groups nest; a context may paint each fill at once.
  virtual void BeginFillGroup() {}
  virtual void EndFillGroup() {}

  // Fonts and text. A context always has one font selected; at first it is
  // the surface's current font. Text lengths count narrow bytes (see
  // narrow_text.h). A context without text support fails every call.

  // The stock object with that index, or null.
  virtual ObjectHandle GetStockObject(int /*index*/) { return kNullObject; }
  // Selects a font; answers the font it replaced, or null (and changes
  // nothing) when the handle names no font.
  virtual ObjectHandle SelectObject(ObjectHandle /*object*/) { return kNullObject; }
  // Copies a font's description into font when bufferSize holds the record;
  // answers the bytes copied, or 0.
  virtual int GetObject(ObjectHandle /*object*/, int /*bufferSize*/, LogFont* /*font*/) {
    return 0;
  }
  // A new font from a description, or null.
  virtual ObjectHandle CreateFontIndirect(const LogFont& /*font*/) { return kNullObject; }
  // The unrotated size in pixels of the first byteLength bytes of text in
  // the selected font.
  virtual bool GetTextExtentPoint32(std::u16string_view /*text*/, std::int32_t /*byteLength*/,
                                    TextSize* /*size*/) {
    return false;
  }
  // Draws the first byteLength bytes of text in the selected font, its
  // upper-left corner at (x, y), turned about that point by the font's
  // escapement; in the text colour, on a transparent background.
  virtual bool TextOut(std::int32_t /*x*/, std::int32_t /*y*/, std::u16string_view /*text*/,
                       std::int32_t /*byteLength*/) {
    return false;
  }
  // Deletes a created font; fails for unknown handles and a selected font.
  virtual bool DeleteObject(ObjectHandle /*object*/) { return false; }
};

// Groups the gradient fills of its scope (see BeginFillGroup); whatever
// ends the scope, the fills made so far are painted.
class FillGroup {
 public:
  explicit FillGroup(DeviceContext& dc) : dc_(dc) { dc_.BeginFillGroup(); }
  FillGroup(const FillGroup&) = delete;
  FillGroup& operator=(const FillGroup&) = delete;
  ~FillGroup() { dc_.EndFillGroup(); }

 private:
  DeviceContext& dc_;
};

}  // namespace palvex
