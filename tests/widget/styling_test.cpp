// The host's styling in the widget: fonts and the palette theme, in every
// picture of the chart.
#include <palvex/palvexchartrenderer.h>
#include <palvex/palvexchartwidget.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTimerEvent>
#include <cmath>

#include "core/host_look.h"
#include "model/chart_state.h"
#include "platform/qt/qt_text.h"
#include "widget/palvex_chart_widget_p.h"

namespace palvex {
namespace {

class Styling : public ::testing::Test {
 protected:
  Styling() {
    w.setAnimated(false);
    w.resize(560, 372);
    w.setChartTitle("Rainfall");
    w.setChartSubTitle("mm a month");
    w.setAxisLabelX("Month");
    w.setLegendVisible(true);
    w.addItem({"1", "January rain", "Jan", 40});
    w.addItem({"2", "February rain", "Feb", 70});
  }
  // Shows the chart and lets the start timer draw it, as the event loop
  // would.
  void Show() {
    w.show();
    QTimer& start = PalvexChartWidgetPrivate::get(w).StartTimer();
    QTimerEvent expired(start.timerId());
    QCoreApplication::sendEvent(&start, &expired);
  }
  ChartState& s() { return PalvexChartWidgetPrivate::get(w).chart().state(); }
  QString Saved(const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(w.save(path)) << qPrintable(w.lastErrorString());
    return path;
  }

  QTemporaryDir dir;
  PalvexChartWidget w;
};

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString FontsOfPdf(const QString& pdf) {
  QProcess p;
  p.start("pdffonts", {pdf});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The title's and the labels' fonts reach the window, the bitmap, SVG and
// PDF (where the faces are embedded), the legend and the information
// label; reset, the control's own faces draw the same picture as before.
TEST_F(Styling, FontsReachEveryPictureAndResetGivesTheControlsFacesBack) {
  Show();
  w.refresh();  // the grown bars' last frame is not what a pass draws
  const QImage own = w.toImage();
  const QFont title("DejaVu Serif", 14, QFont::Bold, true);
  const QFont labels("DejaVu Sans Mono", 10);
  w.setTitleFont(title);
  w.setLabelFont(labels);
  EXPECT_EQ(w.titleFont(), title);
  EXPECT_EQ(w.labelFont(), labels);
  const QImage picture = w.toImage();
  EXPECT_NE(picture, own);
  // The window shows the same titles as the picture.
  const QRect titles(0, 0, 300, 40);
  EXPECT_EQ(w.grab().toImage().convertToFormat(picture.format()).copy(titles),
            picture.copy(titles));

  const QByteArray svg = Contents(Saved("fonts.svg"));
  EXPECT_TRUE(svg.contains("font-family=\"DejaVu Serif\"")) << "the title";
  EXPECT_TRUE(svg.contains("font-style=\"italic\""));
  EXPECT_TRUE(svg.contains("font-family=\"DejaVu Sans Mono\"")) << "captions and legend";
  EXPECT_FALSE(svg.contains("AR PL UMing")) << "no text is left in the control's face";
  const QString pdfFonts = FontsOfPdf(Saved("fonts.pdf"));
  EXPECT_TRUE(pdfFonts.contains("DejaVuSerif-BoldItalic")) << qPrintable(pdfFonts);
  EXPECT_TRUE(pdfFonts.contains("DejaVuSansMono")) << qPrintable(pdfFonts);
  EXPECT_FALSE(pdfFonts.contains("UMing")) << qPrintable(pdfFonts);

  EXPECT_EQ(ToQString(s().children.entries.FirstLabel().Font.name), "DejaVu Sans Mono");
  EXPECT_EQ(ToQString(s().children.lblInfo.Font.name), "DejaVu Sans Mono");

  // A size no font can have is refused and changes nothing.
  QFont huge = labels;
  huge.setPointSizeF(5000);
  w.setLabelFont(huge);
  EXPECT_EQ(w.lastError(), 380);
  EXPECT_EQ(w.labelFont(), labels);
  EXPECT_EQ(w.toImage(), picture);

  w.resetTitleFont();
  w.resetLabelFont();
  EXPECT_EQ(w.titleFont(), ControlTitleFont());
  EXPECT_EQ(w.toImage(), own);
}

// A light and a dark application each get a chart of their own brightness
// with readable text; a palette change redraws without the theme being set
// again. Normal's default text follows the palette too, readable on the
// back colour.
TEST_F(Styling, ThePaletteThemeFollowsALightAndADarkPaletteReadably) {
  QPalette light;
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::Window, QColor(239, 239, 239));
  light.setColor(QPalette::WindowText, Qt::black);
  light.setColor(QPalette::Text, Qt::black);
  light.setColor(QPalette::Highlight, QColor(48, 140, 198));
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Window, QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  const auto lightness = [](const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); y += 7)
      for (int x = 0; x < image.width(); x += 7) sum += QColor(image.pixel(x, y)).lightnessF();
    return sum / ((image.height() / 7 + 1) * (image.width() / 7 + 1));
  };

