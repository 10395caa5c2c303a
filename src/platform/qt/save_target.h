#pragma once

#include <QString>

namespace palvex {

// Why a save may not go to path, empty when it may. Saves write a temporary
// file and rename it over the target, which would turn a folder, a named
// pipe or a device node into a plain file: only a regular file (or a name
// not yet taken) is replaced. A symbolic link is followed: the file it
// names is replaced and the link stays.
QString RefusedSaveTarget(const QString& path);

}  // namespace palvex
