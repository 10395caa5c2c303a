#pragma once

#include <cstdint>

#include "platform/color.h"

namespace palvex {

struct Control;
class Screen;
class Surface;

// The colour themes; values other than 0..2 paint nothing (ThemeNormal).
enum Theme : std::int32_t {
  ThemePersianGulf = 0,
  ThemeSky = 1,
  ThemeNeon = 2,
  ThemeNormal = 3,
};

// The colours of one painted theme. The legend panel shows the
// background's gradient upside down, and its entries start from the
// background's bottom colour, so that the three blend.
struct ThemeColors {
  Color backgroundTop;
  Color backgroundBottom;
  Color line;
  Color sliderBack;
  Color sliderFore;
  Color foreColor;
};

// The colours of a painted theme; null for ThemeNormal and every value
// outside 0..2, which paint nothing.
const ThemeColors* ColorsOf(std::int32_t theme);

// Clears the chart's surface and paints the theme's background gradient
// over all of it, sized in the screen's pixels.
void DrawBackTheme(Surface& surface, const Screen& screen, std::int32_t theme);
// Shades the grid band next to the line at Y1 (twips) on the chart's surface.
void DrawIntersect(Surface& surface, std::int32_t theme, std::int32_t X1, std::int32_t Y1,
                   std::int32_t X2, std::int32_t LastLine);
// Paints what a band draws on its line at Y1 itself and nothing beside it,
// for a line with no band to shade.
void DrawIntersectLine(Surface& surface, std::int32_t theme, std::int32_t X1, std::int32_t Y1,
                       std::int32_t X2);
// The colour of grid lines, the axis line and the ticks.
Color GetThemeLineColor(std::int32_t theme);
// The theme's colours for the slider label and the control's text.
void ApplyThemeColors(std::int32_t theme, Control& slider, Surface& surface);

}  // namespace palvex
