// What the screen shows: the chart's own picture with its children laid
// over it, each cut to its parent, while the chart's picture stays bare.
#include "ui/compose.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "control/palvex_chart.h"
#include "platform/numeric.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qimage_surface.h"

namespace palvex {
namespace {

constexpr Color kChart = 0x203040;
constexpr Color kLegend = 0x00A000;
constexpr Color kContainer = 0xA00000;

class Compose : public ::testing::Test {
 protected:
  Compose() : chart(host) {
    chart.InitProperties();
    chart.Resize(560, 372);
    s().surface->SetBackColor(kChart);
    ch().picLegend.surface->SetBackColor(kLegend);
    ch().picContainer.surface->SetBackColor(kContainer);
    // Labels without text, so only their areas show.
    ch().lblInfo.Caption.clear();
    ch().lblSlider.Caption.clear();
    ch().entries.FirstLabel().Caption.clear();
  }
  ChartState& s() { return chart.state(); }
  ChildControls& ch() { return chart.state().children; }
  Color At(int x, int y) {
    screen = host.CreateSurface(1, 1);
    chart.ComposeScreen(*screen);
    return screen->PixelAt(x, y);
  }

  HeadlessHost host;
  PalvexChart chart;
  std::unique_ptr<Surface> screen;
};

TEST_F(Compose, FoldedLegendShowsOnlyItsStripOverTheChart) {
  EXPECT_EQ(At(100, 100), kChart);
  EXPECT_EQ(screen->PixelWidth(), 560);
  EXPECT_EQ(screen->PixelHeight(), 372);
  // picLegend from pixel 554: its own first pixel column, then the slider.
  EXPECT_EQ(At(553, 100), kChart);
  EXPECT_EQ(At(554, 100), kLegend);
  EXPECT_EQ(At(555, 100), ResolveColor(ch().lblSlider.BackColor));
  EXPECT_EQ(At(559, 371), ResolveColor(ch().lblSlider.BackColor));
}

TEST_F(Compose, ShownLegendNestsItsPanelsAndTheirChildren) {
  s().legendVisible = true;
  chart.Resize(560, 372);  // picLegend at pixel 410
  ch().vsbContainer.Visible = true;
  ch().entries.FirstBox().surface->SetBackColor(0x0000FF);
  EXPECT_EQ(At(410, 100), kLegend);
  EXPECT_EQ(At(420, 100), kContainer);  // picContainer from 420
  EXPECT_EQ(At(423, 9), 0x0000FFu);     // Box(0) from 423, 9
  EXPECT_EQ(At(445, 12), kContainer);   // transparent label 0 shows the panel
  EXPECT_EQ(At(420, 360), kLegend);     // below picContainer's 347 rows
  EXPECT_NE(At(550, 200), kLegend);     // the scroll bar at 543..557
  EXPECT_NE(At(550, 200), kContainer);
}

TEST_F(Compose, ChildrenAreCutToTheirParentAndHiddenOnesAreLeftOut) {
  s().legendVisible = true;
  chart.Resize(560, 372);
  // The panel 100 pixels down, its list scrolled up by 200 pixels: Box(0)
  // straddles the panel's top edge and shows only inside it.
  ch().picLegend.Top = 1500;
  ch().picContainer.Top = -3000;
  ch().entries.FirstBox().surface->SetBackColor(0x0000FF);
  ch().entries.FirstBox().Top = 3000 - 60;
  EXPECT_EQ(At(425, 98), kChart);
  EXPECT_EQ(At(425, 101), 0x0000FFu);

  ch().picContainer.Visible = false;
  EXPECT_EQ(At(425, 101), kLegend);
  ch().picLegend.Visible = false;
  EXPECT_EQ(At(425, 101), kChart);
}

TEST_F(Compose, TheInfoLabelLiesOverTheChartButUnderTheLegend) {
  ch().lblInfo.Left = 8400 - 600;  // reaches under the legend's strip
  ch().lblInfo.Top = 1500;
  ch().lblInfo.Visible = true;
  const Color tip = ResolveColor(kSystemToolTipBack);
  EXPECT_EQ(At(520, 110), tip);
  EXPECT_EQ(At(555, 110), ResolveColor(ch().lblSlider.BackColor));
}

TEST_F(Compose, TheChartsOwnPictureStaysBare) {
  s().legendVisible = true;
  chart.Resize(560, 372);
  const Color before = s().surface->PixelAt(450, 100);
  At(0, 0);
  EXPECT_EQ(s().surface->PixelAt(450, 100), before);
  EXPECT_EQ(before, kChart);
}

// Surfaces that paint every pass whole, comparing nothing with the pass
// before: what each screen must look like.
class WholePassHost : public HeadlessHost {
 public:
  std::unique_ptr<Surface> CreateSurface(int widthPx, int heightPx) override {
    auto surface = HeadlessHost::CreateSurface(widthPx, heightPx);
    dynamic_cast<QImageSurface&>(*surface).SetPaintAtOnce(true);
    return surface;
  }
};

struct EventChart {
  explicit EventChart(HeadlessHost& host) : chart(host), screen(host.CreateSurface(1, 1)) {
    chart.InitProperties();
    chart.Resize(560, 372);
    chart.SetSelectable(true);
    chart.SetSelectionInformation(true);
    chart.SetHotTracking(true);
    for (int i = 0; i < 12; ++i) {
      const std::u16string id = FromUtf8(std::to_string(i + 1));
      chart.AddItem({id, u"about " + id, u"axis " + id, 10.0 + (i * 7) % 11});
    }
    chart.Show();
    chart.StartTimerTick();
    chart.ShowLegend();
  }
  float Slot(int column) const {
    const ChartState& s = chart.state();
    return static_cast<float>(s.MarginLeft + (column + 0.5) * s.barWidth);
  }
  float Bottom() const {
    const ChartState& s = chart.state();
    return static_cast<float>(s.surface->ScaleHeight() - s.MarginBottom - 15);
  }

