#include "ui/menu_commands.h"

#include <string>

#include "model/chart_state.h"
#include "render/draw_chart.h"
#include "ui/export.h"
#include "ui/input.h"
#include "ui/legend_toggles.h"

namespace palvex {

namespace {

void ToggleSelectionInformation(ChartState& chart) {
  MenuItem& item = chart.children.mnuSelectionInfo;
  item.Checked = !item.Checked;
  chart.SelectionInformation = item.Checked;
  DrawChart(chart);
}

void ToggleInfoFollowsBar(ChartState& chart) {
  // No redraw: the label moves under the bar at the next pass.
  MenuItem& item = chart.children.mnuAutoMoveInfo;
  item.Checked = !item.Checked;
  chart.children.lblInfo.Tag = item.Checked ? u"" : u"Fix";
}

}  // namespace

void RunMenuItem(ChartState& chart, std::string_view itemName) {
  if (itemName == "mnuSaveAs") {
    SaveAsBitmap(chart);
  } else if (itemName == "mnuEditCopy") {
    CopyToClipboard(chart);
  } else if (itemName == "mnuSelectionInfo") {
    ToggleSelectionInformation(chart);
  } else if (itemName == "mnuAutoMoveInfo") {
    ToggleInfoFollowsBar(chart);
  } else if (itemName == "mnuViewLegend") {
    ToggleLegend(chart);
  } else if (itemName == "mnuLegendHide") {
    HideLegend(chart);
  }
}

void PopupMenuAndRun(ChartState& chart, MenuItem& root, double x, double y) {
  const std::optional<std::string> chosen = chart.host.PopupMenu(root, x, y);
  // The menu's own loop took the button's release.
  ReleasePointer(chart);
  if (!chosen) return;
  // Only what the menu showed can have been chosen.
  for (const MenuItem* item : root.Items) {
    if (item->Name == *chosen && item->Visible && item->Enabled && !item->IsSeparator()) {
      RunMenuItem(chart, *chosen);
      return;
    }
  }
}

}  // namespace palvex
