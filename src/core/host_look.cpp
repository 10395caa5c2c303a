#include "core/host_look.h"

#include <algorithm>
#include <cmath>

#include "control/palvex_chart.h"
#include "model/chart_state.h"
#include "platform/chart_error.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_text.h"
#include "render/draw_chart.h"
#include "render/info_label.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"

namespace palvex {

namespace {

void RefuseUnless(bool valid) {
  if (!valid) throw ChartError(kErrInvalidPropertyValue);
}

Color ColorOf(const QColor& c) {
  return FromQRgb(c.rgb());
}

// A bar is shaded from its colour to a darker one, as the control's own
// pairs are.
std::pair<Color, Color> BarPair(const QColor& c) {
  return {ColorOf(c), ColorOf(c.darker(220))};
}

// a, with share parts of b mixed in.
QColor Mixed(const QColor& a, const QColor& b, double share) {
  const auto mix = [share](int x, int y) {
    return static_cast<int>(std::lround(x + (y - x) * share));
  };
  return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

// The chart's points are the control's: 72 to the inch of its 96-dot
// screen, whatever the host's screen, so a pixel-sized font keeps its size.
FontSpec FontSpecOf(const QFont& font) {
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
  RefuseUnless(std::isfinite(points) && points > 0 && points <= 1000);
  return {.name = FromQString(font.family()),
          .size = static_cast<float>(points),
          .bold = font.weight() >= QFont::DemiBold,
          .italic = font.italic()};
}

QFont ControlFont(double points, bool bold) {
  QFont font(ResolveFontFamily(u"宋体"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QList<QColor> BarColors(const PalvexChart& chart) {
  QList<QColor> colors;
  for (const auto& [first, second] : chart.state().look.barColors) colors << ToQColor(first);
  return colors;
}

void SetBarColors(PalvexChart& chart, const QList<QColor>& colors) {
  RefuseUnless(colors.size() <= static_cast<qsizetype>(kMaxHostBarColors));
  std::vector<std::pair<Color, Color>> pairs;
  for (const QColor& color : colors) {
    RefuseUnless(color.isValid());
    pairs.push_back(BarPair(color));
  }
  chart.state().look.barColors = std::move(pairs);
}

QFont ControlTitleFont() {
  return ControlFont(9, true);
}
QFont ControlLabelFont() {
  // The captions are a point smaller than the face the labels start from.
  return ControlFont(8, false);
}

namespace {

QFont QFontOf(const FontSpec& font) {
  QFont f(ToQString(font.name));
  f.setPointSizeF(font.size);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  return f;
}

}  // namespace

QFont TitleFont(const PalvexChart& chart) {
  const auto& font = chart.state().look.titleFont;
  return font ? QFontOf(*font) : ControlTitleFont();
}
QFont LabelFont(const PalvexChart& chart) {
  const auto& font = chart.state().look.labelFont;
  return font ? QFontOf(*font) : ControlLabelFont();
}

namespace {

// A drawn chart's surface is left as the last pass with these fonts would
// have left it, so the next pass draws what it would draw after another.
void LeaveLabelBase(ChartState& s) {
  if (s.passesBegun > 0) s.surface->SetFont(LabelBase(s));
}

}  // namespace

void SetTitleFont(PalvexChart& chart, const std::optional<QFont>& font) {
  ChartState& s = chart.state();
  s.look.titleFont = font ? std::optional(FontSpecOf(*font)) : std::nullopt;
  LeaveLabelBase(s);
}

void SetLabelFont(PalvexChart& chart, const std::optional<QFont>& font) {
  ChartState& s = chart.state();
  s.look.labelFont = font ? std::optional(FontSpecOf(*font)) : std::nullopt;
  SetChildLabelFont(s.host, s.children, s.look.labelFont);
  LeaveLabelBase(s);
}

QString ValueSuffix(PalvexChart& chart) {
  const auto& suffix = chart.state().look.amountFormat.suffix;
  if (suffix) return ToQString(*suffix);
  // The currency text without the amount's place; a host's own suffix may
  // hold "%1" as text.
  return ToQString(CurrencyText(chart.state())).remove(QStringLiteral("%1"));
}
void SetValueSuffix(PalvexChart& chart, const std::optional<QString>& suffix) {
  auto& kept = chart.state().look.amountFormat.suffix;
  if (suffix) {
    kept = FromQString(*suffix);
  } else {
    kept.reset();
  }
}
int ValueDecimals(const PalvexChart& chart) {
  return chart.state().look.amountFormat.decimals;
}
void SetValueDecimals(PalvexChart& chart, int decimals) {
  RefuseUnless(decimals >= 0 && decimals <= AmountFormat::kMaxDecimals);
  chart.state().look.amountFormat.decimals = decimals;
}

namespace {

ThemeColors PaletteColors(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Active, QPalette::Base);
  const QColor window = palette.color(QPalette::Active, QPalette::Window);
  const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
  ThemeColors colors{};
  colors.backgroundTop = ColorOf(base);
  colors.backgroundBottom = ColorOf(window);
  colors.line = ColorOf(Mixed(window, text, 0.45));
  colors.sliderBack = ColorOf(Mixed(window, text, 0.12));
  colors.sliderFore = ColorOf(text);
  colors.foreColor = ColorOf(text);
  colors.bandTop = ColorOf(Mixed(base, text, 0.05));
  colors.bandBottom = ColorOf(Mixed(window, text, 0.09));
  return colors;
}

std::vector<std::pair<Color, Color>> PaletteBars(const QPalette& palette) {
  return {BarPair(palette.color(QPalette::Active, QPalette::Highlight))};
}

}  // namespace

bool ShowsPalette(const PalvexChart& chart, const QPalette& palette) {
  const HostLook& look = chart.state().look;
  return chart.ActiveTheme() == kHostTheme && look.themeColors == PaletteColors(palette) &&
         look.themeBars == PaletteBars(palette);
}

void UsePaletteTheme(PalvexChart& chart, const QPalette& palette) {
  HostLook& look = chart.state().look;
  look.themeColors = PaletteColors(palette);
  look.themeBars = PaletteBars(palette);
  // Selected again, the theme gives the chart and the slider its colours.
  chart.SetActiveTheme(kHostTheme);
}

bool FollowPalette(PalvexChart& chart, const QPalette& palette, bool textFromPalette) {
  if (chart.ActiveTheme() == kHostTheme) {
    UsePaletteTheme(chart, palette);
    return true;
  }
  if (chart.ActiveTheme() != ThemeNormal || !textFromPalette) return false;
  constexpr double kReadable = 4.5;
  const QColor back = ToQColor(chart.BackColor());
  QColor text = ContrastRatio(Qt::black, back) >= ContrastRatio(Qt::white, back)
                    ? QColor(Qt::black)
                    : QColor(Qt::white);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) {
    const QColor candidate = palette.color(QPalette::Active, role);
    if (ContrastRatio(candidate, back) >= kReadable) text = candidate;
  }
  if (ColorOf(text) == chart.ForeColor()) return false;
  chart.SetForeColor(ColorOf(text));
  return true;
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace palvex
