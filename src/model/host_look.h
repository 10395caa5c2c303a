#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/color.h"
#include "platform/font.h"

namespace palvex {

// An amount as a host shows it: a suffix in place of the translated
// currency text when set, and up to six decimals.
struct AmountFormat {
  static constexpr int kMaxDecimals = 6;
  std::optional<std::u16string> suffix;
  int decimals = 0;
};

// The colours one painted theme draws with. The legend panel shows the
// background's gradient upside down, and its entries start from the
// background's bottom colour, so that the three blend. The band colours
// are a host theme's own: the control's themes shade their bands in their
// own way.
struct ThemeColors {
  Color backgroundTop;
  Color backgroundBottom;
  Color line;
  Color sliderBack;
  Color sliderFore;
  Color foreColor;
  Color bandTop = 0;
  Color bandBottom = 0;

  bool operator==(const ThemeColors&) const = default;
};

// The theme number a host paints with colours of its own (the widget's
// palette theme). The control knows no such theme: without the host's
// colours it paints nothing, as for every number past its own.
inline constexpr std::int32_t kHostTheme = 4;

// How the host's own face styles the chart beyond the control's
// properties: none of it is saved in the property bag, and a change the
// control refuses puts all of it back as it was.
struct HostLook {
  AmountFormat amountFormat;
  // Used in turn column by column instead of the palette's, each as the
  // pair a bar is shaded with; empty: the control's colours.
  std::vector<std::pair<Color, Color>> barColors;
  // The titles' and the labels' faces in place of the control's; the
  // subtitle is the title's two points smaller and regular, the scale's
  // numbers one point smaller than the captions.
  std::optional<FontSpec> titleFont;
  std::optional<FontSpec> labelFont;
  // The colours of kHostTheme, and the pair its bars are shaded with when
  // neither the host's bar colours nor the item colours apply.
  std::optional<ThemeColors> themeColors;
  std::vector<std::pair<Color, Color>> themeBars;
};

}  // namespace palvex
