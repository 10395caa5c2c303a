#pragma once

#include <QObject>
#include <memory>

#include "script_host_impl.h"

namespace palvex {

// The object behind the script's `host`: size, picture, mouse input, menu
// answers, child controls and printing.
std::unique_ptr<QObject> MakeHostBridge(ScriptHost::Impl& impl);

}  // namespace palvex
