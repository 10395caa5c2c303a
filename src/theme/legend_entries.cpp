#include "theme/legend_entries.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/chart_state.h"
#include "platform/chart_error.h"
#include "platform/device_context.h"
#include "platform/numeric.h"
#include "platform/screen.h"
#include "theme/gradient.h"
#include "theme/themes.h"

namespace palvex {

namespace {

// Entry texts longer than this are cut to kCutLength characters and "..".
constexpr std::size_t kLongestWholeText = 17;
constexpr std::size_t kCutLength = 15;
// The largest value of the 16-bit scroll bar.
constexpr double kMaxScrollValue = 32767;

using BarPalette = decltype(ChartState::barPalette);

// The pairs the entries' colour boxes are painted in: the bars' palette, or
// with the host's own bar colours those, and the selected bar's pair.
BarPalette EntryPalette(const ChartState& chart) {
  BarPalette palette = chart.barPalette;
  const auto& colors = BarColorsInUse(chart);
  if (colors.empty()) return palette;
  for (std::size_t j = 0; j < colors.size() && j < kMaxHostBarColors; ++j) {
    palette[j] = colors[j].first;
    palette[16 + j] = colors[j].second;
  }
  palette[kHostSelectedColorIndex] = kSelectedFirst;
  palette[16 + kHostSelectedColorIndex] = kSelectedSecond;
  return palette;
}

Color PaletteEntry(const BarPalette& palette, std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(palette.size()))
    throw ChartError(kErrSubscript);
  return palette[index];
}

std::u16string EntryText(const std::u16string& description) {
  if (description.size() <= kLongestWholeText) return description;
  return description.substr(0, kCutLength) + u"..";
}

// The colour box: the pair's gradient with a one-pixel frame in reverse.
void PaintColorBox(const BarPalette& palette, Control& box, std::int32_t colorIndex) {
  const Color first = PaletteEntry(palette, colorIndex);
  const Color second = PaletteEntry(palette, 16 + colorIndex);
  const double w = box.Width / kFixedTwipsPerPixel;
  const double h = box.Height / kFixedTwipsPerPixel;
  DeviceContext& dc = box.surface->dc();
  // The inset covers all but the frame: its rows are written once.
  const FillGroup group(dc);
  FillGradient(dc, second, first, FillVer, 0, 0, ToInt32(w), ToInt32(h));
  FillGradient(dc, first, second, FillVer, 1, 1, ToInt32(w - 2), ToInt32(h - 2));
}

double EntryPitch(const ChartState& chart) {
  return chart.children.entries.FirstBox().Height + 10 * chart.TwipsPerPixelY();
}

// Entries whose top lies above this are in view (or one entry short of it).
double LowestTopInView(const ChartState& chart) {
  const ChildControls& ch = chart.children;
  return -ch.picContainer.Top + ch.picLegend.ScaleHeight() + EntryPitch(chart);
}

}  // namespace

// The legend's work on its description entries: the one place that makes,
// paints, unloads and remembers them.
class LegendEntries {
 public:
  explicit LegendEntries(ChartState& chart) : chart_(chart), e_(chart.children.entries) {
    // Made every time an entry is added: copied only when the host's
    // colours change the bars' palette.
    if (!BarColorsInUse(chart).empty()) hostPalette_ = EntryPalette(chart);
  }

  void Add(const std::u16string& description, std::int32_t colorIndex);
  void MakeExist(std::size_t k);
  void ShowInView();
  void Clear();
  void PaintBackground();
  void PaintInView();
  void FrameSelected();

 private:
  void GiveColorBox(Control& box, std::int32_t colorIndex);
  void NoteTemplates();
  std::pair<std::size_t, std::size_t> InView() const;

  ChartState& chart_;
  DescriptionEntries& e_;
  // The pairs entries added now are painted in.
  const BarPalette& palette() const {
    return BarColorsInUse(chart_).empty() ? chart_.barPalette : hostPalette_;
  }

