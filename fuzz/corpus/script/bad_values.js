const bad = [undefined, null, NaN, -0, 1e308, -1e308, "", "&H7FFFFFFF", "x".repeat(40000), {}, [], () => 1];
for (const v of bad) {
  for (const name of ["MarginTop", "ChartTitle", "ActiveTheme", "SelectedColumn", "BackColor", "MaxY"]) {
    try { chart[name] = v; } catch (e) { print(name, e.number); }
  }
  try { chart.AddItem({ItemID: v, Value: v}); } catch (e) { print("AddItem", e.number); }
  try { chart.DrawIntersect(v, v, v, v); } catch (e) { print("DrawIntersect", e.number); }
}
host.show(); host.tick(); chart.Refresh();
