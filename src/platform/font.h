#pragma once

#include <string>

namespace palvex {

// A font as the control names it: face, size in points, weight.
struct FontSpec {
  std::u16string name = u"宋体";
  float size = 9.0f;
  bool bold = false;
  int charset = 134;  // the Chinese (GB2312) character set
  bool italic = false;

  bool operator==(const FontSpec&) const = default;
};

}  // namespace palvex
