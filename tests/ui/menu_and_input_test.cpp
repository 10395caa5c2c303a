// Which press opens which menu, what the chosen item does, and how mouse
// input reaches the child under the pointer.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/qt_text.h"
#include "render/bars.h"
#include "theme/legend_entries.h"

namespace palvex {
namespace {

constexpr std::int16_t kLeft = 1, kRight = 2, kMiddle = 4;

// Records the surface's events with the number of menus popped up so far.
struct Recorder : EventSink {
  explicit Recorder(const HeadlessHost& h) : host(h) {}
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("down " + std::to_string(b) + " after " + Menus());
  }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("up " + std::to_string(b));
  }
  std::string Menus() const { return std::to_string(host.poppedMenus().size()); }
  const HeadlessHost& host;
  std::vector<std::string> log;
};

class MenuAndInput : public ::testing::Test {
 protected:
  MenuAndInput() : chart(host), recorder(host) {
    chart.InitProperties();
    chart.state().events.Advise(&recorder);
  }
  ChartState& s() { return chart.state(); }
  ChildControls& ch() { return chart.state().children; }
  // The legend shown at the right edge of the design-sized control:
  // picLegend from x 6150, its slider 6165..6255, the description panel
  // from 6300 with Box(0) at 6345..6585 and label 0 from 6615, the scroll
  // bar 8145..8370.
  void LegendShown() {
    s().legendVisible = true;
    chart.Resize(560, 372);
    ch().vsbContainer.Visible = true;  // as with a list too long to fit
  }
  // The menu popped by one press, or "" for none.
  std::string MenuOf(std::int16_t button, float x, float y) {
    const size_t before = host.poppedMenus().size();
    chart.MouseDown(button, 0, x, y);
    chart.MouseUp(button, 0, x, y);
    return host.poppedMenus().size() > before ? host.poppedMenus().back() : "";
  }

  HeadlessHost host;
  PalvexChart chart;
  Recorder recorder;
};

TEST_F(MenuAndInput, EachPressOpensItsMenuOrNone) {
  LegendShown();
  ch().lblInfo.Left = 1000;
  ch().lblInfo.Top = 1000;
  ch().lblInfo.Visible = true;
  struct Case {
    const char* where;
    std::int16_t button;
    float x, y;
    const char* menu;
  } cases[] = {
      {"surface, right", kRight, 3000, 3000, "mnuMain"},
      {"surface, left", kLeft, 3000, 3000, ""},
      {"surface, middle", kMiddle, 3000, 3000, ""},
      {"lblInfo, right", kRight, 1100, 1100, "mnuMain"},
      {"lblInfo, middle", kMiddle, 1100, 1100, "mnuMain"},
      {"picLegend, right", kRight, 6160, 5500, "mnuLegend"},
      {"picContainer, right", kRight, 7500, 4000, "mnuLegend"},
      {"picLegend, left", kLeft, 6160, 5500, ""},
      {"Box(0), right", kRight, 6400, 200, ""},
      {"lblDescription(0), right", kRight, 6650, 200, ""},
      {"lblSlider, right", kRight, 6200, 3000, ""},
      {"vsbContainer, right", kRight, 8200, 3000, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    EXPECT_EQ(MenuOf(c.button, c.x, c.y), c.menu);
  }
}

TEST_F(MenuAndInput, SelectionItemShowsOnlyWhileSelectableAndTheSeparatorStays) {
  chart.Resize(560, 372);
  MenuOf(kRight, 3000, 3000);
  EXPECT_FALSE(ch().mnuSelectionInfo.Visible);
  EXPECT_FALSE(ch().mnuSeperator.Visible);

  s().Selectable = true;
  MenuOf(kRight, 3000, 3000);
  EXPECT_TRUE(ch().mnuSelectionInfo.Visible);
  EXPECT_TRUE(ch().mnuSeperator.Visible);

  s().Selectable = false;
  MenuOf(kRight, 3000, 3000);
  EXPECT_FALSE(ch().mnuSelectionInfo.Visible);
  EXPECT_TRUE(ch().mnuSeperator.Visible);

  // The label's menu opens as it stands: no adjustment.
  ch().mnuSelectionInfo.Visible = true;
  ch().lblInfo.Visible = true;
  MenuOf(kRight, 100, 100);  // lblInfo at its design place, 0, 0
  EXPECT_TRUE(ch().mnuSelectionInfo.Visible);
}

TEST_F(MenuAndInput, MouseDownFollowsTheClosedMenuAndMouseUpAlwaysComes) {
  chart.Resize(560, 372);
  MenuOf(kRight, 3000, 3000);
  MenuOf(kLeft, 3000, 3000);
  MenuOf(kMiddle, 3000, 3000);
  // With no bars drawn a left press lies in no column and raises nothing.
  EXPECT_EQ(recorder.log,
            (std::vector<std::string>{"down 2 after 1", "up 2", "up 1", "down 4 after 1", "up 4"}));
  // Presses on children raise nothing on the surface.
  recorder.log.clear();
  ch().lblInfo.Visible = true;
  MenuOf(kMiddle, 100, 100);
  ch().lblInfo.Visible = false;
  EXPECT_TRUE(recorder.log.empty());

  // A press while a pass is running is ignored; its release is not.
  s().drawing = true;
  EXPECT_EQ(MenuOf(kRight, 3000, 3000), "");
  s().drawing = false;
  EXPECT_EQ(recorder.log, std::vector<std::string>{"up 2"});
}

TEST_F(MenuAndInput, TheSurfaceKeepsTheMouseFromPressToRelease) {
  LegendShown();
  chart.MouseDown(kMiddle, 0, 3000, 3000);
  chart.MouseUp(kMiddle, 0, 7000, 3000);  // let go over the legend panel
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"down 4 after 0", "up 4"}));
}

