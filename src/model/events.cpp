#include "model/events.h"

#include <algorithm>

namespace palvex {

std::uint32_t EventSinks::Advise(EventSink* sink) {
  std::uint32_t cookie = nextCookie_++;
  if (nextCookie_ == 0) nextCookie_ = 1;
  sinks_.push_back({cookie, sink});
  return cookie;
}

bool EventSinks::Unadvise(std::uint32_t cookie) {
  auto it = std::find_if(sinks_.begin(), sinks_.end(),
                         [&](const Entry& e) { return e.cookie == cookie; });
  if (it == sinks_.end()) return false;
  sinks_.erase(it);
  return true;
}

template <typename F>
void EventSinks::ForEachSink(F&& deliver) {
  const std::vector<Entry> snapshot = sinks_;
  for (const Entry& e : snapshot) {
    bool live = std::any_of(sinks_.begin(), sinks_.end(),
                            [&](const Entry& s) { return s.cookie == e.cookie; });
    if (live) deliver(*e.sink);
  }
}

void EventSinks::RaiseItemClick(ChartItem item) {
  ForEachSink([&](EventSink& sink) {
    ChartItem copy = item;
    sink.ItemClick(copy);
  });
}

void EventSinks::RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  ForEachSink([&](EventSink& sink) {
    std::int16_t b = button, s = shift;
    float px = x, py = y;
    sink.MouseDown(b, s, px, py);
  });
}

void EventSinks::RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  ForEachSink([&](EventSink& sink) {
    std::int16_t b = button, s = shift;
    float px = x, py = y;
    sink.MouseUp(b, s, px, py);
  });
}

}  // namespace palvex
