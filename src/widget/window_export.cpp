#include "widget/window_export.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/qt/qt_text.h"

namespace palvex {

std::optional<std::u16string> RunSaveFileDialog(QWidget* owner, const SaveDialogRequest& request) {
  QFileDialog dialog(owner, ToQString(request.title), ToQString(request.initialFolder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The first filter is selected; picking another makes its extension the
  // one a bare name gets.
  QStringList filters{QStringLiteral("%1 (%2)").arg(ToQString(request.filterName),
                                                    ToQString(request.filterPattern))};
  QStringList suffixes{ToQString(request.defaultExtension)};
  for (const FileFilter& f : request.otherFilters) {
    filters << QStringLiteral("%1 (%2)").arg(ToQString(f.name), ToQString(f.pattern));
    suffixes << ToQString(f.pattern).section(QChar(u'.'), -1);
  }
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.first());
  dialog.setDefaultSuffix(suffixes.first());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const qsizetype k = filters.indexOf(filter);
    if (k >= 0) dialog.setDefaultSuffix(suffixes[k]);
  });
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  dialog.selectFile(ToQString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(dialog.selectedFiles().first());
}

}  // namespace palvex
