#include "render/info_label.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/chart_state.h"

namespace palvex {

namespace {

// How far below the plot's bottom edge the label hangs, in twips.
constexpr double kBelowPlot = 20;

// Digits of a whole, non-negative number. A double holds 15 significant
// digits; larger amounts show those and zeros, as a number format does.
std::string WholeDigits(double whole) {
  char buf[48];
  if (whole < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", whole);
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%.14e", whole);  // d.dddddddddddddde+XX
  std::string digits(1, buf[0]);
  digits.append(buf + 2, 14);
  const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  digits.append(static_cast<std::size_t>(exponent - 14), '0');
  return digits;
}

// The value as the "#,0" pattern shows it: no decimals, halves rounded
// away from zero as display formats round, thousands grouped by ",". An
// amount that rounds to nothing shows as "0", without a sign.
std::u16string GroupedAmount(double value) {
  double whole = std::round(value);
  if (!std::isfinite(whole)) return std::u16string();
  const bool negative = whole < 0;
  const std::string digits = WholeDigits(std::fabs(whole));
  std::u16string text;
  if (negative) text += u'-';
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += u',';
    text += static_cast<char16_t>(digits[i]);
  }
  return text;
}

}  // namespace

std::u16string InfoCaption(const ChartItem& item) {
  return u"记录: " + item.XAxisDescription + u"\r" +        // record
         u"金额: " + GroupedAmount(item.Value) + u"元\r" +  // amount, in yuan
         item.SelectedDescription;
}

void ShowInfoLabelForPass(ChartState& chart, std::int16_t columns) {
  Control& label = chart.children.lblInfo;
  label.Visible = false;
  chart.children.mnuSelectionInfo.Checked = chart.SelectionInformation;
  // Only a column the pass highlights refreshes the label; shown for any
  // other, it would tell of an item that is not drawn as selected or no
  // longer exists.
  label.Visible = chart.SelectedColumn > -1 && chart.SelectedColumn < columns &&
                  chart.SelectionInformation && chart.animationDone && chart.Selectable;
}

void UpdateInfoLabel(ChartState& chart, int column, double barLeft, double barRight) {
  Control& label = chart.children.lblInfo;
  label.Visible = false;
  SetCaption(chart.host, label, InfoCaption(chart.items()[column]));
  if (label.Tag != kInfoLabelFixed) {
    // Control positions are 32-bit floats.
    label.Left = static_cast<float>(barLeft + (barRight - barLeft - label.Width) / 2);
    label.Top = static_cast<float>(chart.surface->ScaleHeight() - chart.MarginBottom + kBelowPlot);
  }
  label.Visible = true;
}

}  // namespace palvex
