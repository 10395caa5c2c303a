#pragma once

#include <QJsonObject>
#include <QStringList>

#include "control/automation/type_library.h"

namespace palvex {

// The library with every type, member, DISPID, parameter, enumeration
// constant and record field, for tools that read JSON rather than IDL.
QJsonObject TypeLibraryJson(const TypeLibrary& library);

// palvexchart typelib [--json]: prints the published library.
int TypelibCommand(const QStringList& args);

}  // namespace palvex
