#include "theme/legend_panel.h"

#include "model/chart_state.h"
#include "platform/numeric.h"
#include "platform/screen.h"
#include "theme/gradient.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"

namespace palvex {

void PaintLegendBackground(Control& panel, std::int32_t theme) {
  panel.surface->Cls();
  if (const ThemeColours* c = ColoursOf(theme)) {
    FillGradient(panel.surface->dc(), c->backgroundBottom, c->backgroundTop, FillVer, 0, 0,
                 ToInt32(panel.ScaleWidth() / kFixedTwipsPerPixel),
                 ToInt32(panel.ScaleHeight() / kFixedTwipsPerPixel));
  }
}

void ShowLegend(ChartState& chart, bool bHidden) {
  ChildControls& ch = chart.children;
  Control& panel = ch.picLegend;
  const Surface& surface = *chart.surface;
  ch.lblSlider.Height = panel.ScaleHeight();
  chart.legendVisible = !bHidden;
  if (chart.legendVisible) {
    chart.MarginRight = Finite(chart.MarginRight + panel.ScaleWidth());
    const double left = Finite(surface.ScaleWidth() - panel.Width + chart.TwipsPerPixelX());
    if (MoveControl(chart.host, panel, left, 0, panel.Width, surface.ScaleHeight()))
      PaintLegendBackground(panel, chart.ActiveTheme);
    PaintEntriesBackground(chart);
    ch.lblSlider.Caption = std::u16string(1, kSliderShownGlyph);
  } else {
    chart.MarginRight = Finite(chart.MarginRight - panel.Width);
    panel.Left = Finite(surface.ScaleWidth() - ch.lblSlider.Width);
    ch.lblSlider.Caption = std::u16string(1, kSliderFoldedGlyph);
  }
}

}  // namespace palvex