  BarPalette hostPalette_;
};

// Boxes of one colour made from the same templates look the same: the
// first is painted and the rest share its picture.
void LegendEntries::GiveColorBox(Control& box, std::int32_t colorIndex) {
  const bool shared =
      colorIndex >= 0 && colorIndex < static_cast<std::int32_t>(e_.colorBoxes_.size());
  if (shared && e_.colorBoxes_[colorIndex]) {
    box.surface = e_.colorBoxes_[colorIndex];
    return;
  }
  GiveSurface(chart_.host, box);
  PaintColorBox(e_.palette_, box, colorIndex);
  if (shared) e_.colorBoxes_[colorIndex] = box.surface;
}

// Before the second entry is made, the first has set up the templates the
// rest are copied from: other templates, another palette or another screen
// make colour boxes of their own.
void LegendEntries::NoteTemplates() {
  if (SameProperties(e_.FirstBox(), e_.boxTemplate_) &&
      SameProperties(e_.FirstLabel(), e_.labelTemplate_) && e_.palette_ == palette() &&
      e_.twipsPerPixelX_ == chart_.TwipsPerPixelX() &&
      e_.twipsPerPixelY_ == chart_.TwipsPerPixelY())
    return;
  e_.Invalidate();
  e_.twipsPerPixelX_ = chart_.TwipsPerPixelX();
  e_.twipsPerPixelY_ = chart_.TwipsPerPixelY();
  CopyProperties(e_.boxTemplate_, e_.FirstBox());
  CopyProperties(e_.labelTemplate_, e_.FirstLabel());
  e_.palette_ = palette();
}

// The entries whose rows the legend shows, one more each side: [first, last).
std::pair<std::size_t, std::size_t> LegendEntries::InView() const {
  const ChildControls& ch = chart_.children;
  const std::size_t n = std::min(e_.Count(), e_.records_.size());
  const double pitch = EntryPitch(chart_);
  const double top = -ch.picContainer.Top - pitch;
  const double bottom = LowestTopInView(chart_);
  const auto begin = e_.records_.begin(), end = begin + static_cast<std::ptrdiff_t>(n);
  const auto first =
      std::partition_point(begin, end, [&](const EntryRecord& r) { return r.top + pitch <= top; });
  const auto last =
      std::partition_point(first, end, [&](const EntryRecord& r) { return r.top < bottom; });
  return {static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin)};
}

// Makes entry k's colour box and label from its record, as the pass that
// made the record would have.
void LegendEntries::MakeExist(std::size_t k) {
  if (k == 0 || k >= e_.Count() || k >= e_.records_.size() || e_.boxes_[k]) return;
  const EntryRecord& r = e_.records_[k];
  if (r.colorIndex < 0) return;
  e_.shown_ = {};
  Control& box = LoadElementAt(chart_.host, e_.boxes_, e_.spareBoxes_, e_.boxTemplate_, k);
  Control& label = LoadElementAt(chart_.host, e_.labels_, e_.spareLabels_, e_.labelTemplate_, k);
  // The picture is cleared to the template's colour, then painted: at 12
  // twips a pixel the gradient leaves a margin of that colour.
  GiveColorBox(box, r.colorIndex);
  box.BackColor = r.color;
  box.Top = label.Top = r.top;
  SetCaption(chart_.host, label, EntryText(r.description));
  label.ToolTipText = r.description;
  box.Visible = label.Visible = true;
}

