// Input sequences: mouse, wheel, keys, resize, menu answers, clipboard, tool
// tips and the timers, in any order. Menus answer from the input; the growth
// animation plays only when the input ticks the start timer.
#include <array>

#include "chart_on_host.h"
#include "platform/chart_error.h"
#include "ui/keyboard.h"

using namespace palvex;

namespace {

const std::array<const char*, 7> kMenuItems = {
    "mnuSaveAs",     "mnuEditCopy",   "mnuSelectionInfo", "mnuAutoMoveInfo",
    "mnuViewLegend", "mnuLegendHide", "mnuNoSuchItem"};

void Step(PalvexChart& chart, fuzz::FuzzHost& host, fuzz::Bytes& in) {
  const auto button = static_cast<std::int16_t>(in.Below(8));
  const auto shift = static_cast<std::int16_t>(in.Below(8));
  // Twips, mostly inside a small chart, sometimes far outside it.
  const float x = static_cast<float>(in.Take<std::int16_t>()) / 4;
  const float y = static_cast<float>(in.Take<std::int16_t>()) / 4;
  switch (in.Below(13)) {
    case 0:
      chart.MouseDown(button, shift, x, y);
      break;
    case 1:
      chart.MouseMove(button, shift, x, y);
      break;
    case 2:
      chart.MouseUp(button, shift, x, y);
      break;
    case 3:
      chart.DblClick(x, y, button, shift);
      break;
    case 4:
      chart.MouseWheel(in.Take<std::int16_t>(), x, y);
      break;
    case 5: {
      const int width = static_cast<int>(in.Below(200)) * 4;
      chart.Resize(width, static_cast<int>(in.Below(200)) * 3);
      break;
    }
    case 6: {
      const unsigned answer = in.Below(kMenuItems.size() + 1);
      host.QueueMenuAnswer(answer < kMenuItems.size()
                               ? std::optional<std::string>(kMenuItems[answer])
                               : std::nullopt);
      break;
    }
    case 7:
      host.clipboardAvailable = in.Below(2) == 1;
      break;
    case 8:
      chart.ToolTipAt(x, y);
      break;
    case 9:
      chart.ScrollRepeatTick();
      break;
    case 10:
      chart.StartTimerTick();
      break;
    case 11:
      HandleKey(chart.state(), static_cast<ChartKey>(in.Below(8)));
      break;
    default:
      chart.EditCopy();
      break;
  }
}

void Prepare(fuzz::Twin& t) {
  // Selection is off by default; without these the presses, keys and the
  // information label would never be reached. Each setter redraws the whole
  // chart, and three passes before the first step were a third of every
  // input; the flags go in together and the chart is drawn once, as after a
  // host's set-up. The pass may fail on the items' values; it is told.
  const unsigned options = t.in.Below(8);
  ChartState& state = t.chart->state();
  state.Selectable = (options & 1) != 0;
  state.HotTracking = (options & 2) != 0;
  state.SelectionInformation = (options & 4) != 0;
  t.chart->Refresh();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  fuzz::Twin compared(data, size, false), whole(data, size, true);
  if (!compared.chart) return 0;
  for (fuzz::Twin* t : {&compared, &whole}) t->Run([t] { Prepare(*t); });
  fuzz::CheckSamePictures(compared, whole);
  for (int steps = 0; steps < 128 && !compared.in.empty(); ++steps) {
    for (fuzz::Twin* t : {&compared, &whole}) t->Run([t] { Step(*t->chart, t->host, t->in); });
    fuzz::CheckSamePictures(compared, whole);
  }
  return 0;
}
