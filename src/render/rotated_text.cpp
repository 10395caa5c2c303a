#include "render/rotated_text.h"

#include <cmath>

#include "platform/device_context.h"
#include "platform/narrow_text.h"
#include "platform/numeric.h"

namespace palvex {

namespace {

// Puts the kept font back and deletes the rotated one on every way out,
// an arithmetic error included.
class RotatedFontSelection {
 public:
  RotatedFontSelection(DeviceContext& dc, ObjectHandle rotated, ObjectHandle kept)
      : dc_(dc), rotated_(rotated), kept_(kept) {}
  RotatedFontSelection(const RotatedFontSelection&) = delete;
  RotatedFontSelection& operator=(const RotatedFontSelection&) = delete;
  ~RotatedFontSelection() {
    dc_.SelectObject(kept_);
    dc_.DeleteObject(rotated_);
  }

 private:
  DeviceContext& dc_;
  ObjectHandle rotated_;
  ObjectHandle kept_;
};

}  // namespace

bool DrawRotatedText(DeviceContext& dc, const std::u16string& text, std::int32_t x, std::int32_t y,
                     float angle) {
  const std::int32_t byteLength = NarrowLength(text);
  // Tenths of a degree, from the angle in single precision.
  const std::int32_t escapement = ToInt32(angle * 10.0f);

  // The current font is the one the stock font replaces.
  const ObjectHandle current = dc.SelectObject(dc.GetStockObject(kSystemFont));
  if (current == kNullObject) return false;
  LogFont font;
  const int read = dc.GetObject(current, kLogFontBytes + 1, &font);
  // Without the current font back nothing can be drawn in it.
  if (dc.SelectObject(current) == kNullObject || read == 0) return false;

  font.lfEscapement = escapement;
  font.lfOrientation = escapement;
  font.lfQuality = kAntialiasedQuality;
  const ObjectHandle rotated = dc.CreateFontIndirect(font);
  if (rotated == kNullObject) return false;
  const ObjectHandle kept = dc.SelectObject(rotated);
  if (kept == kNullObject) {
    dc.DeleteObject(rotated);
    return false;
  }
  RotatedFontSelection selection(dc, rotated, kept);

  TextSize size;
  if (!dc.GetTextExtentPoint32(text, byteLength, &size)) return false;
  // The corner the text would have unrotated and centred on (x, y), turned
  // about (x, y) with the text.
  PointL start{ToInt32(x - size.cx / 2.0), ToInt32(y - size.cy / 2.0)};
  RotatePoint({x, y}, start, angle);
  return dc.TextOut(start.x, start.y, text, byteLength);
}

void RotatePoint(PointL centre, PointL& point, float angle) {
  // Radians are held in single precision, like the angle (pi to fifteen
  // digits); sine and cosine are then taken in double precision.
  const float r = static_cast<float>(3.14159265358979 / 180 * angle);
  const float dx = static_cast<float>(SubInt32(point.x, centre.x));
  const float dy = static_cast<float>(SubInt32(point.y, centre.y));
  // Every caption turns by the same angle: its sine and cosine are kept.
  thread_local float lastR = 0;
  thread_local double lastS = 0, lastC = 1;
  if (!(r == lastR)) {
    lastR = r;
    lastS = std::sin(static_cast<double>(r));
    lastC = std::cos(static_cast<double>(r));
  }
  const double s = lastS, c = lastC;
  point.x = ToInt32(dy * s + dx * c + centre.x);
  point.y = ToInt32(centre.y - (dx * s - dy * c));
}

}  // namespace palvex
