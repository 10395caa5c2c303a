// Sinks the control's three events with several handlers and stops
// listening again: palvexchart script examples/events.js
function check(condition, what) {
  if (!condition) throw new Error("check failed: " + what);
}

const months = ["Jan", "Feb", "Mar", "Apr"];
months.forEach((month, i) => {
  chart.AddItem({ ItemID: String(i + 1), XAxisDescription: month,
                  SelectedDescription: "Rainfall in " + month, Value: 40 + 15 * i });
});
chart.Refresh();

const clicks = [];
const log = chart.on("ItemClick", (item) => {
  clicks.push(item.XAxisDescription);
  print("ItemClick", item.XAxisDescription, item.Value);
});
// A second sink gets every event too; what it writes back changes nothing.
const meddler = chart.on("itemclick", (item) => { item.Value = -1; });

// The host selecting a column raises ItemClick, also for the same column.
chart.SelectedColumn = 1;
chart.SelectedColumn = 1;
check(clicks.join() === "Feb,Feb", "two clicks on Feb");
// An invalid column clears the selection silently.
chart.SelectedColumn = months.length;
check(chart.SelectedColumn === -1 && clicks.length === 2, "no event for an invalid column");

chart.off(log);
chart.off(meddler);
chart.SelectedColumn = 0;
check(clicks.length === 2, "nothing after the sink was unadvised");

// Mouse events carry button, shift and the position in twips.
const mouse = [];
chart.on("MouseDown", (button, shift, x, y) => mouse.push(["down", button, shift, x, y].join(" ")));
chart.on("MouseUp", (button, shift, x, y) => mouse.push(["up", button, shift, x, y].join(" ")));
host.mouseDown(4, 1, 1500, 3000);  // middle button with Shift
host.mouseUp(4, 1, 1500, 3000);
print(mouse.join("; "));
check(mouse.join("; ") === "down 4 1 1500 3000; up 4 1 1500 3000", "mouse events");
