#include "theme/themes.h"

#include "model/chart_state.h"
#include "model/child_controls.h"
#include "platform/device_context.h"
#include "platform/numeric.h"
#include "platform/screen.h"
#include "platform/surface.h"
#include "theme/gradient.h"

namespace palvex {

namespace {

constexpr ThemeColors kPersianGulf{0x660300, 0xCA6400, 0xC78100, 0x400000,
                                   0xFFFFFF, 0xFFFFFF, 0,        0};
constexpr ThemeColors kSky{0xE6BE9E, 0xEFD2B9, 0xE3B28D, 0xE6BE9E, 0x000000, 0x000000, 0, 0};
constexpr ThemeColors kNeon{0x000000, 0x4B4B4B, 0x282828, 0x000000, 0xFFFFFF, 0xFFFFFF, 0, 0};

}  // namespace

ThemeInUse ThemeOf(const ChartState& chart) {
  const auto& host = chart.look.themeColors;
  return {chart.ActiveTheme, chart.ActiveTheme == kHostTheme && host ? &*host : nullptr};
}

const std::vector<std::pair<Color, Color>>& BarColorsInUse(const ChartState& chart) {
  const HostLook& look = chart.look;
  if (look.barColors.empty() && !chart.ColorBars && ThemeOf(chart).host) return look.themeBars;
  return look.barColors;
}

const ThemeColors* ColorsOf(ThemeInUse theme) {
  if (theme.host) return theme.host;
  switch (theme.number) {
    case ThemePersianGulf:
      return &kPersianGulf;
    case ThemeSky:
      return &kSky;
    case ThemeNeon:
      return &kNeon;
    default:
      return nullptr;
  }
}

void DrawBackTheme(Surface& s, const Screen& screen, ThemeInUse theme) {
  // Sized first, so a zero twips-per-pixel value fails before anything is
  // cleared.
  const std::int32_t w = ToInt32(s.ScaleWidth() / screen.TwipsPerPixelX());
  const std::int32_t h = ToInt32(s.ScaleHeight() / screen.TwipsPerPixelY());
  s.Cls();
  if (const ThemeColors* c = ColorsOf(theme)) {
    FillGradient(s.dc(), c->backgroundTop, c->backgroundBottom, FillVer, 0, 0, w, h);
  }
}

void DrawIntersect(Surface& surface, ThemeInUse theme, std::int32_t X1, std::int32_t Y1,
                   std::int32_t X2, std::int32_t LastLine) {
  // h runs from the row below Y1 towards LastLine: negative (upwards) in
  // the grid pass, which gives the line below as LastLine. The segments'
  // sizes keep their fractions until they are rounded.
  const std::int32_t h = ToInt32(SubInt32(Y1, LastLine) / kFixedTwipsPerPixel - 1);
  const std::int32_t w = ToInt32(SubInt32(X2, X1) / kFixedTwipsPerPixel + 1);
  const std::int32_t x = ToInt32(X1 / kFixedTwipsPerPixel);
  const std::int32_t y = ToInt32(Y1 / kFixedTwipsPerPixel + 1);
  const double hf = h;
  DeviceContext& dc = surface.dc();

  switch (theme.number) {
    case ThemePersianGulf:
      FillGradient(dc, 0x903600, 0x953B00, FillVer, x, y, w, h);
      DrawIntersectLine(surface, theme, X1, Y1, X2);
      break;
    case ThemeSky:
      FillGradient(dc, 0xFFEFE3, 0xFFE0C9, FillVer, x, y, w, ToInt32(hf / 2));
      FillGradient(dc, 0xFFD6B7, 0xFFDABE, FillVer, x, ToInt32(hf / 2 + y), w,
                   ToInt32(hf - hf / 2 + 1));
      break;
    case ThemeNeon:
      FillGradient(dc, 0x514642, 0x453D3A, FillVer, x, y, w, ToInt32(hf / 8 * 3));
      FillGradient(dc, 0x2F2F2E, 0x3B3B3B, FillVer, x, ToInt32(hf / 8 * 3 + y), w,
                   ToInt32(hf / 8 * 4));
      FillGradient(dc, 0x444444, 0x4B4B4B, FillVer, x, ToInt32(hf / 8 * 7 + y - 1), w,
                   ToInt32(hf - hf / 8 * 7 + 1));
      break;
    default:
      // A host's theme shades its bands in one gradient of its own.
      if (theme.host)
        FillGradient(dc, theme.host->bandTop, theme.host->bandBottom, FillVer, x, y, w, h);
      break;
  }
}

void DrawIntersectLine(Surface& surface, ThemeInUse theme, std::int32_t X1, std::int32_t Y1,
                       std::int32_t X2) {
  // Persian Gulf draws a banded line three pixels thick, its top row the
  // grid line's.
  if (theme.number == ThemePersianGulf) {
    surface.FilledBox(X1, Y1, AddInt32(X2, 1), AddInt32(Y1, 30), 0xC78100);
  }
}

Color GetThemeLineColor(ThemeInUse theme) {
  const ThemeColors* c = ColorsOf(theme);
  return c ? c->line : 0x000000;
}

void ApplyThemeColors(ThemeInUse theme, Control& slider, Surface& surface) {
  const ThemeColors* c = ColorsOf(theme);
  if (!c) return;
  slider.BackColor = c->sliderBack;
  slider.ForeColor = c->sliderFore;
  surface.SetForeColor(c->foreColor);
}

}  // namespace palvex
