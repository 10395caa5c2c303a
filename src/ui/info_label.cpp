#include "ui/info_label.h"

#include "control/chart_state.h"
#include "ui/input.h"
#include "ui/menu_commands.h"

namespace palvex {

namespace {
constexpr std::int16_t kLeftButton = 1;
}  // namespace

void UpdateInfoLabel(ChartState& chart, int, double, double) {
  chart.children.lblInfo.Visible = true;
}

void InfoLabelMouseDown(ChartState& chart, std::int16_t button, std::int16_t, float x, float y) {
  Control& label = chart.children.lblInfo;
  if (button == kLeftButton) {
    chart.infoGrabX = x;
    chart.infoGrabY = y;
    label.Tag = u"Fix";
    chart.children.mnuAutoMoveInfo.Checked = false;
    BeginDrag(chart, label);
  } else {
    PopupMenuAndRun(chart, chart.children.mnuMain, label.Left + x, label.Top + y);
  }
}

void InfoLabelDblClick(ChartState& chart) {
  chart.children.lblInfo.Visible = false;
  chart.children.lblInfo.Tag.clear();
  chart.children.mnuAutoMoveInfo.Checked = true;
}

}  // namespace palvex