void LegendEntries::Add(const std::u16string& description, std::int32_t colorIndex) {
  const bool first = !chart_.legendHasRows;
  const std::size_t k = first ? 0 : e_.Count();
  // The array index is 16-bit, as the control arrays are.
  if (!first) ToInt16(static_cast<double>(k));
  // The records are overwritten in place: their strings keep their
  // storage. One whose colour fails stays hidden.
  if (e_.records_.size() <= k) e_.records_.resize(k + 1);
  EntryRecord& r = e_.records_[k];
  r.colorIndex = -1;
  r.description = description;
  r.top = first ? e_.FirstBox().Top
                : e_.records_[k - 1].top + e_.FirstBox().Height + 10 * chart_.TwipsPerPixelY();
  if (first) {
    Control& box = e_.FirstBox();
    Control& label = e_.FirstLabel();
    r.color = PaletteEntry(palette(), colorIndex);
    box.BackColor = r.color;
    SetCaption(chart_.host, label, EntryText(description));
    label.ToolTipText = description;
    PaintColorBox(palette(), box, colorIndex);
    box.Visible = true;
    label.Visible = true;
    chart_.legendHasRows = true;
  } else {
    if (k == 1) NoteTemplates();
    e_.boxes_.emplace_back();
    e_.labels_.emplace_back();
    // The entry exists before a colour outside the table fails, as a
    // loaded element would; its colour box could not be painted later.
    r.color = PaletteEntry(palette(), colorIndex);
    PaletteEntry(palette(), 16 + colorIndex);
  }
  r.colorIndex = colorIndex;
  FitEntriesToStack(chart_);
  // Only entries in view are made as controls; the rest wait as records.
  if (k > 0 && r.top < LowestTopInView(chart_)) MakeExist(k);
}

void LegendEntries::ShowInView() {
  if (!chart_.legendHasRows) return;
  const auto [first, last] = InView();
  // Every mouse move asks: unchanged, the answer is at hand.
  const std::array<std::size_t, 3> shown{first, last, e_.Count()};
  if (shown == e_.shown_) return;
  for (std::size_t k = 1; k < e_.Count(); ++k) {
    if (k >= first && k < last) {
      MakeExist(k);
    } else if (e_.boxes_[k]) {
      UnloadElementAt(e_.boxes_, e_.spareBoxes_, k);
      UnloadElementAt(e_.labels_, e_.spareLabels_, k);
    }
  }
  e_.shown_ = shown;
}

void LegendEntries::Clear() {
  if (!chart_.legendHasRows) return;
  chart_.legendHasRows = false;
  e_.shown_ = {};
  // Each step runs even if an earlier one failed.
  IgnoreErrors([&] { UnloadElements(e_.boxes_, e_.spareBoxes_); });
  IgnoreErrors([&] { UnloadElements(e_.labels_, e_.spareLabels_); });
  IgnoreErrors([&] { ScrollEntries(chart_, 0); });
  IgnoreErrors([&] { e_.FirstBox().Visible = false; });
  IgnoreErrors([&] { e_.FirstLabel().Visible = false; });
}

void LegendEntries::PaintBackground() {
  ChildControls& ch = chart_.children;
  const Control& entries = ch.picContainer;
  const Screen& screen = chart_.host.screen();
  EntriesLook& look = e_.look_;
  look.painted = true;
  look.width = PixelsOf(entries.Width, screen.TwipsPerPixelX());
  // Only the rows in view are ever made, so the whole panel's height is
  // not bounded as a picture's would be.
  look.height = static_cast<int>(
      std::clamp(RoundHalfEven(entries.Height / screen.TwipsPerPixelY()), 1.0, 2147483647.0));
  look.framed = false;
  look.themed = false;
  if (const ThemeColors* c = ColorsOf(ThemeOf(chart_))) {
    // The legend's colour where the stack ends, so the two gradients meet.
    // A stack taller than the legend ends in the colour of the legend's
    // last gradient row: outside the legend there is no colour to take,
    // and white would hide the white texts and frame of the dark themes.
    const Control& legend = ch.picLegend;
    const int lastRow = std::min(legend.surface->PixelHeight(),
                                 ToInt32(legend.ScaleHeight() / kFixedTwipsPerPixel)) -
                        1;
    const int row = std::min(ToInt32(entries.Height / kFixedTwipsPerPixel), std::max(lastRow, 0));
    look.themed = true;
    look.top = c->backgroundBottom;
    look.bottom = legend.surface->dc().GetPixel(1, row);
    look.fillWidth = ToInt32(entries.ScaleWidth() / kFixedTwipsPerPixel);
    look.fillHeight = ToInt32(entries.ScaleHeight() / kFixedTwipsPerPixel);
  }
  ++e_.lookVersion_;
}

