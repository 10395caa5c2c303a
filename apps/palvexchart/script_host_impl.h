#pragma once

// What the script host's parts share: the control, its dispatch and
// connection point, the engine, and the conversions between script values
// and variants. Private to the script host.
#include <QJSEngine>
#include <QJSValue>
#include <QObject>
#include <map>
#include <memory>
#include <vector>

#include "control/automation/connection_point.h"
#include "control/automation/dispatch.h"
#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "script_host.h"

namespace palvex {

struct ScriptHost::Impl {
  explicit Impl(PrintLine p);
  ~Impl();

  // Raises a JS Error carrying the run-time error number, or the error the
  // script threw during the call when there is one.
  void Throw(int number, const QString& message);
  // A handler's error, raised in the script once the call that caused the
  // event returns.
  bool RethrowPending();

  Variant FromJs(const QJSValue& v);
  ChartItem RecordFromJs(const QJSValue& v);
  QJSValue ToJs(const Variant& v);
  // One late-bound call; throws into the script on failure.
  QJSValue Invoke(DispId id, std::uint16_t flags, const QJSValue& jsArgs);

  PrintLine print;
  // See ScriptHost::Confine.
  bool writesFiles = true;
  int maxSidePx = 16384;
  HeadlessHost host;
  PalvexChart chart{host};
  Dispatch dispatch{chart};
  ConnectionPoint point{chart.state().events};
  // Declared after the control and before every QJSValue holder, so that
  // script values go before the engine and the engine before the control.
  QJSEngine engine;
  std::unique_ptr<QObject> chartBridge;
  std::unique_ptr<QObject> hostBridge;
  QJSValue callCatching;
  QJSValue readField;
  QJSValue pendingError;
  bool hasPendingError = false;
  std::map<std::uint32_t, std::unique_ptr<DispatchEventSink>> sinks;
  // Sinks unadvised while an event may still be running in them.
  std::vector<std::unique_ptr<DispatchEventSink>> retired;
};

// A member's name for messages, from its DISPID.
QString MemberName(DispId id);

}  // namespace palvex
