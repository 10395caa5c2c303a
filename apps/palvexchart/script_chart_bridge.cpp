#include "script_chart_bridge.h"

#include <cmath>

#include "platform/chart_error.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// Delivers one event of the control to a script function.
class JsEventSink : public DispatchEventSink {
 public:
  JsEventSink(ScriptHost::Impl& impl, DispId event, QJSValue handler)
      : impl_(impl), event_(event), handler_(std::move(handler)) {}

  void Invoke(DispId id, std::span<Variant> args) override {
    if (id != event_) return;
    QJSValue list = impl_.engine.newArray(static_cast<quint32>(args.size()));
    for (std::size_t i = 0; i < args.size(); ++i) {
      list.setProperty(static_cast<quint32>(i), impl_.ToJs(args[i]));
    }
    const QJSValue outcome = impl_.callCatching.call({handler_, list});
    if (outcome.isObject() && !impl_.hasPendingError) {
      impl_.pendingError = outcome.property("thrown");
      impl_.hasPendingError = true;
    }
  }

 private:
  ScriptHost::Impl& impl_;
  DispId event_;
  QJSValue handler_;
};

class ChartBridge : public QObject {
  Q_OBJECT
 public:
  explicit ChartBridge(ScriptHost::Impl& impl) : impl_(impl) {}

  Q_INVOKABLE QJSValue member(const QString& name) {
    DispId id = 0;
    if (Dispatch::GetIDsOfNames(FromQString(name), id) != status::kOk) {
      impl_.Throw(kErrNoSuchMember,
                  QStringLiteral("%1: '%2'")
                      .arg(QString::fromStdString(ErrorMessage(kErrNoSuchMember)), name));
      return {};
    }
    QJSValue info = impl_.engine.newObject();
    info.setProperty("dispid", id);
    info.setProperty("method", Dispatch::Resolve(id, kInvokeMethod) != nullptr);
    return info;
  }
  Q_INVOKABLE bool has(const QString& name) {
    DispId id = 0;
    return Dispatch::GetIDsOfNames(FromQString(name), id) == status::kOk;
  }
  Q_INVOKABLE QJSValue get(int dispid) { return impl_.Invoke(dispid, kInvokePropertyGet, {}); }
  Q_INVOKABLE void put(int dispid, const QJSValue& value) {
    QJSValue args = impl_.engine.newArray(1);
    args.setProperty(0, value);
    impl_.Invoke(dispid, kInvokePropertyPut, args);
  }
  Q_INVOKABLE QJSValue call(int dispid, const QJSValue& args) {
    return impl_.Invoke(dispid, kInvokeMethod, args);
  }

  Q_INVOKABLE QJSValue invoke(const QJSValue& dispid, const QString& kind, const QJSValue& args) {
    const double d = dispid.toNumber();
    // DISPIDs may be written as their unsigned hexadecimal form (0xfffffdd8).
    if (!dispid.isNumber() || d != std::floor(d) || d < -2147483648.0 || d > 4294967295.0) {
      impl_.Throw(kErrInvalidCall, QStringLiteral("invoke: the DISPID must be a 32-bit number"));
      return {};
    }
    const auto id = static_cast<DispId>(static_cast<std::uint32_t>(static_cast<std::int64_t>(d)));
    const QString k = kind.toLower();
    const std::uint16_t flags = k == "get"    ? kInvokePropertyGet
                                : k == "put"  ? kInvokePropertyPut
                                : k == "call" ? kInvokeMethod
                                              : 0;
    if (!flags) {
      impl_.Throw(kErrInvalidCall,
                  QStringLiteral("invoke: the kind must be \"get\", \"put\" or \"call\""));
      return {};
    }
    return impl_.Invoke(id, flags, args);
  }

  Q_INVOKABLE QJSValue on(const QString& event, const QJSValue& handler) {
    const MemberInfo* e = FindMemberByName(PalvexChartLibrary().Events(), FromQString(event));
    if (!e) {
      impl_.Throw(kErrInvalidCall,
                  QStringLiteral("on: the control raises no event '%1'").arg(event));
      return {};
    }
    if (!handler.isCallable()) {
      impl_.Throw(kErrTypeMismatch, QStringLiteral("on: the handler must be a function"));
      return {};
    }
    auto sink = std::make_unique<JsEventSink>(impl_, e->dispid, handler);
    const std::uint32_t cookie = impl_.point.Advise(sink.get());
    impl_.sinks.emplace(cookie, std::move(sink));
    return QJSValue(static_cast<double>(cookie));
  }
  Q_INVOKABLE bool off(const QJSValue& cookie) {
    const double d = cookie.toNumber();
    if (!(d >= 1 && d <= 4294967295.0)) return false;
    auto it = impl_.sinks.find(static_cast<std::uint32_t>(d));
    if (it == impl_.sinks.end()) return false;
    impl_.point.Unadvise(it->first);
    impl_.retired.push_back(std::move(it->second));
    impl_.sinks.erase(it);
    return true;
  }

 private:
  ScriptHost::Impl& impl_;
};

}  // namespace

std::unique_ptr<QObject> MakeChartBridge(ScriptHost::Impl& impl) {
  return std::make_unique<ChartBridge>(impl);
}

}  // namespace palvex

#include "script_chart_bridge.moc"