TEST_F(MenuAndInput, ChosenItemsRunAndHiddenOnesCannotBeChosen) {
  chart.Resize(560, 372);
  InitBarPalette(s());
  s().animationDone = true;
  s().Selectable = true;
  s().SelectionInformation = false;
  chart.Refresh();  // every pass sets the check mark from the property
  EXPECT_FALSE(ch().mnuSelectionInfo.Checked);
  host.QueueMenuAnswer("mnuSelectionInfo");
  MenuOf(kRight, 3000, 3000);
  EXPECT_TRUE(s().SelectionInformation);
  EXPECT_TRUE(ch().mnuSelectionInfo.Checked);

  host.QueueMenuAnswer("mnuAutoMoveInfo");
  MenuOf(kRight, 3000, 3000);
  EXPECT_FALSE(ch().mnuAutoMoveInfo.Checked);
  EXPECT_EQ(ch().lblInfo.Tag, u"Fix");
  host.QueueMenuAnswer("mnuAutoMoveInfo");
  MenuOf(kRight, 3000, 3000);
  EXPECT_EQ(ch().lblInfo.Tag, u"");

  host.QueueMenuAnswer("mnuViewLegend");
  MenuOf(kRight, 3000, 3000);
  EXPECT_TRUE(ch().mnuViewLegend.Checked);
  EXPECT_TRUE(s().legendVisible);

  // Not offered: hidden while not selectable, or in the other menu.
  s().Selectable = false;
  host.QueueMenuAnswer("mnuSelectionInfo");
  host.QueueMenuAnswer("mnuLegendHide");
  MenuOf(kRight, 3000, 3000);
  MenuOf(kRight, 3000, 3000);
  EXPECT_TRUE(s().SelectionInformation);
  EXPECT_TRUE(s().legendVisible);
}

TEST_F(MenuAndInput, SaveAsAndCopyExportTheChartsOwnPicture) {
  LegendShown();
  QTemporaryDir dir;
  host.QueueSaveAnswer(FromQString(dir.filePath("chart.bmp")));
  host.QueueMenuAnswer("mnuSaveAs");
  MenuOf(kRight, 3000, 3000);
  EXPECT_EQ(QImage(dir.filePath("chart.bmp")).size(), QSize(560, 372));

  host.QueueMenuAnswer("mnuEditCopy");
  MenuOf(kRight, 3000, 3000);
  // The legend panel lies over x 410.. on the screen, not in the picture.
  ASSERT_EQ(host.clipboardImage().size(), QSize(560, 372));
  EXPECT_EQ(FromQRgb(host.clipboardImage().pixel(450, 300)), s().surface->PixelAt(450, 300));
}

TEST_F(MenuAndInput, TheLegendMenuHidesTheShownPanel) {
  LegendShown();
  ch().mnuViewLegend.Checked = true;
  host.QueueMenuAnswer("mnuLegendHide");
  EXPECT_EQ(MenuOf(kRight, 7500, 4000), "mnuLegend");
  EXPECT_FALSE(ch().mnuViewLegend.Checked);
  EXPECT_FALSE(s().legendVisible);
  // Folded, the legend's one-pixel strip left of the slider (8310..8325)
  // still opens its menu; hiding from there leaves the plot as it is.
  const double margin = s().MarginRight;
  host.QueueMenuAnswer("mnuLegendHide");
  EXPECT_EQ(MenuOf(kRight, 8315, 3000), "mnuLegend");
  EXPECT_EQ(s().MarginRight, margin);
  EXPECT_FALSE(ch().mnuViewLegend.Checked);
  EXPECT_FALSE(s().legendVisible);
}

TEST_F(MenuAndInput, TheSliderTogglesTheLegendOnALeftClickOnly) {
  chart.Resize(560, 372);  // folded: the slider's strip at 8325..8400
  MenuOf(kRight, 8350, 3000);
  EXPECT_FALSE(s().legendVisible);
  MenuOf(kLeft, 8350, 3000);
  EXPECT_TRUE(s().legendVisible);
  EXPECT_TRUE(ch().mnuViewLegend.Checked);
  // Pressed on the slider, let go elsewhere: no click.
  chart.MouseDown(kLeft, 0, 8350, 3000);
  chart.MouseUp(kLeft, 0, 3000, 3000);
  EXPECT_TRUE(s().legendVisible);
  EXPECT_TRUE(recorder.log.empty());
}

