// Pins every picture the control draws to a table of hashes, so a change
// meant to be invisible (a move, a speed-up) proves it is. The table is
// regenerated only on purpose: PALVEX_WRITE_PICTURE_HASHES=1 rewrites it
// from a run of the whole executable.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <functional>
#include <map>
#include <string>
#include <vector>

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
  // Every test draws its table twice: the second round meets every cache
  // the first one filled and must draw the very same pictures.
  static void Record(const std::string& name, const QImage& picture) {
    static std::map<std::string, std::string> drawn;
    const auto [first, fresh] = drawn.emplace(name, HashOf(picture));
    if (!fresh) {
      EXPECT_EQ(HashOf(picture), first->second) << name << " is drawn differently the second time";
      return;
    }
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
  for (int round = 0; round < 2; ++round)
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

// Every break a text may hold, each once: the first line and the rest.
const std::u16string kBreaks[] = {u"\r\n",   u"\r", u"\n", u"\u2028",
                                  u"\u2029", u"\f", u"\v", u"\u0085"};

// Texts that need fallback faces and mix directions: emoji, Arabic and
// Hebrew, modifier letters, a flag, block elements.
const std::u16string kMixed[] = {
    u"\u1da2k\u0681\u0609\U0001F46C",
    u"\U0001F4864\u2597S\u4f95\U0001F63AL\u05dc\u31054\u060a\U0001F4BF\u06b6\u0de7\u0666(",
    u"a\r\U0001F600\rb",
    u"a\n\U0001F1F3\U0001F1F4\nb",
    u"abc \u0645\u0631\u062d\u0628\u0627 def \u05e9\u05dc\u05d5\u05dd",
};

void AddCaptioned(PalvexChart& chart, int count, const std::u16string& text) {
  for (int i = 0; i < count; ++i) {
    ChartItem item;
    item.ItemID = std::u16string(1, static_cast<char16_t>(u'1' + i % 9));
    item.XAxisDescription = text + std::u16string(1, u'A' + i % 26);
    item.SelectedDescription = text;
    item.Value = 10 + (i * 37) % 91;
    chart.AddItem(item);
  }
}

// A chart shown, grown and with its legend open, at a size.
void ShowGrown(PalvexChart& chart, int width, int height, bool legend) {
  chart.Resize(width, height);
  chart.Show();
  chart.StartTimerTick();
  if (legend) {
    chart.ShowLegend(false);
    chart.Refresh();
  }
}

struct HardCase {
  std::string name;
  std::function<void(PalvexChart&)> draw;
};

std::vector<HardCase> HardCases() {
  std::vector<HardCase> cases;
  // Every text of the chart holding each break: title, subtitle, both
  // axis labels, the turned captions and the legend's entries.
  for (std::size_t b = 0; b < std::size(kBreaks); ++b) {
    const std::u16string text = u"ABC" + kBreaks[b] + u"DEF";
    cases.push_back({"break" + std::to_string(b), [text](PalvexChart& chart) {
                       chart.SetChartTitle(text);
                       chart.SetChartSubTitle(text);
                       chart.SetAxisLabelX(text);
                       chart.SetAxisLabelY(text);
                       AddCaptioned(chart, 5, text);
                       ShowGrown(chart, 420, 300, true);
                     }});
  }
  for (std::size_t m = 0; m < std::size(kMixed); ++m) {
    const std::u16string text = kMixed[m];
    for (int theme : {0, 2})
      cases.push_back({"mixed" + std::to_string(m) + "-theme" + std::to_string(theme),
                       [text, theme](PalvexChart& chart) {
                         chart.SetActiveTheme(theme);
                         chart.SetChartTitle(text);
                         chart.SetAxisLabelY(text);
                         AddCaptioned(chart, 3, text);
                         ShowGrown(chart, 247, 317, true);
                       }});
  }
  // A label wider than the chart, centred on it, so it starts left of the
  // picture, in Latin and Arabic runs.
  cases.push_back({"wide-label", [](PalvexChart& chart) {
                     std::u16string wide;
                     for (int i = 0; i < 6; ++i) wide += u"Sales \u0645\u0631\u062d\u0628\u0627 ";
                     chart.SetChartTitle(wide);
                     chart.SetAxisLabelX(wide);
                     AddCaptioned(chart, 4, u"Q");
                     ShowGrown(chart, 181, 240, false);
                   }});
  // Bars cut by the left or the right edge once the control shrinks after
  // the growth, their captions on them.
  for (int width : {28, 90, 140})
    cases.push_back({"shrunk-to" + std::to_string(width), [width](PalvexChart& chart) {
                       chart.SetMarginTop(400);
                       AddCaptioned(chart, 30, u"\ud55c\uad6d\uc5b4");
                       ShowGrown(chart, 223, 146, false);
                       chart.Resize(width, 56);
                     }});
  // A control of one pixel whose margin changes after the growth.
  cases.push_back({"one-pixel", [](PalvexChart& chart) {
                     AddCaptioned(chart, 3, u"W");
                     ShowGrown(chart, 1, 1, false);
                     chart.SetMarginRight(3);
                   }});
  return cases;
}

TEST_F(PictureHashes, HardTextsAndEdgesAreDrawnAsBefore) {
  for (int round = 0; round < 2; ++round)
    for (const HardCase& c : HardCases()) {
      HeadlessHost host;
      PalvexChart chart(host);
      chart.InitProperties();
      c.draw(chart);
      auto screen = host.CreateSurface(1, 1);
      chart.ComposeScreen(*screen);
      Record("hard-" + c.name, ImageOf(*screen));
    }
}

TEST_F(PictureHashes, EveryFrameOfTheGrowthAnimationIsDrawnAsBefore) {
  for (int round = 0; round < 2; ++round) {
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
}

}  // namespace
}  // namespace palvex
