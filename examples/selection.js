// Selects bars with the mouse as a user would, listens for the events and
// drags the information label: palvexchart script examples/selection.js
function check(condition, what) {
  if (!condition) throw new Error("check failed: " + what);
}

host.resize(560, 372);
chart.Selectable = true;
chart.SelectionInformation = true;
const months = [["Jan", 1250], ["Feb", 1234567.4], ["Mar", -40]];
months.forEach(([month, value], i) => {
  chart.AddItem({ ItemID: String(i + 1), XAxisDescription: month,
                  SelectedDescription: "Sales in " + month, Value: value });
});
host.show();
host.tick();  // the bars grow; from now on the mouse can select them

const events = [];
chart.on("ItemClick", (item) => events.push("ItemClick " + item.XAxisDescription));
chart.on("MouseDown", (button) => events.push("MouseDown " + button));
chart.on("MouseUp", (button) => events.push("MouseUp " + button));

// The three slots are 2250 twips wide from x 825; the plot's bottom edge
// lies at y 4755, and every bar reaches down to it.
const left = 825, slot = 2250, bottom = 4755;
function click(column) {
  const x = left + (column + 0.5) * slot;
  host.mouseDown(1, 0, x, bottom);
  host.mouseUp(1, 0, x, bottom);
}

click(1);
click(1);  // already selected: no second ItemClick
check(events.join() === "ItemClick Feb,MouseDown 1,MouseUp 1,MouseDown 1,MouseUp 1",
      "one ItemClick for two presses on Feb: " + events.join());
check(chart.SelectedColumn === 1, "Feb is selected");

const label = host.control("lblInfo");
print(label.Caption.split("\r").join(" / "));
check(label.Visible && label.Caption.split("\r")[1] === "金额: 1,234,567元",
      "the label shows the whole amount");

// Drag the label by a point inside it and drop it on the chart: it stays
// there for the next selection, until it is double-clicked.
host.mouseDown(1, 0, label.Left + 10, label.Top + 10);
host.mouseMove(1, 0, 1500, 900);
host.mouseUp(1, 0, 2000, 1000);
click(0);
let moved = host.control("lblInfo");
check(moved.Left === 1990 && moved.Top === 990 && moved.Tag === "Fix", "the label stays put");
host.dblClick(2000, 1000);
click(2);  // a negative bar lies below the plot: the press selects nothing
click(1);
moved = host.control("lblInfo");
check(moved.Top === bottom + 20, "the label follows the bar again");

// A negative value keeps its sign, and the host can select any column.
chart.SelectedColumn = 2;
check(host.control("lblInfo").Caption.split("\r")[1] === "金额: -40元", "negative amount");
print(events.filter((e) => e.startsWith("ItemClick")).join(", "));
