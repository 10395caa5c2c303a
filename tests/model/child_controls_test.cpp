// The child controls and menus as a new control has them, control arrays
// and labels that size themselves.
#include "model/child_controls.h"

#include <gtest/gtest.h>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "theme/legend_entries.h"

namespace palvex {
namespace {

struct Design {
  const char* name;
  const char* parent;  // "" for the chart itself
  ControlKind kind;
  double left, top, width, height;
  int tab;
};

TEST(ChildControls, EveryChildStartsWithItsDesignGeometryAndNesting) {
  HeadlessHost host;
  ChildControls ch(host);
  const Design table[] = {
      {"picLegend", "", ControlKind::Picture, 3360, 0, 2250, 5430, 1},
      {"vsbContainer", "picLegend", ControlKind::ScrollBar, 1995, 0, 225, 5445, 4},
      {"picContainer", "picLegend", ControlKind::Picture, 150, 0, 1830, 5205, 2},
      {"Box", "picContainer", ControlKind::Picture, 45, 135, 240, 240, 6},
      {"lblDescription", "picContainer", ControlKind::Label, 315, 135, 990, 180, 3},
      {"lblSlider", "picLegend", ControlKind::Label, 15, 0, 90, 5430, 5},
      {"lblInfo", "", ControlKind::Label, 0, 0, 1470, 390, 0},
  };
  for (const Design& d : table) {
    SCOPED_TRACE(d.name);
    Control* c = ch.Find(d.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Parent ? c->Parent->Name : "", d.parent);
    EXPECT_EQ(c->Kind, d.kind);
    EXPECT_EQ(c->Left, d.left);
    EXPECT_EQ(c->Top, d.top);
    EXPECT_EQ(c->Width, d.width);
    EXPECT_EQ(c->Height, d.height);
    EXPECT_EQ(c->TabIndex, d.tab);
    EXPECT_EQ(c->Visible, c != &ch.lblInfo);
    // Picture panels, and only they, have an image of their own, sized to
    // their area at 15 twips per pixel.
    ASSERT_EQ(c->surface != nullptr, d.kind == ControlKind::Picture);
    if (c->surface) {
      EXPECT_EQ(c->surface->PixelWidth(), d.width / 15);
      EXPECT_EQ(c->surface->PixelHeight(), d.height / 15);
      EXPECT_EQ(c->surface->PixelAt(0, 0), ResolveColor(c->BackColor));
    }
  }
  EXPECT_EQ(ch.Find("tmrStart"), nullptr);
  EXPECT_EQ(ch.tmrStart.Interval, 100);
  EXPECT_FALSE(ch.tmrStart.Enabled);
}

TEST(ChildControls, ColorsFontsCaptionsAndToolTips) {
  HeadlessHost host;
  ChildControls ch(host);
  EXPECT_EQ(ch.picLegend.BackColor, Rgb(245, 245, 240));
  EXPECT_EQ(ch.picLegend.ForeColor, Rgb(64, 112, 255));
  EXPECT_EQ(ch.picLegend.FillColor, Rgb(240, 240, 255));
  EXPECT_EQ(ch.picLegend.Font, (FontSpec{u"Arial", 9, false, 0}));
  EXPECT_EQ(ch.picContainer.BackColor, Rgb(255, 255, 255));
  EXPECT_EQ(ch.picContainer.ForeColor, Rgb(255, 255, 255));
  EXPECT_EQ(ch.picContainer.Font, (FontSpec{u"Arial", 9, false, 0}));
  EXPECT_EQ(ch.entries.FirstBox().BackColor, Rgb(192, 0, 0));
  EXPECT_EQ(ch.entries.FirstBox().Font, (FontSpec{u"Tahoma", 9, false, 178}));
  EXPECT_EQ(ch.entries.FirstLabel().Caption, u"Description");
  EXPECT_EQ(ch.entries.FirstLabel().ForeColor, Rgb(0, 0, 64));
  EXPECT_TRUE(ch.entries.FirstLabel().AutoSize);
  // The panel starts folded: the slider shows the folded glyph from the
  // first paint, as the toggles draw it.
  EXPECT_EQ(ch.lblSlider.Caption, u"\u00AB");
  EXPECT_EQ(ch.lblSlider.Font, (FontSpec{u"Webdings", 9, true, 2}));
  EXPECT_EQ(ch.lblSlider.BackColor, Rgb(0, 0, 64));
  EXPECT_EQ(ch.lblSlider.ForeColor, Rgb(255, 255, 192));
  EXPECT_EQ(ch.lblSlider.ToolTipText, u"显示图例");
  EXPECT_FALSE(ch.lblSlider.AutoSize);
  EXPECT_EQ(ch.lblInfo.Caption, u"值: 100\r\n描述: 总销售金额");
  EXPECT_EQ(ch.lblInfo.BackColor, kSystemToolTipBack);
  EXPECT_EQ(ch.lblInfo.ForeColor, kSystemToolTipText);
  EXPECT_TRUE(ch.lblInfo.AutoSize);
  EXPECT_TRUE(ch.lblInfo.Tag.empty());
}

TEST(ChildControls, MenusHoldTheirItemsInOrderWithStoredCaptions) {
  HeadlessHost host;
  ChildControls ch(host);
  struct Entry {
    const char* name;
    const char16_t* caption;
    bool checked;
  };
  const Entry main[] = {{"mnuSaveAs", u"另存为(&A)", false},
                        {"mnuEditCopy", u"复制(&C)", false},
                        {"mnuSeperator", u"-", false},
                        {"mnuSelectionInfo", u"图例信息(&I)", true},
                        {"mnuAutoMoveInfo", u"图例信息跟随(&M)", true},
                        {"mnuViewLegend", u"显示图例(&D)", false}};
  EXPECT_EQ(ch.mnuMain.Caption, u"&Main");
  ASSERT_EQ(ch.mnuMain.Items.size(), std::size(main));
  for (size_t i = 0; i < std::size(main); ++i) {
    SCOPED_TRACE(main[i].name);
    EXPECT_EQ(ch.mnuMain.Items[i]->Name, main[i].name);
    EXPECT_EQ(ch.mnuMain.Items[i]->Caption, main[i].caption);
    EXPECT_EQ(ch.mnuMain.Items[i]->Checked, main[i].checked);
    EXPECT_EQ(ch.FindMenu(main[i].name), ch.mnuMain.Items[i]);
  }
  EXPECT_TRUE(ch.mnuSeperator.IsSeparator());
  EXPECT_EQ(ch.mnuLegend.Caption, u"图例(&L)");
  ASSERT_EQ(ch.mnuLegend.Items.size(), 1u);
  EXPECT_EQ(ch.mnuLegend.Items[0], &ch.mnuLegendHide);
  EXPECT_EQ(ch.mnuLegendHide.Caption, u"隐藏图例(&H)");
  EXPECT_FALSE(ch.mnuLegendHide.Checked);
}

// Arrays as the legend keeps them: element 0 from the design, the rest
// loaded from it.
struct Arrays {
  explicit Arrays(Host& host, const ChildControls& ch) {
    Box.push_back(CopyControl(host, ch.entries.FirstBox(), 0));
    lblDescription.push_back(CopyControl(host, ch.entries.FirstLabel(), 0));
  }
  ControlArray Box, lblDescription, spareBoxes;
};

TEST(ChildControls, ArrayElementsCopyElementZero) {
  HeadlessHost host;
  ChildControls ch(host);
  Arrays arrays(host, ch);
  arrays.Box[0]->BackColor = 0x123456;
  Control& box1 = LoadElement(host, arrays.Box);
  Control& label1 = LoadElement(host, arrays.lblDescription);
  EXPECT_EQ(box1.Index, 1);
  EXPECT_EQ(box1.Parent, &ch.picContainer);
  EXPECT_EQ(box1.BackColor, 0x123456u);
  EXPECT_FALSE(box1.Visible);
  ASSERT_NE(box1.surface, nullptr);
  EXPECT_NE(box1.surface.get(), arrays.Box[0]->surface.get());
  EXPECT_EQ(label1.Caption, u"Description");
  EXPECT_TRUE(label1.Transparent);
  EXPECT_EQ(LoadElement(host, arrays.Box).Index, 2);
}

// An element unloaded and loaded again keeps nothing of its earlier life:
// it is element 0's copy, picture included, like a new one.
TEST(ChildControls, AReloadedElementIsAFreshCopyOfElementZero) {
  HeadlessHost host;
  ChildControls ch(host);
  Arrays arrays(host, ch);
  ControlArray& boxes = arrays.Box;
  ControlArray& spares = arrays.spareBoxes;
  boxes.emplace_back();
  Control& used = LoadElementAt(host, boxes, spares, *boxes[0], 1);
  used.Visible = true;
  used.Top = 900;
  used.ToolTipText = u"old";
  used.Value = 7;
  used.surface->SetBackColor(0x00FF00);
  used.surface->SetCurrentY(300);
  UnloadElements(boxes, spares);
  ASSERT_EQ(boxes.size(), 1u);
  ASSERT_EQ(spares.size(), 1u);
  boxes[0]->BackColor = 0x123456;

  boxes.emplace_back();
  Control& again = LoadElementAt(host, boxes, spares, *boxes[0], 1);
  const std::unique_ptr<Control> fresh = CopyControl(host, *boxes[0], 1);
  EXPECT_TRUE(spares.empty());
  for (const Control* c : {&again, fresh.get()}) {
    EXPECT_EQ(c->Index, 1);
    EXPECT_FALSE(c->Visible);
    EXPECT_EQ(c->Top, boxes[0]->Top);
    EXPECT_EQ(c->ToolTipText, boxes[0]->ToolTipText);
    EXPECT_EQ(c->Value, 0);
    EXPECT_EQ(c->BackColor, 0x123456u);
    EXPECT_EQ(c->surface->PixelAt(3, 3), 0x123456u);
    EXPECT_EQ(c->surface->CurrentY(), 0);
  }
}

TEST(ChildControls, SelfSizingLabelsTakeTheSizeOfTheirText) {
  HeadlessHost host;
  ChildControls ch(host);
  Control& label = ch.entries.FirstLabel();
  SetCaption(host, label, u"上海市 浦东旗舰店");
  const TextExtent one = host.MeasureText(label.Font, u"上海市 浦东旗舰店");
  EXPECT_EQ(label.Width, one.width);
  EXPECT_EQ(label.Height, one.height);
  SetCaption(host, label, u"上海");
  EXPECT_LT(label.Width, one.width);

  // Three lines separated by a lone carriage return stand three lines high.
  SetCaption(host, ch.lblInfo, u"记录: 三月\r金额: 1,234元\rNorth");
  EXPECT_DOUBLE_EQ(ch.lblInfo.Height, 3 * host.MeasureText(ch.lblInfo.Font, u"North").height);

  SetFont(host, ch.lblInfo, FontSpec{u"宋体", 18, false, 134});
  EXPECT_GT(ch.lblInfo.Height, 3 * one.height);

  // The slider keeps its strip whatever it shows.
  SetCaption(host, ch.lblSlider, u"a much longer caption");
  EXPECT_EQ(ch.lblSlider.Width, 90);
}

TEST(ChildControls, LabelsLieBelowPanelsOfTheSameParent) {
  HeadlessHost host;
  ChildControls ch(host);
  EXPECT_EQ(ch.ChildrenOf(nullptr), (std::vector<Control*>{&ch.lblInfo, &ch.picLegend}));
  EXPECT_EQ(ch.ChildrenOf(&ch.picLegend),
            (std::vector<Control*>{&ch.lblSlider, &ch.vsbContainer, &ch.picContainer}));
  ChartState state(host);
  AddLegendEntry(state, u"first", 1);
  AddLegendEntry(state, u"second", 1);
  const DescriptionEntries& entries = state.children.entries;
  EXPECT_EQ(
      state.children.ChildrenOf(&state.children.picContainer),
      (std::vector<Control*>{entries.Label(0), entries.Label(1), entries.Box(0), entries.Box(1)}));
}

TEST(ChildControls, MovingAPanelResizesItsImageAndReportsTheSizeChange) {
  HeadlessHost host;
  ChildControls ch(host);
  EXPECT_FALSE(MoveControl(host, ch.picLegend, 100, 0, 2250, 5430));
  EXPECT_EQ(ch.picLegend.Left, 100);
  EXPECT_TRUE(MoveControl(host, ch.picLegend, 100, 0, 2250, 6000));
  EXPECT_EQ(ch.picLegend.surface->PixelHeight(), 400);
}

}  // namespace
}  // namespace palvex
