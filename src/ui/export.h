#pragma once

#include <memory>

#include "platform/host.h"

namespace palvex {

struct ChartState;

// The Save As dialog with the values every host shows: the user's Pictures
// folder, "Wendolith.bmp" proposed, the Windows Bitmap filter selected (PNG,
// SVG and PDF offered after it), the title, confirmation before replacing a
// file, and "bmp" added to a bare name.
SaveDialogRequest SaveAsDialogRequest(Host& host);

// The file type a path's extension names (any letter case); a bitmap for
// every other name, as Save As has always written.
PictureFormat PictureFormatOfPath(const std::u16string& path);

enum class ExportResult { Done, Cancelled, Failed };

// Save As from the main menu: writes the picture the last drawing pass left
// on the control's own surface (no legend, no label) as a bitmap file, or a
// PNG, SVG or PDF file when the chosen name ends so. A failed write leaves
// an existing file as it was and tells the user.
ExportResult SaveAsBitmap(ChartState& chart);

// Draws the chart the control shows on another surface of its size (a
// vector picture, a picture at another resolution): the finished chart is
// drawn again there as a resize redraws it, or, while the bars have not
// grown yet, the background the control shows until then. The control's
// own surface, layout, legend and events are as they were.
void DrawChartOn(ChartState& chart, std::unique_ptr<Surface>& target);

// Copy from the main menu: the same picture on the clipboard; the user is
// told when the clipboard refuses it.
ExportResult CopyToClipboard(ChartState& chart);

}  // namespace palvex
