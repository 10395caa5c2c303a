#pragma once

namespace palvex {

// Gradients of the background bands, the bars and the legend are laid out
// at this many twips per pixel, whatever the screen's resolution.
inline constexpr double kFixedTwipsPerPixel = 15.0;

// The display's resolution as the control sees it: twips per pixel in each
// direction (15 at 96 dots per inch). Read at the moment of every
// conversion, so a changed value takes effect on the next one.
class Screen {
 public:
  explicit Screen(float twipsPerPixelX = 15.0f, float twipsPerPixelY = 15.0f)
      : x_(twipsPerPixelX), y_(twipsPerPixelY) {}

  float TwipsPerPixelX() const { return x_; }
  float TwipsPerPixelY() const { return y_; }
  void SetTwipsPerPixel(float x, float y) {
    x_ = x;
    y_ = y;
  }
  // Font points map to pixels through the same dots per inch.
  double DotsPerInchY() const { return 1440.0 / y_; }

 private:
  float x_;
  float y_;
};

}  // namespace palvex
