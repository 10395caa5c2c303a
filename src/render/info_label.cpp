#include "render/info_label.h"

#include <charconv>
#include <cmath>

#include "model/chart_state.h"
#include "platform/numeric.h"

namespace palvex {

namespace {

// How far below the plot's bottom edge the label hangs, in twips.
constexpr double kBelowPlot = 20;

// Digits of a whole, non-negative number. A double holds 15 significant
// digits; larger amounts show those and zeros, as a number format does.
std::string WholeDigits(double whole) {
  if (whole < 1e15) return FormattedNumber(whole, std::chars_format::fixed, 0);
  // d.dddddddddddddde+XX
  const std::string sci = FormattedNumber(whole, std::chars_format::scientific, 14);
  std::string digits = sci.substr(0, 1) + sci.substr(2, 14);
  int exponent = 0;
  std::from_chars(sci.data() + sci.find('e') + 2, sci.data() + sci.size(), exponent);
  digits.append(static_cast<std::size_t>(exponent - 14), '0');
  return digits;
}

// The value as the "#,0" pattern shows it: no decimals, halves rounded
// away from zero as display formats round, thousands grouped by the
// separator. An amount that rounds to nothing shows as "0", without a sign.
std::u16string GroupedAmount(double value, std::u16string_view separator) {
  double whole = std::round(value);
  if (!std::isfinite(whole)) return std::u16string();
  const bool negative = whole < 0;
  const std::string digits = WholeDigits(std::fabs(whole));
  std::u16string text;
  if (negative) text += u'-';
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += static_cast<char16_t>(digits[i]);
  }
  return text;
}

}  // namespace

std::u16string InfoCaption(const ChartItem& item, std::u16string_view groupSeparator) {
  return u"记录: " + item.XAxisDescription + u"\r" +                        // record
         u"金额: " + GroupedAmount(item.Value, groupSeparator) + u"元\r" +  // amount, in yuan
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
  // The amount is grouped as the user's locale groups digits.
  const std::u16string separator = chart.host.DigitGroupSeparator();
  SetCaption(chart.host, label,
             InfoCaption(chart.items()[column], separator.empty() ? u"," : separator));
  if (label.Tag != kInfoLabelFixed) {
    // Control positions are 32-bit floats.
    label.Left = static_cast<float>(barLeft + (barRight - barLeft - label.Width) / 2);
    label.Top = static_cast<float>(chart.surface->ScaleHeight() - chart.MarginBottom + kBelowPlot);
  }
  label.Visible = true;
}

}  // namespace palvex
