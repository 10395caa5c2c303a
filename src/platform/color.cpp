#include "platform/color.h"

namespace palvex {

Color ResolveColor(Color c) {
  if (!IsSystemColor(c)) return c & 0xFFFFFF;
  switch (c & 0xFF) {
    case 5:  // window background
      return Rgb(255, 255, 255);
    case 8:  // window text
      return Rgb(0, 0, 0);
    case 15:  // button face
      return Rgb(240, 240, 240);
    case 23:  // tool-tip text
      return Rgb(0, 0, 0);
    case 24:  // tool-tip background
      return Rgb(255, 255, 225);
    default:
      return Rgb(0, 0, 0);
  }
}

}  // namespace palvex
