#include "control/palvex_chart.h"
#include "platform/numeric.h"
#include "platform/scope_guard.h"
#include "render/bars.h"
#include "render/draw_chart.h"
#include "theme/legend_entries.h"
#include "theme/legend_panel.h"
#include "theme/themes.h"

namespace palvex {

namespace {
// The largest control side, in pixels, the surfaces are made for.
constexpr int kMaxSidePx = 16384;
}  // namespace

void PalvexChart::Show() {
  ApplyThemeColors(ThemeOf(s_), s_.children.lblSlider, *s_.surface);
  s_.surface->Cls();
  palvex::DrawBackTheme(*s_.surface, s_.host.screen(), ThemeOf(s_));
  // The chart itself is drawn on the timer's tick, shortly after.
  StartTimer& timer = s_.children.tmrStart;
  timer.Enabled = true;
  s_.host.SetTimer(timer.Interval, true);
}

void PalvexChart::StartTimerTick() {
  StartTimer& timer = s_.children.tmrStart;
  // A tick the host had queued before the timer was disarmed.
  if (!timer.Enabled) return;
  s_.animationDone = false;
  timer.Enabled = false;
  s_.host.SetTimer(timer.Interval, false);
  InitBarPalette(s_);
  palvex::DrawChart(s_);
}

void PalvexChart::Resize(int widthPx, int heightPx) {
  if (widthPx < 0 || heightPx < 0 || widthPx > kMaxSidePx || heightPx > kMaxSidePx) {
    throw ChartError(kErrInvalidPropertyValue);
  }
  s_.surface->ResizePixels(widthPx, heightPx);
  const double innerWidth = s_.surface->ScaleWidth();
  const double innerHeight = s_.surface->ScaleHeight();

  ChildControls& ch = s_.children;
  Control& legend = ch.picLegend;
  // Shown, the whole panel lies at the right edge; folded, only the
  // slider's strip stays in view.
  const double left =
      s_.legendVisible ? innerWidth - legend.Width : innerWidth - ch.lblSlider.Width;
  if (MoveControl(s_.host, legend, left, legend.Top, legend.Width, innerHeight)) {
    PaintLegendBackground(legend, ThemeOf(s_));
    // The entries' gradient ends in the legend's colour where they end.
    if (s_.legendVisible) PaintEntriesBackground(s_);
  }
  ch.vsbContainer.Height = legend.ScaleHeight();
  ch.lblSlider.Height = legend.ScaleHeight();
  // The entries stay as they are, but the legend's height is new.
  FitEntriesScrollBar(s_);

  // Before the first growth animation a resize only lays out.
  if (!s_.animationDone) return;
  s_.resizing = true;
  // A failed pass must not leave the description panel frozen.
  const SetOnExit clearResizing(s_.resizing, false);
  palvex::DrawChart(s_);
}

void PalvexChart::Drop(Control& Source, float X, float Y) {
  // Each coordinate is set only once it is a finite number.
  Source.Left = Finite(static_cast<double>(X) - s_.infoGrabX);
  Source.Top = Finite(static_cast<double>(Y) - s_.infoGrabY);
}

void PalvexChart::Terminate() {
  s_.itemList.reset();
}

}  // namespace palvex
