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

// One of two shown controls driven by the same input: one on surfaces that
// paint only where a pass differs from the one before, the other on
// surfaces that paint every pass whole. Each step is followed by the
// screen's composition, as a window paints after an event.
struct Twin {
  Twin(const std::uint8_t* data, std::size_t size, bool paintAtOnce) : in(data, size) {
    host.paintAtOnce = paintAtOnce;
    chart = ShownChart(host, in);
    if (chart) screen = host.CreateSurface(1, 1);
  }
  // Both come out the same, so one runs what the other does.
  template <typename F>
  void Run(F&& step) {
    try {
      step();
    } catch (const ChartError&) {
      // A failure the host is told of; the control stays usable.
    }
    CheckBusyFlagsClear(chart->state());
    chart->ComposeScreen(*screen);
  }

  FuzzHost host;
  Bytes in;
  std::unique_ptr<PalvexChart> chart;
  std::unique_ptr<Surface> screen;
};

// The twins' pictures and composed screens must be the same.
inline void CheckSamePictures(const Twin& compared, const Twin& whole) {
  if (ImageOf(*compared.chart->state().surface) != ImageOf(*whole.chart->state().surface))
    Broken("a pass painted only where it differed, and its picture is not the whole pass's");
  if (ImageOf(*compared.screen) != ImageOf(*whole.screen))
    Broken("the screen was composed only where it changed, and is not the whole screen");
}

}  // namespace palvex::fuzz
