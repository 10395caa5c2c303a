#include "render/rotated_text.h"

#include "platform/device_context.h"

namespace palvex {

bool DrawRotatedText(DeviceContext&, const std::u16string&, std::int32_t, std::int32_t, float) {
  return false;
}

void RotatePoint(PointL, PointL&, float) {}

}  // namespace palvex
