#include "script_host.h"

#include <QFile>
#include <QJSEngine>
#include <QJSValueIterator>
#include <QObject>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "control/automation/connection_point.h"
#include "control/automation/dispatch.h"
#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

constexpr int kMaxSidePx = 16384;

// Builds the script's globals over the two bridges. `chart` is a proxy, so
// that any name a script writes is resolved by the control at run time;
// invoke, on and off are the host's own helpers, not members.
constexpr const char* kGlobals = R"JS(
(function (bridge, hostBridge) {
  "use strict";
  const own = {
    invoke: (dispid, kind, ...args) => bridge.invoke(dispid, kind, args),
    on: (event, handler) => bridge.on(event, handler),
    off: (cookie) => bridge.off(cookie),
    toString: () => "[object PalvexChart]",
  };
  const chart = new Proxy({}, {
    get(target, name) {
      if (typeof name !== "string") return undefined;
      if (Object.prototype.hasOwnProperty.call(own, name)) return own[name];
      const member = bridge.member(name);
      if (member.method) return (...args) => bridge.call(member.dispid, args);
      return bridge.get(member.dispid);
    },
    set(target, name, value) {
      if (typeof name !== "string") return false;
      bridge.put(bridge.member(name).dispid, value);
      return true;
    },
    has(target, name) {
      return typeof name === "string" && bridge.has(name);
    },
  });
  const host = Object.freeze({
    resize: (width, height) => hostBridge.resize(width, height),
    saveImage: (path) => hostBridge.saveImage(path),
    show: () => hostBridge.show(),
    tick: () => hostBridge.tick(),
    mouseDown: (button, shift, x, y) => hostBridge.mouseDown(button, shift, x, y),
    mouseMove: (button, shift, x, y) => hostBridge.mouseMove(button, shift, x, y),
    mouseUp: (button, shift, x, y) => hostBridge.mouseUp(button, shift, x, y),
    answerMenu: (name) => hostBridge.answerMenu(name),
    control: (name, index) => hostBridge.control(name, index),
  });
  const print = (...values) => hostBridge.printLine(values.map(String).join(" "));
  return { chart, host, print };
})
)JS";

// Calls an event handler and hands back what it threw, if anything, since
// a handler may throw values that are not Error objects.
constexpr const char* kCallCatching = R"JS(
(function (handler, args) {
  try { handler(...args); return null; } catch (e) { return { thrown: e }; }
})
)JS";

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QString MemberName(DispId id) {
  for (const MemberInfo& m : PalvexChartLibrary().Interface().members) {
    if (m.dispid == id) return Text(m.name);
  }
  return QStringLiteral("DISPID %1").arg(id);
}

}  // namespace

class ChartBridge;
class HostBridge;
class JsEventSink;

struct ScriptHost::Impl {
  explicit Impl(PrintLine p);
  ~Impl();

  // Raises a JS Error carrying the run-time error number.
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
  HeadlessHost host;
  PalvexChart chart{host};
  Dispatch dispatch{chart};
  ConnectionPoint point{chart.state().events};
  // Declared after the control and before every QJSValue holder, so that
  // script values go before the engine and the engine before the control.
  QJSEngine engine;
  std::unique_ptr<ChartBridge> chartBridge;
  std::unique_ptr<HostBridge> hostBridge;
  QJSValue callCatching;
  QJSValue pendingError;
  bool hasPendingError = false;
  std::map<std::uint32_t, std::unique_ptr<JsEventSink>> sinks;
  // Sinks unadvised while an event may still be running in them.
  std::vector<std::unique_ptr<JsEventSink>> retired;
};

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
                  QStringLiteral("%1: '%2'").arg(Text(ErrorMessage(kErrNoSuchMember)), name));
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

class HostBridge : public QObject {
  Q_OBJECT
 public:
  explicit HostBridge(ScriptHost::Impl& impl) : impl_(impl) {}

  // The control's surface takes the new size in pixels; the life cycle's
  // resize handling is not part of the control yet.
  Q_INVOKABLE void resize(const QJSValue& width, const QJSValue& height) {
    try {
      const std::int32_t w = impl_.FromJs(width).ToI4();
      const std::int32_t h = impl_.FromJs(height).ToI4();
      if (w < 1 || h < 1 || w > kMaxSidePx || h > kMaxSidePx) {
        impl_.Throw(kErrInvalidCall, QStringLiteral("host.resize: width and height must be 1 to "
                                                    "%1 pixels")
                                         .arg(kMaxSidePx));
        return;
      }
      impl_.chart.state().surface->ResizePixels(w, h);
    } catch (const ChartError& e) {
      impl_.Throw(e.number(), QStringLiteral("host.resize: %1").arg(e.what()));
    }
  }

