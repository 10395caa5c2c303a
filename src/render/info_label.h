#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/chart_item.h"

namespace palvex {

struct ChartState;
class Host;

// The label's tag in fixed mode, where the user dropped it; any other tag
// means it follows the selected bar.
inline constexpr std::u16string_view kInfoLabelFixed = u"Fix";

// The label's words, as the control has always shown them unless a
// translation gives others; the currency text has "%1" where the amount goes.
struct InfoLabelWords {
  std::u16string record = u"记录: ";
  std::u16string amount = u"金额: ";
  std::u16string currency = u"%1元";
};
InfoLabelWords TranslatedInfoWords(Host& host);

// A value as an amount with digit grouping and that many decimals, in the
// currency text.
std::u16string AmountText(double value, std::u16string_view groupSeparator,
                          std::u16string_view currency, int decimals = 0,
                          std::u16string_view decimalPoint = u".");
// A value as the label shows it, grouped and pointed as the user's locale
// does, in the host's amount format.
std::u16string ShownAmount(ChartState& chart, double value);
// The text an amount is shown in ("%1" where it goes): the host's suffix,
// else the translated currency text.
std::u16string CurrencyText(ChartState& chart);

// The label's three lines, separated by a carriage return: the item's axis
// text, its value as a whole amount with digit grouping ("1,234,567元",
// or with the given separator) and its selection description.
std::u16string InfoCaption(const ChartItem& item, std::u16string_view groupSeparator = u",",
                           const InfoLabelWords& words = {});

// The start of every drawing pass over `columns` columns: the label is
// hidden, the menu's check mark follows SelectionInformation, and the
// label shows again only where this pass fills it in for a highlighted
// column (never before the growth animation has run).
void ShowInfoLabelForPass(ChartState& chart, std::int16_t columns);

// Fills the label for the selected column, whose bar spans barLeft..
// barRight (twips), and shows it; in follow mode it is centred under the
// bar, in fixed mode (tag "Fix") it stays where the user put it.
void UpdateInfoLabel(ChartState& chart, int column, double barLeft, double barRight);

}  // namespace palvex
