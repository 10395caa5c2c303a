// The selection-information label: its caption, where it stands, and how
// the user fixes it, lets it follow again and switches it off.
#include "render/info_label.h"
#include "ui/info_label_input.h"

#include <gtest/gtest.h>

#include "support/shown_chart.h"

namespace palvex::testing {
namespace {

constexpr std::int16_t kLeft = 1, kRight = 2;

TEST(InfoCaption, ThreeLinesWithAWholeGroupedAmount) {
  EXPECT_EQ(InfoCaption(Item(u"1", 1234567.4, u"March", u"North")),
            u"记录: March\r金额: 1,234,567元\rNorth");
  EXPECT_EQ(InfoCaption(Item(u"1", 0)), u"记录: \r金额: 0元\r");
  const std::pair<double, std::u16string> amounts[] = {
      {-1234, u"-1,234"},
      {123, u"123"},
      {1000, u"1,000"},
      {-999999.6, u"-1,000,000"},
      // Halves round to the even neighbour, on either side of zero and
      // wherever a double still holds a half.
      {2.5, u"2"},
      {3.5, u"4"},
      {-2.5, u"-2"},
      {-3.5, u"-4"},
      {1234.5, u"1,234"},
      {1234567.5, u"1,234,568"},
      {1234568.5, u"1,234,568"},
      {-1234568.5, u"-1,234,568"},
      {999999999998.5, u"999,999,999,998"},
      // Nothing left to sign.
      {-0.4, u"0"},
      {-0.5, u"0"},
      {0.5, u"0"},
      // Beyond 15 digits a double has nothing more to show.
      {1e20, u"100,000,000,000,000,000,000"},
      {123456789012345678.0, u"123,456,789,012,346,000"},
      // A half in the digits a double cannot show goes to the even one too.
      {1234567890123465.0, u"1,234,567,890,123,460"},
      {1234567890123475.0, u"1,234,567,890,123,480"},
  };
  for (const auto& [value, amount] : amounts) {
    EXPECT_EQ(InfoCaption(Item(u"1", value)), u"记录: \r金额: " + amount + u"元\r") << value;
  }
}

// With decimals the exact binary value is rounded, ties to even, and the
// host's decimal point and suffix go with it.
TEST(InfoCaption, AnAmountWithDecimalsRoundsTiesToEven) {
  const struct {
    double value;
    int decimals;
    std::u16string_view amount;
  } cases[] = {
      {0.125, 2, u"0.12 mm"},  // an exact tie
      {0.375, 2, u"0.38 mm"},  // the other way
      {2.675, 2, u"2.67 mm"},  // just below the half in binary
      {1234.5678, 2, u"1'234.57 mm"},
      {-0.001, 2, u"0.00 mm"},  // nothing left to sign
      {-1234567.25, 1, u"-1'234'567.2 mm"},
      {12.3456789, 6, u"12.345679 mm"},
      {1e20, 1, u"100'000'000'000'000'000'000.0 mm"},
      {2.5, 0, u"2 mm"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AmountText(c.value, u"'", u"%1 mm", c.decimals, u"."), c.amount) << c.value;
  }
  EXPECT_EQ(AmountText(0.5, u".", u"%1", 1, u","), u"0,5");
}

class InfoLabel : public ShownChart {
 protected:
  InfoLabel() { state().SelectionInformation = true; }
  Control& label() { return state().children.lblInfo; }
  // Where follow mode puts the label under column c.
  void ExpectUnderColumn(int c) {
    const double barLeft = state().MarginLeft + c * state().barWidth + 2 * 15;
    const double barRight = state().MarginLeft + (c + 1) * state().barWidth;
    EXPECT_EQ(label().Left, static_cast<float>(barLeft + (barRight - barLeft - label().Width) / 2));
    EXPECT_EQ(label().Top, PlotBottom() + 20);
  }
  // Grabs the label (dx, dy) inside its corner and lets go at (x, y).
  void Drag(double dx, double dy, float x, float y) {
    chart->MouseDown(kLeft, 0, static_cast<float>(label().Left + dx),
                     static_cast<float>(label().Top + dy));
    chart->MouseMove(kLeft, 0, x, y);
    chart->MouseUp(kLeft, 0, x, y);
  }
};

TEST_F(InfoLabel, FollowsTheSelectedBarSizedToItsCaption) {
  Columns({40, -1234, 80});
  ClickColumn(0);
  ASSERT_TRUE(label().Visible);
  ExpectUnderColumn(0);
  chart->SetSelectedColumn(1);
  EXPECT_TRUE(label().Visible);
  EXPECT_EQ(label().Caption, u"记录: axis 1\r金额: -1,234元\rabout 1");
  const TextExtent size = host.MeasureText(label().Font, label().Caption);
  EXPECT_EQ(label().Width, size.width);
  EXPECT_EQ(label().Height, size.height);
  ExpectUnderColumn(1);
}

TEST_F(InfoLabel, ADraggedLabelStaysWhereItWasDroppedUntilDoubleClicked) {
  Columns({40, 60, 80});
  ClickColumn(0);
  const double width = label().Width, height = label().Height;
  chart->MouseDown(kLeft, 0, static_cast<float>(label().Left + 30),
                   static_cast<float>(label().Top + 15));
  EXPECT_EQ(label().Tag, u"Fix");
  EXPECT_FALSE(state().children.mnuAutoMoveInfo.Checked);
  // While it is dragged an outline of its size follows the pointer.
  chart->MouseMove(kLeft, 0, 2000, 1000);
  const std::optional<DragOutline> outline = DragOutlineAt(state(), 2000, 1000);
  ASSERT_TRUE(outline);
  EXPECT_EQ(outline->left, 1970);
  EXPECT_EQ(outline->top, 985);
  EXPECT_EQ(outline->width, width);
  EXPECT_EQ(outline->height, height);
  chart->MouseUp(kLeft, 0, 2500, 1200);
  EXPECT_FALSE(DragOutlineAt(state(), 2500, 1200));
  EXPECT_EQ(label().Left, 2470);
  EXPECT_EQ(label().Top, 1185);

  // Another column: the caption changes, the place does not.
  ClickColumn(2);
  EXPECT_TRUE(label().Visible);
  EXPECT_EQ(label().Caption, u"记录: axis 2\r金额: 80元\rabout 2");
  EXPECT_EQ(label().Left, 2470);

  chart->DblClick(2500, 1200);
  EXPECT_FALSE(label().Visible);
  EXPECT_EQ(label().Tag, u"");
  EXPECT_TRUE(state().children.mnuAutoMoveInfo.Checked);
  ClickColumn(1);
  EXPECT_TRUE(label().Visible);
  ExpectUnderColumn(1);
}

TEST_F(InfoLabel, TheFollowItemSwitchesModesWithoutRedrawing) {
  Columns({40, 60, 80});
  ClickColumn(0);
  host.QueueMenuAnswer("mnuAutoMoveInfo");
  const std::size_t passes = Passes();
  Click(100, 100, kRight);
  EXPECT_EQ(Passes(), passes);
  EXPECT_EQ(label().Tag, u"Fix");
  const double left = label().Left;
  ClickColumn(2);
  EXPECT_EQ(label().Left, left);

  host.QueueMenuAnswer("mnuAutoMoveInfo");
  Click(100, 100, kRight);
  EXPECT_EQ(label().Tag, u"");
  EXPECT_TRUE(state().children.mnuAutoMoveInfo.Checked);
  chart->Refresh();
  ExpectUnderColumn(2);
}

TEST_F(InfoLabel, TheSelectionInformationSwitchHidesAndShowsIt) {
  state().SelectionInformation = false;
  Columns({40, 60});
  ClickColumn(1);
  EXPECT_FALSE(label().Visible);
  EXPECT_FALSE(state().children.mnuSelectionInfo.Checked);

  host.QueueMenuAnswer("mnuSelectionInfo");
  Click(100, 100, kRight);
  EXPECT_TRUE(chart->SelectionInformation());
  EXPECT_TRUE(state().children.mnuSelectionInfo.Checked);
  EXPECT_TRUE(label().Visible);
  ExpectUnderColumn(1);

  host.QueueMenuAnswer("mnuSelectionInfo");
  Click(100, 100, kRight);
  EXPECT_FALSE(label().Visible);
}

TEST_F(InfoLabel, NotShownBeforeThePassAfterTheGrowthAnimation) {
  chart->AddItem(Item(u"1", 40));
  chart->AddItem(Item(u"2", 60));
  chart->Show();
  chart->SetSelectedColumn(1);
  EXPECT_FALSE(label().Visible);
  chart->StartTimerTick();  // the bars grow unselected
  EXPECT_FALSE(label().Visible);
  chart->Refresh();
  EXPECT_TRUE(label().Visible);
  ExpectUnderColumn(1);
}

TEST_F(InfoLabel, OnlyAColumnDrawnAsSelectedShowsIt) {
  Columns({40, 60, 80});
  chart->SetSelectedColumn(2);
  ASSERT_TRUE(label().Visible);
  // Not selectable: a host's selection is not drawn, nor is the label.
  chart->SetSelectable(false);
  EXPECT_EQ(chart->SelectedColumn(), 2);
  EXPECT_FALSE(label().Visible);
  chart->SetSelectable(true);
  EXPECT_TRUE(label().Visible);
  // Items gone: the label must not go on telling of one.
  chart->Clear();
  EXPECT_FALSE(label().Visible);
  chart->AddItem(Item(u"1", 40));
  chart->Refresh();
  EXPECT_FALSE(label().Visible);
}

}  // namespace
}  // namespace palvex::testing
