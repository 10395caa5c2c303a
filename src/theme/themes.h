#pragma once

#include <cstdint>

#include "platform/color.h"

namespace palvex {

struct ChartState;

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
struct ThemeColours {
  Color backgroundTop;
  Color backgroundBottom;
  Color line;
  Color sliderBack;
  Color sliderFore;
  Color foreColor;
};

// The colours of a painted theme; null for ThemeNormal and every value
// outside 0..2, which paint nothing.
const ThemeColours* ColoursOf(std::int32_t theme);

// Clears the chart's surface and paints the theme's background gradient.
void DrawBackTheme(ChartState& chart);
// Shades the grid band next to the line at Y1 (twips).
void DrawIntersect(ChartState& chart, std::int32_t X1, std::int32_t Y1, std::int32_t X2,
                   std::int32_t LastLine);
// Paints what a band draws on its line at Y1 itself and nothing beside it,
// for a line with no band to shade.
void DrawIntersectLine(ChartState& chart, std::int32_t X1, std::int32_t Y1, std::int32_t X2);
// The colour of grid lines, the axis line and the ticks.
Color GetThemeLineColor(const ChartState& chart);
// The theme's colours for the slider label and the control's text.
void ApplyThemeColors(ChartState& chart);

}  // namespace palvex
