#pragma once

#include <QObject>
#include <memory>

#include "script_host_impl.h"

namespace palvex {

// The object behind the script's `chart`: name resolution, property get
// and put, method calls and calls by DISPID, and event handlers.
std::unique_ptr<QObject> MakeChartBridge(ScriptHost::Impl& impl);

}  // namespace palvex
