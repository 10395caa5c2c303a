#include "theme/legend_panel.h"

#include <algorithm>

#include "model/chart_state.h"
#include "platform/numeric.h"
#include "platform/screen.h"
#include "theme/gradient.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"

namespace palvex {

void PaintLegendBackground(Control& panel, ThemeInUse theme) {
  // Painted on every pass, the same as a rule: the screen then takes
  // nothing of it again.
  const DrawingPass pass(*panel.surface);
  panel.surface->Cls();
  if (const ThemeColors* c = ColorsOf(theme)) {
    FillGradient(panel.surface->dc(), c->backgroundBottom, c->backgroundTop, FillVer, 0, 0,
                 ToInt32(panel.ScaleWidth() / kFixedTwipsPerPixel),
                 ToInt32(panel.ScaleHeight() / kFixedTwipsPerPixel));
  }
}

void ShowLegend(ChartState& chart, bool hidden) {
  ChildControls& ch = chart.children;
  Control& panel = ch.picLegend;
  const Surface& surface = *chart.surface;
  // The plot gives the panel its width once when it opens and takes it
  // back once when it folds, whichever way it was switched, but never more
  // than the margin has (a host may have narrowed it meanwhile): below 0
  // the plot would run off the picture. Everything is worked out before
  // anything changes, so a failure switches nothing.
  const bool opening = !hidden && !chart.legendVisible;
  const bool folding = hidden && chart.legendVisible;
  const double margin = opening   ? Finite(chart.MarginRight + panel.ScaleWidth())
                        : folding ? Finite(std::max(0.0, chart.MarginRight - panel.Width))
                                  : chart.MarginRight;
  const double left = hidden ? Finite(surface.ScaleWidth() - ch.lblSlider.Width)
                             : Finite(surface.ScaleWidth() - panel.Width + chart.TwipsPerPixelX());
  ch.lblSlider.Height = panel.ScaleHeight();
  chart.legendVisible = !hidden;
  ch.mnuViewLegend.Checked = chart.legendVisible;
  chart.MarginRight = margin;
  if (chart.legendVisible) {
    if (MoveControl(chart.host, panel, left, 0, panel.Width, surface.ScaleHeight()))
      PaintLegendBackground(panel, ThemeOf(chart));
    PaintEntriesBackground(chart);
    ch.lblSlider.Caption = std::u16string(1, kSliderShownGlyph);
  } else {
    panel.Left = left;
    ch.lblSlider.Caption = std::u16string(1, kSliderFoldedGlyph);
  }
}

}  // namespace palvex
