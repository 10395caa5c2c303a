#include "render/draw_chart.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <string>
#include <tuple>

#include "model/chart_state.h"
#include "platform/device_context.h"
#include "platform/numeric.h"
#include "platform/scope_guard.h"
#include "platform/screen.h"
#include "render/bars.h"
#include "render/info_label.h"
#include "render/rotated_text.h"
#include "theme/legend_entries.h"
#include "theme/legend_panel.h"
#include "theme/themes.h"

namespace palvex {

namespace {

// The selection colours, whatever the bar's own pair.
constexpr std::int32_t kSelectedColorIndex = 9;

// Runs print with the font size changed by delta, undoing the change after.
template <typename F>
void WithFontDelta(Surface& s, float delta, F&& print) {
  s.SetFontSize(s.FontSize() + delta);
  print();
  s.SetFontSize(s.FontSize() - delta);
}

}  // namespace

FontSpec LabelBase(const ChartState& c) {
  if (!c.look.labelFont) return {.name = u"宋体", .size = 9, .bold = false};
  FontSpec base = *c.look.labelFont;
  base.size += 1;
  return base;
}

namespace {

void DrawTitles(ChartState& c) {
  Surface& s = *c.surface;
  const std::optional<FontSpec>& hostFont = c.look.titleFont;
  // A host's title font is set first, so that the title is centred in it.
  if (hostFont) IgnoreErrors([&] { s.SetFont(*hostFont); });
  IgnoreErrors([&] {
    // Centred in the font the surface has before the title font is set.
    double w = s.TextWidth(c.ChartTitle);
    s.SetCurrentX(s.ScaleWidth() / 2 - w / 2);
    s.SetCurrentY(0);
  });
  if (!hostFont) {
    IgnoreErrors([&] { s.SetFontName(u"宋体"); });
    IgnoreErrors([&] { s.SetFontSize(9); });
    IgnoreErrors([&] { s.SetFontBold(true); });
  }
  IgnoreErrors([&] { s.Print(c.ChartTitle); });
  IgnoreErrors([&] { s.SetFontBold(false); });
  IgnoreErrors([&] { s.SetFontSize(s.FontSize() - 2); });
  IgnoreErrors([&] {
    // The subtitle stays on the line below the title.
    s.SetCurrentX(s.ScaleWidth() / 2 - s.TextWidth(c.ChartSubTitle) / 2);
    s.Print(c.ChartSubTitle);
  });
  IgnoreErrors([&] { s.SetFontSize(s.FontSize() + 2); });
  // The control's own faces leave the surface in the labels' base face.
  if (hostFont || c.look.labelFont) IgnoreErrors([&] { s.SetFont(LabelBase(c)); });
}

void DrawGrid(ChartState& c, std::int32_t top) {
  Surface& s = *c.surface;
  const double tppx = c.TwipsPerPixelX();
  std::int64_t major = 0;
  IgnoreErrors([&] { major = ToInt32(c.IntersectMajor); });
  if (major <= 0) return;
  // Lines stand at every multiple of 10 that is also one of the major step;
  // walking their common multiples visits exactly those.
  const std::int64_t step = std::lcm<std::int64_t>(10, major);
  const Color lineColor = GetThemeLineColor(ThemeOf(c));
  int drawn = 0;
  double previousY = 0;
  for (std::int64_t v = 0; v <= top; v += step) {
    const double x1 = 2 * tppx + c.MarginLeft;
    const double x2 = s.ScaleWidth() - c.MarginRight;
    const double y = s.ScaleHeight() - c.MarginBottom - double(v) * c.valueScale;
    ++drawn;
    if (drawn % 2 == 1) {
      previousY = y;
    } else if (v + step <= top) {
      IgnoreErrors([&] {
        DrawIntersect(s, ThemeOf(c), ToInt32(x1), ToInt32(y), ToInt32(x2), ToInt32(previousY));
      });
    } else {
      // The band reaches up to the next line, and the top line has none:
      // shaded, it would cover the titles.
      IgnoreErrors([&] { DrawIntersectLine(s, ThemeOf(c), ToInt32(x1), ToInt32(y), ToInt32(x2)); });
    }
    IgnoreErrors([&] { s.FilledBox(x1, y, x2 + 1, y + 15, lineColor); });
    IgnoreErrors([&] { s.SetFontSize(s.FontSize() - 2); });
    IgnoreErrors([&] {
      const double value = double(v);
      s.SetCurrentX(c.MarginLeft - s.TextWidth(NumberText(value)) - 5 * tppx);
      s.SetCurrentY(y - s.TextHeight(u"0") / 2);
      s.Print(PrintedNumber(value));
    });
    IgnoreErrors([&] { s.SetFontSize(s.FontSize() + 2); });
  }
}

// The top (twips) at which a bar is painted: its own, cut where the
// painters' 32-bit pixel sums end (they inset the top by 2 and the height
// by 4 pixels). A huge negative value reaches billions of pixels below the
// surface and would make every pass overflow; every bar those sums hold
// keeps its exact rectangle, and what shows of a cut one looks the same.
double PaintableTop(double barTop, double baseY) {
  constexpr double kInt32Max = 2147483647.0, kInt32Min = -2147483648.0;
  const double base = baseY / kFixedTwipsPerPixel;
  const double lowest = std::min(kInt32Max - 2, base - (kInt32Min + 4)) * kFixedTwipsPerPixel;
  const double highest = std::max(kInt32Min, base - kInt32Max) * kFixedTwipsPerPixel;
  return barTop > lowest ? lowest : barTop < highest ? highest : barTop;
}

void DrawColumn(ChartState& c, int i, Color lineColor) {
  Surface& s = *c.surface;
  const ChartItem& item = c.items()[i];
  const double tppx = c.TwipsPerPixelX();
  const double tppy = c.TwipsPerPixelY();

  const double barLeft = i * c.barWidth + c.MarginLeft + 2 * tppx;
  const double barRight = barLeft + c.barWidth - 2 * tppx;
  const double baseY = s.ScaleHeight() - c.MarginBottom;
  const double barTop = baseY - item.Value * c.valueScale;
  c.barTops[i] = barTop;

  const double paintedTop = PaintableTop(barTop, baseY);
  const double left = (barLeft + 1) / kFixedTwipsPerPixel;
  const double top = paintedTop / kFixedTwipsPerPixel;
  const double width = (barRight - barLeft - 1) / kFixedTwipsPerPixel;
  const double height = (baseY - paintedTop) / kFixedTwipsPerPixel;

  if (i == c.SelectedColumn && c.Selectable && c.animationDone) {
    PaintBar(s.dc(), c.ActiveTheme, kSelectedFirst, kSelectedSecond, ToInt32(left), ToInt32(top),
             ToInt32(width), ToInt32(height));
    if (!c.resizing)
      AddLegendEntry(c, item.SelectedDescription,
                     BarColorsInUse(c).empty() ? kSelectedColorIndex : kHostSelectedColorIndex);
    if (c.SelectionInformation) UpdateInfoLabel(c, i, barLeft, barRight);
  } else {
    const std::int32_t colorIndex = BarColorIndex(item);
    Color first = c.ColorBars ? c.barPalette[colorIndex] : c.barPalette[2];
    Color second = c.ColorBars ? c.barPalette[16 + colorIndex] : c.barPalette[18];
    std::int32_t entryColor = c.ColorBars ? colorIndex : 1;
    if (const auto& own = BarColorsInUse(c); !own.empty()) {
      // The host's own colours, in turn column by column.
      const std::size_t j = static_cast<std::size_t>(i) % own.size();
      std::tie(first, second) = own[j];
      entryColor = static_cast<std::int32_t>(j);
    }
    if (c.animationDone) {
      PaintBar(s.dc(), c.ActiveTheme, first, second, ToInt32(left), ToInt32(top), ToInt32(width),
               ToInt32(height));
    } else {
      c.animationBars[i] = BarRecord{true, left, top, width, height, first, second};
    }
    if (!c.resizing) AddLegendEntry(c, item.SelectedDescription, entryColor);
  }

  if (c.DisplayXAxis) {
    WithFontDelta(s, -1, [&] {
      const std::u16string& caption = item.XAxisDescription;
      DrawRotatedText(s.dc(), caption, ToInt32((barLeft + (barRight - barLeft) / 2) / tppx),
                      ToInt32((baseY + s.TextWidth(caption) / 1.25) / tppy), 270.0f);
      // The tick between this column and the one before.
      s.Line(barLeft - tppx, baseY, barLeft - tppx, baseY + s.TextHeight(caption) / 2, lineColor);
    });
  }
}

void DrawAxisLabels(ChartState& c) {
  Surface& s = *c.surface;
  if (!c.AxisLabelX.empty()) {
    WithFontDelta(s, -1, [&] {
      s.SetCurrentY(s.ScaleHeight() - 1.5 * s.TextHeight(c.AxisLabelX));
      s.SetCurrentX(s.ScaleWidth() / 2 - s.TextWidth(c.AxisLabelX) / 2);
      s.Print(c.AxisLabelX);
    });
  }
  if (!c.AxisLabelY.empty()) {
    WithFontDelta(s, -1, [&] {
      DrawRotatedText(s.dc(), c.AxisLabelY,
                      ToInt32(s.TextHeight(c.AxisLabelY) / c.TwipsPerPixelX()),
                      ToInt32(s.ScaleHeight() / 2 / c.TwipsPerPixelY()), 90.0f);
    });
  }
}

}  // namespace

std::int32_t GetYTopLegend(std::int32_t m) {
  if (m <= 10) return 10;
  const std::string s = std::to_string(m);
  const int lead = (s[0] - '0') * 10 + (s[1] - '0');
  const std::string zeros(s.size() - 2, '0');
  std::string text;
  if (lead % 10 == 0) {
    text = std::to_string(lead) + zeros;
  } else if (lead % 10 <= 5) {
    text = std::to_string(lead / 10) + "5" + zeros;
  } else {
    text = std::to_string(lead / 10 + 1) + "0" + zeros;
  }
  long long top = 0;
  std::from_chars(text.data(), text.data() + text.size(), top);
  if (top > 2147483647LL) throw ChartError(kErrOverflow);
  return static_cast<std::int32_t>(top);
}

std::int32_t BarColorIndex(const ChartItem& item) {
  const std::int32_t colorIndex = ToInt32(NumberFromText(item.ItemID) - 1) % 10;
  if (colorIndex < 0 || colorIndex > 15) throw ChartError(kErrSubscript);
  return colorIndex;
}

void CheckDrawable(const ChartState& chart, const ChartItem& item) {
  GetYTopLegend(ToInt32(std::max(chart.MaxY, item.Value)));
  BarColorIndex(item);
  ToInt16(static_cast<double>(chart.items().size()) + 1);
}

void DrawChart(ChartState& c) {
  if (c.drawing) return;
  c.drawing = true;
  // Whatever fails below, the next pass must be able to run.
  const SetOnExit clearDrawing(c.drawing, false);

  Surface& s = *c.surface;
  ChildControls& ch = c.children;
  const std::vector<ChartItem>& items = c.items();

  // A scale or an item count the pass cannot take fails it before it has
  // changed anything; only a pass that goes on is counted.
  const std::int32_t top = GetYTopLegend(ToInt32(c.MaxY));
  const std::int16_t n = ToInt16(static_cast<double>(items.size()));
  ++c.passesBegun;
  // A hover or a selection changes a few bars: the surface paints only
  // where this pass differs from the last.
  const DrawingPass pass(s);
  c.IntersectMajor = top / 10.0;

  ch.lblInfo.Visible = false;
  ch.entries.FirstLabel().ForeColor = s.ForeColor();
  ShowInfoLabelForPass(c, n);

  if (c.legendVisible) {
    // A resize keeps the entries, and the scroll bar its layout fitted to them.
    if (!c.resizing) ch.vsbContainer.Visible = false;
    ch.picContainer.Visible = false;
  }
  if (!c.resizing) ClearLegendEntries(c);

  double maxValue = top;
  for (const ChartItem& item : items) {
    if (item.Value > maxValue) maxValue = item.Value;
  }
  if (maxValue == 0) maxValue = 0.001;
  if (c.MaxY < maxValue) c.MaxY = maxValue;

  c.valueScale = (s.ScaleHeight() - (c.MarginTop + c.MarginBottom)) / maxValue;
  if (n != 0) c.barWidth = (s.ScaleWidth() - (c.MarginLeft + c.MarginRight)) / n;

  DrawBackTheme(s, c.host.screen(), ThemeOf(c));
  // The legend wears the chart's theme from the pass that brings it.
  PaintLegendBackground(ch.picLegend, ThemeOf(c));
  if (n != 0) c.barTops.assign(n, 0.0);

  DrawTitles(c);
  if (c.DisplayYAxis) DrawGrid(c, top);
  // Records of an earlier item list must not grow again once the list is
  // empty, so an empty list empties them too.
  c.animationBars.assign(n, BarRecord{});

  const Color lineColor = GetThemeLineColor(ThemeOf(c));
  if (c.ContentBorder) {
    s.FilledBox(c.MarginLeft - 15, c.MarginTop, c.MarginLeft, s.ScaleHeight() - c.MarginBottom,
                lineColor);
  }

  {
    // The bars are held back and painted together when something is drawn
    // over them or the pass goes on: with more bars than pixels, most of a
    // bar is hidden by the next ones and need not be written at all.
    const FillGroup bars(s.dc());
    for (int i = 0; i < n; ++i) DrawColumn(c, i, lineColor);
  }

  if (!c.animationDone) GrowBars(c);

  DrawAxisLabels(c);

  if (c.legendVisible) {
    // The entries' background is painted for the entries this pass made,
    // and a frame goes with the selection it was drawn for.
    if (c.SelectedColumn > -1 && c.Selectable) {
      FrameSelectedEntry(c);
    } else {
      PaintEntriesBackground(c);
    }
    ch.picContainer.Visible = true;
  }
}

}  // namespace palvex
