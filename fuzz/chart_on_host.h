#pragma once

#include <memory>

#include "control/palvex_chart.h"
#include "fuzz_host.h"
#include "fuzz_support.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
#include "render/bars.h"

namespace palvex::fuzz {

// A shown control with a few items from the input, its bars already grown:
// the start timer stays armed, so only an input that ticks it pays for the
// growth animation. Nothing when the control refuses the set-up, as it may
// for values an input makes up: there is nothing to drive then.
inline std::unique_ptr<PalvexChart> ShownChart(HeadlessHost& host, Bytes& in) try {
  auto chart = std::make_unique<PalvexChart>(host);
  chart->InitProperties();
  const int width = 160 + static_cast<int>(in.Below(160));
  chart->Resize(width, 120 + static_cast<int>(in.Below(120)));
  const unsigned items = in.Below(8);
  for (unsigned i = 0; i < items; ++i) {
    chart->AddItem(ChartItem{std::u16string(1, static_cast<char16_t>(u'A' + i)), in.Text(4),
                             in.Text(4), static_cast<double>(in.Take<std::int16_t>())});
  }
  chart->Show();
  InitBarPalette(chart->state());
  chart->state().animationDone = true;
  return chart;
} catch (const ChartError&) {
  return nullptr;
}

// The flags a call must leave clear, whatever it did.
inline void CheckBusyFlagsClear(const ChartState& s) {
  if (s.drawing) Broken("the drawing flag is left set");
  if (s.mouseBusy) Broken("the mouse-busy flag is left set");
  if (s.resizing) Broken("the resizing flag is left set");
}

// The same control driven alike, compared on surfaces that paint only
// where a pass differs from the one before, whole on surfaces that paint
// every pass whole: their pictures and composed screens must be the same.
inline void CheckSamePictures(const PalvexChart& compared, const Surface& comparedScreen,
                              const PalvexChart& whole, const Surface& wholeScreen) {
  if (ImageOf(*compared.state().surface) != ImageOf(*whole.state().surface))
    Broken("a pass painted only where it differed, and its picture is not the whole pass's");
  if (ImageOf(comparedScreen) != ImageOf(wholeScreen))
    Broken("the screen was composed only where it changed, and is not the whole screen");
}

}  // namespace palvex::fuzz