TEST_F(MenuAndInput, DraggedInfoLabelLandsByItsGrabPoint) {
  chart.Resize(560, 372);
  ch().lblInfo.Left = 600;
  ch().lblInfo.Top = 300;
  ch().lblInfo.Visible = true;
  chart.MouseDown(kLeft, 0, 630, 315);  // grabbed 30 right of and 15 below its corner
  EXPECT_EQ(ch().lblInfo.Tag, u"Fix");
  EXPECT_FALSE(ch().mnuAutoMoveInfo.Checked);
  chart.MouseMove(kLeft, 0, 800, 400);
  chart.MouseUp(kLeft, 0, 1000, 500);
  EXPECT_EQ(ch().lblInfo.Left, 970);
  EXPECT_EQ(ch().lblInfo.Top, 485);
  EXPECT_TRUE(recorder.log.empty());

  // Let go over the legend strip or outside the control: it stays.
  chart.MouseDown(kLeft, 0, 1000, 500);
  chart.MouseUp(kLeft, 0, 8350, 3000);
  chart.MouseDown(kLeft, 0, 1000, 500);
  chart.MouseUp(kLeft, 0, 9000, 3000);
  EXPECT_EQ(ch().lblInfo.Left, 970);

  // A double-click hides it and lets it follow the bar again.
  chart.DblClick(1000, 500);
  EXPECT_FALSE(ch().lblInfo.Visible);
  EXPECT_EQ(ch().lblInfo.Tag, u"");
  EXPECT_TRUE(ch().mnuAutoMoveInfo.Checked);
}

TEST_F(MenuAndInput, ADoubleClickOnAChildOtherThanTheInformationLabelIsASecondPress) {
  LegendShown();
  ch().lblInfo.Left = 1000;
  ch().lblInfo.Top = 1000;
  ch().lblInfo.Visible = true;
  auto number = [](auto v) { return std::to_string(v); };
  struct Case {
    const char* where;
    std::int16_t button;
    float x, y;
    std::function<std::string()> seen;
    std::string afterClick, afterDoubleClick;
  } cases[] = {
      {"scroll bar's down arrow", kLeft, 8200, 5500,
       [&] { return number(ch().vsbContainer.Value); }, "1", "2"},
      {"picLegend, right", kRight, 6160, 5500, [&] { return number(host.poppedMenus().size()); },
       "1", "2"},
      // The label's own double-click lets it follow the bar again.
      {"lblInfo", kLeft, 1100, 1100,
       [&] { return number(ch().mnuAutoMoveInfo.Checked) + number(ch().lblInfo.Visible); }, "01",
       "10"},
      // The chart's own surface raises MouseDown for the first press only.
      {"surface, middle", kMiddle, 3000, 3000,
       [&] {
         return number(
             std::count_if(recorder.log.begin(), recorder.log.end(),
                           [](const std::string& e) { return e.rfind("down 4", 0) == 0; }));
       },
       "1", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    chart.MouseDown(c.button, 0, c.x, c.y);
    chart.MouseUp(c.button, 0, c.x, c.y);
    EXPECT_EQ(c.seen(), c.afterClick);
    // What a window delivers in place of the second press.
    chart.DblClick(c.x, c.y, c.button, 0);
    chart.MouseUp(c.button, 0, c.x, c.y);
    EXPECT_EQ(c.seen(), c.afterDoubleClick);
  }
}

TEST_F(MenuAndInput, ALostReleaseOrAVanishedControlLeavesTheMouseFree) {
  LegendShown();
  AddLegendEntry(s(), u"first", 1);
  AddLegendEntry(s(), u"second", 1);     // Box(1) at 525..765
  chart.MouseDown(kLeft, 0, 6400, 700);  // on Box(1)
  ClearLegendEntries(s());               // the entries were rebuilt meanwhile
  chart.MouseUp(kLeft, 0, 6400, 700);
  EXPECT_TRUE(recorder.log.empty());

  chart.MouseDown(kLeft, 0, 3000, 3000);
  chart.MouseMove(0, 0, 3000, 3000);  // no button held any more
  EXPECT_EQ(MenuOf(kRight, 7500, 4000), "mnuLegend");
}

TEST_F(MenuAndInput, ToolTipsComeFromTheChildUnderThePointer) {
  chart.Resize(560, 372);
  EXPECT_EQ(chart.ToolTipAt(8350, 3000), u"显示图例");
  EXPECT_EQ(chart.ToolTipAt(3000, 3000), u"");
  ch().lblSlider.Visible = false;
  EXPECT_EQ(chart.ToolTipAt(8350, 3000), u"");
}

}  // namespace
}  // namespace palvex
