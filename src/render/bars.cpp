#include "render/bars.h"

#include "control/chart_state.h"

namespace palvex {

void PaintBar(ChartState&, Color, Color, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

void GrowBars(ChartState& chart) {
  chart.animationDone = true;
}

void InitBarPalette(ChartState& chart) {
  static constexpr Color kLight[10] = {0xFFEFB9, 0x4F7DFF, 0x00FE00, 0xFF83E9, 0xFFCE5F,
                                       0x42C1FF, 0xA8FFD7, 0x9A3DC9, 0xFE0000, 0xA0FFFF};
  static constexpr Color kDark[10] = {0xE69B1E, 0x000081, 0x007A00, 0xFF17D6, 0xD27400,
                                      0x0000B9, 0x17A363, 0x6A0D99, 0x7A0000, 0x0CC5FA};
  for (int n = 0; n < 10; ++n) {
    chart.barPalette[n] = kLight[n];
    chart.barPalette[16 + n] = kDark[n];
  }
}

}  // namespace palvex
