#include "control/palvex_chart.h"

#include <cmath>

#include "model/text_limit.h"
#include "platform/numeric.h"
#include "render/draw_chart.h"
#include "theme/legend_entries.h"
#include "theme/legend_panel.h"
#include "theme/themes.h"
#include "ui/about.h"
#include "ui/selection.h"

namespace palvex {

namespace {

// A margin in twips from pixels; a conversion that overflows the double
// range fails before anything is stored.
double ToTwips(double pixels, float twipsPerPixel) {
  return Finite(static_cast<double>(twipsPerPixel) * pixels);
}

}  // namespace

PalvexChart::PalvexChart(Host& host) : s_(host) {}

template <typename F>
void PalvexChart::WriteAndRedraw(F&& store) {
  store();
  palvex::DrawChart(s_);
}

bool PalvexChart::AddItem(const ChartItem& cItem) {
  // A value that is not a finite number would make every later pass fail,
  // so it is refused here, where the host can see which item it was.
  if (!std::isfinite(cItem.Value)) throw ChartError(kErrOverflow);
  CheckTextLength(cItem.ItemID, "ItemID");
  CheckTextLength(cItem.SelectedDescription, "SelectedDescription");
  CheckTextLength(cItem.XAxisDescription, "XAxisDescription");
  if (!s_.itemList) s_.itemList.emplace();
  s_.itemList->push_back(cItem);
  if (cItem.Value > s_.MaxY) s_.MaxY = cItem.Value;
  return false;
}

void PalvexChart::Clear() {
  s_.itemList.emplace();
  if (s_.legendHasRows) ClearLegendEntries(s_);
  palvex::DrawChart(s_);
}

void PalvexChart::Refresh() {
  palvex::DrawChart(s_);
}
void PalvexChart::DrawChart() {
  palvex::DrawChart(s_);
}

double PalvexChart::MarginTop() const {
  return s_.MarginTop / s_.TwipsPerPixelY();
}
double PalvexChart::MarginBottom() const {
  return s_.MarginBottom / s_.TwipsPerPixelY();
}
double PalvexChart::MarginLeft() const {
  return s_.MarginLeft / s_.TwipsPerPixelX();
}
double PalvexChart::MarginRight() const {
  return s_.MarginRight / s_.TwipsPerPixelX();
}

void PalvexChart::SetMarginTop(double v) {
  double twips = ToTwips(v, s_.TwipsPerPixelY());
  WriteAndRedraw([&] { s_.MarginTop = twips; });
}
void PalvexChart::SetMarginBottom(double v) {
  double twips = ToTwips(v, s_.TwipsPerPixelY());
  WriteAndRedraw([&] { s_.MarginBottom = twips; });
}
void PalvexChart::SetMarginLeft(double v) {
  double twips = ToTwips(v, s_.TwipsPerPixelX());
  WriteAndRedraw([&] { s_.MarginLeft = twips; });
}
void PalvexChart::SetMarginRight(double v) {
  double twips = ToTwips(v, s_.TwipsPerPixelX());
  WriteAndRedraw([&] { s_.MarginRight = twips; });
}

void PalvexChart::SetContentBorder(bool v) {
  WriteAndRedraw([&] { s_.ContentBorder = v; });
}
void PalvexChart::SetSelectable(bool v) {
  WriteAndRedraw([&] { s_.Selectable = v; });
}
void PalvexChart::SetHotTracking(bool v) {
  WriteAndRedraw([&] { s_.HotTracking = v; });
}
void PalvexChart::SetSelectionInformation(bool v) {
  WriteAndRedraw([&] { s_.SelectionInformation = v; });
}
void PalvexChart::SetDisplayXAxis(bool v) {
  WriteAndRedraw([&] { s_.DisplayXAxis = v; });
}
void PalvexChart::SetDisplayYAxis(bool v) {
  WriteAndRedraw([&] { s_.DisplayYAxis = v; });
}
void PalvexChart::SetColorBars(bool v) {
  WriteAndRedraw([&] { s_.ColorBars = v; });
}
void PalvexChart::SetChartTitle(const std::u16string& v) {
  CheckTextLength(v);
  WriteAndRedraw([&] { s_.ChartTitle = v; });
}
void PalvexChart::SetChartSubTitle(const std::u16string& v) {
  CheckTextLength(v);
  WriteAndRedraw([&] { s_.ChartSubTitle = v; });
}
void PalvexChart::SetAxisLabelX(const std::u16string& v) {
  CheckTextLength(v);
  WriteAndRedraw([&] { s_.AxisLabelX = v; });
}
void PalvexChart::SetAxisLabelY(const std::u16string& v) {
  CheckTextLength(v);
  WriteAndRedraw([&] { s_.AxisLabelY = v; });
}
void PalvexChart::SetIntersectMajor(double v) {
  WriteAndRedraw([&] { s_.IntersectMajor = v; });
}
void PalvexChart::SetIntersectMinor(double v) {
  WriteAndRedraw([&] { s_.IntersectMinor = v; });
}
void PalvexChart::SetMaxY(double v) {
  WriteAndRedraw([&] { s_.MaxY = v; });
}

Color PalvexChart::BackColor() const {
  return s_.surface->BackColor();
}
void PalvexChart::SetBackColor(Color v) {
  WriteAndRedraw([&] { s_.surface->SetBackColor(v); });
}
Color PalvexChart::ForeColor() const {
  return s_.surface->ForeColor();
}
void PalvexChart::SetForeColor(Color v) {
  WriteAndRedraw([&] { s_.surface->SetForeColor(v); });
}

std::int32_t PalvexChart::SelectedColumn() const {
  return ToInt32(s_.SelectedColumn);
}

void PalvexChart::SetSelectedColumn(std::int32_t v) {
  WriteSelectedColumn(s_, v);
}

void PalvexChart::SetActiveTheme(std::int32_t v) {
  s_.ActiveTheme = v;
  ApplyThemeColors(ThemeOf(s_), s_.children.lblSlider, *s_.surface);
  s_.host.PropertyChanged(u"ActiveTheme");
  palvex::DrawChart(s_);
}

std::int32_t PalvexChart::GetYTopLegend(std::int32_t m) {
  return palvex::GetYTopLegend(m);
}
void PalvexChart::DrawBackTheme() {
  palvex::DrawBackTheme(*s_.surface, s_.host.screen(), ThemeOf(s_));
}
void PalvexChart::DrawIntersect(std::int32_t X1, std::int32_t Y1, std::int32_t X2,
                                std::int32_t LastLine) {
  palvex::DrawIntersect(*s_.surface, ThemeOf(s_), X1, Y1, X2, LastLine);
}
std::int32_t PalvexChart::GetThemeLineColor() {
  return static_cast<std::int32_t>(palvex::GetThemeLineColor(ThemeOf(s_)));
}

bool PalvexChart::EditCopy() {
  // The picture the last pass left; the chart is not redrawn first.
  if (!s_.host.SetClipboardImage(*s_.surface)) throw ChartError(kErrClipboard);
  return false;
}

void PalvexChart::About() {
  ShowAboutBox(s_);
}

void PalvexChart::ShowLegend(bool hidden) {
  palvex::ShowLegend(s_, hidden);
}

}  // namespace palvex
