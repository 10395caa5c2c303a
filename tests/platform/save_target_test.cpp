// Every save (a property bag, a picture) replaces a regular file only,
// follows links only where that is safe, and keeps what the file had.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/json_property_bag.h"
#include "platform/qt/save_target.h"
#include "support/error_of.h"

namespace palvex {
namespace {

using palvex::testing::ErrorOf;

// A save as the callers see it: the run-time error it raises (0: saved).
struct Saver {
  const char* name;
  std::function<int(const QString& path)> save;
};

const Saver kSavers[] = {
    {"bag",
     [](const QString& path) {
       JsonPropertyBag bag;
       bag.Write(u"uTopMargin", 750.0);
       return ErrorOf([&] { bag.Save(path); });
     }},
    {"picture",
     [](const QString& path) {
       QImage image(4, 4, QImage::Format_RGB32);
       image.fill(Qt::red);
       return SaveImageAtomically(image, path, "png").isEmpty() ? 0 : kErrPathAccess;
     }},
};

TEST(SaveTarget, APipeAFolderOrALinkToThemIsRefusedAndLeftAsItWas) {
  for (const Saver& saver : kSavers) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("to-pipe")));
    for (const char* target : {"pipe", "folder", "to-pipe"}) {
      SCOPED_TRACE(std::string(saver.name) + " over " + target);
      EXPECT_EQ(saver.save(dir.filePath(target)), kErrPathAccess);
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << saver.name;
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());
    EXPECT_TRUE(QFileInfo(dir.filePath("to-pipe")).isSymLink());
  }
}

TEST(SaveTarget, ALinkToARegularFileIsFollowedAndKept) {
  for (const Saver& saver : kSavers) {
    SCOPED_TRACE(saver.name);
    QTemporaryDir dir;
    const QString file = dir.filePath("file");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    const QString link = dir.filePath("link");
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(saver.save(link), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_GT(QFileInfo(file).size(), 3);
  }
}

QString Text(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Write(const QString& path, const char* text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text);
}

TEST(SaveTarget, ADanglingLinkOrALoopIsRefusedAndNothingIsCreated) {
  for (const Saver& saver : kSavers) {
    SCOPED_TRACE(saver.name);
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(dir.filePath("victim"), dir.filePath("dangling")));
    ASSERT_TRUE(QFile::link(dir.filePath("loop-b"), dir.filePath("loop-a")));
    ASSERT_TRUE(QFile::link(dir.filePath("loop-a"), dir.filePath("loop-b")));
    for (const char* target : {"dangling", "loop-a"}) {
      EXPECT_EQ(saver.save(dir.filePath(target)), kErrPathAccess) << target;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("victim")));
    EXPECT_TRUE(QFileInfo(dir.filePath("loop-a")).isSymLink());
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                  .size(),
              3);
  }
  EXPECT_TRUE(
      RefusedSaveTarget(QStringLiteral("/tmp/nul") + QChar(u'\0') + ".png").contains("NUL"));
}

TEST(SaveTarget, ALinkInAStickyWorldWritableFolderIsFollowedOnlyForItsOwnerOrTheFolders) {
  struct stat shared {
  }, plain{}, link{};
  shared.st_mode = S_IFDIR | S_ISVTX | 0777;
  shared.st_uid = 0;
  plain.st_mode = S_IFDIR | 0777;  // world-writable, not sticky
  plain.st_uid = 0;
  link.st_mode = S_IFLNK | 0777;
  const struct {
    const struct stat& folder;
    uid_t linkOwner;
    uid_t caller;
    bool followed;
  } cases[] = {
      {shared, 1000, 1000, true},                               // the caller's own link
      {shared, 0, 1000, true},                                  // the folder owner's link
      {shared, 65534, 1000, false}, {shared, 65534, 0, false},  // not even for root
      {plain, 65534, 1000, true},
  };
  for (const auto& c : cases) {
    link.st_uid = c.linkOwner;
    EXPECT_EQ(MayFollowLink(link, c.folder, c.caller), c.followed)
        << c.linkOwner << " " << c.caller;
  }
  // A link planted by another user in such a folder: the real thing needs
  // a second user, which only root can make a link for.
  if (geteuid() != 0) GTEST_SKIP() << "a link of another user needs root";
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  QTemporaryDir dir;
  const QString sticky = dir.filePath("sticky");
  ASSERT_TRUE(QDir(dir.path()).mkdir("sticky"));
  ASSERT_EQ(chmod(QFile::encodeName(sticky).constData(), 01777), 0);
  Write(dir.filePath("victim"), "victim");
  const QString planted = sticky + "/out.png";
  ASSERT_TRUE(QFile::link(dir.filePath("victim"), planted));
  ASSERT_EQ(lchown(QFile::encodeName(planted).constData(), nobody->pw_uid, nobody->pw_gid), 0);
  for (const Saver& saver : kSavers) {
    EXPECT_EQ(saver.save(planted), kErrPathAccess) << saver.name;
    EXPECT_EQ(Text(dir.filePath("victim")), "victim") << saver.name;
  }
  EXPECT_TRUE(RefusedSaveTarget(planted).contains("sticky world-writable"))
      << RefusedSaveTarget(planted).toStdString();
}

TEST(SaveTarget, AFileTheCallerMayNotWriteIsRefusedAndLeftAsItWas) {
  // Root may write anything: it saves as nobody, in a folder nobody may
  // write, so that only the file's own permissions refuse.
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  for (const Saver& saver : kSavers) {
    SCOPED_TRACE(saver.name);
    QTemporaryDir dir;
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString path = dir.filePath("read-only");
    Write(path, "old");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0444), 0);
    const bool asNobody = geteuid() == 0;
    if (asNobody) {
      ASSERT_EQ(seteuid(nobody->pw_uid), 0);
    }
    const int error = saver.save(path);
    if (asNobody) {
      ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_EQ(error, kErrPathAccess);
    EXPECT_EQ(Text(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
  }
}

TEST(SaveTarget, AReplacedFileKeepsItsPermissionsAndOwnerANewOneTheUmasks) {
  const struct {
    mode_t before;
    mode_t after;
  } modes[] = {{0600, 0600}, {0640, 0640}, {0755, 0755}, {04755, 0755}, {02770, 0770}};
  for (const Saver& saver : kSavers) {
    SCOPED_TRACE(saver.name);
    QTemporaryDir dir;
    for (const auto& m : modes) {
      const QString path = dir.filePath(QString::number(m.before, 8));
      Write(path, "old");
      ASSERT_EQ(chmod(QFile::encodeName(path).constData(), m.before), 0);
      ASSERT_EQ(saver.save(path), 0);
      struct stat st {};
      ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
      EXPECT_EQ(st.st_mode & 07777, m.after) << std::oct << m.before;
      EXPECT_NE(Text(path), "old");
    }
    const mode_t mask = umask(027);
    const QString fresh = dir.filePath("new");
    EXPECT_EQ(saver.save(fresh), 0);
    umask(mask);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fresh).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Owner and group, where the caller may give them (root may).
    if (geteuid() != 0) continue;
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const QString owned = dir.filePath("owned");
    Write(owned, "old");
    ASSERT_EQ(chown(QFile::encodeName(owned).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(saver.save(owned), 0);
    ASSERT_EQ(stat(QFile::encodeName(owned).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, nobody->pw_uid);
    EXPECT_EQ(st.st_gid, nobody->pw_gid);
  }
}

}  // namespace
}  // namespace palvex