  Q_INVOKABLE void saveImage(const QString& path) {
    if (path.isEmpty()) {
      impl_.Throw(kErrBadFileName, QStringLiteral("host.saveImage: no file name"));
      return;
    }
    const QString error = SaveImageAtomically(ImageOf(*impl_.chart.state().surface), path);
    if (!error.isEmpty()) impl_.Throw(kErrPathAccess, QStringLiteral("host.saveImage: ") + error);
  }

  Q_INVOKABLE void show() { NotYet("show"); }
  Q_INVOKABLE void tick() { NotYet("tick"); }

  Q_INVOKABLE void mouseDown(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                             const QJSValue& y) {
    Mouse("mouseDown", &PalvexChart::MouseDown, b, s, x, y);
  }
  Q_INVOKABLE void mouseMove(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                             const QJSValue& y) {
    Mouse("mouseMove", &PalvexChart::MouseMove, b, s, x, y);
  }
  Q_INVOKABLE void mouseUp(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                           const QJSValue& y) {
    Mouse("mouseUp", &PalvexChart::MouseUp, b, s, x, y);
  }

  // The next pop-up menu answers this item; null or nothing dismisses it.
  Q_INVOKABLE void answerMenu(const QJSValue& name) {
    if (name.isNull() || name.isUndefined()) {
      impl_.host.QueueMenuAnswer(std::nullopt);
    } else {
      impl_.host.QueueMenuAnswer(name.toString().toStdString());
    }
  }

  Q_INVOKABLE QJSValue control(const QString& name, const QJSValue& index) {
    const int i = index.isUndefined() ? -1 : index.toInt();
    ChildControls& children = impl_.chart.state().children;
    const std::string key = name.toStdString();
    if (const Control* c = children.Find(key, i)) return ControlJs(*c);
    if (const MenuItem* m = children.FindMenu(key)) return MenuJs(*m);
    if (key == "tmrStart") {
      QJSValue o = impl_.engine.newObject();
      o.setProperty("Name", name);
      o.setProperty("Interval", children.tmrStart.Interval);
      o.setProperty("Enabled", children.tmrStart.Enabled);
      return o;
    }
    impl_.Throw(kErrSubscript, QStringLiteral("host.control: no control %1%2")
                                   .arg(name, i < 0 ? QString() : QStringLiteral("(%1)").arg(i)));
    return {};
  }

  Q_INVOKABLE void printLine(const QString& line) { impl_.print(line); }

 private:
  void NotYet(const char* what) {
    impl_.Throw(
        kErrNoSuchMember,
        QStringLiteral("host.%1 is not available yet: the control has no life cycle").arg(what));
  }

  void Mouse(const char* what,
             void (PalvexChart::*handler)(std::int16_t, std::int16_t, float, float),
             const QJSValue& b, const QJSValue& s, const QJSValue& x, const QJSValue& y) {
    try {
      const std::int16_t button = impl_.FromJs(b).ToI2();
      const std::int16_t shift = impl_.FromJs(s).ToI2();
      const float px = impl_.FromJs(x).ToR4();
      const float py = impl_.FromJs(y).ToR4();
      (impl_.chart.*handler)(button, shift, px, py);
    } catch (const ChartError& e) {
      impl_.Throw(e.number(), QStringLiteral("host.%1: %2").arg(what, e.what()));
      return;
    }
    impl_.RethrowPending();
  }

  QJSValue ControlJs(const Control& c) {
    QJSValue o = impl_.engine.newObject();
    o.setProperty("Name", QString::fromStdString(c.Name));
    o.setProperty("Index", c.Index);
    o.setProperty("Left", c.Left);
    o.setProperty("Top", c.Top);
    o.setProperty("Width", c.Width);
    o.setProperty("Height", c.Height);
    o.setProperty("ScaleWidth", c.ScaleWidth());
    o.setProperty("ScaleHeight", c.ScaleHeight());
    o.setProperty("Visible", c.Visible);
    o.setProperty("Enabled", c.Enabled);
    o.setProperty("BackColor", static_cast<double>(c.BackColor));
    o.setProperty("ForeColor", static_cast<double>(c.ForeColor));
    o.setProperty("Caption", ToQString(c.Caption));
    o.setProperty("ToolTipText", ToQString(c.ToolTipText));
    o.setProperty("Tag", ToQString(c.Tag));
    o.setProperty("TabIndex", c.TabIndex);
    o.setProperty("FontName", ToQString(c.Font.name));
    o.setProperty("FontSize", static_cast<double>(c.Font.size));
    o.setProperty("FontBold", c.Font.bold);
    if (c.Kind == ControlKind::ScrollBar) {
      o.setProperty("Min", c.Min);
      o.setProperty("Max", c.Max);
      o.setProperty("Value", c.Value);
      o.setProperty("SmallChange", c.SmallChange);
      o.setProperty("LargeChange", c.LargeChange);
    }
    if (c.Kind == ControlKind::Label) o.setProperty("AutoSize", c.AutoSize);
    if (c.Kind == ControlKind::Picture)
      o.setProperty("FillColor", static_cast<double>(c.FillColor));
    return o;
  }

