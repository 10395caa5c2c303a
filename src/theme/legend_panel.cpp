#include "theme/legend_panel.h"

#include "control/chart_state.h"
#include "platform/numeric.h"
#include "theme/legend_entries.h"

namespace palvex {

namespace {
// The slider's glyphs in its symbol font: "fold away" and "open".
constexpr char16_t kShownGlyph = 187;
constexpr char16_t kFoldedGlyph = 171;
}  // namespace

void ShowLegend(ChartState& chart, bool bHidden) {
  ChildControls& ch = chart.children;
  Control& panel = ch.picLegend;
  const Surface& surface = *chart.surface;
  ch.lblSlider.Height = panel.ScaleHeight();
  chart.legendVisible = !bHidden;
  if (chart.legendVisible) {
    chart.MarginRight = Finite(chart.MarginRight + panel.ScaleWidth());
    const double left = Finite(surface.ScaleWidth() - panel.Width + chart.TwipsPerPixelX());
    MoveControl(chart.host, panel, left, 0, panel.Width, surface.ScaleHeight());
    PaintEntriesBackground(chart);
    ch.lblSlider.Caption = std::u16string(1, kShownGlyph);
  } else {
    chart.MarginRight = Finite(chart.MarginRight - panel.Width);
    panel.Left = Finite(surface.ScaleWidth() - ch.lblSlider.Width);
    ch.lblSlider.Caption = std::u16string(1, kFoldedGlyph);
  }
}

}  // namespace palvex
