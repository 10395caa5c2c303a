#pragma once

#include <cstdint>
#include <string>

#include "model/chart_item.h"
#include "model/chart_state.h"
#include "platform/color.h"

namespace palvex {

class PropertyBag;

// The chart control. Its public members are what a host calls: property
// readers and writers (pixels for margins), methods, and the life-cycle
// notifications. Every writer stores the value as given and redraws;
// failures come back as ChartError with the number the host sees.
class PalvexChart {
 public:
  explicit PalvexChart(Host& host);
  PalvexChart(const PalvexChart&) = delete;
  PalvexChart& operator=(const PalvexChart&) = delete;

  // Items.
  bool AddItem(const ChartItem& cItem);
  void Clear();
  void Refresh();
  void DrawChart();

  // Margins: pixels at the interface, twips inside.
  double MarginTop() const;
  void SetMarginTop(double pixels);
  double MarginBottom() const;
  void SetMarginBottom(double pixels);
  double MarginLeft() const;
  void SetMarginLeft(double pixels);
  double MarginRight() const;
  void SetMarginRight(double pixels);

  bool ContentBorder() const { return s_.ContentBorder; }
  void SetContentBorder(bool v);
  bool Selectable() const { return s_.Selectable; }
  void SetSelectable(bool v);
  bool HotTracking() const { return s_.HotTracking; }
  void SetHotTracking(bool v);
  bool SelectionInformation() const { return s_.SelectionInformation; }
  void SetSelectionInformation(bool v);
  bool DisplayXAxis() const { return s_.DisplayXAxis; }
  void SetDisplayXAxis(bool v);
  bool DisplayYAxis() const { return s_.DisplayYAxis; }
  void SetDisplayYAxis(bool v);
  bool ColorBars() const { return s_.ColorBars; }
  void SetColorBars(bool v);

  const std::u16string& ChartTitle() const { return s_.ChartTitle; }
  void SetChartTitle(const std::u16string& v);
  const std::u16string& ChartSubTitle() const { return s_.ChartSubTitle; }
  void SetChartSubTitle(const std::u16string& v);
  const std::u16string& AxisLabelX() const { return s_.AxisLabelX; }
  void SetAxisLabelX(const std::u16string& v);
  const std::u16string& AxisLabelY() const { return s_.AxisLabelY; }
  void SetAxisLabelY(const std::u16string& v);

  double IntersectMajor() const { return s_.IntersectMajor; }
  void SetIntersectMajor(double v);
  double IntersectMinor() const { return s_.IntersectMinor; }
  void SetIntersectMinor(double v);
  double MaxY() const { return s_.MaxY; }
  void SetMaxY(double v);

  Color BackColor() const;
  void SetBackColor(Color v);
  Color ForeColor() const;
  void SetForeColor(Color v);

  std::int32_t SelectedColumn() const;
  void SetSelectedColumn(std::int32_t v);

  std::int32_t ActiveTheme() const { return s_.ActiveTheme; }
  void SetActiveTheme(std::int32_t v);

  // Public painters a host may call directly.
  std::int32_t GetYTopLegend(std::int32_t MaxChartValue);
  void DrawBackTheme();
  void DrawIntersect(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t LastLine);
  std::int32_t GetThemeLineColor();
  // Shows the legend panel (hidden false) or folds it away; no redraw.
  void ShowLegend(bool hidden = false);

  // Initialises the properties of a newly placed control; no redraw.
  void InitProperties();
  // Saves the design-time properties into the host's bag, and loads a
  // saved control from one (no redraw). Items are not persisted. A failing
  // key stops either at that key; the keys before it stay done.
  void WriteProperties(PropertyBag& bag) const;
  void ReadProperties(PropertyBag& bag);

  // Copies the chart's picture to the clipboard; the result is false in
  // every case, a failure raises ChartError.
  bool EditCopy();
  // Shows the about window; returns when the user has closed it.
  void About();

  // Life-cycle notifications from the host. The item list is created with
  // the object. Show arms the one-shot start timer, whose tick plays the
  // growth animation; Resize takes the new size in pixels; Drop places a
  // dragged child by the point it was grabbed at.
  void Show();
  void StartTimerTick();
  void Resize(int widthPx, int heightPx);
  void Drop(Control& Source, float X, float Y);
  void Terminate();

  // Raw mouse input in the control's twips (buttons 1 left, 2 right,
  // 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt), routed to the child under the
  // pointer. A double-click comes instead of the second press.
  void MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
  void DblClick(float X, float Y, std::int16_t Button = 1, std::int16_t Shift = 0);
  // A wheel turn, 120 a notch, positive away from the user; true when the
  // description list took it.
  bool MouseWheel(std::int32_t Delta, float X, float Y);
  // The host took the mouse away before the release (its window hidden or
  // disabled, another item grabbed the mouse): the press ends there, or a
  // held scroll arrow would go on scrolling unseen. No event.
  void MouseCaptureLost();
  // The host's scroll repeat timer fired (see Host::SetScrollRepeat).
  void ScrollRepeatTick();
  // The tool tip of the child under the pointer; empty when none.
  std::u16string ToolTipAt(float X, float Y);
  // What the screen shows: the control's picture with its children over it.
  void ComposeScreen(Surface& target);

  // The whole state, for hosts of this library, painters and tests.
  ChartState& state() { return s_; }
  const ChartState& state() const { return s_; }

 private:
  // Stores through the setter, then redraws.
  template <typename F>
  void WriteAndRedraw(F&& store);

  ChartState s_;
};

}  // namespace palvex
