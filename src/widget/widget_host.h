#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/clock.h"
#include "platform/qt/qt_host.h"

class QMenu;

namespace palvex {

// The host a window gives the control: its screen's resolution, QImage
// surfaces, real pop-up menus, QTimers for the start timer and the scroll
// bar's repeat, repaints through the window (which keeps the growth's
// frames and plays them from its event loop, so the control's waits
// between frames are skipped), the file dialog, the clipboard, the about
// window and message boxes.
class WidgetHost : public QtHost {
 public:
  explicit WidgetHost(QWidget& window);

  Clock& clock() override { return clock_; }

  void SetTimer(int intervalMs, bool enabled) override;
  QTimer& startTimer() { return timer_; }
  // The scroll bar's repeat: Qt's own scroll bars' first delay, then its
  // rate. The window ticks the control on each timeout.
  void SetScrollRepeat(bool armed) override;
  QTimer& scrollRepeatTimer() { return repeatTimer_; }
  void RepaintNow() override { repaint_(); }
  // What a repaint the control asks for does.
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  // A QMenu at the pointer; the answer is the chosen item's name.
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  std::u16string PicturesFolder() override;
  bool SetClipboardImage(const Surface& surface) override;
  void ShowAbout() override;
  void ShowMessage(const std::u16string& text) override;
  // The window's locale (the user's, unless the application set another).
  std::u16string DigitGroupSeparator() override;
  std::u16string DecimalPoint() override;

 private:
  static void AddItems(QMenu& menu, const MenuItem& parent);

  QWidget& window_;
  InstantClock clock_;
  std::function<void()> repaint_;
  QTimer timer_;
  QTimer repeatTimer_;
};

}  // namespace palvex
