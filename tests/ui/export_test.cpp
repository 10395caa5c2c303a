#include "ui/export.h"

#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/numeric.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qt_text.h"
#include "support/chart_fixture.h"
#include "support/error_of.h"
#include "support/picture_checks.h"
#include "theme/themes.h"

namespace palvex {
namespace {

using palvex::testing::ErrorOf;
using ::testing::HasSubstr;

constexpr Color kLegendMark = Rgb(1, 254, 3);  // painted on the legend panel only

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() {
    host.SetPicturesFolder(FromQString(pictures.path()));
    chart.InitProperties();
    chart.state().ActiveTheme = ThemeNormal;  // no gradient: the BackColor shows
    chart.SetBackColor(0x202020);
    chart.SetChartTitle(u"Export");
    for (int i = 1; i <= 4; ++i) {
      ChartItem item;
      item.ItemID = FromQString(QString::number(i));
      item.Value = 20.0 * i;
      item.SelectedDescription = u"item";
      chart.AddItem(item);
    }
    chart.SetSelectable(true);
    chart.SetSelectionInformation(true);
    chart.SetSelectedColumn(1);
  }

  // The legend panel open over the chart's right part, painted after the
  // last drawing pass, and the information label shown.
  void OpenLegend() {
    ChartState& s = chart.state();
    s.legendVisible = true;
    Control& legend = s.children.picLegend;
    legend.Visible = true;
    legend.Left = s.surface->ScaleWidth() - legend.Width;
    legend.surface->SetBackColor(kLegendMark);
    s.children.lblInfo.Visible = true;
  }

  const QImage& Surface() const { return ImageOf(*chart.state().surface); }
  QString InPictures(const QString& name) const { return pictures.filePath(name); }

  QTemporaryDir pictures;
  HeadlessHost host;
  PalvexChart chart{host};
};

bool HasColor(const QImage& image, Color c) {
  const QRgb wanted = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) return true;
    }
  }
  return false;
}

TEST_F(ExportTest, SaveAsAsksWithTheBindingValues) {
  EXPECT_EQ(SaveAsBitmap(chart.state()), ExportResult::Cancelled);  // nothing queued
  ASSERT_EQ(host.saveRequests().size(), 1u);
  const SaveDialogRequest& r = host.saveRequests()[0];
  EXPECT_EQ(r.initialFolder, FromQString(pictures.path()));
  EXPECT_EQ(r.fileName, u"Wendolith.bmp");
  EXPECT_EQ(r.filterName, u"Windows Bitmap");
  EXPECT_EQ(r.filterPattern, u"*.bmp");
  EXPECT_EQ(r.title, u"保持图表为文件");
  EXPECT_TRUE(r.overwritePrompt);
  EXPECT_EQ(r.defaultExtension, u"bmp");
  // Cancelling writes nothing and says nothing.
  EXPECT_TRUE(QDir(pictures.path()).isEmpty());
  EXPECT_TRUE(host.messages().empty());
}

