#include "ui/export.h"

#include <utility>

#include "model/chart_state.h"
#include "platform/scope_guard.h"
#include "render/draw_chart.h"
#include "theme/themes.h"

namespace palvex {

SaveDialogRequest SaveAsDialogRequest(Host& host) {
  SaveDialogRequest r;
  // No Pictures folder: the dialog opens where the platform chooses.
  r.initialFolder = host.PicturesFolder();
  r.fileName = u"Wendolith.bmp";
  r.filterName = u"Windows Bitmap";
  r.filterPattern = u"*.bmp";
  r.title = host.Translate(u"保持图表为文件");  // keep the chart as a file
  r.otherFilters = {{u"PNG", u"*.png"}, {u"SVG", u"*.svg"}, {u"PDF", u"*.pdf"}};
  r.defaultExtension = u"bmp";
  r.overwritePrompt = true;
  return r;
}

PictureFormat PictureFormatOfPath(const std::u16string& path) {
  const auto endsWith = [&](std::u16string_view suffix) {
    if (path.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      char16_t c = path[path.size() - suffix.size() + i];
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
      if (c != suffix[i]) return false;
    }
    return true;
  };
  if (endsWith(u".png")) return PictureFormat::Png;
  if (endsWith(u".svg")) return PictureFormat::Svg;
  if (endsWith(u".pdf")) return PictureFormat::Pdf;
  return PictureFormat::Bmp;
}

namespace {

// Why the picture could not be written, empty when it was.
std::u16string SavePicture(ChartState& chart, const std::u16string& path) {
  Host& host = chart.host;
  switch (const PictureFormat format = PictureFormatOfPath(path)) {
    case PictureFormat::Bmp:
      return host.SaveBitmap(*chart.surface, path);
    case PictureFormat::Png:
      return host.SavePicture(*chart.surface, path, format);
    case PictureFormat::Svg:
    case PictureFormat::Pdf: {
      std::unique_ptr<Surface> page = host.CreateVectorSurface(
          chart.surface->PixelWidth(), chart.surface->PixelHeight(), format);
      if (!page) return path + u": this host draws no vector pictures";
      DrawChartOn(chart, page);
      return host.SavePicture(*page, path, format);
    }
  }
  return path;
}

}  // namespace

void DrawChartOn(ChartState& chart, std::unique_ptr<Surface>& target) {
  const Surface& own = *chart.surface;
  // The pass starts from the state the control's own surface is in.
  target->SetBackColor(own.BackColor());
  target->SetForeColor(own.ForeColor());
  target->SetFontName(own.FontName());
  target->SetFontSize(own.FontSize());
  target->SetFontBold(own.FontBold());
  if (!chart.animationDone) {
    DrawBackTheme(*target, chart.host.screen(), chart.ActiveTheme);
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
