#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/host_look.h"
#include "platform/color.h"

namespace palvex {

struct ChartState;
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

// The theme a pass paints with: the control's number and, for the host's
// own theme, the host's colours. A bare number is a control's theme.
struct ThemeInUse {
  ThemeInUse(std::int32_t theme) : number(theme) {}  // NOLINT: a number is a theme
  ThemeInUse(std::int32_t theme, const ThemeColors* hostColors) : number(theme), host(hostColors) {}
  std::int32_t number;
  const ThemeColors* host = nullptr;
};

// The chart's theme: its number, with the host's colours when it is the
// host's theme and the host gave them.
ThemeInUse ThemeOf(const ChartState& chart);

// The host's colours the bars take in turn instead of the control's: its
// own list, or else its theme's bar colour unless the bars are coloured
// by item; empty: the control's.
const std::vector<std::pair<Color, Color>>& BarColorsInUse(const ChartState& chart);

// The colours of a painted theme; null for ThemeNormal and every value
// outside 0..2 (unless the host gave colours for its theme), which paint
// nothing.
const ThemeColors* ColorsOf(ThemeInUse theme);

// Clears the chart's surface and paints the theme's background gradient
// over all of it, sized in the screen's pixels.
void DrawBackTheme(Surface& surface, const Screen& screen, ThemeInUse theme);
// Shades the grid band next to the line at Y1 (twips) on the chart's surface.
void DrawIntersect(Surface& surface, ThemeInUse theme, std::int32_t X1, std::int32_t Y1,
                   std::int32_t X2, std::int32_t LastLine);
// Paints what a band draws on its line at Y1 itself and nothing beside it,
// for a line with no band to shade.
void DrawIntersectLine(Surface& surface, ThemeInUse theme, std::int32_t X1, std::int32_t Y1,
                       std::int32_t X2);
// The colour of grid lines, the axis line and the ticks.
Color GetThemeLineColor(ThemeInUse theme);
// The theme's colours for the slider label and the control's text.
void ApplyThemeColors(ThemeInUse theme, Control& slider, Surface& surface);

}  // namespace palvex
