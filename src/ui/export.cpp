#include "ui/export.h"

#include <utility>

#include "model/chart_state.h"
#include "platform/picture_formats.h"
#include "platform/scope_guard.h"
#include "render/draw_chart.h"
#include "theme/themes.h"

namespace palvex {

SaveDialogRequest SaveAsDialogRequest(Host& host) {
  SaveDialogRequest r;
  // No Pictures folder: the dialog opens where the platform chooses.
  r.initialFolder = host.PicturesFolder();
  r.fileName = u"Wendolith.bmp";
  const PictureFormatRow& bitmap = RowOf(PictureFormat::Bmp);
  r.filterName = bitmap.filterName;
  r.filterPattern = FilterPattern(bitmap);
  r.title = host.Translate(u"保持图表为文件");  // keep the chart as a file
  for (const PictureFormatRow& row : PictureFormats()) {
    if (&row != &bitmap)
      r.otherFilters.push_back({std::u16string(row.filterName), FilterPattern(row)});
  }
  r.defaultExtension = u"bmp";
  r.overwritePrompt = true;
  return r;
}

PictureFormat PictureFormatOfPath(const std::u16string& path) {
  // Any other name is the bitmap, as it always was.
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string::npos) return PictureFormat::Bmp;
  const PictureFormatRow* row = PictureFormatOfSuffix(std::u16string_view(path).substr(dot + 1));
  return row ? row->format : PictureFormat::Bmp;
}

namespace {

// Why the picture could not be written, empty when it was.
std::u16string SavePicture(ChartState& chart, const std::u16string& path) {
  Host& host = chart.host;
  const PictureFormat format = PictureFormatOfPath(path);
  if (!RowOf(format).vector) {
    return format == PictureFormat::Bmp ? host.SaveBitmap(*chart.surface, path)
                                        : host.SavePicture(*chart.surface, path, format);
  }
  std::unique_ptr<Surface> page =
      host.CreateVectorSurface(chart.surface->PixelWidth(), chart.surface->PixelHeight(), format);
  if (!page) return path + u": this host draws no vector pictures";
  DrawChartOn(chart, page);
  return host.SavePicture(*page, path, format);
}

}  // namespace

void DrawChartOn(ChartState& chart, std::unique_ptr<Surface>& target) {
  const Surface& own = *chart.surface;
  // The pass starts from the state the control's own surface is in.
  target->SetBackColor(own.BackColor());
  target->SetForeColor(own.ForeColor());
  target->SetFont(own.Font());
  if (!chart.animationDone) {
    DrawBackTheme(*target, chart.host.screen(), ThemeOf(chart));
    return;
  }
  // A resize's pass keeps the legend's entries and the scroll bar as they
  // are; everything else it lays out again exactly as before.
  struct SwapBack {
    std::unique_ptr<Surface>& a;
    std::unique_ptr<Surface>& b;
    ~SwapBack() { std::swap(a, b); }
  };
  std::swap(chart.surface, target);
  const SwapBack swapBack{chart.surface, target};
  const SetOnExit keepResizing(chart.resizing, chart.resizing);
  chart.resizing = true;
  DrawChart(chart);
}

ExportResult SaveAsBitmap(ChartState& chart) {
  const std::optional<std::u16string> path =
      chart.host.SaveFileDialog(SaveAsDialogRequest(chart.host));
  if (!path || path->empty()) return ExportResult::Cancelled;
  if (const std::u16string error = SavePicture(chart, *path); !error.empty()) {
    // cannot save the chart file; the error names it and says why
    chart.host.ShowMessage(chart.host.Translate(u"无法保存图表文件:\n") + error);
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
