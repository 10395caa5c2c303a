#pragma once

#include <QLocale>
#include <QTimer>
#include <functional>

#include "platform/clock.h"
#include "platform/qt/qt_host.h"

class QQuickItem;

namespace palvex {

// The host a Qt Quick item gives the control: the window's resolution,
// QImage surfaces, QTimers for the start timer and the scroll bar's repeat,
// repaints through the item (which keeps the growth's frames and plays
// them from the event loop), Qt Quick Controls' menu, Qt Quick Dialogs'
// file and message dialogs, the clipboard and the locale. Nothing here
// needs Qt Widgets.
class QuickHost : public QtHost {
 public:
  explicit QuickHost(QQuickItem& item);

  Clock& clock() override { return clock_; }
  void SetTimer(int intervalMs, bool enabled) override;
  QTimer& startTimer() { return timer_; }
  void SetScrollRepeat(bool armed) override;
  QTimer& scrollRepeatTimer() { return repeatTimer_; }
  void RepaintNow() override { repaint_(); }
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  // The menu opens at the pointer and the call waits until it closes, as
  // the control expects of a pop-up menu.
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  std::u16string PicturesFolder() override;
  bool SetClipboardImage(const Surface& surface) override;
  void ShowAbout() override;
  void ShowMessage(const std::u16string& text) override;
  std::u16string DigitGroupSeparator() override;
  std::u16string DecimalPoint() override;

 private:
  QQuickItem& item_;
  InstantClock clock_;
  std::function<void()> repaint_;
  QTimer timer_;
  QTimer repeatTimer_;
};

}  // namespace palvex
