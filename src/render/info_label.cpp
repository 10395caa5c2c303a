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

// The value as the "#,0" pattern shows it, or with decimals "#,0.00...":
// halves rounded to the even neighbour as every number the control rounds
// (the decimals from the exact binary value, as a number format does),
// thousands grouped by the separator. An amount that rounds to nothing
// shows as "0" without a sign.
std::u16string GroupedAmount(double value, std::u16string_view separator, int decimals,
                             std::u16string_view point) {
  std::string digits;
  std::string fraction(static_cast<std::size_t>(decimals), '0');
  bool negative = false;
  if (decimals == 0 || !(std::fabs(value) < 1e15)) {
    const double whole = RoundHalfEven(value);
    if (!std::isfinite(whole)) return std::u16string();
    negative = whole < 0;
    digits = WholeDigits(std::fabs(whole));
  } else {
    const std::string fixed = FormattedNumber(std::fabs(value), std::chars_format::fixed, decimals);
    const std::size_t dot = fixed.find('.');
    digits = fixed.substr(0, dot);
    fraction = fixed.substr(dot + 1);
    negative = value < 0 && fixed.find_first_not_of("0.") != std::string::npos;
  }
  std::u16string text;
  if (negative) text += u'-';
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += static_cast<char16_t>(digits[i]);
  }
  if (!fraction.empty()) text.append(point).append(fraction.begin(), fraction.end());
  return text;
}

// The separator the host's locale groups digits with, "," when it has none.
std::u16string GroupSeparatorOf(Host& host) {
  std::u16string separator = host.DigitGroupSeparator();
  return separator.empty() ? u"," : separator;
}

std::u16string DecimalPointOf(Host& host) {
  std::u16string point = host.DecimalPoint();
  return point.empty() ? u"." : point;
}

// The label's three lines around an amount already written out.
std::u16string InfoLines(const ChartItem& item, const InfoLabelWords& words,
                         std::u16string_view amount) {
  std::u16string lines = words.record + item.XAxisDescription + u"\r" + words.amount;
  lines.append(amount);
  return lines + u"\r" + item.SelectedDescription;
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
                          std::u16string_view currency, int decimals,
                          std::u16string_view decimalPoint) {
  std::u16string text(currency);
  const std::size_t at = text.find(u"%1");
  const std::u16string amount = GroupedAmount(value, groupSeparator, decimals, decimalPoint);
  // A currency text without the place holder still shows the amount.
  if (at == std::u16string::npos) return amount + text;
  return text.replace(at, 2, amount);
}

std::u16string ShownAmount(ChartState& chart, double value) {
  const AmountFormat& format = chart.look.amountFormat;
  return AmountText(value, GroupSeparatorOf(chart.host), CurrencyText(chart), format.decimals,
                    DecimalPointOf(chart.host));
}

std::u16string CurrencyText(ChartState& chart) {
  const AmountFormat& format = chart.look.amountFormat;
  return format.suffix ? u"%1" + *format.suffix : TranslatedInfoWords(chart.host).currency;
}

std::u16string InfoCaption(const ChartItem& item, std::u16string_view groupSeparator,
                           const InfoLabelWords& words) {
  return InfoLines(item, words, AmountText(item.Value, groupSeparator, words.currency));
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
  const ChartItem& item = chart.items()[column];
  SetCaption(chart.host, label,
             InfoLines(item, TranslatedInfoWords(chart.host), ShownAmount(chart, item.Value)));
  if (label.Tag != kInfoLabelFixed) {
    // Control positions are 32-bit floats.
    label.Left = static_cast<float>(barLeft + (barRight - barLeft - label.Width) / 2);
    label.Top = static_cast<float>(chart.surface->ScaleHeight() - chart.MarginBottom + kBelowPlot);
  }
  label.Visible = true;
}

}  // namespace palvex