  QJSValue MenuJs(const MenuItem& m) {
    QJSValue o = impl_.engine.newObject();
    o.setProperty("Name", QString::fromStdString(m.Name));
    o.setProperty("Caption", ToQString(m.Caption));
    o.setProperty("Checked", m.Checked);
    o.setProperty("Visible", m.Visible);
    o.setProperty("Enabled", m.Enabled);
    return o;
  }

  ScriptHost::Impl& impl_;
};

ScriptHost::Impl::Impl(PrintLine p) : print(std::move(p)) {
  chart.InitProperties();
  chartBridge = std::make_unique<ChartBridge>(*this);
  hostBridge = std::make_unique<HostBridge>(*this);
  QJSEngine::setObjectOwnership(chartBridge.get(), QJSEngine::CppOwnership);
  QJSEngine::setObjectOwnership(hostBridge.get(), QJSEngine::CppOwnership);
  callCatching = engine.evaluate(QString::fromUtf8(kCallCatching));
  const QJSValue globals =
      engine.evaluate(QString::fromUtf8(kGlobals))
          .call({engine.newQObject(chartBridge.get()), engine.newQObject(hostBridge.get())});
  for (const char* name : {"chart", "host", "print"}) {
    engine.globalObject().setProperty(name, globals.property(name));
  }
}

ScriptHost::Impl::~Impl() {
  for (auto& [cookie, sink] : sinks) point.Unadvise(cookie);
}

void ScriptHost::Impl::Throw(int number, const QString& message) {
  QJSValue error = engine.newErrorObject(QJSValue::GenericError, message);
  error.setProperty("number", number);
  // The error should point at the script's line, not at the host's glue,
  // whose frames carry no file name ("set@:20").
  for (const QString& frame : error.property("stack").toString().split('\n')) {
    const QString where = frame.mid(frame.lastIndexOf('@') + 1);
    const int colon = where.lastIndexOf(':');
    if (colon <= 0) continue;
    error.setProperty("lineNumber", where.mid(colon + 1).toInt());
    break;
  }
  engine.throwError(error);
}

bool ScriptHost::Impl::RethrowPending() {
  if (!hasPendingError) return false;
  QJSValue error = pendingError;
  pendingError = QJSValue();
  hasPendingError = false;
  engine.throwError(error);
  return true;
}

ChartItem ScriptHost::Impl::RecordFromJs(const QJSValue& v) {
  // Fields are matched by name as the record's type describes them; the
  // first three are the texts, the fourth the value.
  const std::vector<RecordField>& fields = PalvexChartLibrary().Find("ChartItem").fields;
  ChartItem item;
  std::u16string* texts[] = {&item.ItemID, &item.SelectedDescription, &item.XAxisDescription};
  QJSValueIterator it(v);
  while (it.hasNext()) {
    it.next();
    const std::u16string name = FromQString(it.name());
    std::size_t f = 0;
    while (f < fields.size() && !SameName(name, fields[f].name)) ++f;
    if (f == fields.size()) {
      throw ChartError(kErrTypeMismatch,
                       "ChartItem has no field '" + it.name().toStdString() + "'");
    }
    if (it.value().isUndefined()) continue;
    const Variant value = FromJs(it.value());
    if (f < 3) {
      *texts[f] = value.ToText();
    } else {
      item.Value = value.ToR8();
    }
  }
  return item;
}

Variant ScriptHost::Impl::FromJs(const QJSValue& v) {
  if (v.isUndefined()) return Variant::Missing();
  if (v.isNull()) return Variant();
  if (v.isBool()) return Variant::Boolean(v.toBool());
  if (v.isNumber()) return Variant::Double(v.toNumber());
  if (v.isString()) return Variant::Text(FromQString(v.toString()));
  if (v.isObject() && !v.isArray() && !v.isCallable() && !v.isDate() && !v.isRegExp() &&
      !v.isQObject() && !v.isError()) {
    return Variant::Record(RecordFromJs(v));
  }
  throw ChartError(kErrTypeMismatch);
}

