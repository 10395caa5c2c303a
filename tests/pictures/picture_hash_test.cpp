// Pins every picture the control draws to a table of hashes, so a change
// meant to be invisible (a move, a speed-up) proves it is. The table is
// regenerated only on purpose: PALVEX_WRITE_PICTURE_HASHES=1 rewrites it
// from a run of the whole executable.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <map>
#include <string>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/qimage_surface.h"

namespace palvex {
namespace {

std::string HashOf(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (int y = 0; y < argb.height(); ++y)
    hash.addData(
        QByteArrayView(reinterpret_cast<const char*>(argb.constScanLine(y)), argb.width() * 4));
  return hash.result().toHex().left(16).toStdString();
}

const QImage& ImageOf(Surface& surface) {
  return dynamic_cast<QImageSurface&>(surface).image();
}

// Items with varied ids, captions in both scripts, and values that give
// bars of every height, a few of them below the baseline.
void AddItems(PalvexChart& chart, int count) {
  for (int i = 0; i < count; ++i) {
    ChartItem item;
    const int id = 1 + (i * 7) % 10;  // ids pick the colour, counting from 1
    item.ItemID = id == 10 ? u"10" : std::u16string(1, static_cast<char16_t>(u'0' + id));
    item.XAxisDescription = (i % 2 ? u"月份" : u"Q") + std::u16string(1, u'A' + i % 26);
    item.SelectedDescription = u"门店 " + std::u16string(1, u'a' + i % 26);
    item.Value = (i % 9 == 4) ? -(i % 13) * 1.5 : ((i * 37) % 101) + 0.25 * (i % 4);
    chart.AddItem(item);
  }
}

struct Case {
  int theme;
  int items;
  bool legend;
  bool selected;
  float twipsPerPixel;

  std::string Name() const {
    return "theme" + std::to_string(theme) + "-items" + std::to_string(items) +
           (legend ? "-legend" : "") + (selected ? "-selected" : "") + "-tpp" +
           std::to_string(static_cast<int>(twipsPerPixel));
  }
};

class PictureHashes : public ::testing::Test {
 protected:
  static std::map<std::string, std::string> Table() {
    std::map<std::string, std::string> table;
    QFile file(QStringLiteral(PALVEX_PICTURE_HASHES));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return table;
    QTextStream in(&file);
    while (!in.atEnd()) {
      const QStringList fields = in.readLine().split(u' ', Qt::SkipEmptyParts);
      if (fields.size() == 2) table[fields[0].toStdString()] = fields[1].toStdString();
    }
    return table;
  }

  // Checks a picture against the table at once (ctest runs each test on
  // its own); when writing, collects every picture for the new table.
  static void Record(const std::string& name, const QImage& picture) {
    if (Writing()) {
      Written()[name] = HashOf(picture);
      return;
    }
    static const std::map<std::string, std::string> table = Table();
    auto it = table.find(name);
    ASSERT_NE(it, table.end()) << name << " is not in " << PALVEX_PICTURE_HASHES;
    EXPECT_EQ(HashOf(picture), it->second) << name << " is drawn differently";
  }

  static bool Writing() { return qEnvironmentVariableIsSet("PALVEX_WRITE_PICTURE_HASHES"); }
  static std::map<std::string, std::string>& Written() {
    static std::map<std::string, std::string> written;
    return written;
  }

  static void TearDownTestSuite() {
    if (!Writing()) return;
    QFile file(QStringLiteral(PALVEX_PICTURE_HASHES));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream out(&file);
    for (const auto& [name, hash] : Written())
      out << QString::fromStdString(name) << ' ' << QString::fromStdString(hash) << '\n';
  }
};

TEST_F(PictureHashes, EveryChartOfTheMatrixIsDrawnAsBefore) {
  for (float tpp : {15.0f, 12.0f})
    for (int theme : {0, 1, 2, 3, 7})
      for (int items : {1, 10, 100, 1000})
        for (bool legend : {false, true})
          for (bool selected : {false, true}) {
            const Case c{theme, items, legend, selected, tpp};
            HeadlessHost host;
            host.screen().SetTwipsPerPixel(tpp, tpp);
            PalvexChart chart(host);
            chart.InitProperties();
            chart.Resize(560, 372);
            chart.SetActiveTheme(theme);
            chart.SetChartTitle(u"销售额 Sales");
            chart.SetAxisLabelX(u"月份");
            chart.SetAxisLabelY(u"金额 (元)");
            AddItems(chart, items);
            chart.Show();
            chart.StartTimerTick();
            if (legend) {
              chart.ShowLegend(false);
              chart.Refresh();
            }
            if (selected) {
              chart.SetSelectable(true);
              chart.SetSelectionInformation(true);
              chart.SetSelectedColumn(items / 2);
            }
            Record(c.Name(), ImageOf(*chart.state().surface));
            auto screen = host.CreateSurface(1, 1);
            chart.ComposeScreen(*screen);
            Record(c.Name() + "-screen", ImageOf(*screen));
          }
}

TEST_F(PictureHashes, EveryFrameOfTheGrowthAnimationIsDrawnAsBefore) {
  HeadlessHost host;
  PalvexChart chart(host);
  chart.InitProperties();
  chart.Resize(560, 372);
  AddItems(chart, 12);
  chart.Show();
  auto& surface = dynamic_cast<QImageSurface&>(*chart.state().surface);
  int frame = 0;
  surface.SetRefreshHandler(
      [&] { Record("growth-frame" + std::to_string(++frame), surface.image()); });
  chart.StartTimerTick();
  surface.SetRefreshHandler({});
  EXPECT_GE(frame, 10);
}

}  // namespace
}  // namespace palvex
