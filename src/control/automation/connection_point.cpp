#include "control/automation/connection_point.h"

#include "model/events.h"

namespace palvex {

namespace {
DispId EventId(std::u16string_view name) {
  return FindMemberByName(PalvexChartLibrary().Events(), name)->dispid;
}
const DispId kItemClick = EventId(u"ItemClick");
const DispId kMouseDown = EventId(u"MouseDown");
const DispId kMouseUp = EventId(u"MouseUp");
}  // namespace

// Turns the typed events into late-bound calls. A handler may unadvise its
// own sink while it runs, which destroys this adapter: nothing here touches
// the adapter after handing the event over.
class ConnectionPoint::Adapter : public EventSink {
 public:
  explicit Adapter(DispatchEventSink& sink) : sink_(sink) {}

  void ItemClick(ChartItem& cItem) override {
    Variant args[] = {Variant::Record(cItem)};
    sink_.Invoke(kItemClick, args);
  }
  void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override {
    Mouse(kMouseDown, Button, Shift, X, Y);
  }
  void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override {
    Mouse(kMouseUp, Button, Shift, X, Y);
  }

 private:
  void Mouse(DispId id, std::int16_t button, std::int16_t shift, float x, float y) {
    Variant args[] = {Variant::Short(button), Variant::Short(shift), Variant::Single(x),
                      Variant::Single(y)};
    sink_.Invoke(id, args);
  }
  DispatchEventSink& sink_;
};

ConnectionPoint::ConnectionPoint(EventSinks& events) : events_(events) {}

ConnectionPoint::~ConnectionPoint() {
  for (auto& [cookie, adapter] : adapters_) events_.Unadvise(cookie);
}

std::uint32_t ConnectionPoint::Advise(DispatchEventSink* sink) {
  if (!sink) return 0;
  auto adapter = std::make_unique<Adapter>(*sink);
  const std::uint32_t cookie = events_.Advise(adapter.get());
  adapters_.emplace(cookie, std::move(adapter));
  return cookie;
}

bool ConnectionPoint::Unadvise(std::uint32_t cookie) {
  auto it = adapters_.find(cookie);
  if (it == adapters_.end()) return false;
  events_.Unadvise(cookie);
  adapters_.erase(it);
  return true;
}

}  // namespace palvex
