#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace palvex {

class HeadlessHost;
class PalvexChart;

// How a script ended: ok, or the uncaught error with its run-time error
// number (0 for an error of the script language itself) and line.
struct ScriptOutcome {
  bool ok = true;
  QString message;
  int number = 0;
  int line = 0;
};

// A JavaScript host for one new control on a headless host. The global
// `chart` is late-bound: every name goes through GetIDsOfNames and every
// call through Invoke, as any automation client's would; `host` drives the
// headless host; `print` writes a line.
class ScriptHost {
 public:
  using PrintLine = std::function<void(const QString&)>;
  explicit ScriptHost(PrintLine print);
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  ScriptOutcome Run(const QString& source, const QString& fileName = QStringLiteral("script"));

  PalvexChart& chart();
  HeadlessHost& host();

  // For scripts nobody wrote (a fuzzer's): host.saveImage writes no file
  // (Path/File access) and host.resize goes no larger than maxSidePx.
  void Confine(int maxSidePx);
  // Ends the running script at its next step, with an error; callable from
  // any thread.
  void Interrupt();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// How long a script run from the command line may take unless told
// otherwise, and the most it may be given (a day).
inline constexpr int kDefaultScriptSeconds = 60;
inline constexpr int kMaxScriptSeconds = 24 * 60 * 60;

// palvexchart script FILE.js [--timeout SECONDS]: exit 0 when the script
// ran to its end, 1 on an uncaught error (printed with its number) or when
// it ran out of time (stopped after SECONDS, kDefaultScriptSeconds unless
// given, 0 for no limit), 2 when it cannot be read or the command line is
// wrong.
int ScriptCommand(const QStringList& args);

}  // namespace palvex
