#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "chart_file.h"
#include "platform/qt/image_io.h"
#include "platform/qt/json_property_bag.h"
#include "render.h"

namespace palvex {
namespace {

// Every persisted property away from its default, so that a key the bag
// lost would show in the picture.
const char kChart[] = R"({
  "width": 480, "height": 300,
  "properties": {
    "MarginTop": 40, "MarginBottom": 60, "MarginLeft": 70, "MarginRight": 30,
    "ContentBorder": false, "Selectable": true, "HotTracking": true,
    "SelectionInformation": true, "DisplayXAxis": true, "DisplayYAxis": false,
    "ColorBars": true, "ChartTitle": "Saved", "ChartSubTitle": "and loaded",
    "AxisLabelX": "month", "AxisLabelY": "rain", "IntersectMinor": 5,
    "BackColor": 2105376, "ForeColor": 65535, "ActiveTheme": 1
  },
  "items": [
    {"ItemID": "1", "XAxisDescription": "Jan", "SelectedDescription": "January", "Value": 190},
    {"ItemID": "2", "XAxisDescription": "Feb", "SelectedDescription": "February", "Value": 152},
    {"ItemID": "3", "XAxisDescription": "Mar", "SelectedDescription": "March", "Value": 70}
  ]
})";

QImage Rendered(const ChartFile& file, PropertyBag* saved = nullptr) {
  HeadlessHost host;
  auto chart = RenderChart(file, host, saved);
  return ImageOf(*chart->state().surface).copy();
}

TEST(SavedBagRenderTest, AChartSavedToABagFileAndLoadedAgainRendersIdentically) {
  const ChartFile full = ParseChartFile(kChart);
  QTemporaryDir dir;
  const QString path = dir.filePath("bag.json");
  {
    HeadlessHost host;
    JsonPropertyBag bag;
    RenderChart(full, host)->WriteProperties(bag);
    bag.Save(path);
  }
  // Items are not persisted: the loaded control gets them from the file.
  ChartFile itemsOnly = full;
  itemsOnly.properties.clear();
  JsonPropertyBag loaded = JsonPropertyBag::Load(path);

  const QImage direct = Rendered(full);
  EXPECT_EQ(Rendered(itemsOnly, &loaded), direct);
  EXPECT_NE(Rendered(itemsOnly), direct);  // the defaults look different
}

}  // namespace
}  // namespace palvex
