#pragma once

#include "platform/host.h"

namespace palvex {

struct ChartState;

// The Save As dialog with the values every host shows: the user's Pictures
// folder, "Wendolith.bmp" proposed, the Windows Bitmap filter, the title,
// confirmation before replacing a file, and "bmp" added to a bare name.
SaveDialogRequest SaveAsDialogRequest(Host& host);

enum class ExportResult { Done, Cancelled, Failed };

// Save As from the main menu: writes the picture the last drawing pass left
// on the control's own surface (no legend, no label) as a bitmap file. A
// failed write leaves an existing file as it was and tells the user.
ExportResult SaveAsBitmap(ChartState& chart);

// Copy from the main menu: the same picture on the clipboard; the user is
// told when the clipboard refuses it.
ExportResult CopyToClipboard(ChartState& chart);

}  // namespace palvex
