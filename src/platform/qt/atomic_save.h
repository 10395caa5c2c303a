#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

namespace palvex {

// Puts a file's content into out; returns why it could not, empty when it
// could.
using FileContent = std::function<QString(QIODevice& out)>;

// The one way a file is saved: whole or not at all. The content goes to a
// temporary file beside the target (FindSaveTarget says where, and refuses
// what must not be replaced), is flushed and synced, and only then renamed
// over the target, which a failure leaves byte for byte as it was, with no
// temporary file left behind. A replaced file keeps its permission bits
// (without set-user/group-ID) and, where the caller may give them, its
// owner and group; a new file gets the umask's. Returns why the file could
// not be saved, with the path and the operating system's reason ("No space
// left on device"), empty on success.
QString SaveAtomically(const QString& path, const FileContent& write);

}  // namespace palvex
