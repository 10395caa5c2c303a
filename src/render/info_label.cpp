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

// The value as the "#,0" pattern shows it: no decimals, halves rounded to
// the even neighbour as every whole number the control makes, thousands
// grouped by the separator. An amount that rounds to nothing shows as "0",
// without a sign.
std::u16string GroupedAmount(double value, std::u16string_view separator) {
  const double whole = RoundHalfEven(value);
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

// The separator the host's locale groups digits with, "," when it has none.
std::u16string GroupSeparatorOf(Host& host) {
  std::u16string separator = host.DigitGroupSeparator();
  return separator.empty() ? u"," : separator;
}

}  // namespace

InfoLabelWords TranslatedInfoWords(Host& host) {
  InfoLabelWords words;
  words.record = host.Translate(words.record);      // record
  words.amount = host.Translate(words.amount);      // amount
  words.currency = host.Translate(words.currency);  // in yuan
  return words;
}

std::u16string AmountText(double value, std::u16string_view groupSeparator,
                          std::u16string_view currency) {
  std::u16string text(currency);
  const std::size_t at = text.find(u"%1");
  const std::u16string amount = GroupedAmount(value, groupSeparator);
  // A currency text without the place holder still shows the amount.
  if (at == std::u16string::npos) return amount + text;
  return text.replace(at, 2, amount);
}

std::u16string ShownAmount(ChartState& chart, double value) {
  return AmountText(value, GroupSeparatorOf(chart.host), TranslatedInfoWords(chart.host).currency);
}

std::u16string InfoCaption(const ChartItem& item, std::u16string_view groupSeparator,
                           const InfoLabelWords& words) {
  return words.record + item.XAxisDescription + u"\r" + words.amount +
         AmountText(item.Value, groupSeparator, words.currency) + u"\r" + item.SelectedDescription;
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
  SetCaption(chart.host, label,
             InfoCaption(chart.items()[column], GroupSeparatorOf(chart.host),
                         TranslatedInfoWords(chart.host)));
  if (label.Tag != kInfoLabelFixed) {
    // Control positions are 32-bit floats.
    label.Left = static_cast<float>(barLeft + (barRight - barLeft - label.Width) / 2);
    label.Top = static_cast<float>(chart.surface->ScaleHeight() - chart.MarginBottom + kBelowPlot);
  }
  label.Visible = true;
}

}  // namespace palvex
