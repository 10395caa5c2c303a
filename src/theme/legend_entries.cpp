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
void PaintColourBox(const BarPalette& palette, Control& box, std::int32_t colourIndex) {
  const Color first = PaletteEntry(palette, colourIndex);
  const Color second = PaletteEntry(palette, 16 + colourIndex);
  const double w = box.Width / kFixedTwipsPerPixel;
  const double h = box.Height / kFixedTwipsPerPixel;
  DeviceContext& dc = box.surface->dc();
  // The inset covers all but the frame: its rows are written once.
  const FillGroup group(dc);
  FillGradient(dc, second, first, FillVer, 0, 0, ToInt32(w), ToInt32(h));
  FillGradient(dc, first, second, FillVer, 1, 1, ToInt32(w - 2), ToInt32(h - 2));
}

// Boxes of one colour made in one build look the same: the first is
// painted and the rest share its picture.
void GiveColourBox(ChartState& chart, Control& box, std::int32_t colourIndex) {
  ChildControls& ch = chart.children;
  const bool shared =
      colourIndex >= 0 && colourIndex < static_cast<std::int32_t>(ch.colourBoxes.size());
  if (shared) {
    ChildControls::ColourBox& painted = ch.colourBoxes[colourIndex];
    if (painted.picture && painted.build == ch.entryBuild) {
      box.surface = painted.picture;
      return;
    }
    // An earlier build's picture no box shows any more is painted over.
    if (painted.picture.use_count() == 1) box.surface = std::move(painted.picture);
  }
  GiveSurface(chart.host, box);
  PaintColourBox(ch.builtPalette, box, colourIndex);
  if (shared) ch.colourBoxes[colourIndex] = {box.surface, ch.entryBuild};
}

// Before the second entry is made, the first has set up the templates the
// rest are copied from: a build from other templates, another palette or
// on another screen makes colour boxes of its own.
void NoteEntryTemplates(ChartState& chart) {
  ChildControls& ch = chart.children;
  if (SameProperties(*ch.Box[0], ch.builtBoxTemplate) &&
      SameProperties(*ch.lblDescription[0], ch.builtLabelTemplate) &&
      ch.builtPalette == chart.barPalette && ch.builtTwipsPerPixelX == chart.TwipsPerPixelX() &&
      ch.builtTwipsPerPixelY == chart.TwipsPerPixelY())
    return;
  ++ch.entryBuild;
  ch.builtTwipsPerPixelX = chart.TwipsPerPixelX();
  ch.builtTwipsPerPixelY = chart.TwipsPerPixelY();
  CopyProperties(ch.builtBoxTemplate, *ch.Box[0]);
  CopyProperties(ch.builtLabelTemplate, *ch.lblDescription[0]);
  ch.builtPalette = chart.barPalette;
}

double EntryPitch(const ChartState& chart) {
  return chart.children.Box[0]->Height + 10 * chart.TwipsPerPixelY();
}

// Entries whose top lies above this are in view (or one entry short of it).
double LowestTopInView(const ChartState& chart) {
  const ChildControls& ch = chart.children;
  return -ch.picContainer.Top + ch.picLegend.ScaleHeight() + EntryPitch(chart);
}

// The entries whose rows the legend shows, one more each side: [first, last).
std::pair<std::size_t, std::size_t> EntriesInView(const ChartState& chart) {
  const ChildControls& ch = chart.children;
  const std::size_t n = std::min(ch.Box.size(), ch.entryRecords.size());
  const double pitch = EntryPitch(chart);
  const double top = -ch.picContainer.Top - pitch;
  const double bottom = LowestTopInView(chart);
  const auto begin = ch.entryRecords.begin(), end = begin + static_cast<std::ptrdiff_t>(n);
  const auto first =
      std::partition_point(begin, end, [&](const EntryRecord& r) { return r.top + pitch <= top; });
  const auto last =
      std::partition_point(first, end, [&](const EntryRecord& r) { return r.top < bottom; });
  return {static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin)};
}

// Makes entry k's colour box and label from its record, as the pass that
// made the record would have.
void LoadEntry(ChartState& chart, std::size_t k) {
  ChildControls& ch = chart.children;
  if (k == 0 || k >= ch.Box.size() || k >= ch.entryRecords.size() || ch.Box[k]) return;
  const EntryRecord& r = ch.entryRecords[k];
  if (r.colourIndex < 0) return;
  ch.entriesShown = {};
  Control& box = LoadElementAt(chart.host, ch.Box, ch.spareBoxes, ch.builtBoxTemplate, k);
  Control& label =
      LoadElementAt(chart.host, ch.lblDescription, ch.spareLabels, ch.builtLabelTemplate, k);
  // The picture is cleared to the template's colour, then painted: at 12
  // twips a pixel the gradient leaves a margin of that colour.
  GiveColourBox(chart, box, r.colourIndex);
  box.BackColor = r.colour;
  box.Top = label.Top = r.top;
  SetCaption(chart.host, label, EntryText(r.description));
  label.ToolTipText = r.description;
  box.Visible = label.Visible = true;
}

}  // namespace

