#include "platform/qt/save_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <utility>

namespace palvex {

namespace {

// As many links as the kernel follows in one path before it calls it a loop.
constexpr int kMaxLinks = 40;

QString Reason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// What a symbolic link holds, empty when it cannot be read.
QByteArray LinkText(int folder, const QByteArray& name) {
  QByteArray text(4096, '\0');
  const ssize_t n = readlinkat(folder, name.constData(), text.data(), text.size());
  if (n <= 0 || n >= text.size()) return {};
  text.truncate(n);
  return text;
}

}  // namespace

SaveTarget::SaveTarget(SaveTarget&& other) noexcept
    : folder(std::exchange(other.folder, -1)),
      name(std::move(other.name)),
      exists(other.exists),
      old(other.old),
      error(std::move(other.error)) {}

SaveTarget& SaveTarget::operator=(SaveTarget&& other) noexcept {
  if (this != &other) {
    if (folder >= 0) close(folder);
    folder = std::exchange(other.folder, -1);
    name = std::move(other.name);
    exists = other.exists;
    old = other.old;
    error = std::move(other.error);
  }
  return *this;
}

SaveTarget::~SaveTarget() {
  if (folder >= 0) close(folder);
}

bool MayFollowLink(const struct stat& link, const struct stat& folder, uid_t caller) {
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link.st_uid == caller || link.st_uid == folder.st_uid;
}

SaveTarget FindSaveTarget(const QString& path) {
  SaveTarget target;
  const auto refuse = [&](const QString& reason) {
    target.error = QStringLiteral("%1: %2").arg(path, reason);
    return std::move(target);
  };
  if (path.isEmpty()) return refuse(QStringLiteral("no file name given"));
  if (path.contains(QChar(u'\0'))) return refuse(QStringLiteral("the name holds a NUL character"));
  QByteArray at = QFile::encodeName(path);
  for (int links = 0; links <= kMaxLinks; ++links) {
    const qsizetype slash = at.lastIndexOf('/');
    const QByteArray folderPath = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : at.left(slash);
    const QByteArray name = at.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..")
      return refuse(QStringLiteral("is not a regular file; only a regular file is replaced"));
    if (target.folder >= 0) close(target.folder);
    target.folder = open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (target.folder < 0) return refuse(Reason(errno));
    struct stat st {};
    if (fstatat(target.folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) return refuse(Reason(errno));
      // Creating the file a dangling link names is how a planted link
      // makes a file appear wherever its owner wants one.
      if (links > 0)
        return refuse(QStringLiteral(
            "is a symbolic link to a missing file; no file is created through a link"));
      target.name = name;
      return target;
    }
    if (S_ISLNK(st.st_mode)) {
      struct stat folder {};
      if (fstat(target.folder, &folder) != 0) return refuse(Reason(errno));
      if (!MayFollowLink(st, folder, geteuid()))
        return refuse(QStringLiteral(
            "is a symbolic link in a sticky world-writable folder that belongs to neither you "
            "nor the folder's owner; it is not followed"));
      const QByteArray text = LinkText(target.folder, name);
      if (text.isEmpty()) return refuse(Reason(errno ? errno : ENAMETOOLONG));
      at = text.startsWith('/') ? text : folderPath + '/' + text;
      continue;
    }
    if (!S_ISREG(st.st_mode))
      return refuse(QStringLiteral("is not a regular file; only a regular file is replaced"));
    // A rename asks only the folder's permission. A file its owner made
    // read-only, or another user's the caller may not write, is kept, as
    // writing into it would keep it.
    if (faccessat(target.folder, name.constData(), W_OK, AT_EACCESS) != 0)
      return refuse(Reason(errno));
    target.name = name;
    target.exists = true;
    target.old = st;
    return target;
  }
  return refuse(Reason(ELOOP));
}

QString RefusedSaveTarget(const QString& path) {
  return FindSaveTarget(path).error;
}

}  // namespace palvex
