#pragma once

#include <string>

#include "platform/numeric.h"
#include "support/chart_fixture.h"

namespace palvex::testing {

// The design-size control laid out as in a window, selectable, shown and
// past its growth animation once it has columns. The legend is folded to
// the right edge: slots start at x 825 and the plot's bottom edge lies at
// y 4755.
class ShownChart : public ChartFixture {
 protected:
  ShownChart() {
    chart->Resize(560, 372);
    state().Selectable = true;
  }
  // Column i gets id i + 1, axis text "axis i" and description "about i";
  // then the control is shown and animated.
  void Columns(std::initializer_list<double> values) {
    for (double v : values) {
      const std::size_t n = state().items().size();
      const std::u16string i = FromUtf8(std::to_string(n));
      chart->AddItem(Item(FromUtf8(std::to_string(n + 1)), v, u"axis " + i, u"about " + i));
    }
    Play();
  }
  void Play() {
    chart->Show();
    chart->StartTimerTick();
  }

  float SlotMiddle(int column) {
    return static_cast<float>(state().MarginLeft + (column + 0.5) * state().barWidth);
  }
  float Top(int column) { return static_cast<float>(state().barTops.at(column)); }
  float PlotBottom() {
    return static_cast<float>(state().surface->ScaleHeight() - state().MarginBottom);
  }
  // A press and its release at one point.
  void Click(float x, float y, std::int16_t button = 1) {
    chart->MouseDown(button, 0, x, y);
    chart->MouseUp(button, 0, x, y);
  }
  void ClickColumn(int column) { Click(SlotMiddle(column), PlotBottom()); }
  // Drawing passes so far: each prints the title once.
  std::size_t Passes() {
    std::size_t n = 0;
    for (const Op& op : recorder->Named("Print")) n += op.text == chart->ChartTitle();
    return n;
  }
};

}  // namespace palvex::testing
