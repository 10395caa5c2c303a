#include "ui/info_label_input.h"

#include "model/chart_state.h"
#include "platform/mouse_buttons.h"
#include "render/info_label.h"
#include "ui/input.h"
#include "ui/menu_commands.h"

namespace palvex {

void InfoLabelMouseDown(ChartState& chart, std::int16_t button, std::int16_t, float x, float y) {
  Control& label = chart.children.lblInfo;
  if (button == kLeftButton) {
    chart.infoGrabX = x;
    chart.infoGrabY = y;
    label.Tag = kInfoLabelFixed;
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

std::optional<DragOutline> DragOutlineAt(ChartState& chart, float x, float y) {
  const PointerState& p = chart.pointer;
  if (!p.dragging) return std::nullopt;
  const Control* source = chart.children.Find(p.dragSource.name, p.dragSource.index);
  if (!source) return std::nullopt;
  return DragOutline{x - chart.infoGrabX, y - chart.infoGrabY, source->Width, source->Height};
}

}  // namespace palvex