void LegendEntries::PaintInView() {
  ChildControls& ch = chart_.children;
  Control& entries = ch.picContainer;
  const EntriesLook& look = e_.look_;
  if (!look.painted || !entries.surface) return;
  const float tppy = chart_.host.screen().TwipsPerPixelY();
  // The rows the legend shows, and always at least one row of the whole
  // picture, so that nothing beyond its end is ever shown.
  const double top = -entries.Top / tppy;
  const double bottom = top + ch.picLegend.ScaleHeight() / tppy;
  const int first = static_cast<int>(std::clamp(std::floor(top), 0.0, look.height - 1.0));
  const int last =
      static_cast<int>(std::clamp(std::ceil(bottom) + 1, first + 1.0, 1.0 * look.height));
  if (e_.shownLookVersion_ == e_.lookVersion_ && e_.shownFirst_ == first &&
      e_.shownRows_ == last - first)
    return;
  Surface& picture = *entries.surface;
  picture.ResizePixels(look.width, last - first);
  // A hover repaints the same rows: the screen then takes nothing again.
  const DrawingPass pass(picture);
  picture.Cls();
  const double offset = first * double(tppy);
  if (look.themed) {
    FillGradient(picture.dc(), look.top, look.bottom, FillVer, 0, -first, look.fillWidth,
                 look.fillHeight);
  }
  if (look.framed) {
    picture.Box(look.frame[0], look.frame[1] - offset, look.frame[2], look.frame[3] - offset,
                0xFFFFFF);
  }
  entries.PictureTop = offset;
  e_.shownLookVersion_ = e_.lookVersion_;
  e_.shownFirst_ = first;
  e_.shownRows_ = last - first;
}

void LegendEntries::FrameSelected() {
  ChildControls& ch = chart_.children;
  const double tppx = chart_.TwipsPerPixelX();
  const double tppy = chart_.TwipsPerPixelY();
  const int s = ToInt32(chart_.SelectedColumn);
  // A selection can outlive its item (Clear keeps SelectedColumn, and the
  // host may select past the last column): there is no entry to scroll to
  // or frame then, only the panel's background to renew, so that no frame
  // of an earlier entry stays behind.
  const long entries = chart_.legendHasRows ? static_cast<long>(e_.Count()) : 0;
  if (s < 0 || s >= entries) {
    PaintBackground();
    return;
  }
  const Control& box0 = e_.FirstBox();
  const std::int16_t visible =
      ToInt16(std::abs(ch.picLegend.ScaleHeight() / (box0.Height + 10 * tppy) - 1));
  if (chart_.SelectedColumn + 1 > visible) {
    if (visible < 0 || visible >= static_cast<long>(e_.Count())) throw ChartError(kErrSubscript);
    const std::int32_t pixels = ToInt32((chart_.SelectedColumn + 1) * (box0.Height / tppy + 10) -
                                        e_.records_[visible].top / tppy);
    // In the scroll bar's units, rounded up so that the whole entry shows.
    std::int32_t pos = ToInt32(std::ceil(pixels / ch.scrollUnitPixels));
    if (ch.vsbContainer.Max < pos) pos = ch.vsbContainer.Max;
    ScrollEntries(chart_, pos);
  } else {
    ScrollEntries(chart_, 0);
  }
  PaintBackground();
  MakeExist(static_cast<std::size_t>(s));
  // An entry whose colour failed when it was added has no controls.
  const Control* box = e_.Box(static_cast<std::size_t>(s));
  const Control* label = e_.Label(static_cast<std::size_t>(s));
  if (!box || !label) return;
  EntriesLook& look = e_.look_;
  look.framed = true;
  look.frame[0] = box->Left - 3 * tppx;
  look.frame[1] = box->Top - 3 * tppy;
  look.frame[2] = label->Left + label->Width + 2 * tppx;
  look.frame[3] = box->Top + box->Height + 2 * tppy;
  ++e_.lookVersion_;
}

