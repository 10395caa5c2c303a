#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>

#include "control/automation/type_library.h"
#include "control/automation/variant.h"

namespace palvex {

class EventSinks;

// A late-bound receiver of the control's events: each arrives as its
// DISPID on the event interface and its arguments, passed by reference
// (ItemClick: the item as a record; MouseDown, MouseUp: Button and Shift
// as 16-bit integers, X and Y as 32-bit floats). What a handler writes
// back is ignored.
class DispatchEventSink {
 public:
  virtual ~DispatchEventSink() = default;
  virtual void Invoke(DispId id, std::span<Variant> args) = 0;
};

// The control's connection point for its event interface. Advised sinks
// receive every event the control raises, in the order advised, until
// they are unadvised or the connection point goes.
class ConnectionPoint {
 public:
  explicit ConnectionPoint(EventSinks& events);
  ~ConnectionPoint();
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  // A cookie for Unadvise, never 0; a null sink is refused with 0.
  std::uint32_t Advise(DispatchEventSink* sink);
  bool Unadvise(std::uint32_t cookie);

 private:
  class Adapter;
  EventSinks& events_;
  std::map<std::uint32_t, std::unique_ptr<Adapter>> adapters_;
};

}  // namespace palvex
