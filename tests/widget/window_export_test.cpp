#include "widget/window_export.h"
#include "core/clipboard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "platform/qt/headless_host.h"
#include "platform/qt/qt_text.h"
#include "ui/export.h"

namespace palvex {
namespace {

// Runs step once the modal loop that follows has started.
void WhenShown(std::function<void()> step) {
  QTimer::singleShot(0, std::move(step));
}

template <typename T>
T* Modal() {
  return qobject_cast<T*>(QApplication::activeModalWidget());
}

// The OK button of the dialog, with its checks (overwrite, extension).
void PressSave(QFileDialog* d) {
  static_cast<QDialog*>(d)->accept();
}

class SaveDialogTest : public ::testing::Test {
 protected:
  SaveDialogTest() {
    host.SetPicturesFolder(FromQString(dir.path()));
    request = SaveAsDialogRequest(host);
  }
  QString InDir(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  HeadlessHost host;
  SaveDialogRequest request;
};

TEST_F(SaveDialogTest, OpensInThePicturesFolderProposingTheBitmapNameAndAddsTheExtension) {
  WhenShown([&] {
    QFileDialog* d = Modal<QFileDialog>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("保持图表为文件"));
    EXPECT_EQ(d->directory().absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(d->nameFilters(),
              (QStringList{"Windows Bitmap (*.bmp)", "PNG (*.png)", "SVG (*.svg)", "PDF (*.pdf)"}));
    EXPECT_EQ(d->selectedNameFilter(), "Windows Bitmap (*.bmp)");
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d->selectedFiles(), QStringList{InDir("Wendolith.bmp")});
    d->selectFile("chart");  // typed without an extension
    PressSave(d);
  });
  EXPECT_EQ(RunSaveFileDialog(nullptr, request), FromQString(InDir("chart.bmp")));
}

TEST_F(SaveDialogTest, AsksBeforeReplacingAFileAndKeepsItWhenTheUserSaysNo) {
  QFile existing(InDir("Wendolith.bmp"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
    bool asked = false;
    WhenShown([&] {
      QFileDialog* d = Modal<QFileDialog>();
      ASSERT_NE(d, nullptr);
      WhenShown([&] {
        QMessageBox* box = Modal<QMessageBox>();
        ASSERT_NE(box, nullptr);
        asked = true;
        box->button(answer)->click();
      });
      PressSave(d);
      if (d->isVisible()) d->reject();  // "No" leaves the dialog open
    });
    const auto chosen = RunSaveFileDialog(nullptr, request);
    EXPECT_TRUE(asked);
    if (answer == QMessageBox::No) {
      EXPECT_EQ(chosen, std::nullopt);
    } else {
      EXPECT_EQ(chosen, FromQString(InDir("Wendolith.bmp")));
    }
  }
}

TEST_F(SaveDialogTest, CancellingAnswersNothing) {
  WhenShown([] { Modal<QFileDialog>()->reject(); });
  EXPECT_EQ(RunSaveFileDialog(nullptr, request), std::nullopt);
}

TEST(ClipboardTest, HoldsTheImageThatWasPutThere) {
  QImage image(31, 17, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  image.setPixelColor(3, 4, Qt::blue);
  ASSERT_TRUE(PutImageOnClipboard(image));
  const QImage held = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(held, image);
}

}  // namespace
}  // namespace palvex
