#include "model/chart_state.h"

#include "platform/numeric.h"

namespace palvex {

namespace {
// The control's design size in twips; in pixels it depends on the screen.
constexpr double kDesignWidth = 8400;
constexpr double kDesignHeight = 5580;

int DesignPixels(double twips, float twipsPerPixel) {
  return static_cast<int>(RoundHalfEven(twips / twipsPerPixel));
}
}  // namespace

ChartState::ChartState(Host& h)
    : host(h),
      surface(h.CreateSurface(DesignPixels(kDesignWidth, h.screen().TwipsPerPixelX()),
                              DesignPixels(kDesignHeight, h.screen().TwipsPerPixelY()))),
      children(h) {
  surface->SetBackColor(kSystemWindow);
  surface->SetForeColor(0xFFFFFF);
  surface->Cls();
}

const std::vector<ChartItem>& ChartState::items() const {
  static const std::vector<ChartItem> kNone;
  return itemList ? *itemList : kNone;
}

}  // namespace palvex