QJSValue ScriptHost::Impl::ToJs(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Missing:
      return QJSValue(QJSValue::UndefinedValue);
    case VarType::Bool:
      return QJSValue(v.ToBool());
    case VarType::String:
      return QJSValue(ToQString(v.ToText()));
    case VarType::Record: {
      const ChartItem item = v.ToRecord();
      QJSValue o = engine.newObject();
      o.setProperty("ItemID", ToQString(item.ItemID));
      o.setProperty("SelectedDescription", ToQString(item.SelectedDescription));
      o.setProperty("XAxisDescription", ToQString(item.XAxisDescription));
      o.setProperty("Value", item.Value);
      return o;
    }
    case VarType::I2:
    case VarType::I4:
    case VarType::UI4:
    case VarType::R4:
    case VarType::R8:
      break;
  }
  return QJSValue(v.ToR8());
}

QJSValue ScriptHost::Impl::Invoke(DispId id, std::uint16_t flags, const QJSValue& jsArgs) {
  const QString member = MemberName(id);
  std::vector<Variant> args;
  const int count = jsArgs.isUndefined() ? 0 : jsArgs.property("length").toInt();
  try {
    for (int i = 0; i < count; ++i)
      args.push_back(FromJs(jsArgs.property(static_cast<quint32>(i))));
  } catch (const ChartError& e) {
    Throw(e.number(), QStringLiteral("%1: %2").arg(member, e.what()));
    return {};
  }
  Variant result;
  ErrorInfo error;
  if (dispatch.Invoke(id, flags, args, &result, &error) != status::kOk) {
    QString message =
        QStringLiteral("%1: %2").arg(member, QString::fromStdString(error.description));
    if (error.argument >= 0 && flags != kInvokePropertyPut) message += QStringLiteral(" (argument %1)").arg(error.argument + 1);
    // An event handler's error comes first: it is what went wrong first.
    if (!RethrowPending()) Throw(error.number, message);
    return {};
  }
  if (RethrowPending()) return {};
  return ToJs(result);
}

ScriptHost::ScriptHost(PrintLine print) : impl_(std::make_unique<Impl>(std::move(print))) {}
ScriptHost::~ScriptHost() = default;

PalvexChart& ScriptHost::chart() {
  return impl_->chart;
}
HeadlessHost& ScriptHost::host() {
  return impl_->host;
}

ScriptOutcome ScriptHost::Run(const QString& source, const QString& fileName) {
  QStringList trace;
  const QJSValue result = impl_->engine.evaluate(source, fileName, 1, &trace);
  impl_->retired.clear();
  ScriptOutcome outcome;
  if (trace.isEmpty() && !result.isError()) return outcome;
  outcome.ok = false;
  if (result.isError()) {
    outcome.message = result.property("message").toString();
    const QString name = result.property("name").toString();
    if (result.property("number").isNumber()) {
      outcome.number = result.property("number").toInt();
    } else if (!name.isEmpty() && name != "Error") {
      outcome.message = name + ": " + outcome.message;
    }
    outcome.line = result.property("lineNumber").toInt();
  } else {
    outcome.message = result.toString();
  }
  if (outcome.line == 0 && !trace.isEmpty()) {
    // Entries read "function:line:column:file".
    const QStringList parts = trace.first().split(':');
    if (parts.size() > 1) outcome.line = parts[1].toInt();
  }
  return outcome;
}

int ScriptCommand(const QStringList& args) {
  if (args.size() != 1) {
    std::fputs("usage: palvexchart script FILE.js\n", stderr);
    return 2;
  }
  QFile file(args[0]);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "palvexchart: cannot read %s: %s\n", qPrintable(args[0]),
                 qPrintable(file.errorString()));
    return 2;
  }
  const QString source = QString::fromUtf8(file.readAll());
  ScriptHost scriptHost([](const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
  });
  const ScriptOutcome outcome = scriptHost.Run(source, args[0]);
  std::fflush(stdout);
  if (outcome.ok) return 0;
  const QString where = QStringLiteral("%1:%2").arg(args[0]).arg(outcome.line);
  if (outcome.number) {
    std::fprintf(stderr, "palvexchart: %s: run-time error %d: %s\n", qPrintable(where),
                 outcome.number, outcome.message.toUtf8().constData());
  } else {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(where),
                 outcome.message.toUtf8().constData());
  }
  return 1;
}

}  // namespace palvex

#include "script_host.moc"
