#pragma once

#include <cstdint>
#include <vector>

#include "model/chart_item.h"

namespace palvex {

// A receiver of the control's three events.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void ItemClick(ChartItem& /*cItem*/) {}
  virtual void MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                         float& /*Y*/) {}
  virtual void MouseUp(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                       float& /*Y*/) {}
};

// The one place the control raises its events: every advised sink gets
// them, in the order advised. Each sink gets its own copies; what a handler
// writes back is ignored.
class EventSinks {
 public:
  // Returns a cookie for Unadvise; never 0.
  std::uint32_t Advise(EventSink* sink);
  bool Unadvise(std::uint32_t cookie);
  std::size_t size() const { return sinks_.size(); }

  // Takes its own copy: a handler may change the item list it came from.
  void RaiseItemClick(ChartItem item);
  void RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y);

 private:
  struct Entry {
    std::uint32_t cookie;
    EventSink* sink;
  };
  // A handler may advise or unadvise while an event is delivered, so each
  // raise walks a snapshot and skips the sinks removed meanwhile.
  template <typename F>
  void ForEachSink(F&& deliver);
  std::vector<Entry> sinks_;
  std::uint32_t nextCookie_ = 1;
};

}  // namespace palvex
