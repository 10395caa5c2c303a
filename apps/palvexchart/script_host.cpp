#include "script_host.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJSValueIterator>
#include <cstdio>

#include "platform/chart_error.h"
#include "platform/qt/qt_text.h"
#include "script_chart_bridge.h"
#include "script_host_bridge.h"
#include "script_host_impl.h"
#include "script_watchdog.h"

namespace palvex {

namespace {

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
    dblClick: (x, y, button, shift) => hostBridge.dblClick(x, y, button, shift),
    wheel: (delta, x, y) => hostBridge.wheel(delta, x, y),
    scrollRepeat: () => hostBridge.scrollRepeat(),
    scrollRepeatArmed: () => hostBridge.scrollRepeatArmed(),
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

// Reads a field of a script's record; a getter that throws hands back its
// error, which the script gets instead of a value read as missing.
constexpr const char* kReadField = R"JS(
(function (record, name) {
  try { return { value: record[name] }; } catch (e) { return { thrown: e }; }
})
)JS";

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

}  // namespace

QString MemberName(DispId id) {
  for (const MemberInfo& m : PalvexChartLibrary().Interface().members) {
    if (m.dispid == id) return Text(m.name);
  }
  return QStringLiteral("DISPID %1").arg(id);
}

ScriptHost::Impl::Impl(PrintLine p) : print(std::move(p)) {
  chart.InitProperties();
  chartBridge = MakeChartBridge(*this);
  hostBridge = MakeHostBridge(*this);
  QJSEngine::setObjectOwnership(chartBridge.get(), QJSEngine::CppOwnership);
  QJSEngine::setObjectOwnership(hostBridge.get(), QJSEngine::CppOwnership);
  callCatching = engine.evaluate(QString::fromUtf8(kCallCatching));
  readField = engine.evaluate(QString::fromUtf8(kReadField));
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
  // What the script itself threw on the way (a getter, a handler) is what
  // went wrong first.
  if (RethrowPending()) return;
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
    const QJSValue read = readField.call({v, it.name()});
    if (read.hasOwnProperty("thrown")) {
      if (!hasPendingError) {
        pendingError = read.property("thrown");
        hasPendingError = true;
      }
      throw ChartError(kErrTypeMismatch);
    }
    const QJSValue field = read.property("value");
    if (field.isUndefined()) continue;
    const Variant value = FromJs(field);
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
    if (error.argument >= 0 && flags != kInvokePropertyPut)
      message += QStringLiteral(" (argument %1)").arg(error.argument + 1);
    // An event handler's error comes first: it is what went wrong first.
    if (!RethrowPending()) Throw(error.number, message);
    return {};
  }
  if (RethrowPending()) return {};
  return ToJs(result);
}

namespace {

// Scripts run in Qt's JavaScript interpreter, not its JIT: a compiled script
// interrupted by the watchdog while in one of `chart`'s proxy traps crashes
// Qt 6.4's engine, and the interpreter stops it soundly. A script spends its
// time in the control, not in JavaScript. Asked before any engine exists; a
// setting the user made stands.
std::unique_ptr<ScriptHost::Impl> MakeImpl(ScriptHost::PrintLine print) {
  if (!qEnvironmentVariableIsSet("QV4_FORCE_INTERPRETER")) qputenv("QV4_FORCE_INTERPRETER", "1");
  return std::make_unique<ScriptHost::Impl>(std::move(print));
}

}  // namespace

ScriptHost::ScriptHost(PrintLine print) : impl_(MakeImpl(std::move(print))) {}
ScriptHost::~ScriptHost() = default;

PalvexChart& ScriptHost::chart() {
  return impl_->chart;
}
HeadlessHost& ScriptHost::host() {
  return impl_->host;
}

void ScriptHost::Confine(int maxSidePx) {
  impl_->writesFiles = false;
  impl_->maxSidePx = maxSidePx;
}

void ScriptHost::Interrupt() {
  impl_->engine.setInterrupted(true);
}

ScriptOutcome ScriptHost::Run(const QString& source, const QString& fileName) {
  QStringList trace;
  const QJSValue result = impl_->engine.evaluate(source, fileName, 1, &trace);
  impl_->retired.clear();
  impl_->pendingError = QJSValue();
  impl_->hasPendingError = false;
  // Only a thrown value leaves a stack trace; a script may well end with an
  // Error object as its value.
  ScriptOutcome outcome;
  // An interrupted script leaves no stack trace, but it did not end.
  if (impl_->engine.isInterrupted()) {
    outcome.ok = false;
    outcome.message = QStringLiteral("interrupted");
    return outcome;
  }
  if (trace.isEmpty()) return outcome;
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
  QCommandLineParser parser;
  parser.addPositionalArgument("script", "JavaScript file");
  QCommandLineOption timeout("timeout", "seconds the script may run, 0 for no limit", "seconds",
                             QString::number(kDefaultScriptSeconds));
  parser.addOption(timeout);
  bool timeoutIsNumber = false;
  const double seconds = parser.parse(QStringList{"script"} + args)
                             ? parser.value(timeout).toDouble(&timeoutIsNumber)
                             : 0;
  if (parser.positionalArguments().size() != 1 || !timeoutIsNumber || !(seconds >= 0) ||
      seconds > kMaxScriptSeconds) {
    std::fputs("usage: palvexchart script FILE.js [--timeout SECONDS]\n", stderr);
    return 2;
  }
  const QString path = parser.positionalArguments()[0];
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "palvexchart: cannot read %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return 2;
  }
  const QString source = QString::fromUtf8(file.readAll());
  ScriptHost scriptHost([](const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
  });
  ScriptOutcome outcome;
  bool timedOut = false;
  {
    const ScriptWatchdog watchdog(
        scriptHost, std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000)));
    outcome = scriptHost.Run(source, path);
    timedOut = watchdog.fired() && !outcome.ok;
  }
  std::fflush(stdout);
  if (outcome.ok) return 0;
  if (timedOut) {
    std::fprintf(stderr, "palvexchart: %s: script timed out after %s s\n", qPrintable(path),
                 qPrintable(parser.value(timeout)));
    return 1;
  }
  const QString where = QStringLiteral("%1:%2").arg(path).arg(outcome.line);
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