TEST_F(ExportTest, SavesTheControlsOwnSurfaceAsABitmapWithoutTheChildControls) {
  OpenLegend();
  host.QueueSaveAnswer(u"chart");  // typed without an extension
  EXPECT_EQ(SaveAsBitmap(chart.state()), ExportResult::Done);

  QFile file(InPictures("chart.bmp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), "BM");
  file.close();
  const QImage saved(InPictures("chart.bmp"), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(),
            QSize(chart.state().surface->PixelWidth(), chart.state().surface->PixelHeight()));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Surface());
  EXPECT_FALSE(HasColor(saved, kLegendMark));
  EXPECT_TRUE(HasColor(saved, 0x202020));
}

TEST_F(ExportTest, SaveAsWritesTheKindOfFileTheNameEndsWithAndLeavesThePictureAlone) {
  OpenLegend();
  const QImage before = Surface().copy();
  const ChartState& s = chart.state();
  const std::vector<double> tops = s.barTops;
  const struct {
    const char* name;
    QByteArray start;
  } cases[] = {{"chart.PNG", "\x89PNG"},
               {"chart.svg", "<?xml"},
               {"chart.pdf", "%PDF"},
               {"chart.gif", "BM"}};  // any other name: the bitmap as ever
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.QueueSaveAnswer(FromQString(InPictures(c.name)));
    EXPECT_EQ(SaveAsBitmap(chart.state()), ExportResult::Done);
    QFile file(InPictures(c.name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(c.start.size()), c.start);
    if (c.start == "<?xml") {
      EXPECT_TRUE(file.seek(0) && testing::IsWellFormedXml(file.readAll()));
    }
  }
  // Drawing the vector pictures left the control's own picture, its layout
  // and its children as they were.
  EXPECT_EQ(Surface(), before);
  EXPECT_EQ(s.barTops, tops);
  EXPECT_TRUE(s.children.lblInfo.Visible);
  EXPECT_TRUE(host.messages().empty());
}

TEST_F(ExportTest, AnSvgIsWellFormedXmlWhateverCharactersTheTextsHold) {
  // Each character XML forbids, and halves of surrogate pairs, in every
  // text the picture shows: a title, the subtitle, the axis labels and a
  // caption, drawn straight and rotated.
  std::u16string odd = u"a";
  for (char16_t c = 0; c < 0x20; ++c) odd += c;
  odd += u"\uFFFE\uFFFF";
  odd += static_cast<char16_t>(0xD800);
  odd += u"b";
  odd += static_cast<char16_t>(0xDC00);
  odd += u"\U0001F600z";
  chart.SetChartTitle(odd);
  chart.SetChartSubTitle(odd);
  chart.SetAxisLabelX(odd);
  chart.SetAxisLabelY(odd);
  ChartItem item;
  item.ItemID = u"9";
  item.XAxisDescription = odd;
  item.SelectedDescription = odd;
  item.Value = 30;
  chart.AddItem(item);
  // A host's font named oddly: its family goes into the file's attributes,
  // for the titles and the rotated captions alike.
  FontSpec oddFont;
  oddFont.name = u"Serif \"x\" <b> & \x01";
  chart.state().look.titleFont = oddFont;
  chart.state().look.labelFont = oddFont;
  chart.Refresh();
  host.QueueSaveAnswer(FromQString(InPictures("odd.svg")));
  ASSERT_EQ(SaveAsBitmap(chart.state()), ExportResult::Done);
  QFile file(InPictures("odd.svg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray svg = file.readAll();
  EXPECT_TRUE(testing::IsWellFormedXml(svg));
  // The texts are there, with the forbidden characters replaced.
  EXPECT_TRUE(svg.contains("\xEF\xBF\xBD\xEF\xBF\xBD")) << svg.left(2000).toStdString();
}

TEST_F(ExportTest, AFailedSaveLeavesTheExistingFileIntactAndTellsTheUserWhy) {
  const QString name = QStringLiteral("full.bmp");
  QFile existing(InPictures(name));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old picture");
  existing.close();

  // In a child whose files may hold 100 bytes: past them a write fails
  // with EFBIG (SIGXFSZ ignored), as one on a full disk fails with ENOSPC.
  // It answers by its exit code whether the user was told the system's
  // reason.
  const pid_t child = fork();
  if (child == 0) {
    host.QueueSaveAnswer(FromQString(InPictures(name)));
    const rlimit files{100, 100};
    setrlimit(RLIMIT_FSIZE, &files);
    signal(SIGXFSZ, SIG_IGN);
    const bool told = SaveAsBitmap(chart.state()) == ExportResult::Failed &&
                      host.messages().size() == 1 &&
                      ToUtf8(host.messages()[0]).find(name.toStdString() + ": File too large") !=
                          std::string::npos;
    _exit(told ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
  EXPECT_EQ(existing.readAll(), "old picture");
  EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

  // A refused target tells the user as much.
  ASSERT_TRUE(QFile::link(InPictures("missing.bmp"), InPictures("dangling.bmp")));
  host.QueueSaveAnswer(FromQString(InPictures("dangling.bmp")));
  EXPECT_EQ(SaveAsBitmap(chart.state()), ExportResult::Failed);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_THAT(ToUtf8(host.messages()[0]), HasSubstr("dangling.bmp: is a symbolic link"));
  EXPECT_FALSE(QFile::exists(InPictures("missing.bmp")));
}

TEST_F(ExportTest, CopyPutsTheLastDrawnPictureOnTheClipboardWithoutRedrawing) {
  OpenLegend();
  // Drawn after the last pass: a redraw before copying would lose it.
  chart.state().surface->FilledBox(0, 0, 150, 150, 0x00FFFF);
  EXPECT_EQ(CopyToClipboard(chart.state()), ExportResult::Done);
  EXPECT_EQ(host.clipboardImage(), Surface());
  EXPECT_FALSE(HasColor(host.clipboardImage(), kLegendMark));
  EXPECT_EQ(host.clipboardImage().pixel(5, 5) & 0xFFFFFF, 0xFFFF00u);

  host.SetClipboardAvailable(false);
  EXPECT_EQ(CopyToClipboard(chart.state()), ExportResult::Failed);
  EXPECT_EQ(host.messages().size(), 1u);
}

TEST_F(ExportTest, EditCopyAnswersFalseAndRaisesWhenTheClipboardRefuses) {
  EXPECT_FALSE(chart.EditCopy());
  EXPECT_EQ(host.clipboardImage(), Surface());

  host.SetClipboardAvailable(false);
  EXPECT_EQ(ErrorOf([&] { chart.EditCopy(); }), kErrClipboard);
  EXPECT_TRUE(host.messages().empty());  // the host hears it, not the user
}

TEST_F(ExportTest, AboutShowsTheAboutWindowAndLeavesTheChartAlone) {
  const QImage before = Surface();
  chart.About();
  chart.About();
  EXPECT_EQ(host.aboutShown(), 2);
  EXPECT_EQ(Surface(), before);
  EXPECT_EQ(chart.SelectedColumn(), 1);
}

using WrappedSurfaceExportTest = testing::ChartFixture;

TEST_F(WrappedSurfaceExportTest, ExportsASurfaceSeenThroughARecorder) {
  AddItems({10, 20});
  chart->Refresh();
  EXPECT_FALSE(chart->EditCopy());
  EXPECT_EQ(host.clipboardImage(), ImageOf(surface().inner()));
}

}  // namespace
}  // namespace palvex