void AddLegendEntry(ChartState& chart, const std::u16string& description,
                    std::int32_t colourIndex) {
  ChildControls& ch = chart.children;
  if (!ch.loadEntry) ch.loadEntry = [&chart](std::size_t k) { LoadEntry(chart, k); };
  const bool first = !chart.legendHasRows;
  const std::size_t k = first ? 0 : ch.Box.size();
  // The array index is 16-bit, as the control arrays are.
  if (!first) ToInt16(static_cast<double>(k));
  // The records are overwritten in place: their strings keep their
  // storage. One whose colour fails stays hidden.
  if (ch.entryRecords.size() <= k) ch.entryRecords.resize(k + 1);
  EntryRecord& r = ch.entryRecords[k];
  r.colourIndex = -1;
  r.description = description;
  r.top = first ? ch.Box[0]->Top
                : ch.entryRecords[k - 1].top + ch.Box[0]->Height + 10 * chart.TwipsPerPixelY();
  if (first) {
    r.colour = PaletteEntry(chart.barPalette, colourIndex);
    ch.Box[0]->BackColor = r.colour;
    SetCaption(chart.host, *ch.lblDescription[0], EntryText(description));
    ch.lblDescription[0]->ToolTipText = description;
    PaintColourBox(chart.barPalette, *ch.Box[0], colourIndex);
    ch.Box[0]->Visible = true;
    ch.lblDescription[0]->Visible = true;
    chart.legendHasRows = true;
  } else {
    if (k == 1) NoteEntryTemplates(chart);
    ch.Box.emplace_back();
    ch.lblDescription.emplace_back();
    // The entry exists before a colour outside the table fails, as a
    // loaded element would; its colour box could not be painted later.
    r.colour = PaletteEntry(chart.barPalette, colourIndex);
    PaletteEntry(chart.barPalette, 16 + colourIndex);
  }
  r.colourIndex = colourIndex;
  FitEntriesToStack(chart);
  // Only entries in view are made as controls; the rest wait as records.
  if (k > 0 && r.top < LowestTopInView(chart)) LoadEntry(chart, k);
}

void ShowEntriesInView(ChartState& chart) {
  ChildControls& ch = chart.children;
  if (!chart.legendHasRows) return;
  const auto [first, last] = EntriesInView(chart);
  // Every mouse move asks: unchanged, the answer is at hand.
  const std::array<std::size_t, 3> shown{first, last, ch.Box.size()};
  if (shown == ch.entriesShown) return;
  for (std::size_t k = 1; k < ch.Box.size(); ++k) {
    if (k >= first && k < last) {
      LoadEntry(chart, k);
    } else if (ch.Box[k]) {
      UnloadElementAt(ch.Box, ch.spareBoxes, k);
      UnloadElementAt(ch.lblDescription, ch.spareLabels, k);
    }
  }
  ch.entriesShown = shown;
}

void FitEntriesToStack(ChartState& chart) {
  ChildControls& ch = chart.children;
  const double tppy = chart.TwipsPerPixelY();
  // The stack's height; its image is sized when it is next painted, so a
  // thousand entries do not reallocate it a thousand times.
  ch.picContainer.Height =
      (10 * tppy + ch.Box[0]->Height) * static_cast<double>(ch.Box.size()) - 1 + 10 * tppy;
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
    bar.SmallChange = units(ch.Box[0]->Height / tppy + 10);
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
  if (!chart.legendHasRows) return;
  chart.legendHasRows = false;
  ChildControls& ch = chart.children;
  ch.entriesShown = {};
  // Each step runs even if an earlier one failed.
  IgnoreErrors([&] { UnloadElements(ch.Box, ch.spareBoxes); });
  IgnoreErrors([&] { UnloadElements(ch.lblDescription, ch.spareLabels); });
  IgnoreErrors([&] { ScrollEntries(chart, 0); });
  IgnoreErrors([&] { ch.Box[0]->Visible = false; });
  IgnoreErrors([&] { ch.lblDescription[0]->Visible = false; });
}

