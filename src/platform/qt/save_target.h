#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <QByteArray>
#include <QString>

namespace palvex {

// Where a save goes: the folder that will hold the file (open, so it cannot
// be swapped for another between the checks and the rename), the file's
// name in it, and what is there now.
class SaveTarget {
 public:
  SaveTarget() = default;
  SaveTarget(SaveTarget&& other) noexcept;
  SaveTarget& operator=(SaveTarget&& other) noexcept;
  SaveTarget(const SaveTarget&) = delete;
  SaveTarget& operator=(const SaveTarget&) = delete;
  ~SaveTarget();

  int folder = -1;      // descriptor of the holding folder
  QByteArray name;      // the file's name in it
  bool exists = false;  // a regular file of that name is there
  struct stat old {};   // that file, when it exists
  QString error;        // why nothing may be written, empty when it may
};

// Finds where a save of path goes, refusing what it must not replace. Saves
// write a temporary file and rename it over the target, which would turn a
// folder, a named pipe or a device node into a plain file: only a regular
// file (or a name not yet taken) is replaced. A symbolic link is followed
// and stays, with the file it names replaced, but only as far as the
// kernel's protected-symlinks rule would follow it even where that is off:
// a link in a sticky world-writable folder (such as the temporary folder)
// only when it belongs to the caller or to the folder's owner. A link to a
// missing file is refused (no file is created through it), and so is a
// loop. A file the caller may not write is refused, though the folder
// would let it be replaced. A path holding a NUL character is refused: the
// system would cut it there. The error names the path and the reason.
SaveTarget FindSaveTarget(const QString& path);

// Why a save may not go to path, empty when it may (FindSaveTarget).
QString RefusedSaveTarget(const QString& path);

// The protected-symlinks rule: a link found in a folder may be followed by
// caller when the folder is not both sticky and world-writable, or when the
// link belongs to the caller or to the folder's owner.
bool MayFollowLink(const struct stat& link, const struct stat& folder, uid_t caller);

}  // namespace palvex
