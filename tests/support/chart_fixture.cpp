#include "support/chart_fixture.h"

#include "render/bars.h"

namespace palvex::testing {

ChartFixture::ChartFixture() : chart(std::make_unique<PalvexChart>(host)) {
  chart->InitProperties();
  auto rec = std::make_unique<RecordingSurface>(std::move(chart->state().surface));
  recorder = rec.get();
  chart->state().surface = std::move(rec);
  InitBarPalette(chart->state());
}

void ChartFixture::AddItems(std::initializer_list<double> values) {
  int id = static_cast<int>(state().items().size());
  for (double v : values) {
    ++id;
    chart->AddItem(Item(std::u16string(1, u'0' + (id % 10)), v));
  }
}

ChartItem Item(const std::u16string& id, double value, const std::u16string& axis,
               const std::u16string& description) {
  ChartItem item;
  item.ItemID = id;
  item.Value = value;
  item.XAxisDescription = axis;
  item.SelectedDescription = description;
  return item;
}

}  // namespace palvex::testing