void AddLegendEntry(ChartState& chart, const std::u16string& description, std::int32_t colorIndex) {
  LegendEntries(chart).Add(description, colorIndex);
}

void MakeEntryExist(ChartState& chart, std::string_view arrayName, int index) {
  if (index > 0 && DescriptionEntries::IsArrayName(arrayName))
    LegendEntries(chart).MakeExist(static_cast<std::size_t>(index));
}

void ShowEntriesInView(ChartState& chart) {
  LegendEntries(chart).ShowInView();
}

void FitEntriesToStack(ChartState& chart) {
  ChildControls& ch = chart.children;
  const double tppy = chart.TwipsPerPixelY();
  // The stack's height; its image is sized when it is next painted, so a
  // thousand entries do not reallocate it a thousand times.
  ch.picContainer.Height =
      (10 * tppy + ch.entries.FirstBox().Height) * static_cast<double>(ch.entries.Count()) - 1 +
      10 * tppy;
  FitEntriesScrollBar(chart);
}

void FitEntriesScrollBar(ChartState& chart) {
  ChildControls& ch = chart.children;
  Control& bar = ch.vsbContainer;
  const double tppy = chart.TwipsPerPixelY();
  if (chart.legendHasRows && ch.picContainer.ScaleHeight() > ch.picLegend.ScaleHeight()) {
    // The scroll bar counts the overflow in pixels. Past its 16-bit range
    // it spreads the overflow over the whole range instead, so that the
    // last entries can still be scrolled into view.
    const double overflow =
        RoundHalfEven(ch.picContainer.ScaleHeight() / tppy - ch.picLegend.ScaleHeight() / tppy);
    const double unit = overflow > kMaxScrollValue ? overflow / kMaxScrollValue : 1.0;
    ch.scrollUnitPixels = unit;
    bar.Max = static_cast<int>(std::min(overflow, kMaxScrollValue));
    // An arrow scrolls by one entry, the track by a panel's height.
    auto units = [&](double pixels) {
      return static_cast<int>(std::clamp(RoundHalfEven(pixels / unit), 1.0, kMaxScrollValue));
    };
    bar.SmallChange = units(ch.entries.FirstBox().Height / tppy + 10);
    bar.LargeChange = units(ch.picLegend.ScaleHeight() / tppy);
    bar.Visible = true;
    if (bar.Value > bar.Max) ScrollEntries(chart, bar.Max);
  } else {
    bar.Visible = false;
    ch.scrollUnitPixels = 1;
    // Nothing left to scroll: the stack must not stay out of reach.
    if (bar.Value != 0) ScrollEntries(chart, 0);
  }
}

void ClearLegendEntries(ChartState& chart) {
  LegendEntries(chart).Clear();
}

void PaintEntriesBackground(ChartState& chart) {
  LegendEntries(chart).PaintBackground();
}

void PaintEntriesInView(ChartState& chart) {
  LegendEntries(chart).PaintInView();
}

void ScrollEntries(ChartState& chart, int value) {
  Control& bar = chart.children.vsbContainer;
  bar.Value = ToInt16(value);
  const double pixels = RoundHalfEven(bar.Value * chart.children.scrollUnitPixels);
  chart.children.picContainer.Top = -pixels * chart.TwipsPerPixelY();
  ShowEntriesInView(chart);
}

void FrameSelectedEntry(ChartState& chart) {
  LegendEntries(chart).FrameSelected();
}

}  // namespace palvex