void PaintEntriesBackground(ChartState& chart) {
  ChildControls& ch = chart.children;
  const Control& entries = ch.picContainer;
  const Screen& screen = chart.host.screen();
  EntriesLook& look = ch.entriesLook;
  look.painted = true;
  look.width = PixelsOf(entries.Width, screen.TwipsPerPixelX());
  // Only the rows in view are ever made, so the whole panel's height is
  // not bounded as a picture's would be.
  look.height = static_cast<int>(
      std::clamp(RoundHalfEven(entries.Height / screen.TwipsPerPixelY()), 1.0, 2147483647.0));
  look.framed = false;
  look.themed = false;
  if (const ThemeColours* c = ColoursOf(chart.ActiveTheme)) {
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
  ++look.version;
}

void PaintEntriesInView(ChartState& chart) {
  ChildControls& ch = chart.children;
  Control& entries = ch.picContainer;
  EntriesLook& look = ch.entriesLook;
  if (!look.painted || !entries.surface) return;
  const float tppy = chart.host.screen().TwipsPerPixelY();
  // The rows the legend shows, and always at least one row of the whole
  // picture, so that nothing beyond its end is ever shown.
  const double top = -entries.Top / tppy;
  const double bottom = top + ch.picLegend.ScaleHeight() / tppy;
  const int first = static_cast<int>(std::clamp(std::floor(top), 0.0, look.height - 1.0));
  const int last =
      static_cast<int>(std::clamp(std::ceil(bottom) + 1, first + 1.0, 1.0 * look.height));
  if (look.shownVersion == look.version && look.shownFirst == first &&
      look.shownRows == last - first)
    return;
  Surface& picture = *entries.surface;
  picture.ResizePixels(look.width, last - first);
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
  look.shownVersion = look.version;
  look.shownFirst = first;
  look.shownRows = last - first;
}

void ScrollEntries(ChartState& chart, int value) {
  Control& bar = chart.children.vsbContainer;
  bar.Value = ToInt16(value);
  const double pixels = RoundHalfEven(bar.Value * chart.children.scrollUnitPixels);
  chart.children.picContainer.Top = -pixels * chart.TwipsPerPixelY();
  ShowEntriesInView(chart);
}

void FrameSelectedEntry(ChartState& chart) {
  ChildControls& ch = chart.children;
  const double tppx = chart.TwipsPerPixelX();
  const double tppy = chart.TwipsPerPixelY();
  auto element = [&](ControlArray& array, long k) -> Control& {
    if (k < 0 || k >= static_cast<long>(array.size())) throw ChartError(kErrSubscript);
    LoadEntry(chart, static_cast<std::size_t>(k));
    return *array[k];
  };
  const int s = ToInt32(chart.SelectedColumn);
  // A selection can outlive its item (Clear keeps SelectedColumn, and the
  // host may select past the last column): there is no entry to scroll to
  // or frame then, only the panel's background to renew, so that no frame
  // of an earlier entry stays behind.
  const long entries = chart.legendHasRows ? static_cast<long>(ch.Box.size()) : 0;
  if (s < 0 || s >= entries) {
    PaintEntriesBackground(chart);
    return;
  }
  const Control& box0 = *ch.Box[0];
  const std::int16_t visible =
      ToInt16(std::abs(ch.picLegend.ScaleHeight() / (box0.Height + 10 * tppy) - 1));
  if (chart.SelectedColumn + 1 > visible) {
    if (visible < 0 || visible >= static_cast<long>(ch.Box.size())) throw ChartError(kErrSubscript);
    const std::int32_t pixels = ToInt32((chart.SelectedColumn + 1) * (box0.Height / tppy + 10) -
                                        ch.entryRecords[visible].top / tppy);
    // In the scroll bar's units, rounded up so that the whole entry shows.
    std::int32_t pos = ToInt32(std::ceil(pixels / ch.scrollUnitPixels));
    if (ch.vsbContainer.Max < pos) pos = ch.vsbContainer.Max;
    ScrollEntries(chart, pos);
  } else {
    ScrollEntries(chart, 0);
  }
  PaintEntriesBackground(chart);
  const Control& box = element(ch.Box, s);
  const Control& label = element(ch.lblDescription, s);
  EntriesLook& look = ch.entriesLook;
  look.framed = true;
  look.frame[0] = box.Left - 3 * tppx;
  look.frame[1] = box.Top - 3 * tppy;
  look.frame[2] = label.Left + label.Width + 2 * tppx;
  look.frame[3] = box.Top + box.Height + 2 * tppy;
  ++look.version;
}

}  // namespace palvex
