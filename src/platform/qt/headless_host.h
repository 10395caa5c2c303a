#pragma once

#include <QImage>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/host.h"
#include "platform/qt/fonts.h"

namespace palvex {

// A host with no window: surfaces are QImages, the timer fires when the
// caller says so, menus and dialogs answer from queued replies. Used by the
// renderer, the scripting host and the tests.
class HeadlessHost : public Host {
 public:
  HeadlessHost();

  Screen& screen() override { return screen_; }
  std::unique_ptr<Surface> CreateSurface(int widthPx, int heightPx) override;
  TextExtent MeasureText(const FontSpec& font, std::u16string_view text) override;
  Clock& clock() override { return *clock_; }
  void SetClock(Clock* clock) { clock_ = clock ? clock : &instant_; }

  void SetTimer(int intervalMs, bool enabled) override;
  bool timerEnabled() const { return timerEnabled_; }
  int timerInterval() const { return timerInterval_; }

  void RepaintNow() override { ++repaints_; }
  int repaints() const { return repaints_; }

  void PropertyChanged(std::u16string_view name) override { changedProperties_.emplace_back(name); }
  const std::vector<std::u16string>& changedProperties() const { return changedProperties_; }

  // Pop-up menus: each answers the next queued item name (or nothing).
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  void QueueMenuAnswer(std::optional<std::string> item) { menuAnswers_.push_back(item); }
  // The name of every menu popped up, in order.
  const std::vector<std::string>& poppedMenus() const { return poppedMenus_; }

 private:
  Screen screen_;
  FontMetricsCache metrics_;
  InstantClock instant_;
  Clock* clock_ = &instant_;
  bool timerEnabled_ = false;
  int timerInterval_ = 0;
  int repaints_ = 0;
  std::vector<std::u16string> changedProperties_;
  std::deque<std::optional<std::string>> menuAnswers_;
  std::vector<std::string> poppedMenus_;
};

}  // namespace palvex
