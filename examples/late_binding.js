// Reaches the control the way any late-bound client does: names in any
// letter case, DISPIDs, and errors that carry their run-time numbers.
// palvexchart script examples/late_binding.js
function check(condition, what) {
  if (!condition) throw new Error("check failed: " + what);
}
function errorNumber(action) {
  try {
    action();
  } catch (e) {
    return e.number;
  }
  return 0;
}

// Names are matched ignoring letter case.
chart.maxy = 40;
check(chart.MAXY === 40 && chart.MaxY === 40, "MaxY in any case");

// Members by DISPID: property get and put, and methods.
const MaxY = 0x68030007, ChartTitle = 0x6803000D, GetYTopLegend = 0x60030040, About = -552;
check(chart.invoke(MaxY, "get") === 40, "MaxY by DISPID");
chart.invoke(ChartTitle, "put", "Set by DISPID");
check(chart.ChartTitle === "Set by DISPID", "ChartTitle written by DISPID");
check(chart.invoke(GetYTopLegend, "call", 2345) === 2500, "GetYTopLegend by DISPID");
check(chart.invoke(About, "call") === undefined, "About answers an empty variant");

// Values convert as an automation client expects.
chart.MaxY = "60";
check(chart.MaxY === 60, "a number from numeric text");
chart.ChartTitle = 12.5;
check(chart.ChartTitle === "12.5", "text from a number");
chart.Selectable = 1;
check(chart.Selectable === true, "a boolean from a number");

// Failures reach the script with their run-time error numbers.
check(errorNumber(() => { chart.MaxY = "sixty"; }) === 13, "Type mismatch");
check(errorNumber(() => { chart.SelectedColumn = 1e10; }) === 6, "Overflow");
check(errorNumber(() => chart.GetYTopLegend(2147483647)) === 6, "Overflow inside the control");
check(errorNumber(() => chart.NoSuchMember) === 438, "no such member");
check(errorNumber(() => chart.AddItem()) === 450, "wrong number of arguments");
check(errorNumber(() => chart.invoke(MaxY, "call")) === 438, "a property is not a method");

// The record crosses by value: the control keeps its own copy.
const item = { ItemID: "1", SelectedDescription: "North", XAxisDescription: "Jan", Value: 12 };
chart.AddItem(item);
item.Value = 99;
item.XAxisDescription = "changed";
let stored = null;
chart.on("ItemClick", (copy) => { stored = copy; });
chart.SelectedColumn = 0;
check(stored.Value === 12 && stored.XAxisDescription === "Jan", "the stored item is a copy");

// ShowLegend without its argument shows the legend panel.
const margin = chart.MarginRight;
chart.ShowLegend();
check(chart.MarginRight > margin, "the plot makes room for the legend");
chart.ShowLegend(true);
print("late binding: all checks passed");
