#include "core/pixel_ratio.h"

#include "model/chart_state.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_host.h"

namespace palvex {

bool FollowPixelRatio(QtHost& host, ChartState& chart, Surface& screen, double ratio) {
  const double before = host.devicePixelRatio();
  host.SetDevicePixelRatio(ratio);
  const double now = host.devicePixelRatio();
  if (now == before) return false;
  const auto follow = [now](Surface* s) {
    if (auto* picture = dynamic_cast<QImageSurface*>(s)) picture->SetDevicePixelRatio(now);
  };
  follow(chart.surface.get());
  follow(&screen);
  ChildControls& ch = chart.children;
  for (Control* c : {&ch.picLegend, &ch.vsbContainer, &ch.picContainer, &ch.lblSlider, &ch.lblInfo})
    follow(c->surface.get());
  for (Surface* picture : ch.entries.Pictures()) follow(picture);
  // Colour boxes made from now on are painted anew at the new ratio, and
  // so are the description panel's rows.
  ch.entries.Invalidate();
  return true;
}

}  // namespace palvex
