// Every save (a property bag, a picture) replaces a regular file only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/json_property_bag.h"
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

}  // namespace
}  // namespace palvex