  PalvexChart chart;
  std::unique_ptr<Surface> screen;
};

// A hover or a click repaints only what changed, in the chart and on the
// screen: after every event each is the picture a whole pass paints.
TEST(ScreenAfterEvents, IsWhatAWholePassPaints) {
  const struct {
    const char* name;
    std::function<void(EventChart&)> event;
  } events[] = {
      {"hover onto a bar", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(2), c.Bottom()); }},
      {"hover onto another", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(9), c.Bottom()); }},
      {"hover on the same", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(9), c.Bottom()); }},
      {"hover off the bars", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(4), 700); }},
      {"press a bar",
       [](EventChart& c) {
         c.chart.MouseDown(1, 0, c.Slot(5), c.Bottom());
         c.chart.MouseUp(1, 0, c.Slot(5), c.Bottom());
       }},
      {"wheel over the legend",
       [](EventChart& c) {
         c.chart.MouseWheel(-120, float(c.chart.state().surface->ScaleWidth() - 600), 900);
       }},
      {"another theme", [](EventChart& c) { c.chart.SetActiveTheme(2); }},
      {"hover under it", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(0), c.Bottom()); }},
      {"another title", [](EventChart& c) { c.chart.SetChartTitle(u"Second title"); }},
      {"select from the host", [](EventChart& c) { c.chart.SetSelectedColumn(11); }},
      {"fold the legend", [](EventChart& c) { c.chart.ShowLegend(true); }},
      {"hover with it folded",
       [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(3), c.Bottom()); }},
      {"resize", [](EventChart& c) { c.chart.Resize(500, 330); }},
      {"hover after it", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(7), c.Bottom()); }},
      {"another colour", [](EventChart& c) { c.chart.SetBackColor(0x406080); }},
      {"hover again", [](EventChart& c) { c.chart.MouseMove(0, 0, c.Slot(1), c.Bottom()); }},
  };
  HeadlessHost host;
  WholePassHost wholeHost;
  EventChart compared(host), whole(wholeHost);
  for (const auto& e : events) {
    SCOPED_TRACE(e.name);
    for (EventChart* c : {&compared, &whole}) {
      e.event(*c);
      c->chart.ComposeScreen(*c->screen);
    }
    EXPECT_TRUE(ImageOf(*compared.chart.state().surface) == ImageOf(*whole.chart.state().surface));
    EXPECT_TRUE(ImageOf(*compared.screen) == ImageOf(*whole.screen));
  }
}

// A picture that grows after all of it changed (unread) has changed all
// over again: the legend of an empty chart shrunk to nothing and grown.
TEST(ScreenAfterEvents, IsWholeAfterTheChartShrinksToNothingAndGrows) {
  HeadlessHost host;
  WholePassHost wholeHost;
  PalvexChart compared(host), whole(wholeHost);
  const std::unique_ptr<Surface> comparedScreen = host.CreateSurface(1, 1);
  const std::unique_ptr<Surface> wholeScreen = wholeHost.CreateSurface(1, 1);
  const std::function<void(PalvexChart&)> steps[] = {
      [](PalvexChart& c) {
        c.InitProperties();
        c.Resize(748, 561);
        c.Show();
        c.StartTimerTick();
      },
      [](PalvexChart& c) { c.ShowLegend(); },
      [](PalvexChart& c) { c.Resize(0, 0); },
      [](PalvexChart& c) { c.Resize(332, 501); },
  };
  for (const auto& step : steps) {
    step(compared);
    compared.ComposeScreen(*comparedScreen);
    step(whole);
    whole.ComposeScreen(*wholeScreen);
  }
  EXPECT_TRUE(ImageOf(*comparedScreen) == ImageOf(*wholeScreen));
}

}  // namespace
}  // namespace palvex
