#include "control/chart_state.h"

namespace palvex {

namespace {
// The control's design size, 8400 x 5580 twips, at 15 twips per pixel.
constexpr int kDesignWidthPx = 560;
constexpr int kDesignHeightPx = 372;
}  // namespace

ChartState::ChartState(Host& h)
    : host(h), surface(h.CreateSurface(kDesignWidthPx, kDesignHeightPx)), children(h) {
  surface->SetBackColor(kSystemWindow);
  surface->SetForeColor(0xFFFFFF);
  surface->Cls();
}

const std::vector<ChartItem>& ChartState::items() const {
  static const std::vector<ChartItem> kNone;
  return itemList ? *itemList : kNone;
}

}  // namespace palvex