  Show();
  w.setPalette(light);
  w.setTheme(PalvexChartWidget::Palette);
  const QImage lit = w.toImage();
  EXPECT_GT(lightness(lit), 0.7);
  w.setPalette(dark);  // no setTheme: the change itself redraws
  const QImage darkened = w.toImage();
  EXPECT_LT(lightness(darkened), 0.3);
  for (const QPalette& palette : {light, dark}) {
    w.setPalette(palette);
    const ThemeColors& colors = *s().look.themeColors;
    for (Color back : {colors.backgroundTop, colors.backgroundBottom, colors.bandBottom})
      EXPECT_GE(ContrastRatio(w.foreColor(), ToQColor(back)), 4.5);
    // The bars in the palette's highlight; the legend's boxes too.
    EXPECT_EQ(ToQColor(s().children.entries.Record(0)->color), palette.color(QPalette::Highlight));
  }
  // Saved as its number, the theme comes back in the palette's colours.
  PalvexChartWidget restored(w.saveState());
  EXPECT_EQ(restored.theme(), PalvexChartWidget::Palette);
  EXPECT_TRUE(PalvexChartWidgetPrivate::get(restored).chart().state().look.themeColors);
  EXPECT_EQ(restored.foreColor(), restored.palette().color(QPalette::WindowText));

  // The host's own bar colours win over the highlight.
  w.setBarColors({Qt::red});
  EXPECT_EQ(ToQColor(s().children.entries.Record(0)->color), QColor(Qt::red));
  // A text colour the host gives stays with a new back colour.
  w.setForeColor(Qt::darkRed);
  w.setBackColor(Qt::darkBlue);
  EXPECT_EQ(w.foreColor(), QColor(Qt::darkRed));

  // Normal with the default colours: text from the palette, readable on
  // the white back colour in both.
  PalvexChartWidget plain;
  plain.setBackColor(Qt::white);
  for (const QPalette& palette : {light, dark}) {
    plain.setPalette(palette);
    plain.setTheme(PalvexChartWidget::Normal);
    EXPECT_GE(ContrastRatio(plain.foreColor(), plain.backColor()), 4.5);
    // A new back colour gets a text colour that reads on it.
    plain.setBackColor(Qt::black);
    EXPECT_GE(ContrastRatio(plain.foreColor(), plain.backColor()), 4.5);
    plain.setBackColor(Qt::white);
  }
  // A colour the host gives stays.
  plain.setForeColor(Qt::darkGreen);
  plain.setPalette(light);
  EXPECT_EQ(plain.foreColor(), QColor(Qt::darkGreen));
}

// No palette change reaches the renderer: its palette theme takes the
// application's palette as it is at each picture, and a state saved with
// the theme comes back in the palette's colours, as in the widget.
TEST(RendererStyling, ThePaletteThemeFollowsTheApplicationsPalette) {
  const auto chart = [] {
    auto renderer = std::make_unique<PalvexChartRenderer>();
    renderer->setItems({{"1", "North", "Jan", 40}});
    return renderer;
  };
  const auto palette = chart();
  ASSERT_TRUE(palette->setProperty("theme", int(PalvexChartWidget::Palette)));
  const auto restored = chart();
  ASSERT_TRUE(restored->restoreState(palette->saveState()));
  EXPECT_EQ(restored->toImage(), palette->toImage());

  struct PaletteKept {
    QPalette kept = QGuiApplication::palette();
    ~PaletteKept() { QGuiApplication::setPalette(kept); }
  } keep;
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Window, QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  QGuiApplication::setPalette(dark);
  // The background runs from Base at the top.
  EXPECT_EQ(palette->toImage().pixelColor(0, 0), QColor(30, 30, 30));
  EXPECT_EQ(palette->property("foreColor"), QColor(230, 230, 230));
}

}  // namespace
}  // namespace palvex
