#include "quick/quick_host.h"

#include <palvex/palvexversion.h>

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/menu_item.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// A text as a QML string literal.
QString Quoted(const QString& text) {
  QString q = text;
  q.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  q.replace(QLatin1Char('"'), QLatin1String("\\\""));
  q.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  q.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  return QLatin1Char('"') + q + QLatin1Char('"');
}

// The menu's items as QML: Qt Quick Controls marks an access key with "&"
// as the control's captions do.
QString MenuItems(const MenuItem& parent) {
  QString qml;
  for (const MenuItem* item : parent.Items) {
    if (!item->Visible) continue;
    if (item->IsSeparator()) {
      qml += QStringLiteral("MenuSeparator {}\n");
      continue;
    }
    const QString caption = Quoted(Translated(item->Caption));
    if (!item->Items.empty()) {
      qml += QStringLiteral("Menu { title: %1; enabled: %2\n%3}\n")
                 .arg(caption, item->Enabled ? "true" : "false", MenuItems(*item));
      continue;
    }
    qml += QStringLiteral(
               "MenuItem { text: %1; enabled: %2; checkable: %3; checked: %3; "
               "onTriggered: root.chosen = %4 }\n")
               .arg(caption, item->Enabled ? "true" : "false", item->Checked ? "true" : "false",
                    Quoted(QString::fromStdString(item->Name)));
  }
  return qml;
}

// Makes an object from QML text in the item's engine, as a child of the
// item; null without an engine or when the text does not load (the
// module is not installed).
std::unique_ptr<QObject> Create(QQuickItem& item, const QString& qml) {
  QQmlEngine* engine = qmlEngine(&item);
  if (!engine) return nullptr;
  QQmlComponent component(engine);
  component.setData(qml.toUtf8(), QUrl());
  std::unique_ptr<QObject> object(component.beginCreate(engine->rootContext()));
  if (!object) {
    qWarning("PalvexChart: %s", qPrintable(component.errorString()));
    return nullptr;
  }
  object->setParent(&item);
  if (auto* visual = qobject_cast<QQuickItem*>(object.get())) visual->setParentItem(&item);
  object->setProperty("parent", QVariant::fromValue(&item));
  component.completeCreate();
  return object;
}

// Runs the event loop until the object emits done().
void WaitUntilDone(QObject& object) {
  QEventLoop loop;
  QObject::connect(&object, SIGNAL(done()), &loop, SLOT(quit()));
  loop.exec();
}

}  // namespace

// The item has no window yet when it is made: the primary screen's
// resolution until it has.
QuickHost::QuickHost(QQuickItem& item)
    : WindowHost(QGuiApplication::primaryScreen()), item_(item) {}

std::optional<std::string> QuickHost::PopupMenu(const MenuItem& root, double x, double y) {
  const QString qml = QStringLiteral(
                          "import QtQuick\nimport QtQuick.Controls\n"
                          "Menu { id: root\n property string chosen\n signal done()\n"
                          " onClosed: done()\n x: %1; y: %2\n%3}\n")
                          .arg(x / screen_.TwipsPerPixelX())
                          .arg(y / screen_.TwipsPerPixelY())
                          .arg(MenuItems(root));
  std::unique_ptr<QObject> menu = Create(item_, qml);
  if (!menu) return std::nullopt;
  QMetaObject::invokeMethod(menu.get(), "open");
  WaitUntilDone(*menu);
  const QString chosen = menu->property("chosen").toString();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::optional<std::u16string> QuickHost::SaveFileDialog(const SaveDialogRequest& request) {
  QStringList filters{QStringLiteral("%1 (%2)").arg(ToQString(request.filterName),
                                                    ToQString(request.filterPattern))};
  for (const FileFilter& f : request.otherFilters)
    filters << QStringLiteral("%1 (%2)").arg(ToQString(f.name), ToQString(f.pattern));
  QStringList quoted;
  for (const QString& f : filters) quoted << Quoted(f);
  const QUrl folder = QUrl::fromLocalFile(ToQString(request.initialFolder));
  const QString proposed =
      ToQString(request.initialFolder) + QLatin1Char('/') + ToQString(request.fileName);
  // Qt Quick's own file dialog selects only a file that exists: a new
  // name is typed by the user.
  const QString selected = QFileInfo::exists(proposed)
                               ? QStringLiteral(" selectedFile: %1\n")
                                     .arg(Quoted(QUrl::fromLocalFile(proposed).toString()))
                               : QString();
  const QString qml =
      QStringLiteral(
          "import QtQuick\nimport QtQuick.Dialogs\n"
          "FileDialog { signal done()\n fileMode: FileDialog.SaveFile\n"
          " title: %1\n nameFilters: [%2]\n currentFolder: %3\n"
          "%4 defaultSuffix: %5\n%6"
          " property bool chosen: false\n"
          " onAccepted: { chosen = true; done() }\n onRejected: done()\n}\n")
          .arg(Quoted(ToQString(request.title)), quoted.join(QLatin1Char(',')),
               Quoted(folder.toString()), selected, Quoted(ToQString(request.defaultExtension)),
               request.overwritePrompt
                   ? QString()
                   : QStringLiteral(" options: FileDialog.DontConfirmOverwrite\n"));
  std::unique_ptr<QObject> dialog = Create(item_, qml);
  if (!dialog) return std::nullopt;
  QMetaObject::invokeMethod(dialog.get(), "open");
  WaitUntilDone(*dialog);
  if (!dialog->property("chosen").toBool()) return std::nullopt;
  const QUrl chosen = dialog->property("selectedFile").toUrl();
  if (chosen.isLocalFile()) return FromQString(chosen.toLocalFile());
  // A name the user typed comes back as a bare path, without the file
  // scheme: it is the file in the folder shown all the same. Anything else
  // (no name at all comes back as a relative ".bmp") names no file.
  if (chosen.scheme().isEmpty() && QDir::isAbsolutePath(chosen.path()))
    return FromQString(chosen.path());
  return std::nullopt;
}

void QuickHost::ShowAbout() {
  // The widget's about window is a widget; here the same words in a dialog.
  ShowMessage(FromQString(QStringLiteral("PalvexChart " PALVEX_VERSION_STR "\n") +
                          Translated(u"动画特效图表控件") + QLatin1Char('\n') +
                          Translated(u"支持换肤")));
}

void QuickHost::ShowMessage(const std::u16string& text) {
  const QString qml = QStringLiteral(
                          "import QtQuick\nimport QtQuick.Dialogs\n"
                          "MessageDialog { signal done()\n text: %1\n buttons: MessageDialog.Ok\n"
                          " onAccepted: done()\n onRejected: done()\n}\n")
                          .arg(Quoted(ToQString(text)));
  std::unique_ptr<QObject> dialog = Create(item_, qml);
  if (!dialog) return;
  QMetaObject::invokeMethod(dialog.get(), "open");
  WaitUntilDone(*dialog);
}

std::u16string QuickHost::DigitGroupSeparator() {
  return FromQString(QLocale().groupSeparator());
}

std::u16string QuickHost::DecimalPoint() {
  return FromQString(QLocale().decimalPoint());
}

}  // namespace palvex
