#include "ui/export.h"

#include "model/chart_state.h"

namespace palvex {

SaveDialogRequest SaveAsDialogRequest(Host& host) {
  SaveDialogRequest r;
  // No Pictures folder: the dialog opens where the platform chooses.
  r.initialFolder = host.PicturesFolder();
  r.fileName = u"Wendolith.bmp";
  r.filterName = u"Windows Bitmap";
  r.filterPattern = u"*.bmp";
  r.title = host.Translate(u"保持图表为文件");  // keep the chart as a file
  r.defaultExtension = u"bmp";
  r.overwritePrompt = true;
  return r;
}

ExportResult SaveAsBitmap(ChartState& chart) {
  const std::optional<std::u16string> path =
      chart.host.SaveFileDialog(SaveAsDialogRequest(chart.host));
  if (!path || path->empty()) return ExportResult::Cancelled;
  if (!chart.host.SaveBitmap(*chart.surface, *path)) {
    // cannot save the chart file
    chart.host.ShowMessage(chart.host.Translate(u"无法保存图表文件:\n") + *path);
    return ExportResult::Failed;
  }
  return ExportResult::Done;
}

ExportResult CopyToClipboard(ChartState& chart) {
  if (!chart.host.SetClipboardImage(*chart.surface)) {
    // cannot copy the chart to the clipboard
    chart.host.ShowMessage(chart.host.Translate(u"无法将图表复制到剪贴板。"));
    return ExportResult::Failed;
  }
  return ExportResult::Done;
}

}  // namespace palvex
