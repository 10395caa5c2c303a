#include "platform/qt/atomic_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

#include "platform/qt/save_target.h"

namespace palvex {

namespace {

// The temporary file's name has to fit where the target's does.
constexpr qsizetype kNameRoom = 200;

QString Reason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// The temporary file as a device, holding back up to kHeld bytes at a
// time. QFile would do, but a write it only partly makes (the disk filled
// in the middle) it reports with no reason; this keeps the system's.
class FileWriter : public QIODevice {
 public:
  explicit FileWriter(int fd) : fd_(fd) { open(QIODevice::WriteOnly); }
  ~FileWriter() override { close(); }

  // Writes out what is held; false, with the reason, when it cannot.
  bool WriteHeld() {
    const char* from = held_.constData();
    qsizetype left = held_.size();
    while (left > 0 && error_ == 0) {
      const ssize_t n = ::write(fd_, from, static_cast<size_t>(left));
      if (n > 0) {
        from += n;
        left -= n;
      } else if (n == 0 || errno != EINTR) {
        error_ = n == 0 ? EIO : errno;
      }
    }
    held_.clear();
    if (error_ != 0) setErrorString(Reason(error_));
    return error_ == 0;
  }
  int error() const { return error_; }

  bool seek(qint64 pos) override {
    if (!WriteHeld()) return false;
    if (lseek(fd_, pos, SEEK_SET) < 0) {
      error_ = errno;
      setErrorString(Reason(error_));
      return false;
    }
    return QIODevice::seek(pos);
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (error_ != 0) return -1;
    held_.append(data, static_cast<qsizetype>(size));
    if (held_.size() >= kHeld && !WriteHeld()) return -1;
    return size;
  }

 private:
  static constexpr qsizetype kHeld = 64 * 1024;
  int fd_;
  int error_ = 0;
  QByteArray held_;
};

// A new file of its own beside the target, open for writing; -1 with errno
// set when none could be made.
int CreateTemporary(int folder, const QByteArray& target, QByteArray& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = '.' + target.left(kNameRoom) + '.' +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
    // 0666 less the umask, as any new file; a replaced file's bits follow.
    const int fd = openat(folder, name.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// What belonged to the replaced file: its owner and group where the caller
// may give them (else the group alone), then its permission bits, never
// set-user/group-ID on a file someone else may have written.
bool KeepOwnerAndMode(int fd, const struct stat& old) {
  if (fchown(fd, old.st_uid, old.st_gid) != 0)
    (void)!fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  return fchmod(fd, old.st_mode & 07777 & ~mode_t{S_ISUID | S_ISGID}) == 0;
}

}  // namespace

QString SaveAtomically(const QString& path, const FileContent& write) {
  const SaveTarget target = FindSaveTarget(path);
  if (!target.error.isEmpty()) return target.error;
  const auto failed = [&](const QString& reason) {
    return QStringLiteral("%1: %2").arg(path, reason);
  };
  QByteArray temporary;
  const int fd = CreateTemporary(target.folder, target.name, temporary);
  if (fd < 0) return failed(Reason(errno));
  QString error;
  if (target.exists && !KeepOwnerAndMode(fd, target.old)) error = Reason(errno);
  if (error.isEmpty()) {
    FileWriter out(fd);
    const QString written = write(out);
    // What is held back goes out now, so a full disk shows here and not
    // after the old file is gone. The system's reason comes first: a
    // writer that saw its device fail rarely says why.
    if (!out.WriteHeld()) {
      error = out.errorString();
    } else if (!written.isEmpty()) {
      error = written;
    }
  }
  if (error.isEmpty() && fsync(fd) != 0) error = Reason(errno);
  if (close(fd) != 0 && error.isEmpty()) error = Reason(errno);
  if (error.isEmpty() &&
      renameat(target.folder, temporary.constData(), target.folder, target.name.constData()) != 0)
    error = Reason(errno);
  if (error.isEmpty()) return {};
  unlinkat(target.folder, temporary.constData(), 0);
  return failed(error);
}

}  // namespace palvex
