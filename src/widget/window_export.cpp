#include "widget/window_export.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/qt_text.h"

namespace palvex {

std::optional<std::u16string> RunSaveFileDialog(QWidget* owner, const SaveDialogRequest& request) {
  QFileDialog dialog(owner, ToQString(request.title), ToQString(request.initialFolder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(ToQString(request.filterName),
                                                     ToQString(request.filterPattern)));
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  dialog.selectFile(ToQString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(dialog.selectedFiles().first());
}

bool PutImageOnClipboard(const QImage& image) {
  QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                              ? QGuiApplication::clipboard()
                              : nullptr;
  if (!clipboard) return false;
  clipboard->setImage(image);
  const QMimeData* held = clipboard->mimeData();
  return held && held->hasImage();
}

}  // namespace palvex
