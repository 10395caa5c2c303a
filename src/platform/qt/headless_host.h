#pragma once

#include <QImage>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/qt/qt_host.h"

namespace palvex {

// A host with no window: surfaces are QImages, the timer fires when the
// caller says so, menus and dialogs answer from queued replies. Used by the
// renderer, the scripting host and the tests, whose pictures and answers
// must not depend on the machine: it leaves digit grouping to the control.
class HeadlessHost : public QtHost {
 public:
  HeadlessHost();

  Clock& clock() override { return *clock_; }
  void SetClock(Clock* clock) { clock_ = clock ? clock : &instant_; }

  void SetTimer(int intervalMs, bool enabled) override;
  bool timerEnabled() const { return timerEnabled_; }
  int timerInterval() const { return timerInterval_; }

  // The scroll bar's repeat: the caller ticks it while it is armed.
  void SetScrollRepeat(bool armed) override { scrollRepeat_ = armed; }
  bool scrollRepeatArmed() const { return scrollRepeat_; }

  void RepaintNow() override { ++repaints_; }
  int repaints() const { return repaints_; }

  void PropertyChanged(std::u16string_view name) override { changedProperties_.emplace_back(name); }
  const std::vector<std::u16string>& changedProperties() const { return changedProperties_; }

  // Pop-up menus: each answers the next queued item name (or nothing).
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  void QueueMenuAnswer(std::optional<std::string> item) { menuAnswers_.push_back(item); }
  // The name of every menu popped up, in order.
  const std::vector<std::string>& poppedMenus() const { return poppedMenus_; }

  // Save dialogs: each answers the next queued reply, as the user would
  // type it (a bare name lands in the initial folder and gets the default
  // extension); nothing queued cancels.
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  void QueueSaveAnswer(std::optional<std::u16string> path) { saveAnswers_.push_back(path); }
  const std::vector<SaveDialogRequest>& saveRequests() const { return saveRequests_; }

  std::u16string PicturesFolder() override;
  void SetPicturesFolder(std::u16string folder) { picturesFolder_ = std::move(folder); }

  // The clipboard is kept here for inspection; it can be made to refuse.
  bool SetClipboardImage(const Surface& surface) override;
  const QImage& clipboardImage() const { return clipboard_; }
  void SetClipboardAvailable(bool available) { clipboardAvailable_ = available; }

  // A real bitmap file, written through a temporary file.

  // No one can click a headless about window: it closes at once.
  void ShowAbout() override { ++aboutShown_; }
  int aboutShown() const { return aboutShown_; }

  void ShowMessage(const std::u16string& text) override { messages_.push_back(text); }
  const std::vector<std::u16string>& messages() const { return messages_; }

 private:
  InstantClock instant_;
  Clock* clock_ = &instant_;
  bool timerEnabled_ = false;
  int timerInterval_ = 0;
  bool scrollRepeat_ = false;
  int repaints_ = 0;
  std::vector<std::u16string> changedProperties_;
  std::deque<std::optional<std::string>> menuAnswers_;
  std::vector<std::string> poppedMenus_;
  std::deque<std::optional<std::u16string>> saveAnswers_;
  std::vector<SaveDialogRequest> saveRequests_;
  // Looked up when a save dialog first asks: most hosts never save.
  std::optional<std::u16string> picturesFolder_;
  QImage clipboard_;
  bool clipboardAvailable_ = true;
  int aboutShown_ = 0;
  std::vector<std::u16string> messages_;
};

}  // namespace palvex
