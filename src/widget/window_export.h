#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "platform/host.h"

class QWidget;

namespace palvex {

// The save dialog of a window: a QFileDialog over the owner with the
// request's folder, proposed name, filter, title, confirmation before
// replacing a file and default extension. Nothing when the user cancels.
std::optional<std::u16string> RunSaveFileDialog(QWidget* owner, const SaveDialogRequest& request);

}  // namespace palvex
