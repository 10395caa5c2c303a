#include "platform/surface.h"

#include "platform/numeric.h"

namespace palvex {

std::u16string PrintedNumber(double value) {
  std::u16string digits = NumberText(value);
  if (value >= 0) digits.insert(digits.begin(), u' ');
  return digits;
}

}  // namespace palvex
