#include "render/bars.h"

#include <chrono>
#include <optional>
#include <vector>

#include "model/chart_state.h"
#include "platform/chart_error.h"
#include "platform/numeric.h"
#include "platform/scope_guard.h"
#include "theme/gradient.h"
#include "theme/themes.h"

namespace palvex {

namespace {

// One bar as the drawing pass recorded it for the animation.
struct RecordedBar {
  std::int32_t left, top, width, height;
  Color first, second;
};

// A record's number as the animation has always read it: to fifteen
// significant digits, as automation writes numbers, then whole pixels.
std::int32_t PixelField(double v) {
  return ToInt32(AsWritten(v));
}

// A colour as an unsigned 32-bit value.
Color ColorField(double value) {
  const double v = RoundHalfEven(AsWritten(value));
  if (!(v >= -2147483648.0 && v <= 4294967295.0)) throw ChartError(kErrOverflow);
  return v < 0 ? static_cast<Color>(static_cast<std::int32_t>(v)) : static_cast<Color>(v);
}

// A column the pass did not reach has no bar to grow: subscript out of
// range; a number that is not finite reads as no number: type mismatch.
RecordedBar ReadBarRecord(const BarRecord& record) {
  if (!record.recorded) throw ChartError(kErrSubscript);
  // In the record's order: the first field that fails names the error.
  const std::int32_t left = PixelField(record.left);
  const std::int32_t top = PixelField(record.top);
  const std::int32_t width = PixelField(record.width);
  const std::int32_t height = PixelField(record.height);
  const Color first = ColorField(record.first);
  const Color second = ColorField(record.second);
  return {left, top, width, height, first, second};
}

// The records read once for the whole animation: the bars up to the first
// record that cannot be read, and that record's error.
struct RecordedBars {
  std::vector<RecordedBar> bars;
  std::optional<ChartError> unreadable;
};

RecordedBars ReadBarRecords(const std::vector<BarRecord>& records) {
  RecordedBars read;
  read.bars.reserve(records.size());
  try {
    for (const BarRecord& record : records) read.bars.push_back(ReadBarRecord(record));
  } catch (const ChartError& e) {
    read.unreadable = e;
  }
  return read;
}

void PaintFrame(ChartState& chart, const RecordedBars& recorded, int frame) {
  const FillGroup bars(chart.surface->dc());
  for (const RecordedBar& b : recorded.bars) {
    // The baseline stays; the top climbs a tenth of the height per frame.
    const std::int32_t bottom = AddInt32(b.top, b.height);
    const double part = b.height / 10.0 * frame;
    if (part > b.height) continue;  // a negative height shows in the last frame only
    PaintBar(chart.surface->dc(), chart.ActiveTheme, b.first, b.second, b.left,
             ToInt32(bottom - part), b.width, ToInt32(part));
  }
  // A record that cannot be read stops the first frame where it stands.
  if (recorded.unreadable) throw *recorded.unreadable;
}

}  // namespace

void PaintBar(DeviceContext& dc, std::int32_t theme, Color first, Color second, std::int32_t left,
              std::int32_t top, std::int32_t width, std::int32_t height) {
  const double w = width;
  // The inner bands cover most of the bar: its rows are written once.
  const FillGroup group(dc);
  if (theme == ThemePersianGulf) {
    // Shaded along the height: the bar from the second colour at the top
    // to the first at the bottom, an inset band the other way round.
    FillGradient(dc, second, first, FillVer, left, top, width, height);
    FillGradient(dc, first, second, FillVer, AddInt32(left, 2), AddInt32(top, 2),
                 SubInt32(width, 4), SubInt32(height, 4));
    return;
  }
  // Shaded across the width: the bar from the second colour to the first,
  // a reversed band over its left two thirds and a band like the bar over
  // its right third.
  FillGradient(dc, second, first, FillHor, left, top, width, height);
  FillGradient(dc, first, second, FillHor, AddInt32(left, 2), AddInt32(top, 2),
               ToInt32(w / 3 * 2 - 4), SubInt32(height, 4));
  FillGradient(dc, second, first, FillHor, ToInt32(w / 3 * 2 + left - 2), AddInt32(top, 2),
               ToInt32(w / 3 - 1), SubInt32(height, 4));
}

void GrowBars(ChartState& chart) {
  // Whatever goes wrong, the animation counts as played.
  const SetOnExit markDone(chart.animationDone, true);
  chart.animationFailure.reset();
  // With nothing recorded there is nothing to grow: the animation ends at
  // once rather than holding the thread for empty frames.
  if (chart.animationBars.empty()) return;
  Clock& clock = chart.host.clock();
  const RecordedBars recorded = ReadBarRecords(chart.animationBars);
  try {
    for (int frame = 1; frame <= kGrowthFrames; ++frame) {
      PaintFrame(chart, recorded, frame);
      // No messages are processed while waiting; the clock sleeps.
      clock.WaitUntil(clock.Now() + kFrameWait);
      chart.surface->Refresh();
    }
  } catch (const ChartError& e) {
    // An animation that fails ends quietly; the next pass paints the bars.
    chart.animationFailure = e;
  }
}

void InitBarPalette(ChartState& chart) {
  static constexpr Color kLight[10] = {0xFFEFB9, 0x4F7DFF, 0x00FE00, 0xFF83E9, 0xFFCE5F,
                                       0x42C1FF, 0xA8FFD7, 0x9A3DC9, 0xFE0000, 0xA0FFFF};
  static constexpr Color kDark[10] = {0xE69B1E, 0x000081, 0x007A00, 0xFF17D6, 0xD27400,
                                      0x0000B9, 0x17A363, 0x6A0D99, 0x7A0000, 0x0CC5FA};
  for (int n = 0; n < 10; ++n) {
    chart.barPalette[n] = kLight[n];
    chart.barPalette[16 + n] = kDark[n];
  }
}

}  // namespace palvex
