// Builds a chart entirely through late binding, reads it back and exports
// its picture: palvexchart script examples/quarterly_sales.js
function check(condition, what) {
  if (!condition) throw new Error("check failed: " + what);
}

host.resize(640, 400);

chart.ChartTitle = "Quarterly Sales 2025";
chart.ChartSubTitle = "Thousands of euros, all regions";
chart.AxisLabelX = "Quarter";
chart.AxisLabelY = "Sales";
chart.ColorBars = true;
chart.ActiveTheme = 2;  // ThemeNeon
chart.MarginLeft = 70;

const quarters = [
  ["Q1", "January to March", 182.5],
  ["Q2", "April to June", 240],
  ["Q3", "July to September", 205.25],
  ["Q4", "October to December", 231],
];
quarters.forEach(([axis, description, value], i) => {
  const added = chart.AddItem({
    ItemID: String(i + 1),
    XAxisDescription: axis,
    SelectedDescription: description,
    Value: value,
  });
  check(added === false, "AddItem answers false, also when the item was added");
});
check(chart.MaxY === 240, "AddItem raises MaxY to the largest value");

chart.Refresh();

// The drawing pass rounds the scale up and sets the major grid step.
check(chart.MaxY === 250, "the scale top of 240 is 250");
check(chart.IntersectMajor === 25, "the major step is a tenth of the scale top");
check(chart.MarginLeft === 70, "margins read back in pixels");
check(chart.ActiveTheme === 2, "the theme reads back");
check(chart.SelectedColumn === -1, "nothing is selected");

print("title:", chart.ChartTitle);
print("scale top:", chart.MaxY, "major step:", chart.IntersectMajor);
host.saveImage("quarterly_sales.png");
print("saved quarterly_sales.png");
