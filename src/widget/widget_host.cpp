#include "widget/widget_host.h"

#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>
#include <cmath>

#include "platform/menu_item.h"
#include "platform/numeric.h"
#include "platform/qt/qt_text.h"
#include "widget/about_window.h"
#include "widget/window_export.h"

namespace palvex {

namespace {

// A twip position as a window pixel, kept inside what a window can show.
int PixelOf(double twips, float twipsPerPixel) {
  const double px = RoundHalfEven(twips / twipsPerPixel);
  return std::isfinite(px) ? static_cast<int>(std::clamp(px, -1.0e6, 1.0e6)) : 0;
}

}  // namespace

WidgetHost::WidgetHost(QWidget& window) : WindowHost(window.screen()), window_(window) {
  // The chart's pictures are made at the window's resolution from the start.
  SetDevicePixelRatio(window.devicePixelRatioF());
}

std::u16string WidgetHost::DigitGroupSeparator() {
  return FromQString(window_.locale().groupSeparator());
}

std::u16string WidgetHost::DecimalPoint() {
  return FromQString(window_.locale().decimalPoint());
}

void WidgetHost::AddItems(QMenu& menu, const MenuItem& parent) {
  for (const MenuItem* item : parent.Items) {
    if (!item->Visible) continue;
    if (item->IsSeparator()) {
      menu.addSeparator();
      continue;
    }
    // Captions mark their access key with "&", as Qt's do.
    const QString caption = Translated(item->Caption);
    if (!item->Items.empty()) {
      QMenu* sub = menu.addMenu(caption);
      sub->setEnabled(item->Enabled);
      AddItems(*sub, *item);
      continue;
    }
    QAction* action = menu.addAction(caption);
    action->setData(QString::fromStdString(item->Name));
    // Only a checked item shows a mark; unchecked ones look plain.
    action->setCheckable(item->Checked);
    action->setChecked(item->Checked);
    action->setEnabled(item->Enabled);
    // Shown only: the chart's window handles the key itself.
    action->setShortcut(QKeySequence(QString::fromStdString(item->Shortcut)));
    action->setShortcutContext(Qt::WidgetShortcut);
  }
}

std::optional<std::string> WidgetHost::PopupMenu(const MenuItem& root, double x, double y) {
  const QPoint at(PixelOf(x, screen_.TwipsPerPixelX()), PixelOf(y, screen_.TwipsPerPixelY()));
  // The chart's main menu is the window's context menu and follows its
  // policy, as any QWidget's does. The legend's own menu belongs to the
  // legend panel, a child with a menu of its own, and always opens.
  if (root.Name == "mnuMain") {
    switch (window_.contextMenuPolicy()) {
      case Qt::NoContextMenu:
      case Qt::PreventContextMenu:
        return std::nullopt;
      case Qt::CustomContextMenu:
        emit window_.customContextMenuRequested(at);
        return std::nullopt;
      case Qt::ActionsContextMenu:
        if (!window_.actions().isEmpty())
          QMenu::exec(window_.actions(), window_.mapToGlobal(at), nullptr, &window_);
        return std::nullopt;
      case Qt::DefaultContextMenu:
        break;
    }
  }
  QMenu menu(&window_);
  AddItems(menu, root);
  if (menu.isEmpty()) return std::nullopt;
  const QAction* chosen = menu.exec(window_.mapToGlobal(at));
  if (!chosen) return std::nullopt;
  return chosen->data().toString().toStdString();
}

std::optional<std::u16string> WidgetHost::SaveFileDialog(const SaveDialogRequest& request) {
  return RunSaveFileDialog(&window_, request);
}

void WidgetHost::ShowAbout() {
  AboutWindow::ShowModal(&window_);
}

void WidgetHost::ShowMessage(const std::u16string& text) {
  QMessageBox::warning(&window_, window_.windowTitle(), ToQString(text));
}

}  // namespace palvex
